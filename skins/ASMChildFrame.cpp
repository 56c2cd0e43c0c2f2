#include "skins/ASMChildFrame.h"

#include "skins/VornaSkinManager.h"

#include <QApplication>
#include <QEvent>
#include <QResizeEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

void ASMChildFrame::Attach(QWidget* window)
{
    ASMFrame::Attach(window);
    // The title bar shows the main frame's activation: it is drawn again
    // whenever the active window changes.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] {
        if (m_window && VornaSkinManager::IsSkinOn())
            m_window->update();
    });
}

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
    UpdateMask();
    m_window->update();
    return VornaSkinManager::IsSkinOn() && m_pSkin && m_pSkin->IsUsable();
}

void ASMChildFrame::UpdateMask()
{
    // The window cuts itself to the style's outline whenever its size
    // changes; the outline also changes with the skin and the window's state.
    if (!m_window || m_bUpdatingMask)
        return;
    m_bUpdatingMask = true;
    QResizeEvent same(m_window->size(), m_window->size());
    QApplication::sendEvent(m_window, &same);
    m_bUpdatingMask = false;
}

bool ASMChildFrame::WindowProc(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        m_window->update();
    if (event->type() == QEvent::WindowStateChange) {
        // Once the window has its new size and state both.
        QTimer::singleShot(0, this, [this] { UpdateMask(); });
    }
    return false;
}
