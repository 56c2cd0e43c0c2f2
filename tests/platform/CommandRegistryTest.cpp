#include <gtest/gtest.h>

#include "platform/CmdUI.h"
#include "platform/CommandRegistry.h"
#include "platform/CommandTarget.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QToolBar>

using platform::CmdUI;
using platform::CommandRegistry;
using platform::CommandTarget;

namespace {

// Five targets in the order the program routes: view, document, child frame,
// main frame, application. Each records the commands it ran.
struct RouteFixture : ::testing::Test
{
    CommandTarget view, doc, child, main, app;
    QStringList log;
    CommandRegistry registry;

    void SetUp() override
    {
        registry.setRoute([this] { return QList<CommandTarget*>{&view, &doc, &child, &main, &app}; });
    }
    void handle(CommandTarget& target, const char* name, int id)
    {
        target.onCommand(id, [this, name, id] { log << QStringLiteral("%1:%2").arg(name).arg(id); });
    }
};

} // namespace

TEST_F(RouteFixture, FirstTargetInRouteWinsAndLaterOnesAreReached)
{
    handle(main, "main", 100);
    handle(view, "view", 100);
    handle(app, "app", 200);
    handle(doc, "doc", 300);
    handle(child, "child", 300);

    EXPECT_TRUE(registry.sendCommand(100));
    EXPECT_TRUE(registry.sendCommand(200));
    EXPECT_TRUE(registry.sendCommand(300));
    EXPECT_FALSE(registry.sendCommand(400));
    EXPECT_EQ(log, (QStringList{"view:100", "app:200", "doc:300"}));
}

TEST_F(RouteFixture, HandlerThatDeclinesPassesTheCommandOn)
{
    view.onCommandEx(100, 100, [this](int) {
        log << "view declined";
        return false;
    });
    handle(main, "main", 100);
    EXPECT_TRUE(registry.sendCommand(100));
    EXPECT_EQ(log, (QStringList{"view declined", "main:100"}));
}

TEST_F(RouteFixture, ExactEntryTakesPrecedenceOverRange)
{
    main.onCommandRange(32928, 32943, [this](int id) { log << QStringLiteral("range:%1").arg(id); });
    main.onCommand(32937, [this] { log << "own"; });
    registry.sendCommand(32937);
    registry.sendCommand(32930);
    EXPECT_EQ(log, (QStringList{"own", "range:32930"}));
}

TEST_F(RouteFixture, CommandHookSeesEveryCommandAndMayConsumeIt)
{
    handle(main, "main", 100);
    QList<int> seen;
    registry.setCommandHook([&](int id) {
        seen << id;
        return id == 33435;
    });
    EXPECT_TRUE(registry.sendCommand(100));
    EXPECT_TRUE(registry.sendCommand(33435));
    EXPECT_EQ(seen, (QList<int>{100, 33435}));
    EXPECT_EQ(log, QStringList{"main:100"});
}

TEST_F(RouteFixture, DisabledCommandSentByIdStillRuns)
{
    handle(main, "main", 100);
    main.onUpdate(100, [](CmdUI& ui) { ui.enable(false); });
    QAction* action = registry.action(100);
    registry.updateAll();
    ASSERT_FALSE(action->isEnabled());

    action->trigger(); // the user cannot run it
    EXPECT_TRUE(log.isEmpty());
    EXPECT_TRUE(registry.sendCommand(100)); // code can
    EXPECT_EQ(log, QStringList{"main:100"});
}

TEST_F(RouteFixture, TriggeredActionAndPostedCommandTakeTheRoute)
{
    handle(child, "child", 100);
    registry.action(100)->trigger();
    registry.postCommand(100);
    EXPECT_EQ(log.size(), 1);
    QCoreApplication::sendPostedEvents(&registry);
    EXPECT_EQ(log, (QStringList{"child:100", "child:100"}));
}

TEST_F(RouteFixture, UpdateHandlersDecideInRouteOrder)
{
    handle(main, "main", 1); // handler, no update handler: enabled
    // 2: nobody handles it: disabled
    main.onUpdate(3, [](CmdUI& ui) { ui.enable(false); }); // update handler wins over the handler below
    handle(app, "app", 3);
    view.onUpdate(4, [](CmdUI& ui) { ui.continueRouting(); }); // passes on to the document
    doc.onUpdate(4, [](CmdUI& ui) { ui.setCheck(1); });
    handle(doc, "doc", 4);
    child.onUpdate(5, [](CmdUI& ui) { ui.setText(QStringLiteral("new text")); }); // does not touch enabled
    child.onUpdateRange(5, 9, [](CmdUI& ui) { ui.enable(false); });

    // Every action starts in the state opposite to the one the update must give.
    const bool expected[] = {true, false, false, true, false};
    for (int id = 1; id <= 5; ++id)
        registry.action(id)->setEnabled(!expected[id - 1]);
    registry.updateAll();

    for (int id = 1; id <= 5; ++id)
        EXPECT_EQ(registry.action(id)->isEnabled(), expected[id - 1]) << "command " << id;
    EXPECT_TRUE(registry.action(4)->isChecked()) << "checked by the document, enabled by its handler";
    EXPECT_EQ(registry.action(5)->text(), QStringLiteral("new text"));
    EXPECT_TRUE(registry.updateCommand(1));
    EXPECT_TRUE(registry.updateCommand(4));
}

TEST_F(RouteFixture, RouteChangesWithTheActiveView)
{
    CommandTarget otherView;
    handle(otherView, "other", 100);
    handle(view, "view", 100);
    CommandTarget* active = &view;
    registry.setRoute([&] { return QList<CommandTarget*>{active, &main}; });
    registry.sendCommand(100);
    active = &otherView;
    registry.sendCommand(100);
    active = nullptr;
    EXPECT_FALSE(registry.sendCommand(100));
    EXPECT_EQ(log, (QStringList{"view:100", "other:100"}));
}

TEST(CommandRegistry, PromptAndTooltipComeFromTheCommandsOwnString)
{
    CommandRegistry registry;
    QAction* early = registry.action(57664);
    registry.setStringLoader(
        [](int id) { return id == 57664 ? QStringLiteral("現行プログラム情報\n情報") : QString(); });
    EXPECT_EQ(early->statusTip(), QStringLiteral("現行プログラム情報"));
    EXPECT_EQ(early->toolTip(), QStringLiteral("情報"));
    EXPECT_EQ(registry.action(57664), early);
    EXPECT_EQ(registry.idOf(early), 57664);
    EXPECT_EQ(CommandRegistry::instance(), &registry);
}

TEST(CommandRegistry, WidgetUpdateReachesOnlyThatWidgetsCommands)
{
    CommandRegistry registry;
    CommandTarget main;
    registry.setRoute([&] { return QList<CommandTarget*>{&main}; });
    int updates = 0;
    main.onUpdateRange(1, 3, [&](CmdUI& ui) {
        ++updates;
        ui.enable(true);
    });
    QMainWindow window;
    auto* bar = window.addToolBar(QStringLiteral("bar"));
    bar->addAction(registry.action(1));
    window.addAction(registry.action(2));
    registry.action(3);

    registry.updateWidget(&window, false);
    EXPECT_EQ(updates, 1);
    registry.updateWidget(&window, true);
    EXPECT_EQ(updates, 3);
}
