#include "skins/ASMCore.h"

#include "skins/VornaSkinManager.h"

#include <QWidget>

ASMCore::ASMCore() = default;

ASMCore::~ASMCore()
{
    RestoreWndProc();
}

void ASMCore::Attach(QWidget* window)
{
    m_window = window;
    if (window)
        window->installEventFilter(this);
}

void ASMCore::RestoreWndProc()
{
    if (m_window)
        m_window->removeEventFilter(this);
}

bool ASMCore::WindowProc(QEvent*)
{
    return false;
}

bool ASMCore::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window || !VornaSkinManager::IsSkinOn())
        return false;
    return WindowProc(event);
}
