#include "chrome/ChildFrmHook.h"

#include "chrome/ULOMDIClientHook.h"

#include <QEvent>
#include <QMdiSubWindow>
#include <QWindowStateChangeEvent>

ChildFrmHook::~ChildFrmHook()
{
    Attach(nullptr);
}

void ChildFrmHook::OnAttachChanged(QObject*, QObject* current)
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(current))
        m_rcNormal = platform::Rect::fromQRect(frame->geometry());
}

bool ChildFrmHook::WindowProc(QEvent* event)
{
    auto* frame = qobject_cast<QMdiSubWindow*>(hookedWindow());
    if (!frame)
        return CSubclassWnd::WindowProc(event);
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        if (!(frame->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)))
            m_rcNormal = platform::Rect::fromQRect(frame->geometry());
        break;
    case QEvent::Show:
        if (frame->windowState() & Qt::WindowMinimized) {
            const bool result = CallNextProc();
            m_pOwner->ShowIconOf(frame);
            return result;
        }
        break;
    case QEvent::WindowStateChange: {
        // The window changes first; then it becomes an icon, or its icon goes.
        const Qt::WindowStates before = static_cast<QWindowStateChangeEvent*>(event)->oldState();
        const bool result = CallNextProc();
        if (frame->windowState() & Qt::WindowMinimized) {
            // A maximised window leaves no place to zoom from.
            m_pOwner->MakeIcon(frame, m_rcNormal, before.testFlag(Qt::WindowMaximized));
        } else {
            m_pOwner->RemoveIcon(frame);
        }
        return result;
    }
    default:
        break;
    }
    return CSubclassWnd::WindowProc(event);
}
