#include "skins/ASMDialog.h"

#include "skins/SkinRecordPainters.h"
#include "skins/VornaSkinManager.h"

#include <QWidget>

void ASMDialog::SelectFrameSkin()
{
    m_pSkin = VornaSkinManager::GetInstance().data().m_pDialog.get();
}

bool ASMDialog::HasHelp() const
{
    return m_window && m_window->windowFlags().testFlag(Qt::WindowContextHelpButtonHint);
}

int ASMDialog::HitTestCaption(QPoint point) const
{
    if (!m_pSkin || !m_window)
        return HTNOWHERE;
    const int w = m_window->width();
    const auto& buttons = m_pSkin->m_buttons;
    if (!buttons.empty() && CaptionButtonRect(buttons[0], w).contains(point.x(), point.y()))
        return HTCLOSE;
    if (buttons.size() > 1 && HasHelp() && CaptionButtonRect(buttons[1], w).contains(point.x(), point.y()))
        return HTHELP;
    if (m_iconRect.contains(point.x(), point.y()))
        return HTSYSMENU;
    return DefaultHitTest(point);
}

void ASMDialog::DrawCaptionButton(int index, QPainter& dc, int width, bool active, int state)
{
    if (!m_pSkin || index < 0 || index > 1 || index >= int(m_pSkin->m_buttons.size()))
        return;
    if (index == 1 && !HasHelp())
        return;
    if (index == 0 && !CanClose()) {
        active = false;
        state = kCaptionButtonNormal;
    }
    DrawSkinCaptionButton(m_pSkin->m_buttons[index], dc, width, active, state);
}
