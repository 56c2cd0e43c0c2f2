#include "skins/ASMTabControl.h"

#include "controls/SysColors.h"
#include "skins/SkinDrawing.h"
#include "skins/VornaSkinManager.h"

#include <QPainter>
#include <QStyleOptionTab>
#include <QStyleOptionTabBarBase>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QWidget>

namespace tabcontrol_detail {

ASMTabControl::Side sideOf(QTabBar::Shape shape)
{
    switch (shape) {
    case QTabBar::RoundedSouth:
    case QTabBar::TriangularSouth:
        return ASMTabControl::kBottom;
    case QTabBar::RoundedWest:
    case QTabBar::TriangularWest:
        return ASMTabControl::kLeft;
    case QTabBar::RoundedEast:
    case QTabBar::TriangularEast:
        return ASMTabControl::kRight;
    default:
        return ASMTabControl::kTop;
    }
}

bool horizontal(ASMTabControl::Side side)
{
    return side == ASMTabControl::kTop || side == ASMTabControl::kBottom;
}

// A tab drawn as if it stood on top: u runs along the strip from the tab's
// start, v from its far edge toward the page.
class TabFigure
{
public:
    TabFigure(QPainter& dc, const platform::Rect& rect, ASMTabControl::Side side) : m_dc(dc), m_rect(rect), m_side(side)
    {
    }
    int length() const { return horizontal(m_side) ? m_rect.width() : m_rect.height(); }
    int depth() const { return horizontal(m_side) ? m_rect.height() : m_rect.width(); }
    void fill(int u, int v, int du, int dv, int colour) const
    {
        if (du <= 0 || dv <= 0)
            return;
        QRect box;
        switch (m_side) {
        case ASMTabControl::kTop:
            box = QRect(m_rect.left + u, m_rect.top + v, du, dv);
            break;
        case ASMTabControl::kBottom:
            box = QRect(m_rect.left + u, m_rect.bottom - v - dv, du, dv);
            break;
        case ASMTabControl::kLeft:
            box = QRect(m_rect.left + v, m_rect.top + u, dv, du);
            break;
        case ASMTabControl::kRight:
            box = QRect(m_rect.right - v - dv, m_rect.top + u, dv, du);
            break;
        }
        m_dc.fillRect(box, platform::toQColor(GetSkinSysColor(colour)));
    }

private:
    QPainter& m_dc;
    platform::Rect m_rect;
    ASMTabControl::Side m_side;
};

} // namespace tabcontrol_detail

using namespace tabcontrol_detail;

ASMTabControl::ASMTabControl() : ASMControl(SkinControlKind::TabControl) {}

void ASMTabControl::DrawTab(QPainter& dc, const platform::Rect& rect, Side side, int flags, const QString& text)
{
    platform::Rect box = rect;
    if (flags & kSelectedTab) {
        // Larger by 2 away from the page and along the strip, by 1 toward the page.
        box.inflate(2, 2);
        if (side == kTop)
            box.bottom -= 1;
        else if (side == kBottom)
            box.top += 1;
        else if (side == kLeft)
            box.right -= 1;
        else
            box.left += 1;
    }
    if (box.isEmpty())
        return;
    const bool hover = flags & kMouseOverTab;
    const TabFigure tab(dc, box, side);
    const int w = tab.length();
    const int d = tab.depth();
    // The far edge faces up or left on top and left tabs, down or right on the others.
    const bool farRaised = side == kTop || side == kLeft;
    const int raisedInner = hover ? COLOR_3DLIGHT : COLOR_3DFACE;
    const int sunkOuter = hover ? COLOR_3DDKSHADOW : COLOR_3DSHADOW;
    const int sunkInner = hover ? COLOR_3DSHADOW : COLOR_3DFACE;
    // The start side (left or top) is raised, the end side sunk.
    tab.fill(0, 2, 1, d - 2, COLOR_3DHIGHLIGHT);
    tab.fill(1, 2, 1, d - 2, raisedInner);
    tab.fill(2, 0, w - 4, 1, farRaised ? COLOR_3DHIGHLIGHT : sunkOuter);
    tab.fill(2, 1, w - 4, 1, farRaised ? raisedInner : sunkInner);
    tab.fill(w - 1, 2, 1, d - 2, sunkOuter);
    tab.fill(w - 2, 2, 1, d - 2, sunkInner);
    tab.fill(1, 1, 1, 1, COLOR_3DHIGHLIGHT);
    tab.fill(w - 2, 1, 1, 1, sunkOuter);

    if (text.isEmpty())
        return;
    const platform::Rect label(box.left + 3, box.top + 3, box.right - 3, box.bottom - 3);
    if (label.isEmpty())
        return;
    dc.save();
    dc.setPen(platform::toQColor(GetSkinSysColor(hover ? COLOR_3DSHADOW : COLOR_BTNTEXT)));
    const int format = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (horizontal(side)) {
        dc.drawText(label.toQRect(), format, text);
    } else {
        // Side tabs read upward on the left, downward on the right.
        const QRect turned(0, 0, label.height(), label.width());
        dc.translate(side == kLeft ? label.left : label.right, side == kLeft ? label.bottom : label.top);
        dc.rotate(side == kLeft ? -90 : 90);
        dc.drawText(turned, format, text);
    }
    dc.restore();
}

void ASMTabControl::DrawOpening(QPainter& dc, Side side, const platform::Rect& s,
                                const std::function<void(const platform::Rect&)>& fill)
{
    if (s.isEmpty())
        return;
    auto pixel = [&dc](int x, int y, int colour) {
        dc.fillRect(QRect(x, y, 1, 1), platform::toQColor(GetSkinSysColor(colour)));
    };
    switch (side) {
    case kTop:
        fill(platform::Rect(s.left - 1, s.bottom - 2, s.right + 1, s.bottom - 1));
        pixel(s.right + 1, s.bottom - 2, COLOR_3DSHADOW);
        break;
    case kLeft:
        fill(platform::Rect(s.right - 2, s.top - 1, s.right - 1, s.bottom + 1));
        pixel(s.right - 2, s.bottom + 1, COLOR_3DSHADOW);
        break;
    case kRight:
        fill(platform::Rect(s.left + 1, s.top - 1, s.left + 2, s.bottom + 1));
        pixel(s.left + 1, s.top - 2, COLOR_3DHIGHLIGHT);
        break;
    case kBottom:
        fill(platform::Rect(s.left - 1, s.top + 1, s.right + 1, s.top + 2));
        pixel(s.left - 2, s.top + 1, COLOR_3DHIGHLIGHT);
        break;
    }
}

void ASMTabControl::DrawPage(QPainter& dc, const platform::Rect& page, Side side, const platform::Rect& selected,
                             const std::function<void(const platform::Rect&)>& fill)
{
    if (page.isEmpty())
        return;
    DrawSkinDouble3dRect(dc, page, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW, COLOR_3DFACE, COLOR_3DFACE);
    DrawOpening(dc, side, selected, fill);
}

namespace tabcontrol_detail {

// The skin's background continued from the widget's parent into the widget.
std::function<void(const platform::Rect&)> backgroundOf(QPainter& dc, const QWidget* widget)
{
    return [&dc, widget](const platform::Rect& r) {
        QWidget* painted = const_cast<QWidget*>(widget);
        FillSkinBackgroundXY(dc, r.left, r.top, r.width(), r.height(), painted ? painted->parentWidget() : nullptr,
                             painted);
    };
}

} // namespace tabcontrol_detail

void ASMTabControl::DrawTabBarTab(QPainter& dc, const QStyleOptionTab& option, const QWidget* widget)
{
    const Side side = sideOf(option.shape);
    // The tab as it stands unselected: 2 pixels short of the far edge of the
    // strip, and of its ends, so that the selected tab grows into them.
    platform::Rect rect = platform::Rect::fromQRect(option.rect);
    const bool first = option.position == QStyleOptionTab::Beginning || option.position == QStyleOptionTab::OnlyOneTab;
    const bool last = option.position == QStyleOptionTab::End || option.position == QStyleOptionTab::OnlyOneTab;
    if (horizontal(side)) {
        (side == kTop ? rect.top : rect.bottom) += side == kTop ? 2 : -2;
        rect.left += first ? 2 : 0;
        rect.right -= last ? 2 : 0;
    } else {
        (side == kLeft ? rect.left : rect.right) += side == kLeft ? 2 : -2;
        rect.top += first ? 2 : 0;
        rect.bottom -= last ? 2 : 0;
    }
    int flags = 0;
    if (option.state & QStyle::State_MouseOver)
        flags |= kMouseOverTab;
    if (option.state & QStyle::State_Selected)
        flags |= kSelectedTab;
    dc.save();
    if (widget) {
        // Only the strip: the rows the bar shares with the page are the page's.
        const int overlap = widget->style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, &option, widget);
        QRect strip = widget->rect();
        if (side == kTop)
            strip.setBottom(strip.bottom() - overlap);
        else if (side == kBottom)
            strip.setTop(strip.top() + overlap);
        else if (side == kLeft)
            strip.setRight(strip.right() - overlap);
        else
            strip.setLeft(strip.left() + overlap);
        dc.setClipRect(strip, Qt::IntersectClip);
    }
    DrawTab(dc, rect, side, flags, option.text);
    dc.restore();
}

void ASMTabControl::DrawTabWidgetFrame(QPainter& dc, const QStyleOptionTabWidgetFrame& option, const QWidget* widget)
{
    DrawPage(dc, platform::Rect::fromQRect(option.rect), sideOf(option.shape),
             platform::Rect::fromQRect(option.selectedTabRect), backgroundOf(dc, widget));
}

void ASMTabControl::DrawTabBarBase(QPainter& dc, const QStyleOptionTabBarBase& option, const QWidget* widget)
{
    // The page's edge along the bar: its outer line away from the page.
    const Side side = sideOf(option.shape);
    const platform::Rect r = platform::Rect::fromQRect(option.rect);
    if (r.isEmpty())
        return;
    switch (side) {
    case kTop:
        FillRectSolidXY(dc, r.left, r.bottom - 2, r.width(), 1, GetSkinSysColor(COLOR_3DHIGHLIGHT));
        FillRectSolidXY(dc, r.left, r.bottom - 1, r.width(), 1, GetSkinSysColor(COLOR_3DFACE));
        break;
    case kBottom:
        FillRectSolidXY(dc, r.left, r.top + 1, r.width(), 1, GetSkinSysColor(COLOR_3DSHADOW));
        FillRectSolidXY(dc, r.left, r.top, r.width(), 1, GetSkinSysColor(COLOR_3DFACE));
        break;
    case kLeft:
        FillRectSolidXY(dc, r.right - 2, r.top, 1, r.height(), GetSkinSysColor(COLOR_3DHIGHLIGHT));
        FillRectSolidXY(dc, r.right - 1, r.top, 1, r.height(), GetSkinSysColor(COLOR_3DFACE));
        break;
    case kRight:
        FillRectSolidXY(dc, r.left + 1, r.top, 1, r.height(), GetSkinSysColor(COLOR_3DSHADOW));
        FillRectSolidXY(dc, r.left, r.top, 1, r.height(), GetSkinSysColor(COLOR_3DFACE));
        break;
    }
    DrawOpening(dc, side, platform::Rect::fromQRect(option.selectedTabRect), backgroundOf(dc, widget));
}
