#include "platform/WindowMessage.h"

#include "platform/IdlePass.h"

#include <QCoreApplication>
#include <QObject>
#include <QThread>

namespace platform {

WindowMessage::WindowMessage(uint message, quintptr wParam, qintptr lParam, QVariant data)
    : QEvent(eventType()), m_message(message), m_wParam(wParam), m_lParam(lParam), m_data(std::move(data))
{
}

QEvent::Type WindowMessage::eventType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

bool postMessage(QObject* target, uint message, quintptr wParam, qintptr lParam, QVariant data)
{
    if (!target)
        return false;
    auto event = std::make_unique<WindowMessage>(message, wParam, lParam, std::move(data));
    event->m_postedByIdlePass = IdlePass::isRunningOnThisThread();
    QCoreApplication::postEvent(target, event.release());
    return true;
}

qintptr sendMessage(QObject* target, uint message, quintptr wParam, qintptr lParam, QVariant data)
{
    if (!target)
        return 0;
    if (target->thread() != QThread::currentThread()) {
        qWarning("sendMessage: message %u to an object of another thread is not delivered", message);
        return 0;
    }
    WindowMessage event(message, wParam, lParam, std::move(data));
    QCoreApplication::sendEvent(target, &event);
    return event.result();
}

} // namespace platform
