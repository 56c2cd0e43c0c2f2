#include "chrome/CSubclassWnd.h"
#include "chrome/CSubclassWndMap.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Events of our own, numbered by what they carry.
const QEvent::Type kProbe = QEvent::Type(QEvent::User + 71);

class ProbeEvent : public QEvent
{
public:
    explicit ProbeEvent(int n) : QEvent(kProbe), number(n) {}
    int number;
};

// A widget that writes down what reaches it.
class Recorder : public QWidget
{
public:
    QStringList* log = nullptr;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == kProbe) {
            if (log)
                log->append(QStringLiteral("widget:%1").arg(static_cast<ProbeEvent*>(e)->number));
            return true;
        }
        return QWidget::event(e);
    }
};

class Hook : public CSubclassWnd
{
public:
    Hook(QString name, QStringList& log) : m_name(std::move(name)), m_log(log) {}

    // What the hook does with a probe; by default it writes it down and passes it on.
    std::function<bool(Hook&, ProbeEvent&)> onProbe;

    bool WindowProc(QEvent* e) override
    {
        if (e->type() != kProbe)
            return CSubclassWnd::WindowProc(e);
        auto* probe = static_cast<ProbeEvent*>(e);
        m_log.append(QStringLiteral("%1:%2").arg(m_name).arg(probe->number));
        if (onProbe)
            return onProbe(*this, *probe);
        return CSubclassWnd::WindowProc(e);
    }
    bool passOnNow() { return CallNextProc(); }
    bool passOn(QEvent* e) { return CSubclassWnd::WindowProc(e); }

private:
    QString m_name;
    QStringList& m_log;
};

void send(QObject* to, int n)
{
    ProbeEvent e(n);
    QCoreApplication::sendEvent(to, &e);
}

class SubclassWndTest : public ::testing::Test
{
protected:
    void SetUp() override { widget.log = &log; }
    QStringList log;
    Recorder widget;
};

TEST_F(SubclassWndTest, TheNewestHookSeesAnEventFirstThenTheOlderOneThenTheWidget)
{
    Hook first(QStringLiteral("first"), log);
    Hook second(QStringLiteral("second"), log);
    EXPECT_TRUE(first.Attach(&widget));
    EXPECT_TRUE(second.Attach(&widget));
    EXPECT_EQ(CSubclassWndMap::GetHookMap().Lookup(&widget), &second);
    send(&widget, 1);
    EXPECT_EQ(log, QStringList({"second:1", "first:1", "widget:1"}));

    // A hook that swallows keeps it from the older ones and the widget.
    log.clear();
    second.onProbe = [](Hook&, ProbeEvent&) { return true; };
    send(&widget, 2);
    EXPECT_EQ(log, QStringList({"second:2"}));
}

TEST_F(SubclassWndTest, DetachingTheNewestOrTheOlderHookLeavesTheOtherInPlace)
{
    const int hookedBefore = CSubclassWndMap::GetHookMap().size();
    Hook older(QStringLiteral("older"), log);
    Hook newer(QStringLiteral("newer"), log);
    older.Attach(&widget);
    newer.Attach(&widget);
    newer.Attach(nullptr);
    EXPECT_EQ(newer.hookedWindow(), nullptr);
    EXPECT_EQ(CSubclassWndMap::GetHookMap().Lookup(&widget), &older);
    send(&widget, 1);
    EXPECT_EQ(log, QStringList({"older:1", "widget:1"}));

    log.clear();
    newer.Attach(&widget);
    older.Attach(nullptr); // only unlinked
    EXPECT_EQ(CSubclassWndMap::GetHookMap().Lookup(&widget), &newer);
    EXPECT_EQ(newer.nextHook(), nullptr);
    send(&widget, 2);
    EXPECT_EQ(log, QStringList({"newer:2", "widget:2"}));

    // The last one gone: the widget has its events to itself again.
    log.clear();
    newer.Attach(nullptr);
    EXPECT_EQ(CSubclassWndMap::GetHookMap().size(), hookedBefore);
    send(&widget, 3);
    EXPECT_EQ(log, QStringList({"widget:3"}));
}

TEST_F(SubclassWndTest, DeletingAnAttachedHookDetachesIt)
{
    Hook older(QStringLiteral("older"), log);
    auto newer = std::make_unique<Hook>(QStringLiteral("newer"), log);
    older.Attach(&widget);
    newer->Attach(&widget);
    newer.reset();
    send(&widget, 1);
    EXPECT_EQ(log, QStringList({"older:1", "widget:1"}));
}

TEST_F(SubclassWndTest, ADestroyedWidgetLeavesEveryHookDetachedAndLaterDeletesDoNothingMore)
{
    const int hookedBefore = CSubclassWndMap::GetHookMap().size();
    Hook first(QStringLiteral("first"), log);
    Hook second(QStringLiteral("second"), log);
    {
        Recorder doomed;
        doomed.log = &log;
        first.Attach(&doomed);
        second.Attach(&doomed);
    }
    EXPECT_EQ(first.hookedWindow(), nullptr);
    EXPECT_EQ(second.hookedWindow(), nullptr);
    EXPECT_EQ(CSubclassWndMap::GetHookMap().size(), hookedBefore);
    // Re-attaching elsewhere works as on a fresh hook.
    first.Attach(&widget);
    send(&widget, 1);
    EXPECT_EQ(log, QStringList({"first:1", "widget:1"}));
}

TEST_F(SubclassWndTest, CallNextProcPassesOnTheHooksOwnEventAfterItSentAnotherOne)
{
    Hook older(QStringLiteral("older"), log);
    Hook newer(QStringLiteral("newer"), log);
    older.Attach(&widget);
    newer.Attach(&widget);
    newer.onProbe = [this](Hook& self, ProbeEvent& probe) {
        if (probe.number == 1) {
            send(&widget, 2); // nested, through the whole chain
            const bool taken = self.passOnNow();
            log.append(QStringLiteral("after"));
            // A second call does nothing more.
            EXPECT_EQ(self.passOnNow(), taken);
            return false;
        }
        return self.passOn(&probe);
    };
    send(&widget, 1);
    EXPECT_EQ(log, QStringList({"newer:1", "newer:2", "older:2", "widget:2", "older:1", "widget:1", "after"}));
}

TEST_F(SubclassWndTest, NestedSendsAHundredDeepEachReachTheWidgetOnceInOrder)
{
    Hook hook(QStringLiteral("hook"), log);
    hook.Attach(&widget);
    hook.onProbe = [this](Hook& self, ProbeEvent& probe) {
        if (probe.number < 100)
            send(&widget, probe.number + 1);
        self.passOnNow();
        return false;
    };
    send(&widget, 1);
    int widgetSeen = 0;
    for (const QString& entry : log)
        widgetSeen += entry.startsWith(QLatin1String("widget:"));
    EXPECT_EQ(widgetSeen, 100);
    // The innermost send reaches the widget first; each only once.
    EXPECT_EQ(log.indexOf(QStringLiteral("widget:100")), 100);
    EXPECT_EQ(log.last(), QStringLiteral("widget:1"));
    EXPECT_EQ(log.count(QStringLiteral("widget:50")), 1);
}

TEST_F(SubclassWndTest, AHookThatLetsGoOrIsDeletedInItsOwnWindowProcLosesNoEvent)
{
    Hook older(QStringLiteral("older"), log);
    auto newer = std::make_unique<Hook>(QStringLiteral("newer"), log);
    older.Attach(&widget);
    newer->Attach(&widget);
    newer->onProbe = [](Hook& self, ProbeEvent& probe) {
        self.Attach(nullptr);
        return self.passOn(&probe); // the chain it knew goes on
    };
    send(&widget, 1);
    EXPECT_EQ(log, QStringList({"newer:1", "older:1", "widget:1"}));

    // The oldest and only hook lets go and passes on at once.
    log.clear();
    older.onProbe = [](Hook& self, ProbeEvent&) {
        self.Attach(nullptr);
        return self.passOnNow();
    };
    send(&widget, 2);
    EXPECT_EQ(log, QStringList({"older:2", "widget:2"}));

    // Deleted from inside: the widget still gets the event, once.
    log.clear();
    Hook* doomed = new Hook(QStringLiteral("doomed"), log);
    doomed->Attach(&widget);
    doomed->onProbe = [](Hook& self, ProbeEvent&) {
        delete &self;
        return false;
    };
    send(&widget, 3);
    EXPECT_EQ(log, QStringList({"doomed:3", "widget:3"}));
    EXPECT_EQ(CSubclassWndMap::GetHookMap().Lookup(&widget), nullptr);
}

TEST_F(SubclassWndTest, AWidgetDestroyedWhileItsHooksHandleAnEventEndsTheDispatchQuietly)
{
    auto* doomed = new Recorder;
    doomed->log = &log;
    Hook older(QStringLiteral("older"), log);
    Hook newer(QStringLiteral("newer"), log);
    older.Attach(doomed);
    newer.Attach(doomed);
    newer.onProbe = [doomed](Hook& self, ProbeEvent& probe) {
        delete doomed;
        return self.passOn(&probe);
    };
    send(doomed, 1);
    EXPECT_EQ(newer.hookedWindow(), nullptr);
    EXPECT_EQ(older.hookedWindow(), nullptr);
    // The older hook still had it passed on (it was in the chain), the widget is gone.
    EXPECT_EQ(log, QStringList({"newer:1", "older:1"}));
    QCoreApplication::processEvents(); // the dispatcher's own deletion
}

} // namespace
