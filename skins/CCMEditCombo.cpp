#include "skins/CCMEditCombo.h"

#include <QWidget>

CCMEditCombo::CCMEditCombo() : ASMEdit(SkinControlKind::EditCombo) {}

QWidget* CCMEditCombo::GetFrameDC(platform::Rect& rect) const
{
    if (!m_window)
        return nullptr;
    rect = platform::Rect::fromQRect(m_window->geometry());
    rect.inflate(3, 3);
    return m_window->parentWidget();
}
