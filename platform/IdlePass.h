#pragma once

#include <QObject>
#include <QPoint>

#include <functional>

namespace platform {

// The idle pass: runs the application's idle processing when the event loop
// of the user-interface thread is about to block, once per wake-up that
// handled a real event (input, program timers, window messages, queued calls).
// Events that only repaint, lay out or re-polish widgets do not count, nor
// does anything delivered while the pass runs or posted by it, so the command
// updates of one pass never cause the next one. The first pass runs at the
// first block after construction. While a modal dialog is open the pass
// waits (the dialog's own loop does not run the application's idle work).
//
// One IdlePass per application, made on the user-interface thread.
class IdlePass : public QObject
{
    Q_OBJECT
public:
    explicit IdlePass(QObject* parent = nullptr);
    ~IdlePass() override;

    // The application's idle processing.
    void setHandler(std::function<void()> handler);

    // Whether a real event was handled since the last pass.
    bool isDue() const { return m_due; }
    // Asks for a pass at the next block even without a real event.
    void requestPass() { m_due = true; }
    // Runs the pass now when it is due (the event loop calls this).
    void runIfDue();

    int passCount() const { return m_passes; }

    // True while a pass runs on the calling thread.
    static bool isRunningOnThisThread();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isRealEvent(QObject* receiver, QEvent* event);

    std::function<void()> m_handler;
    bool m_due = true;
    int m_passes = 0;
    QPoint m_lastMousePos{-1, -1};
    QMetaObject::Connection m_blockConnection;
};

} // namespace platform
