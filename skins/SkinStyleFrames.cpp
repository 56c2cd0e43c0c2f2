#include "skins/SkinStyle.h"

#include "skins/ASMFrame.h"
#include "skins/ASMStatusBar.h"
#include "skins/ASMToolbar.h"
#include "skins/FrameActivation.h"
#include "skins/SkinDrawing.h"
#include "skins/SkinRecordPainters.h"
#include "skins/VornaSkinManager.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QStatusBar>
#include <QStyleOptionTitleBar>
#include <QToolBar>

namespace skinstyleframes_detail {

// The page windows' look while a skin is on and it can draw a frame; null otherwise.
const VornaFrameSkin* pageWindowSkin(const QWidget* widget)
{
    const auto* sub = qobject_cast<const QMdiSubWindow*>(widget);
    if (!sub || sub->isMaximized() || !VornaSkinManager::IsSkinOn())
        return nullptr;
    const VornaFrameSkin* skin = VornaSkinManager::GetInstance().data().m_pChildFrame.get();
    return skin && skin->IsUsable() ? skin : nullptr;
}

int thicknessOf(const SkinFramePart& part)
{
    return part.image.isNull() ? 0 : part.thickness;
}

// The caption button of a title-bar part, or -1. A minimised window shows
// its restore button where the minimise button was.
int buttonOfSubControl(QStyle::SubControl sc, bool minimised)
{
    switch (sc) {
    case QStyle::SC_TitleBarCloseButton:
        return 0;
    case QStyle::SC_TitleBarMaxButton:
        return 1;
    case QStyle::SC_TitleBarNormalButton:
        return minimised ? 2 : 1;
    case QStyle::SC_TitleBarMinButton:
        return 2;
    default:
        return -1;
    }
}

// Whether a widget is one the skin draws with the pattern of its frame.
bool isSkinnedBar(const QWidget* widget)
{
    return VornaSkinManager::IsSkinOn() && widget && VornaSkinManager::GetInstance().ControlSkin(widget);
}

} // namespace skinstyleframes_detail

using namespace skinstyleframes_detail;

void SkinStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    VornaSkinManager::GetInstance().OnPolish(widget);
}

int SkinStyle::FramePixelMetric(PixelMetric metric, const QWidget* widget)
{
    const VornaFrameSkin* skin = pageWindowSkin(widget);
    if (!skin)
        return -1;
    if (metric == PM_TitleBarHeight)
        return thicknessOf(skin->m_caption);
    if (metric == PM_MdiSubWindowFrameWidth)
        return std::max({thicknessOf(skin->m_left), thicknessOf(skin->m_right), thicknessOf(skin->m_bottom)});
    return -1;
}

QRect SkinStyle::TitleBarButtonRect(const QStyleOptionTitleBar& option, SubControl sc, const QWidget* widget)
{
    const VornaFrameSkin* skin = pageWindowSkin(widget);
    if (!skin)
        return {};
    const int width = option.rect.width();
    const int button = buttonOfSubControl(sc, option.titleBarState & Qt::WindowMinimized);
    if (button >= 0) {
        if (button >= int(skin->m_buttons.size()))
            return {};
        return CaptionButtonRect(skin->m_buttons[button], width).toQRect().translated(option.rect.topLeft());
    }
    if (sc == SC_TitleBarSysMenu)
        return QRect(option.rect.left() + thicknessOf(skin->m_left) + 2, option.rect.top() + 2, 16, 16);
    return {};
}

QRegion SkinStyle::PageWindowMask(const QStyleOption& option, const QWidget* widget)
{
    const VornaFrameSkin* skin = pageWindowSkin(widget);
    if (!skin || skin->m_region.isEmpty())
        return {};
    // The window's middle as the frame lays it out: the caption above, the
    // frame width on the other three sides.
    const int caption = thicknessOf(skin->m_caption);
    const int side = std::max({thicknessOf(skin->m_left), thicknessOf(skin->m_right), thicknessOf(skin->m_bottom)});
    const QSize middle(option.rect.width() - 2 * side, option.rect.height() - caption - side);
    return StretchRegion(skin->m_region, skin->m_regionInnerSize, middle, skin->m_regionInnerSize)
        .translated(option.rect.topLeft());
}

bool SkinStyle::DrawSkinTitleBar(const QStyleOptionTitleBar& option, QPainter& painter, const QWidget* widget) const
{
    const VornaFrameSkin* skin = pageWindowSkin(widget);
    if (!skin)
        return false;
    // The active page's caption follows its main frame's activation.
    const bool active = (option.state & State_Active) && FrameLooksActive(widget->window());
    const QRect r = option.rect;
    DrawFramePart(skin->m_caption, painter, r.topLeft(), r.width(), true, active);
    int left = r.left() + thicknessOf(skin->m_left) + 2;
    if (!option.icon.isNull()) {
        painter.drawPixmap(left, r.top() + (r.height() - 16) / 2, option.icon.pixmap(16, 16));
        left += 18;
    }
    int right = r.right() + 1;
    const bool minimised = option.titleBarState & Qt::WindowMinimized;
    for (int i = 0; i < int(skin->m_buttons.size()) && i < 3; ++i) {
        // A minimised window: close, maximise, and restore in the minimise
        // button's place, drawn from the maximise button's restore glyph.
        const SubControl control = i == 0      ? SC_TitleBarCloseButton
                                   : i == 1    ? SC_TitleBarMaxButton
                                   : minimised ? SC_TitleBarNormalButton
                                               : SC_TitleBarMinButton;
        SkinCaptionButton record = skin->m_buttons[i];
        if (i == 2 && minimised) {
            const SkinCaptionButton& restore = skin->m_buttons[1];
            record.image = restore.image;
            record.width = restore.width;
        }
        int state = kCaptionButtonNormal;
        if (option.activeSubControls & control)
            state = option.state & State_Sunken ? kCaptionButtonPressed : kCaptionButtonHot;
        // The second button maximises: a maximised page has no title bar.
        if (i == 1)
            state |= kCaptionAlternateGlyph;
        painter.save();
        painter.translate(r.topLeft());
        DrawSkinCaptionButton(record, painter, r.width(), active, state);
        painter.restore();
        right = std::min(right, r.left() + CaptionButtonRect(record, r.width()).left);
    }
    if (right > left) {
        QFont font = painter.font();
        font.setBold(true);
        painter.save();
        painter.setFont(font);
        painter.setPen(platform::toQColor(active ? skin->m_captionTextActive : skin->m_captionTextInactive));
        painter.drawText(QRect(left, r.top(), right - left - 2, r.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         ASMFrame::ElideCaption(option.text, font, right - left - 2));
        painter.restore();
    }
    return true;
}

bool SkinStyle::DrawSkinWindowFrame(const QStyleOption& option, QPainter& painter, const QWidget* widget) const
{
    const VornaFrameSkin* skin = pageWindowSkin(widget);
    if (!skin)
        return false;
    const QRect r = option.rect;
    const int top = thicknessOf(skin->m_caption);
    const int bottom = thicknessOf(skin->m_bottom);
    const int side = r.height() - top - bottom;
    const bool active = (option.state & State_Active) && FrameLooksActive(widget->window());
    DrawFramePart(skin->m_left, painter, QPoint(r.left(), r.top() + top), side, false, active);
    DrawFramePart(skin->m_right, painter, QPoint(r.right() + 1 - thicknessOf(skin->m_right), r.top() + top), side,
                  false, active);
    DrawFramePart(skin->m_bottom, painter, QPoint(r.left(), r.bottom() + 1 - bottom), r.width(), true, active);
    return true;
}

bool SkinStyle::DrawSkinBars(ControlElement element, const QStyleOption& option, QPainter& painter,
                             const QWidget* widget) const
{
    if (!VornaSkinManager::IsSkinOn() || !widget)
        return false;
    switch (element) {
    case CE_ToolBar: {
        const QToolBar* bar = ASMToolbar::SkinnedToolbarOf(widget);
        if (bar != widget)
            return false;
        ASMToolbar::DrawBar(painter, platform::Rect::fromQRect(option.rect), bar);
        return true;
    }
    case CE_SizeGrip: {
        if (!qobject_cast<const QStatusBar*>(widget->parentWidget()))
            return false;
        DrawSkinSizeGrip(painter, platform::Rect::fromQRect(option.rect));
        return true;
    }
    case CE_ShapedFrame:
        if (!qobject_cast<const QMdiArea*>(widget))
            return false;
        DrawSkinDouble3dRect(painter, platform::Rect::fromQRect(option.rect), COLOR_3DSHADOW, COLOR_3DHIGHLIGHT,
                             COLOR_3DDKSHADOW, COLOR_3DLIGHT);
        return true;
    default:
        return false;
    }
}

bool SkinStyle::DrawSkinBarPrimitive(PrimitiveElement element, const QStyleOption& option, QPainter& painter,
                                     const QWidget* widget) const
{
    if (!VornaSkinManager::IsSkinOn() || !widget)
        return false;
    switch (element) {
    case PE_IndicatorToolBarSeparator:
        if (!ASMToolbar::SkinnedToolbarOf(widget))
            return false;
        ASMToolbar::DrawSeparator(painter, platform::Rect::fromQRect(option.rect), option.state & State_Horizontal);
        return true;
    case PE_IndicatorToolBarHandle:
        if (!ASMToolbar::SkinnedToolbarOf(widget))
            return false;
        ASMToolbar::DrawHandle(painter, platform::Rect::fromQRect(option.rect), option.state & State_Horizontal);
        return true;
    case PE_PanelToolBar:
        if (!ASMToolbar::SkinnedToolbarOf(widget))
            return false;
        FillSkinBackgroundXY(painter, option.rect.x(), option.rect.y(), option.rect.width(), option.rect.height(),
                             widget->window(), const_cast<QWidget*>(widget));
        return true;
    case PE_PanelStatusBar:
        if (!isSkinnedBar(widget))
            return false;
        ASMStatusBar::DrawBackground(painter, platform::Rect::fromQRect(option.rect));
        return true;
    case PE_FrameStatusBarItem:
        if (!isSkinnedBar(widget))
            return false;
        ASMStatusBar::DrawPane(painter, platform::Rect::fromQRect(option.rect));
        return true;
    case PE_FrameWindow:
        return DrawSkinWindowFrame(option, painter, widget);
    default:
        return false;
    }
}
