#include "skins/ASMDialog.h"

#include "skins/SkinRecordPainters.h"
#include "skins/VornaSkinManager.h"

#include <QWidget>

void ASMDialog::SelectFrameSkin()
{
    m_pSkin = VornaSkinManager::GetInstance().data().m_pDialog.get();
}

bool ASMDialog::ApplySkin()
{
    if (!m_window)
        return false;
    const QMargins before = m_window->contentsMargins();
    const bool applied = ASMFrame::ApplySkin();
    const QMargins after = m_window->contentsMargins();
    // A dialog that lays itself out when shown takes the frame into its size
    // by itself; one sized already grows or shrinks by the frame's change.
    if (!m_window->testAttribute(Qt::WA_Resized))
        return applied;
    const QSize change(after.left() + after.right() - before.left() - before.right(),
                       after.top() + after.bottom() - before.top() - before.bottom());
    if (change.isNull())
        return applied;
    const QSize size = m_window->size() + change;
    if (m_window->minimumSize() == m_window->maximumSize())
        m_window->setFixedSize(size);
    else
        m_window->resize(size);
    // A hidden dialog hears of its new size only when shown: the outline follows now.
    if (applied) {
        ResizeRegion(size.width() - after.left() - after.right(), size.height() - after.top() - after.bottom());
        ApplyRegion();
    }
    return applied;
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
