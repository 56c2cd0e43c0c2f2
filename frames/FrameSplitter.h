#pragma once

#include "platform/Rect.h"

#include <QList>
#include <QPoint>

#include <functional>

class FramePane;
class FrameSetHost;
class VornaFrameSet;

// The splitter bars between the panes of a frameset page: the bars are the
// gaps between neighbouring panes; a drag moves one bar, resizing the panes
// on both sides and rewriting their entries in their FRAMESET's list.

// The deepest FRAMESET of the node, its subtree and its following siblings
// whose rectangle, shrunk by the edge width on every side, holds the point;
// none when there is none.
VornaFrameSet* FindSplitterNode(VornaFrameSet* node, const QPoint& point, int edge);

// The cursor to show at a point between panes.
enum class SplitterCursor { Arrow, WestEast, NorthSouth };

// Two different panes at both sides of the point (at the spacing + 2 pixels)
// make a bar: across (west-east) first, then up and down. A pane of a FRAME
// with noresize blocks the bar, except while the page is edited.
SplitterCursor SplitterCursorAt(VornaFrameSet* root, const QPoint& point, bool editing,
                                const std::function<FramePane*(const QPoint&)>& paneAt);

// One drag of a splitter bar, from the press to the release.
class FrameSplitterDrag
{
public:
    // Starts at a press on a bar of the tree; false (and no drag) when the
    // point is on no bar.
    bool Begin(VornaFrameSet* root, const QPoint& point, int edge);
    bool IsActive() const { return m_pDragNode != nullptr; }
    bool SplitsCols() const;
    // Follows the mouse: the bar moves only within the span between the outer
    // edges of the two panes, less 20 pixels and the spacing on each side.
    // Whether it moved.
    bool Move(const QPoint& point);
    // The 2-pixel bar at the last position, across the FRAMESET's breadth.
    platform::Rect BarRect() const;
    // Ends the drag at the bar's last position: the earlier pane grows by the
    // distance, the later one moves and shrinks by it, and both entries are
    // written from their new rectangles (the frameset page becomes modified).
    // False when nothing changed (no drag, or a drag back to its start).
    bool End(FrameSetHost* host);
    void Cancel() { m_pDragNode = nullptr; }

    VornaFrameSet* m_pDragNode = nullptr;
    QPoint m_ptDragStart;
    QPoint m_ptDragCurrent;
    platform::Rect m_rcDragLimits;
    int m_nSpacing = 2;
};

// The rectangles that paint the gap around each pane of the node, its subtree
// and its following siblings: the pane's rectangle grown by 0 .. spacing / 2
// pixels, not growing on a side that would come within 3 pixels of the outer
// rectangle's edge.
QList<platform::Rect> FrameGapRects(VornaFrameSet* node, const platform::Rect& outer, int spacing);

// The red outline of the current pane: one rectangle a pixel outside it, and
// a second two pixels outside while the frame pages are being saved.
QList<platform::Rect> PaneOutlineRects(const platform::Rect& pane, int framesetSaveMode);
