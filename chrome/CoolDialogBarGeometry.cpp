#include "chrome/CoolDialogBarGeometry.h"

#include "controls/SysColors.h"

#include <algorithm>

using platform::Rect;

namespace coolbar {

namespace {

// Caption buttons: 11 x 11 along the top of a bar docked left or right, 12 x
// 12 down the left side of one docked top or bottom; the roll-up button 13
// pixels beside the close button.
constexpr int kVertButton = 11;
constexpr int kHorzButton = 12;
constexpr int kButtonStep = 13;
constexpr int kButtonTop = 4;
// The small caption of a floating bar and its close button.
constexpr int kFloatButton = 14;
constexpr int kFloatButtonMargin = 2;
constexpr int kFloatButtonTop = 3;

Rect EdgeStrip(int side, int width, int height, int edge)
{
    switch (side) {
    case AFX_IDW_DOCKBAR_TOP:
        return Rect(0, height - edge, width, height);
    case AFX_IDW_DOCKBAR_BOTTOM:
        return Rect(0, 0, width, edge);
    case AFX_IDW_DOCKBAR_LEFT:
        return Rect(width - edge, 0, width, height);
    default:
        return Rect(0, 0, edge, height);
    }
}

} // namespace

Frame LayoutFrame(int dockId, int width, int height, int edgeWidth, int alignDockId)
{
    Frame f;
    const int e = edgeWidth;
    const int g = kGripperWidth;
    const int b = kBorder;
    if (dockId == AFX_IDW_DOCKBAR_FLOAT) {
        // 1. Afloat: the small caption along the top with its close button,
        //    the edge on the side opposite the bar's alignment.
        f.caption = Rect(0, 0, width, g);
        f.close = Rect(width - kFloatButtonMargin - kFloatButton, kFloatButtonTop, width - kFloatButtonMargin,
                       kFloatButtonTop + kFloatButton);
        f.client = Rect(0, g, width, height);
        if (e > 0) {
            // The strip of a bar aligned top lies at its bottom, and so on:
            // where the edge of a bar docked on that side lies.
            f.edge = EdgeStrip(alignDockId, width, height, e);
            switch (alignDockId) {
            case AFX_IDW_DOCKBAR_TOP:
                f.client.bottom -= e;
                break;
            case AFX_IDW_DOCKBAR_BOTTOM:
                f.client.top += e;
                break;
            case AFX_IDW_DOCKBAR_LEFT:
                f.client.right -= e;
                break;
            default:
                f.client.left += e;
                break;
            }
        }
        return f;
    }

    // 2. Docked: the gripper on one side, the edge on the inner side, the
    //    border on the other two.
    f.edge = EdgeStrip(dockId, width, height, e);
    switch (dockId) {
    case AFX_IDW_DOCKBAR_TOP:
        f.client = Rect(g, b, width - b, height - e);
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        f.client = Rect(g, e, width - b, height - b);
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        f.client = Rect(b, g, width - e, height - b);
        break;
    default:
        f.client = Rect(e, g, width - b, height - b);
        break;
    }

    // 3. The caption and its buttons.
    if (IsHorizontalDock(dockId)) {
        f.caption = Rect(0, 0, g, height);
        f.close = Rect(7, kButtonTop, 7 + kHorzButton, kButtonTop + kHorzButton);
        f.rollUp = f.close;
        f.rollUp.offset(0, kButtonStep);
        const int top = f.rollUp.bottom + 4;
        f.grippers[0] = Rect(9, top, 12, height - b);
        f.grippers[1] = Rect(13, top, 16, height - b);
    } else {
        f.caption = Rect(0, 0, width - 40, g);
        // Kept inside a bar too narrow for the button's place (a rolled-up one).
        const int left = std::max(width - 10 - kVertButton, b);
        f.close = Rect(left, kButtonTop, left + kVertButton, kButtonTop + kVertButton);
        f.rollUp = f.close;
        f.rollUp.offset(-kButtonStep, 0);
        f.grippers[0] = Rect(b, 6, width - 40, 9);
        f.grippers[1] = Rect(b, 10, width - 40, 13);
    }

    // 4. The line along the edge strip.
    switch (dockId) {
    case AFX_IDW_DOCKBAR_TOP:
        f.edgeLine = Rect(f.edge.left, f.edge.top, f.edge.right, f.edge.top + 1);
        f.edgeLineColor = COLOR_3DHIGHLIGHT;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        f.edgeLine = Rect(f.edge.left, f.edge.top, f.edge.left + 1, f.edge.bottom);
        f.edgeLineColor = COLOR_3DHIGHLIGHT;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        f.edgeLine = Rect(f.edge.right - 1, f.edge.top, f.edge.right, f.edge.bottom);
        f.edgeLineColor = COLOR_3DSHADOW;
        break;
    default:
        f.edgeLine = Rect(f.edge.left, f.edge.bottom - 1, f.edge.right, f.edge.bottom);
        f.edgeLineColor = COLOR_3DSHADOW;
        break;
    }
    if (f.edge.isEmpty())
        f.edgeLine = Rect();
    return f;
}

int HitTest(const Frame& frame, QPoint point)
{
    if (frame.close.contains(point))
        return HTCLOSE;
    if (frame.rollUp.contains(point))
        return HTMINBUTTON;
    if (frame.edge.contains(point))
        return HTSIZE;
    if (frame.caption.contains(point))
        return HTCAPTION;
    return HTNOWHERE;
}

Arrow RollUpArrow(int dockId)
{
    switch (dockId) {
    case AFX_IDW_DOCKBAR_TOP:
        return Arrow::Up;
    case AFX_IDW_DOCKBAR_LEFT:
        return Arrow::Left;
    case AFX_IDW_DOCKBAR_RIGHT:
        return Arrow::Right;
    default:
        return Arrow::Down;
    }
}

Arrow UnrollArrow(int dockId)
{
    switch (RollUpArrow(dockId)) {
    case Arrow::Up:
        return Arrow::Down;
    case Arrow::Down:
        return Arrow::Up;
    case Arrow::Left:
        return Arrow::Right;
    case Arrow::Right:
        break;
    }
    return Arrow::Left;
}

ButtonColors CaptionButtonColors(int state)
{
    switch (state) {
    case 1:
        return {COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW};
    case 2:
        return {COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DFACE, COLOR_3DFACE};
    default:
        return {COLOR_3DHIGHLIGHT, COLOR_3DSHADOW, COLOR_3DFACE, COLOR_3DFACE};
    }
}

void Extents::RollUp(bool horizontal, int present)
{
    if (IsShrunk())
        return;
    edgeWidth = kRolledEdgeWidth;
    savedExtent = present;
    (horizontal ? horzHeight : vertWidth) = kRolledEdgeWidth;
}

void Extents::Unroll(bool horizontal)
{
    if (!IsShrunk())
        return;
    edgeWidth = kEdgeWidth;
    (horizontal ? horzHeight : vertWidth) = savedExtent;
    savedExtent = -1;
}

void Extents::Resize(bool horizontal, int extent)
{
    if (horizontal)
        horzHeight = std::max(extent, kMinHeight);
    else
        vertWidth = std::max(extent, kMinWidth);
}

int CaptionButtons::Hover(int code)
{
    if (m_pressed != -1 || code == m_hot)
        return -1;
    const int previous = m_hot;
    m_hot = code;
    return previous;
}

bool CaptionButtons::Press(int code)
{
    if (code == -1)
        return false;
    m_pressed = m_hot = code;
    return true;
}

int CaptionButtons::StateOf(int code, int under) const
{
    if (code == -1)
        return 0;
    if (m_pressed == code)
        return under == code ? 2 : 0;
    return m_hot == code ? 1 : 0;
}

int CaptionButtons::Release(int under)
{
    const int act = m_pressed != -1 && under == m_pressed ? m_pressed : -1;
    m_pressed = m_hot = -1;
    return act;
}

} // namespace coolbar
