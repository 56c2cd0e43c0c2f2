#include "skins/ASMChildFrame.h"

#include "skins/VornaSkinManager.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

void ASMChildFrame::SelectFrameSkin()
{
    m_pSkin = VornaSkinManager::GetInstance().data().m_pChildFrame.get();
}

bool ASMChildFrame::ApplySkin()
{
    SelectFrameSkin();
    if (!m_window)
        return false;
    // The title bar's height and the borders come from the style: the window
    // measures itself again.
    QEvent changed(QEvent::StyleChange);
    QApplication::sendEvent(m_window, &changed);
    m_window->update();
    return VornaSkinManager::IsSkinOn() && m_pSkin && m_pSkin->IsUsable();
}

bool ASMChildFrame::WindowProc(QEvent*)
{
    return false;
}
