#include <gtest/gtest.h>

#include "platform/IdlePass.h"
#include "platform/WindowMessage.h"
#include "platform/WindowTimer.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

namespace {

// Turns of the event loop that may block: each emits aboutToBlock. A wake-up
// without an event keeps a turn from waiting.
void turnEventLoop(int turns)
{
    for (int i = 0; i < turns; ++i) {
        QAbstractEventDispatcher::instance()->wakeUp();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

struct Sink : QObject
{
    int messages = 0;
    bool event(QEvent* e) override
    {
        if (e->type() == platform::WindowMessage::eventType()) {
            ++messages;
            return true;
        }
        return QObject::event(e);
    }
};

} // namespace

TEST(IdlePass, RunsOncePerWakeUpThatHandledARealEvent)
{
    platform::IdlePass idle;
    Sink sink;
    turnEventLoop(3);
    EXPECT_EQ(idle.passCount(), 1) << "the first block runs a pass";

    turnEventLoop(3);
    EXPECT_EQ(idle.passCount(), 1) << "nothing happened: no pass";

    platform::postMessage(&sink, platform::WM_USER + 1);
    platform::postMessage(&sink, platform::WM_USER + 2);
    turnEventLoop(3);
    EXPECT_EQ(sink.messages, 2);
    EXPECT_EQ(idle.passCount(), 2) << "one pass for one burst of events";
}

TEST(IdlePass, ItsOwnUpdatesNeverCauseAnotherPass)
{
    Sink sink;
    QLabel label;
    label.show();
    QAction action;
    label.addAction(&action);
    turnEventLoop(3); // the activation of the shown window is real work; let it pass
    platform::IdlePass idle;
    int n = 0;
    idle.setHandler([&] {
        // What command updates do: change actions and widgets, and post.
        ++n;
        action.setEnabled(n % 2 == 0);
        action.setText(QString::number(n));
        label.setText(QString::number(n));
        label.setEnabled(n % 2 == 0);
        platform::postMessage(&sink, platform::WM_USER);
    });
    turnEventLoop(5);
    EXPECT_EQ(idle.passCount(), 1);
    EXPECT_EQ(sink.messages, 1);

    // A style's animation (a busy progress bar) only repaints its widget.
    QCoreApplication::postEvent(&label, new QEvent(QEvent::StyleAnimationUpdate));
    turnEventLoop(3);
    EXPECT_EQ(idle.passCount(), 1);

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&label, &press);
    turnEventLoop(5);
    EXPECT_EQ(idle.passCount(), 2);
}

TEST(IdlePass, ProgramTimersCountAsWork)
{
    platform::IdlePass idle;
    Sink sink;
    turnEventLoop(1);
    const int before = idle.passCount();
    platform::setTimer(&sink, 7, 0);
    while (sink.messages == 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    platform::killTimer(&sink, 7);
    turnEventLoop(2);
    EXPECT_EQ(idle.passCount(), before + 1);
}

TEST(IdlePass, WorkOfASingleShotTimerCountsAsWork)
{
    platform::IdlePass idle;
    turnEventLoop(1);
    const int before = idle.passCount();
    bool fired = false;
    QTimer::singleShot(1, [&] { fired = true; });
    while (!fired)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    turnEventLoop(2);
    EXPECT_EQ(idle.passCount(), before + 1);
}

TEST(IdlePass, WaitsWhileAModalDialogIsOpen)
{
    Sink sink;
    QDialog dialog;
    dialog.setModal(true);
    dialog.show();
    turnEventLoop(3);
    platform::IdlePass idle;
    platform::postMessage(&sink, platform::WM_USER);
    turnEventLoop(3);
    EXPECT_EQ(idle.passCount(), 0);
    dialog.hide();
    turnEventLoop(3);
    EXPECT_EQ(idle.passCount(), 1);
}
