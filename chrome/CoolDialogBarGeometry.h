#pragma once

#include "platform/Rect.h"

#include <QPoint>

// The geometry of a rolling dialog bar, as plain arithmetic over the bar's
// window rectangle: where its caption, caption buttons, resizing edge and
// dialog lie for each side it docks on, what a point there means, and how
// rolling it up and down changes its extents.

// The frame's dock bars, by the ids the bar lays itself out for.
enum : int {
    AFX_IDW_DOCKBAR_TOP = 0xE81B,
    AFX_IDW_DOCKBAR_LEFT = 0xE81C,
    AFX_IDW_DOCKBAR_RIGHT = 0xE81D,
    AFX_IDW_DOCKBAR_BOTTOM = 0xE81E,
    AFX_IDW_DOCKBAR_FLOAT = 0xE81F,
};

// What a point of a docked bar means.
enum : int {
    HTNOWHERE = 0,
    HTCAPTION = 2,
    HTCLOSE = 3,
    HTSIZE = 4,
    HTMINBUTTON = 8,
};

namespace coolbar {

constexpr int kGripperWidth = 20;
constexpr int kBorder = 3;
constexpr int kEdgeWidth = 6;
constexpr int kRolledEdgeWidth = 18;
// The smallest extents: 18 wide, 1 high.
constexpr int kMinWidth = 18;
constexpr int kMinHeight = 1;

// Docked top or bottom.
constexpr bool IsHorizontalDock(int dockId)
{
    return dockId == AFX_IDW_DOCKBAR_TOP || dockId == AFX_IDW_DOCKBAR_BOTTOM;
}

enum class Arrow { Up, Down, Left, Right };

// The parts of a bar's window, in window coordinates.
struct Frame
{
    platform::Rect client;  // where the dialog goes
    platform::Rect edge;    // the resizing strip on the inner side
    platform::Rect caption; // the gripper strip that drags the bar
    platform::Rect close;
    platform::Rect rollUp;
    platform::Rect grippers[2]; // the two 3-D lines along the caption
    platform::Rect edgeLine;    // the 1-pixel line along the edge strip's outer side
    int edgeLineColor = 0;      // its colour index
};

// The frame of a bar of that size docked at dockId (a floating bar gets only
// its edge, on the side opposite to `alignDockId`), with the edge strip
// edgeWidth thick.
Frame LayoutFrame(int dockId, int width, int height, int edgeWidth, int alignDockId = AFX_IDW_DOCKBAR_TOP);

// What the point means on a docked bar: HTCLOSE, HTMINBUTTON, HTSIZE,
// HTCAPTION or HTNOWHERE.
int HitTest(const Frame& frame, QPoint point);

// The roll-up button's arrow points towards the frame's edge; the strip of a
// rolled-up bar shows the opposite arrow, the one that unrolls it.
Arrow RollUpArrow(int dockId);
Arrow UnrollArrow(int dockId);

// The colour indexes of the two nested 3-D frames of a caption button in
// state 0 (normal), 1 (hot) or 2 (pressed): outer top-left, outer
// bottom-right, inner top-left, inner bottom-right.
struct ButtonColors
{
    int outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
};
ButtonColors CaptionButtonColors(int state);

// The sizes a bar keeps and its rolled-up state: the horizontal height (docked
// top or bottom) or the vertical width (left or right) is the extent that
// rolling up replaces by the rolled strip.
struct Extents
{
    int horzHeight = 200;
    int vertWidth = 200;
    int edgeWidth = kEdgeWidth;
    int savedExtent = -1;

    bool IsShrunk() const { return savedExtent != -1; }
    // Keeps `present` (the bar's extent now) and holds the bar at the rolled strip.
    void RollUp(bool horizontal, int present);
    // Puts the extent from before rolling up back; nothing when not rolled up.
    void Unroll(bool horizontal);
    // The extent of the bar docked that way.
    int Extent(bool horizontal) const { return horizontal ? horzHeight : vertWidth; }
    // Takes an extent the user dragged the edge to, never below the minimum.
    void Resize(bool horizontal, int extent);
};

// The pressed and hot caption buttons while the mouse hovers, presses, moves
// and releases: codes are HTCLOSE, HTMINBUTTON or HTSIZE (the unroll strip),
// -1 for none.
class CaptionButtons
{
public:
    int pressed() const { return m_pressed; }
    int hot() const { return m_hot; }

    // The mouse moved over `code` (-1 elsewhere) with no button held. Returns
    // the button that stopped being hot (to redraw normal), or -1.
    int Hover(int code);
    // The button under the mouse was pressed; false (nothing held) for none.
    bool Press(int code);
    // The state to draw `code` in with the mouse over `under`: 2 while it is
    // held with the mouse over it, 1 while hot, else 0.
    int StateOf(int code, int under) const;
    // The mouse was released over `under`: the button to act on (the one held,
    // released over itself) or -1. Nothing stays pressed or hot.
    int Release(int under);

private:
    int m_pressed = -1;
    int m_hot = -1;
};

} // namespace coolbar
