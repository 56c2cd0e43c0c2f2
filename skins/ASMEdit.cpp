#include "skins/ASMEdit.h"

#include "controls/SysColors.h"
#include "skins/SkinDrawing.h"
#include "skins/VornaSkinManager.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyleOptionFrame>
#include <QTextEdit>

ASMEdit::ASMEdit(SkinControlKind kind) : ASMControl(kind) {}

bool ASMEdit::IsFlat(const QStyleOptionFrame& option)
{
    return !(option.state & QStyle::State_Enabled) || (option.state & QStyle::State_ReadOnly);
}

void ASMEdit::DrawBorder(QPainter& dc, const platform::Rect& rect, const QStyleOptionFrame& option) const
{
    const bool deep = (option.state & QStyle::State_HasFocus) || IsFlat(option) || IsMouseOver() ||
                      (option.state & QStyle::State_MouseOver);
    DrawRings(dc, rect, deep);
}

void ASMEdit::DrawRings(QPainter& dc, const platform::Rect& rect, bool deep)
{
    if (deep)
        DrawSkinDouble3dRect(dc, rect, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    else
        DrawSkinDouble3dRect(dc, rect, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DFACE, COLOR_3DFACE);
}

void ASMEdit::Draw(QPainter& dc, const QStyleOptionFrame& option) const
{
    const platform::Rect rect = platform::Rect::fromQRect(option.rect);
    FillRectSolid(dc, rect, IsFlat(option) ? GetSkinSysColor(COLOR_3DSHADOW) : GetSkinSysColor(COLOR_WINDOW));
    // A field without an edge of its own (inside a combo box or a number box) only lies flat.
    if (option.lineWidth > 0)
        DrawBorder(dc, rect, option);
}

bool ASMEdit::IsReadOnly(const QWidget* widget)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        return line->isReadOnly();
    if (const auto* text = qobject_cast<const QTextEdit*>(widget))
        return text->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget))
        return plain->isReadOnly();
    return false;
}

void ASMEdit::DrawFrame(QPainter& dc, const QStyleOptionFrame& option, const QWidget* widget) const
{
    const bool deep = (option.state & QStyle::State_HasFocus) || !(option.state & QStyle::State_Enabled) ||
                      IsReadOnly(widget) || IsMouseOver() || (option.state & QStyle::State_MouseOver);
    DrawRings(dc, platform::Rect::fromQRect(option.rect), deep);
}

void ASMEdit::Attach(QWidget* window)
{
    ASMControl::Attach(window);
    m_viewport = WatchViewport(window);
}

bool ASMEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (m_viewport && watched == m_viewport) {
        if (event->type() != QEvent::Paint || !VornaSkinManager::IsSkinOn() || !m_window ||
            (m_window->isEnabled() && !IsReadOnly(m_window)))
            return false;
        // The shadow under the text, which the field then draws itself.
        QPainter dc(m_viewport);
        dc.fillRect(m_viewport->rect(), platform::toQColor(GetSkinSysColor(COLOR_3DSHADOW)));
        return false;
    }
    return ASMControl::eventFilter(watched, event);
}
