#pragma once

#include "engine/dom/Ref.h"
#include "engine/editing/TextRange.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>
#include <vector>

class CZQView;

// What the character-format commands share: the format codes, the format
// state the toolbar shows, the elements a control selection formats, the
// wrapper that puts new markup around an element's whole content, and the
// walk over a selected range of table cells.
//
// Text is formatted in text boxes (TABLE id "text"), ordinary tables and
// MARQUEE elements. A format goes around the whole content of a target
// element (FONT, STRONG, EM, U), onto an attribute of it (alignment, cell
// background), or through the page engine's own command for selected text.

// Format codes: one number space for every format operation.
enum FormatCode : int {
    kFormatTop = 1,
    kFormatMiddle = 2,
    kFormatBottom = 3,
    kFormatLeft = 4,
    kFormatRight = 5,
    kFormatCenter = 6,
    kFormatBigger = 7,  // cell by cell only
    kFormatSmaller = 8, // cell by cell only
    kFormatBold = 9,
    kFormatItalic = 10,
    kFormatUnderline = 11,
    kFormatTypeface = 12, // routed like the styles; nothing belongs to it
    kFormatFace = 13,
    kFormatTextColor = 14,
    kFormatBackColor = 15,
    kFormatFontSize = 16,
};

// The format state of a page view (CZQView::m_nFormatState): what the
// toolbar and the menu show checked. At most one of each alignment group.
enum FormatStateFlag : quint32 {
    kStateBold = 0x1,
    kStateItalic = 0x2,
    kStateUnderline = 0x4,
    kStateLeft = 0x8,
    kStateMiddle = 0x10,
    kStateRight = 0x20,
    kStateTop = 0x40,
    kStateCenter = 0x80,
    kStateBottom = 0x100,
};
constexpr quint32 kHorizontalStates = kStateLeft | kStateCenter | kStateRight;
constexpr quint32 kVerticalStates = kStateTop | kStateMiddle | kStateBottom;

// Colour modes of the colour operations: apply the colour, or go back to the
// default (remove the colour).
constexpr int kColorModeApply = 1;
constexpr int kColorModeDefault = -3;

// The page view whose selection the format operations read and change: the
// active one; null without a page.
CZQView* ActiveFormatView();

// The selection as the format operations read it: the first selected element
// and the control range of a control selection; or a caret, or a text range
// where text is edited (inside a TABLE or MARQUEE). Selected text elsewhere
// gives neither, so the format commands leave it alone.
struct FormatSelection
{
    engine::Ref<engine::Element> selected;
    std::optional<engine::ControlRange> controls;
    std::optional<engine::TextRange> range;
};
FormatSelection ReadFormatSelection();

// Whether a format goes cell by cell over the view's selected cells: its
// event sink holds a range of cells and the range is a clean rectangle.
bool HasFormattableCellRange(const CZQView* view);

// What the format goes onto inside a table cell: the TD itself, or the first
// SPAN down the TD's chain of first children when there is one.
enum class CellTarget { Cell, SpanInCell };
// What a selected MARQUEE gets: formatted alone when it is the first
// selected element, or treated as any other object (its first TD).
enum class MarqueeTarget { Alone, AsObject };

// The elements a control selection formats: every TD (not TH) of one
// selected TABLE; else the MARQUEE that is the first selected element (when
// the family formats it alone); else, for each selected element, the first TD
// down its chain of first children (elements without one are passed over).
std::vector<engine::Ref<engine::Element>> ControlSelectionTargets(const engine::ControlRange& controls,
                                                                  CellTarget cellTarget, MarqueeTarget marquee);

// Puts the element's whole content inside a new element parsed from `html`,
// which must be one empty element ("<STRONG></STRONG>"); an element without
// content receives the empty new element. Anything else in `html` (text, two
// elements, an element with content) changes nothing. One undo step.
void WrapElementContent(engine::Element* element, const QString& html);

// Visits every cell of the view's selected cell range whose own first row
// and column lie inside the range (a cell spanning into it from outside is
// not visited), in row order.
void ForEachSelectedCell(CZQView* view, const std::function<void(engine::Element* cell)>& visit);

// Applies an alignment (1 to 6, without toggling), a size step (7, 8) or a
// style toggle (9 to 11) to every selected cell; other codes change nothing.
void FormatSelectedCells(int code, CZQView* view);
// The same for the font dialog: the styles (9 to 11) are set when `on` is
// non-zero and removed when it is zero.
void FormatSelectedCellsFromDialog(int code, CZQView* view, int on);
