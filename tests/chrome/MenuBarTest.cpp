#include "chrome/CMainFrameHook.h"
#include "chrome/CMenuBar.h"
#include "chrome/CMenuControl.h"
#include "chrome/CMenuIcon.h"
#include "skins/SkinStyle.h"

#include "platform/CommandRegistry.h"
#include "platform/ModalResponder.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A main window made as the program makes its own: an MDI area, the menu bar
// docked at the top with the document menus of the resources.
class TestFrame
{
public:
    explicit TestFrame(int menuId = 507)
    {
        SkinStyle::InstallOnApplication();
        // Commands without a handler stay enabled here.
        registry.setDisableIfNoHandler(false);
        area = new QMdiArea(&frame);
        frame.setCentralWidget(area);
        bar = new CMenuBar(&frame);
        ok = bar->Create(&frame, CMenuBar::CBRS_GRIPPER) && bar->LoadMenuBar(menuId, registry);
        bar->EnableDockingEx();
        bar->DockIn(Qt::TopToolBarArea);
        frame.resize(1000, 700);
        frame.show();
        QApplication::processEvents();
    }

    QMdiSubWindow* addPage(const QString& title)
    {
        auto* page = new QLabel(title);
        QMdiSubWindow* sub = area->addSubWindow(page);
        sub->setWindowTitle(title);
        sub->show();
        QApplication::processEvents();
        return sub;
    }

    // The index of the button of a top-level menu with this title.
    int buttonOf(const QString& title) const
    {
        const QList<QMenu*> menus = bar->GetMenu();
        for (int i = 0; i < menus.size(); ++i) {
            if (menus[i]->title() == title)
                return i + 1; // after the page icon
        }
        return -1;
    }

    platform::CommandRegistry registry;
    QMainWindow frame;
    QMdiArea* area = nullptr;
    CMenuBar* bar = nullptr;
    bool ok = false;
};

// Runs the steps one after the other while popups are open (each step sees
// the popup that is open then), 30 ms apart.
void runWhilePopupsOpen(std::vector<std::function<void(QMenu*)>> steps)
{
    auto remaining = std::make_shared<std::vector<std::function<void(QMenu*)>>>(std::move(steps));
    auto* timer = new QTimer;
    timer->setInterval(30);
    QObject::connect(timer, &QTimer::timeout, timer, [remaining, timer] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup)
            return;
        if (remaining->empty()) {
            // Done: whatever is still open closes, up to the bar's own popup.
            while (auto* open = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
                open->close();
            timer->deleteLater();
            return;
        }
        auto step = remaining->front();
        remaining->erase(remaining->begin());
        step(popup);
    });
    timer->start();
}

void moveMouseTo(QWidget* popup, QPoint global)
{
    QMouseEvent move(QEvent::MouseMove, popup->mapFromGlobal(global), global, Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(popup, &move);
}

void pressKey(QWidget* to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(to, &press);
}

TEST(MenuBarTest, ShowsOneButtonPerMenuBetweenThePageIconAndButtonsAndTheFrameKeepsNoMenuBar)
{
    TestFrame t;
    ASSERT_TRUE(t.ok);
    EXPECT_EQ(t.bar->objectName(), QStringLiteral("bar_59398"));
    EXPECT_EQ(t.frame.menuWidget(), nullptr);
    // ファイル 編集 表示 挿入 設定 表 フレーム ツール ウィンドウ ヘルプ, with the icon and the buttons.
    EXPECT_EQ(t.bar->tracker().count(), 12);
    EXPECT_EQ(t.bar->tracker().item(0), t.bar->iconItem());
    EXPECT_EQ(t.bar->tracker().item(11), t.bar->controlItem());
    EXPECT_TRUE(t.bar->iconItem()->IsHidden());
    EXPECT_EQ(t.bar->windowMenu(), t.bar->GetMenu().value(8));
    // Docked at the top it is as wide as the frame allows, in one row.
    EXPECT_GT(t.bar->itemStrip()->width(), 800);
    EXPECT_LT(t.bar->itemStrip()->height(), 40);

    // A missing resource is refused.
    CMenuBar other;
    EXPECT_FALSE(other.LoadMenuBar(9999, t.registry));
}

TEST(MenuBarTest, ANarrowFrameWrapsTheButtonsIntoRows)
{
    TestFrame t;
    const int oneRow = t.bar->itemStrip()->height();
    t.frame.resize(320, 500);
    QApplication::processEvents();
    EXPECT_GT(t.bar->itemStrip()->height(), oneRow * 2);
    EXPECT_LE(t.bar->itemStrip()->width(), 320);
}

TEST(MenuBarTest, DockedAtTheLeftTheButtonsStackWithTheirTextRunningDownwards)
{
    TestFrame t;
    t.frame.addToolBar(Qt::LeftToolBarArea, t.bar);
    QApplication::processEvents();
    EXPECT_EQ(t.bar->orientation(), Qt::Vertical);
    const CMenuItem* file = t.bar->tracker().item(1);
    EXPECT_FALSE(file->IsHorizontal());
    EXPECT_GT(file->m_rcItem.height(), file->m_rcItem.width());
    EXPECT_GT(t.bar->itemStrip()->height(), t.bar->itemStrip()->width());
    // Keyboard mode moves with Up and Down there.
    t.bar->tracker().SetTrackingState(MenuBarTracker::TRACK_BUTTON, 1);
    pressKey(&t.frame, Qt::Key_Down);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    EXPECT_TRUE(t.bar->TranslateFrameMessage(&t.frame, &down));
    EXPECT_EQ(t.bar->tracker().m_nCurrentIndex, 2);

    // Back at the top: one row again.
    t.frame.addToolBar(Qt::TopToolBarArea, t.bar);
    QApplication::processEvents();
    EXPECT_EQ(t.bar->orientation(), Qt::Horizontal);
    EXPECT_TRUE(t.bar->tracker().item(1)->IsHorizontal());
}

TEST(MenuBarTest, AMaximisedPageShowsItsIconAndButtonsInTheBarAndNoTitleBarOfItsOwn)
{
    TestFrame t;
    QMdiSubWindow* page = t.addPage(QStringLiteral("index.html"));
    EXPECT_FALSE(t.bar->IsMaximizedChild());
    page->showMaximized();
    QApplication::processEvents();
    EXPECT_TRUE(t.bar->IsMaximizedChild());
    EXPECT_FALSE(t.bar->iconItem()->IsHidden());
    EXPECT_FALSE(t.bar->controlItem()->IsHidden());
    EXPECT_EQ(page->widget()->geometry().top(), 0);
    // The buttons sit at the bar's right end.
    const QRect close = t.bar->controlItem()->m_arrCaption[CMenuControl::Close];
    EXPECT_GT(close.left(), t.bar->itemStrip()->width() - 40);

    // Restore: the page gets its title bar back, the bar loses the buttons.
    const QPoint restore = t.bar->controlItem()->m_arrCaption[CMenuControl::Restore].center();
    QTest::mouseClick(t.bar->itemStrip(), Qt::LeftButton, Qt::NoModifier, restore);
    QApplication::processEvents();
    EXPECT_FALSE(page->isMaximized());
    EXPECT_TRUE(t.bar->controlItem()->IsHidden());
    EXPECT_GT(page->widget()->geometry().top(), 0);

    // Close from the bar.
    page->showMaximized();
    QApplication::processEvents();
    const QPointer<QMdiSubWindow> guard(page);
    QTest::mouseClick(t.bar->itemStrip(), Qt::LeftButton, Qt::NoModifier,
                      t.bar->controlItem()->m_arrCaption[CMenuControl::Close].center());
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(t.area->subWindowList().isEmpty());
}

TEST(MenuBarTest, TheWindowMenuListsNinePagesThenMoreWindowsWithTheActiveOneChecked)
{
    TestFrame t;
    QList<QMdiSubWindow*> pages;
    for (int i = 1; i <= 11; ++i) {
        QString title = QStringLiteral("page%1.html").arg(i);
        if (i == 2)
            title = QStringLiteral("Q&A.html");
        if (i == 3)
            title = QString(1000, QLatin1Char('x'));
        pages.append(t.addPage(title));
    }
    t.area->setActiveSubWindow(pages[3]);
    QMenu* menu = t.bar->windowMenu();
    ASSERT_NE(menu, nullptr);
    const int fixedEntries = menu->actions().size();
    for (int round = 0; round < 2; ++round) {
        Q_EMIT menu->aboutToShow();
        const QList<QAction*> all = menu->actions();
        ASSERT_EQ(all.size(), fixedEntries + 11); // one separator, nine pages, more windows
        EXPECT_TRUE(all[fixedEntries]->isSeparator());
        const QList<QAction*> entries = all.mid(fixedEntries + 1);
        EXPECT_EQ(entries[0]->text(), QStringLiteral("&1 page1.html"));
        EXPECT_EQ(entries[1]->text(), QStringLiteral("&2 Q&&A.html"));
        EXPECT_LT(entries[2]->text().size(), 80);
        EXPECT_TRUE(entries[3]->isChecked());
        EXPECT_FALSE(entries[0]->isChecked());
        EXPECT_EQ(entries[8]->data().toInt(), 0xFF08);
        EXPECT_EQ(entries[9]->text(), QStringLiteral("&More windows..."));
        EXPECT_EQ(entries[9]->data().toInt(), 0xFF09);
    }
    // An entry activates its page.
    menu->actions()[fixedEntries + 1 + 4]->trigger();
    EXPECT_EQ(t.area->activeSubWindow(), pages[4]);

    // "More windows..." lists all eleven pages to choose from.
    platform::ModalResponder responder;
    int listed = 0;
    responder.on(CMenuBar::kMoreWindowsId, [&](QDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("id_%1").arg(CMenuBar::kMoreWindowsId + 3));
        ASSERT_NE(list, nullptr);
        listed = list->count();
        list->setCurrentRow(10);
        platform::ModalResponder::press(dialog, platform::IDOK);
    });
    menu->actions().last()->trigger();
    EXPECT_EQ(listed, 11);
    EXPECT_EQ(t.area->activeSubWindow(), pages[10]);

    // All pages closed: no separator is left behind.
    t.area->closeAllSubWindows();
    QApplication::processEvents();
    Q_EMIT menu->aboutToShow();
    EXPECT_EQ(menu->actions().size(), fixedEntries);
}

TEST(MenuBarTest, AltMakesTheFirstMenuHotAndAnAccessKeyOpensItsMenu)
{
    TestFrame t;
    QKeyEvent altDown(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_TRUE(t.bar->TranslateFrameMessage(&t.frame, &altDown));
    EXPECT_TRUE(t.bar->TranslateFrameMessage(&t.frame, &altUp));
    EXPECT_EQ(t.bar->tracker().m_nTrackingState, MenuBarTracker::TRACK_BUTTON);
    EXPECT_EQ(t.bar->tracker().m_nCurrentIndex, 1); // ファイル, past the page icon

    // E opens 編集(&E), with its first entry selected.
    QString opened;
    bool firstSelected = false;
    runWhilePopupsOpen({[&](QMenu* popup) {
        opened = popup->title();
        firstSelected = popup->activeAction() == popup->actions().value(0);
    }});
    QKeyEvent e(QEvent::KeyPress, Qt::Key_E, Qt::NoModifier, QStringLiteral("e"));
    EXPECT_TRUE(t.bar->TranslateFrameMessage(&t.frame, &e));
    EXPECT_EQ(opened, QStringLiteral("編集(&E)"));
    EXPECT_TRUE(firstSelected);
    EXPECT_EQ(t.bar->tracker().m_nTrackingState, MenuBarTracker::TRACK_NONE);
    EXPECT_EQ(t.bar->LastOpenedItem(), t.buttonOf(QStringLiteral("編集(&E)")));
}

TEST(MenuBarTest, MovingOverTheBarWithAMenuOpenSwitchesMenusAndArrowsMoveToTheNeighbours)
{
    TestFrame t;
    const int file = t.buttonOf(QStringLiteral("ファイル(&F)"));
    const int edit = t.buttonOf(QStringLiteral("編集(&E)"));
    const int view = t.buttonOf(QStringLiteral("表示(&V)"));
    const int insert = t.buttonOf(QStringLiteral("挿入(&I)"));
    QStringList seen;
    const QPoint overEdit = t.bar->ItemScreenRect(*t.bar->tracker().item(edit)).center();
    runWhilePopupsOpen({
        [&](QMenu* popup) {
            seen << popup->title();
            moveMouseTo(popup, overEdit);
        },
        [&](QMenu* popup) {
            seen << popup->title();
            // Right on a plain entry goes to the next menu.
            popup->setActiveAction(popup->actions().value(0));
            pressKey(popup, Qt::Key_Right);
        },
        [&](QMenu* popup) {
            seen << popup->title();
            pressKey(popup, Qt::Key_Right);
        },
        [&](QMenu* popup) {
            seen << popup->title();
            pressKey(popup, Qt::Key_Left);
        },
        [&](QMenu* popup) { seen << popup->title(); },
    });
    t.bar->TrackPopup(file);
    EXPECT_EQ(seen, QStringList({"ファイル(&F)", "編集(&E)", "表示(&V)", "挿入(&I)", "表示(&V)"}));
    EXPECT_EQ(t.bar->LastOpenedItem(), view);
    EXPECT_EQ(t.bar->tracker().m_nTrackingState, MenuBarTracker::TRACK_NONE);
    Q_UNUSED(insert);
}

TEST(MenuBarTest, RightOnAnEntryWithASubmenuOpensTheSubmenuNotTheNextMenu)
{
    TestFrame t;
    QStringList seen;
    runWhilePopupsOpen({
        [&](QMenu* popup) {
            seen << popup->title();
            // ファイル's first entry, 新規作成, has a submenu.
            popup->setActiveAction(popup->actions().value(0));
            pressKey(popup, Qt::Key_Right);
        },
        [&](QMenu* popup) { seen << popup->title(); },
    });
    t.bar->TrackPopup(t.buttonOf(QStringLiteral("ファイル(&F)")));
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[1], QStringLiteral("新規作成(&N)"));
}

TEST(MenuBarTest, BarsFromTheMenuBarsIdUpKeepARowOfTheirOwn)
{
    TestFrame t;
    auto* standard = new QToolBar(&t.frame);
    standard->setObjectName(QStringLiteral("bar_601"));
    standard->addAction(QStringLiteral("x"));
    auto* basic = new QToolBar(&t.frame);
    basic->setObjectName(QStringLiteral("bar_59399"));
    basic->addAction(QStringLiteral("y"));
    // Both docked into the menu bar's row, the basic bar after the standard one.
    t.frame.removeToolBarBreak(t.bar);
    t.frame.insertToolBar(t.bar, standard);
    t.frame.addToolBar(Qt::TopToolBarArea, basic);
    t.frame.removeToolBarBreak(basic);
    QApplication::processEvents();
    CMainFrameHook::ApplyDockRowRule(&t.frame);
    QApplication::processEvents();
    EXPECT_NE(t.bar->y(), standard->y());
    EXPECT_NE(basic->y(), t.bar->y());
    EXPECT_NE(basic->y(), standard->y());
    EXPECT_EQ(CMainFrameHook::BarId(basic), 59399);
}

TEST(MenuBarTest, TheBarGreysItsTextWhileTheFrameIsInactive)
{
    TestFrame t;
    t.bar->OnFrameActivation(false);
    EXPECT_TRUE(t.bar->tracker().item(1)->m_fsState & CMenuItem::MISTATE_INACTIVE);
    t.bar->OnFrameActivation(true);
    EXPECT_FALSE(t.bar->tracker().item(1)->m_fsState & CMenuItem::MISTATE_INACTIVE);
}

} // namespace
