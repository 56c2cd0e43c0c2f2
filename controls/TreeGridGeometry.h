#pragma once

#include "controls/TreeGridModel.h"
#include "platform/Rect.h"

#include <QString>

#include <vector>

class QFontMetrics;

// Where the tree grid draws and hit-tests the parts of a row, without a
// window. All rectangles are in the frame of the row rectangle given (its
// left edge is the left edge of the first column, which moves left when the
// list is scrolled sideways). `columnWidth` is the width of the tree column.
namespace treegrid {

struct Metrics
{
    int cxIcon = 0;          // width of a row picture, and the indent per level
    int cyIcon = 0;          // height of a row picture
    int stateImageWidth = 0; // width of a check box, 0 without check boxes
};

// A line as the grid draws it: from (x1, y1) up to, not including, (x2, y2).
struct Line
{
    int x1, y1, x2, y2;
    bool operator==(const Line&) const = default;
};

// The picture area and the text area of the tree column.
platform::Rect IconRect(const platform::Rect& row, int indent, const Metrics& m);
platform::Rect LabelRect(const platform::Rect& row, int indent, const Metrics& m, int columnWidth);

// The row picture: where it goes and how much of it shows before the tree
// column's right edge. Not drawn (and no tree lines either) when the item
// starts past that edge.
struct ItemImage
{
    int x = 0;
    int y = 0;
    int width = 0;
    bool drawn = false;
};
ItemImage ItemImageOf(const platform::Rect& row, int indent, const Metrics& m, int columnWidth);

// Where the row's background starts: after its picture, at most at the tree column's right edge.
int BackgroundLeft(const platform::Rect& row, int indent, const Metrics& m, int columnWidth);

// The check box: its left edge, or -1 when it would not fit in the tree column.
int StateImageLeft(const platform::Rect& row, int indent, const Metrics& m, int columnWidth);

// The box of an item's expand button, centred on the item's tree line.
platform::Rect ExpandButtonRect(const platform::Rect& row, int indent, const Metrics& m);

// The tree lines of one shown item: the line to its own button or picture,
// the line on to a later sibling, and the lines that pass its row on the way
// to later siblings of its ancestors. Top-level items have none.
std::vector<Line> TreeLines(const TreeGridModel& tree, const TreeGridModel::CTreeItem* item, const platform::Rect& row,
                            const Metrics& m, int columnWidth);

// The text shortened to fit the width with the margin: whole characters are
// dropped from the end and "..." appended. A text that fits, and an empty
// one, are returned as they are.
QString FitTextToWidth(const QFontMetrics& metrics, const QString& text, int width, int margin);

// The bands of the list in which a drag scrolls it.
enum class DragBand { None, Top, Bottom };
DragBand DragBandAt(int y, int clientHeight, int bandHeight);

} // namespace treegrid
