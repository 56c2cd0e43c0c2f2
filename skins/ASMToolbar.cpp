#include "skins/ASMToolbar.h"

#include "controls/SysColors.h"
#include "skins/ASMDockBar.h"
#include "skins/SkinDrawing.h"
#include "skins/VornaSkinManager.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QToolBar>
#include <QToolButton>

namespace asmtoolbar_detail {

// The picture's top within a button.
constexpr int kPictureTop = 3;
// The grip's distance from the bar's edges across it.
constexpr int kGripBorder = 2;

// The mode of a button's own picture for a look.
QIcon::Mode modeOf(ASMToolbar::ButtonLook look)
{
    switch (look) {
    case ASMToolbar::ButtonLook::Hot:
        return QIcon::Active;
    case ASMToolbar::ButtonLook::Disabled:
        return QIcon::Disabled;
    default:
        return QIcon::Normal;
    }
}

// A cell of the skin's image button over the box; a skin without that picture
// shows the state in rings of its colours instead.
void drawCell(QPainter& dc, const platform::Rect& box, int state)
{
    const SkinButtonRecord& record = VornaSkinManager::GetInstance().imageButton();
    if (!record.image.isNull() && record.cellWidth > 0) {
        record.DrawSkinButtonImage(dc, box.left, box.top, box.width(), box.height(), state);
        return;
    }
    if (state == 2)
        Draw3dRectHDC(dc, box, GetSkinSysColor(COLOR_3DSHADOW), GetSkinSysColor(COLOR_3DHIGHLIGHT));
    else
        Draw3dRectHDC(dc, box, GetSkinSysColor(COLOR_3DHIGHLIGHT), GetSkinSysColor(COLOR_3DSHADOW));
}

} // namespace asmtoolbar_detail

using namespace asmtoolbar_detail;

QPixmap SkinToolbarImageList::picture(const QAction* action) const
{
    if (!pictures || !indexOf || !action)
        return QPixmap();
    const int index = indexOf(action);
    return index >= 0 && index < pictures->size() ? pictures->at(index) : QPixmap();
}

ASMToolbar::ButtonLook ASMToolbar::LookOf(bool pressed, bool checked, bool enabled, bool hot, bool mouseHeld)
{
    if (pressed || checked)
        return ButtonLook::Pressed;
    if (!enabled)
        return ButtonLook::Disabled;
    // A button the mouse passes over while its button is held elsewhere is not hot.
    if (hot && !mouseHeld)
        return ButtonLook::Hot;
    return ButtonLook::Normal;
}

void ASMToolbar::EnterImageList(QToolBar* toolbar, SkinToolbarImageList list)
{
    if (!toolbar)
        return;
    auto& table = VornaSkinManager::GetInstance().data().m_toolbarImageLists;
    const bool known = table.contains(toolbar);
    table.insert(toolbar, std::move(list));
    if (!known)
        QObject::connect(toolbar, &QObject::destroyed,
                         [toolbar] { VornaSkinManager::GetInstance().data().m_toolbarImageLists.remove(toolbar); });
}

const SkinToolbarImageList* ASMToolbar::ImageListOf(const QObject* toolbar)
{
    const auto& table = VornaSkinManager::GetInstance().data().m_toolbarImageLists;
    const auto it = table.constFind(toolbar);
    return it == table.constEnd() ? nullptr : &it.value();
}

QToolBar* ASMToolbar::SkinnedToolbarOf(const QWidget* widget)
{
    if (!widget || !VornaSkinManager::IsSkinOn())
        return nullptr;
    const VornaSkinManager& skins = VornaSkinManager::GetInstance();
    for (const QWidget* walk : {widget, static_cast<const QWidget*>(widget->parentWidget())}) {
        auto* toolbar = qobject_cast<QToolBar*>(const_cast<QWidget*>(walk));
        if (toolbar && qobject_cast<const ASMToolbar*>(skins.Find(toolbar)))
            return toolbar;
    }
    return nullptr;
}

void ASMToolbar::DrawButton(QPainter& dc, const QStyleOptionToolButton& option, const QWidget* button,
                            const QStyle* base)
{
    const platform::Rect rect = platform::Rect::fromQRect(option.rect);
    const ButtonLook look =
        LookOf(option.state & QStyle::State_Sunken, option.state & QStyle::State_On,
               option.state & QStyle::State_Enabled, option.state & QStyle::State_MouseOver,
               QGuiApplication::mouseButtons() != Qt::NoButton && !(option.state & QStyle::State_Sunken));
    // A split button centres its picture in its button part and has its arrow beside it.
    const bool split = option.features & QStyleOptionToolButton::MenuButtonPopup;
    platform::Rect part = rect;
    platform::Rect arrow;
    if (split && base) {
        part = platform::Rect::fromQRect(
            base->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButton, button));
        arrow = platform::Rect::fromQRect(
            base->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButtonMenu, button));
    }

    if (look == ButtonLook::Pressed)
        drawCell(dc, rect, 2);
    else if (look == ButtonLook::Hot)
        drawCell(dc, rect, 1);

    QPixmap picture;
    if (look == ButtonLook::Pressed) {
        const auto* tool = qobject_cast<const QToolButton*>(button);
        const QToolBar* toolbar = button ? qobject_cast<const QToolBar*>(button->parentWidget()) : nullptr;
        if (const SkinToolbarImageList* list = ImageListOf(toolbar); list && tool)
            picture = list->picture(tool->defaultAction());
    }
    if (picture.isNull() && !option.icon.isNull())
        picture =
            option.icon.pixmap(option.iconSize, modeOf(look), option.state & QStyle::State_On ? QIcon::On : QIcon::Off);
    if (!picture.isNull()) {
        const QSize size = picture.deviceIndependentSize().toSize();
        dc.drawPixmap(part.left + (part.width() - size.width()) / 2, rect.top + kPictureTop, picture);
    } else if (base && !option.text.isEmpty()) {
        // A command without a picture shows its name.
        QStyleOptionToolButton label = option;
        label.rect = part.toQRect();
        base->drawControl(QStyle::CE_ToolButtonLabel, &label, &dc, button);
    }
    if (split && look != ButtonLook::Disabled)
        DrawSkinDropArrow(dc, arrow);
}

void ASMToolbar::DrawSeparator(QPainter& dc, const platform::Rect& rect, bool horizontalBar)
{
    if (horizontalBar)
        DrawSkinEtchedLine(dc, rect.left + rect.width() / 2 - 1, rect.top + 2, rect.height() - 4, false);
    else
        DrawSkinEtchedLine(dc, rect.left + 2, rect.bottom - 4, rect.width() - 4, true);
}

void ASMToolbar::DrawBar(QPainter& dc, const platform::Rect& rect, const QToolBar* toolbar)
{
    auto* bar = const_cast<QToolBar*>(toolbar);
    // The pattern continues from the window the bar stands in.
    FillSkinBackgroundXY(dc, rect.left, rect.top, rect.width(), rect.height(), bar ? bar->window() : nullptr, bar);
    // Docked, a bar has all four borders, etched; afloat its window is the frame.
    if (!bar || bar->isFloating())
        return;
    platform::Rect inside = rect;
    DrawSkinBarBorders(dc, kBarBorderLeft | kBarBorderTop | kBarBorderRight | kBarBorderBottom | kBarBorder3d, inside);
    // The bars of a row fill their dock bar: its border runs across them.
    ASMDockBar::PaintBorderAcross(dc, bar);
}

void ASMToolbar::DrawHandle(QPainter& dc, const platform::Rect& rect, bool horizontal)
{
    DrawSkinGripper(dc, rect, horizontal, kGripBorder, kGripBorder);
}

bool ASMToolbar::WindowProc(QEvent* event)
{
    // A bar that moves over the pattern draws it again from its new place.
    if (event->type() == QEvent::Move && m_window && VornaSkinManager::GetInstance().data().m_bPatternOn)
        m_window->update();
    return false;
}
