#include "skins/ASMUpDown.h"

#include "controls/SysColors.h"
#include "skins/ASMEdit.h"
#include "skins/VornaSkinManager.h"

#include <QAbstractSpinBox>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSpinBox>

ASMUpDown::ASMUpDown() : ASMControl(SkinControlKind::UpDown) {}

ASMUpDown::Halves ASMUpDown::HalvesOf(const platform::Rect& rect, bool horizontal)
{
    if (horizontal) {
        const int w = std::max(rect.width(), 0);
        return {platform::Rect(rect.left, rect.top, rect.left + w / 2, rect.bottom),
                platform::Rect(rect.left + w / 2 + w % 2, rect.top, rect.right, rect.bottom)};
    }
    const int h = std::max(rect.height(), 0);
    return {platform::Rect(rect.left, rect.top, rect.right, rect.top + h / 2),
            platform::Rect(rect.left, rect.top + h / 2 + h % 2, rect.right, rect.bottom)};
}

platform::Rect ASMUpDown::ArrowArea(const QStyleOptionSpinBox& option, const QWidget* widget)
{
    if (option.buttonSymbols == QAbstractSpinBox::NoButtons)
        return {};
    const QStyle* style = widget ? widget->style() : nullptr;
    if (!style)
        return {};
    const QRect up = style->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, widget);
    const QRect down = style->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxDown, widget);
    const QRect arrows = up | down;
    if (arrows.isEmpty())
        return {};
    const platform::Rect rect = platform::Rect::fromQRect(option.rect);
    // Inside the field's two rings.
    platform::Rect area(std::max(arrows.left(), rect.left + 2), rect.top + 2, rect.right - 2, rect.bottom - 2);
    if (area.isEmpty())
        return {};
    return area;
}

void ASMUpDown::OnButtonDown(QPoint point, const platform::Rect& area)
{
    const Halves halves = HalvesOf(area, false);
    if (halves.first.contains(point))
        m_nPressedPart = 1;
    else if (halves.second.contains(point))
        m_nPressedPart = 2;
    Repaint();
}

void ASMUpDown::OnHeldMouseMove(QPoint point, const platform::Rect& area)
{
    const bool inside = area.contains(point);
    if ((inside && m_nPressedPart < 0) || (!inside && m_nPressedPart > 0)) {
        m_nPressedPart = -m_nPressedPart;
        Repaint();
    }
}

void ASMUpDown::OnButtonUp()
{
    m_nPressedPart = 0;
    Repaint();
}

void ASMUpDown::Repaint()
{
    if (m_window)
        m_window->update();
}

void ASMUpDown::DrawArrow(QPainter& dc, const platform::Rect& rect, int part, SkinArrow glyph) const
{
    if (rect.isEmpty())
        return;
    const bool pressed = m_nPressedPart == part;
    DrawSkinFrameControl(dc, rect, glyph, pressed, GetSkinSysColor(COLOR_3DFACE));
    if (pressed)
        DrawSkinDouble3dRect(dc, rect, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    else
        DrawSkinDouble3dRect(dc, rect, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW, COLOR_3DFACE, COLOR_3DFACE);
}

void ASMUpDown::Draw(QPainter& dc, const QStyleOptionSpinBox& option, const QWidget* widget) const
{
    const platform::Rect rect = platform::Rect::fromQRect(option.rect);
    if (rect.isEmpty())
        return;
    const auto* spin = qobject_cast<const QAbstractSpinBox*>(widget);
    const bool readOnly = spin && spin->isReadOnly();
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool flat = !enabled || readOnly;
    // The field behind its text box (which paints itself) and the arrows.
    const platform::Rect inside(rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2);
    if (!inside.isEmpty())
        FillRectSolid(dc, inside, GetSkinSysColor(flat ? COLOR_3DSHADOW : COLOR_WINDOW));
    if (option.frame) {
        const bool deep = flat || (option.state & QStyle::State_HasFocus) || IsMouseOver() ||
                          (option.state & QStyle::State_MouseOver);
        ASMEdit::DrawRings(dc, rect, deep);
    }
    const Halves halves = HalvesOf(ArrowArea(option, widget), false);
    DrawArrow(dc, halves.first, 1, SkinArrow::Up);
    DrawArrow(dc, halves.second, 2, SkinArrow::Down);
}

bool ASMUpDown::WindowProc(QEvent* event)
{
    // No mouse-over tracking of its own: the field's edge follows the widget's hover.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseMove)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    auto* spin = qobject_cast<QAbstractSpinBox*>(m_window.data());
    if (!spin)
        return false;
    QStyleOptionSpinBox option;
    option.initFrom(spin);
    option.frame = spin->hasFrame();
    option.buttonSymbols = spin->buttonSymbols();
    option.subControls = QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    const platform::Rect area = ArrowArea(option, spin);
    const QPoint point = mouse->position().toPoint();
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton)
        OnButtonDown(point, area);
    else if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton)
        OnButtonUp();
    else if (type == QEvent::MouseMove && (mouse->buttons() & Qt::LeftButton) && m_nPressedPart != 0)
        OnHeldMouseMove(point, area);
    // The number box steps and stops by itself.
    return false;
}
