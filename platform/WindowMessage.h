#pragma once

#include <QEvent>
#include <QVariant>

class QObject;

namespace platform {

// Message numbers the program posts between windows and threads keep their
// numbers; the program names its own as WM_USER + n or WM_APP + n.
constexpr uint WM_CLOSE = 0x0010;
constexpr uint WM_COPYDATA = 0x004A;
constexpr uint WM_COMMAND = 0x0111;
constexpr uint WM_TIMER = 0x0113;
constexpr uint WM_USER = 0x0400;
constexpr uint WM_APP = 0x8000;

// A numbered message delivered to a QObject. Receivers handle it in event():
//
//   if (e->type() == platform::WindowMessage::eventType()) {
//       auto* m = static_cast<platform::WindowMessage*>(e);
//       ...
//   }
//
// wParam and lParam carry numbers; anything larger travels in data(), never
// as a pointer hidden in lParam.
class WindowMessage : public QEvent
{
public:
    WindowMessage(uint message, quintptr wParam = 0, qintptr lParam = 0, QVariant data = {});

    static QEvent::Type eventType();

    uint message() const { return m_message; }
    quintptr wParam() const { return m_wParam; }
    qintptr lParam() const { return m_lParam; }
    const QVariant& data() const { return m_data; }

    // The answer of a sent message (sendMessage returns it).
    qintptr result() const { return m_result; }
    void setResult(qintptr result) { m_result = result; }

    // Posted while the idle pass ran: its delivery does not count as work
    // that asks for another idle pass.
    bool postedByIdlePass() const { return m_postedByIdlePass; }

private:
    friend bool postMessage(QObject*, uint, quintptr, qintptr, QVariant);
    uint m_message;
    quintptr m_wParam;
    qintptr m_lParam;
    QVariant m_data;
    qintptr m_result = 0;
    bool m_postedByIdlePass = false;
};

// Queues the message to the target's thread; callable from any thread. The
// caller guarantees that the target outlives the delivery (a worker thread
// is joined before its owner dies). False when target is null.
bool postMessage(QObject* target, uint message, quintptr wParam = 0, qintptr lParam = 0, QVariant data = {});

// Delivers the message at once and returns the receiver's result. Only on
// the target's own thread; from another thread nothing is delivered and the
// result is 0.
qintptr sendMessage(QObject* target, uint message, quintptr wParam = 0, qintptr lParam = 0, QVariant data = {});

} // namespace platform
