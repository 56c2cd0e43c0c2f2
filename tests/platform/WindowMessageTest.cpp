#include <gtest/gtest.h>

#include "platform/WindowMessage.h"
#include "platform/WindowTimer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>

#include <thread>

using platform::WindowMessage;

namespace {

struct Receiver : QObject
{
    struct Got
    {
        uint message;
        quintptr wParam;
        qintptr lParam;
        QVariant data;
        QThread* thread;
    };
    QList<Got> got;
    std::function<void(uint, quintptr)> onMessage;

    bool event(QEvent* e) override
    {
        if (e->type() != WindowMessage::eventType())
            return QObject::event(e);
        auto* m = static_cast<WindowMessage*>(e);
        got.append({m->message(), m->wParam(), m->lParam(), m->data(), QThread::currentThread()});
        m->setResult(qintptr(m->wParam()) * 2);
        if (onMessage)
            onMessage(m->message(), m->wParam());
        return true;
    }
};

} // namespace

TEST(WindowMessage, PostedFromWorkerThreadsArriveInOrderOnTheReceiversThread)
{
    Receiver receiver;
    std::thread worker([&] {
        for (int i = 0; i < 50; ++i)
            platform::postMessage(&receiver, platform::WM_USER + 300, quintptr(i), -i,
                                  QStringLiteral("text %1").arg(i));
    });
    worker.join();
    EXPECT_TRUE(receiver.got.isEmpty()) << "posting never delivers at once";
    QCoreApplication::sendPostedEvents(&receiver);
    ASSERT_EQ(receiver.got.size(), 50);
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(receiver.got[i].message, platform::WM_USER + 300);
        EXPECT_EQ(receiver.got[i].wParam, quintptr(i));
        EXPECT_EQ(receiver.got[i].lParam, -i);
        EXPECT_EQ(receiver.got[i].data.toString(), QStringLiteral("text %1").arg(i));
        EXPECT_EQ(receiver.got[i].thread, QThread::currentThread());
    }
}

TEST(WindowMessage, SentMessageRunsAtOnceAndReturnsTheResult)
{
    Receiver receiver;
    EXPECT_EQ(platform::sendMessage(&receiver, platform::WM_USER + 1, 21), 42);
    ASSERT_EQ(receiver.got.size(), 1);
    EXPECT_EQ(platform::sendMessage(nullptr, platform::WM_USER), 0);
    EXPECT_FALSE(platform::postMessage(nullptr, platform::WM_USER));
}

TEST(WindowMessage, SendFromAnotherThreadDeliversNothing)
{
    Receiver receiver;
    qintptr result = -1;
    std::thread worker([&] { result = platform::sendMessage(&receiver, platform::WM_USER, 5); });
    worker.join();
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(receiver.got.isEmpty());
}

TEST(WindowTimer, TicksCarryTheProgramsIdUntilKilled)
{
    Receiver receiver;
    QEventLoop loop;
    int ticks1 = 0;
    int ticks2 = 0;
    receiver.onMessage = [&](uint message, quintptr id) {
        ASSERT_EQ(message, platform::WM_TIMER);
        if (id == 3051 && ++ticks1 == 3) {
            EXPECT_TRUE(platform::killTimer(&receiver, 3051));
            EXPECT_FALSE(platform::isTimerActive(&receiver, 3051));
        }
        if (id == 1 && ++ticks2 == 5)
            loop.quit();
    };
    platform::setTimer(&receiver, 3051, 0);
    platform::setTimer(&receiver, 1, 1);
    EXPECT_TRUE(platform::isTimerActive(&receiver, 1));
    loop.exec();
    EXPECT_EQ(ticks1, 3);
    EXPECT_FALSE(platform::killTimer(&receiver, 3051)) << "already stopped";
    EXPECT_FALSE(platform::killTimer(&receiver, 99));
}
