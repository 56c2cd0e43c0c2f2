#include "skins/ASMPushButton.h"

#include "controls/SysColors.h"
#include "skins/SkinDrawing.h"
#include "skins/SkinRecordPainters.h"
#include "skins/VornaSkinManager.h"

#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>

ASMPushButton::ASMPushButton(SkinControlKind kind) : ASMControl(kind) {}

SkinButtonLook ASMPushButton::LookOf(const QStyleOption& option) const
{
    SkinButtonLook look;
    look.disabled = !(option.state & QStyle::State_Enabled);
    look.pressed = option.state & QStyle::State_Sunken;
    look.checked = option.state & QStyle::State_On;
    look.indeterminate = option.state & QStyle::State_NoChange;
    look.hover = (option.state & QStyle::State_MouseOver) || IsMouseOver();
    look.focus = option.state & QStyle::State_HasFocus;
    if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(&option))
        look.isDefault = button->features & QStyleOptionButton::DefaultButton;
    if (const auto* push = qobject_cast<const QPushButton*>(window()))
        look.checkable = push->isCheckable();
    look.pushLike = Kind() == SkinControlKind::PushButton;
    return look;
}

int ASMPushButton::ImageState(const SkinButtonLook& look)
{
    if (look.pressed || (look.checkable && look.checked))
        return 2;
    if (look.disabled)
        return 3;
    if (look.hover)
        return 1;
    if (look.focus)
        return 4;
    return 0;
}

bool ASMPushButton::ImageControlsOn()
{
    return VornaSkinManager::GetInstance().data().m_nControlStyle == 1;
}

void ASMPushButton::DrawBorder(QPainter& dc, const platform::Rect& rect, const SkinButtonLook& look)
{
    const bool isDefault = look.isDefault && !look.disabled;
    // The button's state word: pushed, focused or checked.
    const bool state = look.pressed || look.focus || (look.checkable && look.checked);
    if (!look.hover) {
        if (isDefault)
            DrawSkinTriple3dRect(dc, rect, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW,
                                 COLOR_3DFACE, COLOR_3DFACE);
        else if (!state)
            DrawSkinTriple3dRect(dc, rect, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW, COLOR_3DFACE, COLOR_3DFACE, COLOR_3DFACE,
                                 COLOR_3DFACE);
        else
            DrawSkinDouble3dRect(dc, rect, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DFACE, COLOR_3DFACE);
    } else {
        if (isDefault)
            DrawSkinTriple3dRect(dc, rect, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW,
                                 COLOR_3DLIGHT, COLOR_3DSHADOW);
        else if (!state)
            DrawSkinTriple3dRect(dc, rect, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_3DSHADOW,
                                 COLOR_3DFACE, COLOR_3DFACE);
        else
            DrawSkinDouble3dRect(dc, rect, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW, COLOR_3DLIGHT);
    }
    // Held down (not merely checked): sunk deeper over whatever the state drew.
    if (look.pressed)
        DrawSkinTriple3dRect(dc, rect, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW, COLOR_3DLIGHT, COLOR_3DFACE,
                             COLOR_3DFACE);
    else if (look.focus)
        DrawSkinTriple3dRect(dc, rect, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW, COLOR_3DFACE,
                             COLOR_3DFACE);
}

void ASMPushButton::DrawButtonText(QPainter& dc, const platform::Rect& rect, const QString& text,
                                   const SkinButtonLook& look, int flags)
{
    if (text.isEmpty())
        return;
    const SkinButtonRecord& record = VornaSkinManager::GetInstance().data().m_button;
    QRect box = rect.toQRect();
    if (look.pushLike && !look.disabled && look.pressed)
        box.translate(1, 1);
    const platform::ColorRef colour = look.disabled ? record.textDisabled
                                      : look.hover  ? record.textHover
                                                    : record.textEnabled;
    dc.save();
    dc.setPen(platform::toQColor(colour));
    dc.drawText(box, flags | Qt::TextShowMnemonic | Qt::AlignVCenter, text);
    dc.restore();
}

void ASMPushButton::Draw(QPainter& dc, const QStyleOptionButton& option, const QWidget* widget) const
{
    const SkinButtonLook look = LookOf(option);
    const platform::Rect rect = platform::Rect::fromQRect(option.rect);
    const SkinButtonRecord& record = VornaSkinManager::GetInstance().data().m_button;
    if (ImageControlsOn() && !record.image.isNull()) {
        // The picture's cut-out corners show the background the button stands on.
        if (record.transparent != kNoTransparentColor && widget)
            FillSkinBackgroundXY(dc, rect.left, rect.top, rect.width(), rect.height(), widget->parentWidget(),
                                 const_cast<QWidget*>(widget));
        DrawSkinButtonImage(record, dc, rect.left, rect.top, rect.width(), rect.height(), ImageState(look));
    } else {
        FillRectSolid(dc, rect, GetSkinSysColor(COLOR_3DFACE));
        DrawBorder(dc, rect, look);
    }
    platform::Rect content = rect;
    if (!option.icon.isNull()) {
        const QSize size = option.iconSize.isValid() ? option.iconSize : QSize(16, 16);
        const QIcon::Mode mode = look.disabled ? QIcon::Disabled : QIcon::Normal;
        const QPixmap pixmap = option.icon.pixmap(size, 1.0, mode);
        if (option.text.isEmpty()) {
            dc.drawPixmap(rect.left + (rect.width() - size.width()) / 2, rect.top + (rect.height() - size.height()) / 2,
                          pixmap);
            return;
        }
        const int textWidth = option.fontMetrics.horizontalAdvance(option.text);
        const int left = rect.left + std::max(4, (rect.width() - size.width() - 4 - textWidth) / 2);
        dc.drawPixmap(left, rect.top + (rect.height() - size.height()) / 2, pixmap);
        content.left = left + size.width() + 4;
        DrawButtonText(dc, content, option.text, look, Qt::AlignLeft);
        return;
    }
    DrawButtonText(dc, content, option.text, look, Qt::AlignHCenter);
}
