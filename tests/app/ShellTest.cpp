#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CSplashWnd.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "app/EditorSettings.h"
#include "chrome/CMenuBar.h"
#include "controls/ULOFileDialog.h"
#include "chrome/ULOToolBar.h"
#include "util/CRegistryEx.h"
#include "util/InstallInfo.h"
#include "util/MessageBox.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/view/PageView.h"

#include "platform/CmdUI.h"
#include "platform/CommandRegistry.h"
#include "platform/DocTemplate.h"
#include "platform/ModalResponder.h"
#include "platform/RecentFileList.h"
#include "platform/SingleInstance.h"
#include "platform/WindowMessage.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QComboBox>
#include <QSet>
#include <QDialog>
#include <QStatusBar>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QDockWidget>
#include <QEnterEvent>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using platform::ModalResponder;

void setShowGuide(int value)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, EditorSettings::productKeyPath()));
    if (value < 0)
        reg.DeleteValue(QStringLiteral("SHOW_GUIDE"));
    else
        ASSERT_TRUE(reg.WriteDWord(QStringLiteral("SHOW_GUIDE"), quint32(value)));
}

QString writePage(const QTemporaryDir& dir, const QString& name, const QByteArray& text = "<HTML></HTML>")
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
    return path;
}

// The program's own change mark: the page must be saved before it closes.
void markChanged(platform::Document* document)
{
    qobject_cast<CZQDoc*>(document)->m_bPageChanged = true;
}

class ShellTest : public ::testing::Test
{
protected:
    // The tutorial's browse view runs only under a display; here a plain widget stands in.
    void SetUp() override
    {
        InitInstallFolder(); // the page template
        setShowGuide(0);
        VornaDialogSiteManagerSheet::setTutorialViewFactory([](QWidget* parent) { return new QWidget(parent); });
    }
    void TearDown() override { VornaDialogSiteManagerSheet::setTutorialViewFactory(nullptr); }

    bool start(const QStringList& args = {})
    {
        app = std::make_unique<CZQApp>();
        return app->InitInstance(args);
    }
    CMainFrame& frame() { return *app->mainFrame(); }
    bool enabled(int id) { return app->commands()->updateCommand(id); }

    QTemporaryDir dir;
    std::unique_ptr<CZQApp> app;
};

TEST_F(ShellTest, StartsToAFullMainWindowWithMenusBarsAndStatusBar)
{
    ASSERT_TRUE(start());
    EXPECT_TRUE(frame().isVisible());
    ASSERT_NE(frame().GetMenuBar(), nullptr);
    EXPECT_EQ(frame().GetMenuBar()->GetMenu().value(0)->title(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(frame().menuWidget(), nullptr); // no menu bar of the window's own
    EXPECT_TRUE(frame().toolBar(601)->isVisibleTo(&frame()));
    EXPECT_TRUE(frame().toolBar(609)->isVisibleTo(&frame()));
    EXPECT_FALSE(frame().toolBar(603)->isVisibleTo(&frame()));
    EXPECT_NE(frame().statusBar()->findChild<QWidget*>(QStringLiteral("id_41871")), nullptr);
    EXPECT_NE(frame().toolBar(603)->findChild<QWidget*>(QStringLiteral("id_32928")), nullptr);
    EXPECT_EQ(app->docTemplate()->documentCount(), 0);
}

TEST_F(ShellTest, TheImageBrowserButtonStaysInTheStatusBarUnderThePointer)
{
    ASSERT_TRUE(start());
    frame().show();
    QStatusBar* bar = frame().statusBar();
    auto* button = bar->findChild<QToolButton*>(QStringLiteral("id_33456"));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame()));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(button, &enter);
    EXPECT_TRUE(bar->currentMessage().isEmpty());
    EXPECT_TRUE(button->isVisible());
}

TEST_F(ShellTest, TheFaceBoxOffersTheMainFramesOneFontList)
{
    ASSERT_TRUE(start());
    // The main frame refers to the program's list; it holds no copy of its own.
    EXPECT_EQ(&frame().m_fontList, &FontList());
    ASSERT_FALSE(frame().m_fontList.isEmpty());
    QComboBox* box = frame().fontFaceBox();
    ASSERT_NE(box, nullptr);
    // Each face of the list once, nothing besides, no vertical-writing face.
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    QStringList faces = frame().m_fontList;
    faces.sort();
    shown.sort();
    EXPECT_EQ(shown, faces);
    EXPECT_TRUE(std::none_of(shown.begin(), shown.end(), [](const QString& f) { return f.startsWith(u'@'); }));
    EXPECT_EQ(QSet<QString>(shown.begin(), shown.end()).size(), shown.size());
}

TEST_F(ShellTest, SplashShowsOnceWhileTheFrameIsMadeAndEndsOnItsTimer)
{
    ASSERT_TRUE(start());
    CSplashWnd* splash = CSplashWnd::current();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    CSplashWnd::ShowSplashScreen(&frame()); // one at a time
    EXPECT_EQ(CSplashWnd::current(), splash);
    splash->HideSplashScreen();
    EXPECT_EQ(CSplashWnd::current(), nullptr);
    app.reset();

    // An embedding start shows none.
    ASSERT_TRUE(start({QStringLiteral("-Embedding")}));
    EXPECT_EQ(CSplashWnd::current(), nullptr);
}

TEST_F(ShellTest, GuideShowsBeforeTheCommandLineFileOpens)
{
    setShowGuide(-1); // missing reads as on
    const QString page = writePage(dir, QStringLiteral("a.html"));
    ModalResponder responder;
    int documentsWhileGuideShown = -1;
    responder.on(469, [&](QDialog& guide) {
        documentsWhileGuideShown = app->docTemplate()->documentCount();
        ModalResponder::setChecked(guide, 1502, false);
        ModalResponder::press(guide, 8);
    });
    ASSERT_TRUE(start({QStringLiteral("-style=fusion"), page}));
    EXPECT_EQ(documentsWhileGuideShown, 0);
    EXPECT_EQ(app->docTemplate()->documentCount(), 1);
    EXPECT_EQ(app->docTemplate()->documents().value(0)->pathName(), page);
    // Unticking the box turns the guide off for the next start.
    EXPECT_EQ(frame().m_settings.showGuide, 0);
}

TEST_F(ShellTest, TheWindowShowsItsCommandStatesBeforeTheGuide)
{
    setShowGuide(1);
    ModalResponder responder;
    bool saveEnabledWhileGuideShown = true;
    responder.on(469, [&](QDialog& guide) {
        saveEnabledWhileGuideShown = app->commands()->action(33106)->isEnabled();
        ModalResponder::press(guide, 8);
    });
    ASSERT_TRUE(start());
    EXPECT_EQ(responder.runCount(469), 1);
    EXPECT_FALSE(saveEnabledWhileGuideShown); // no page to save yet
}

TEST_F(ShellTest, FirstStartOpensAWindowOfMostOfTheScreen)
{
    ASSERT_TRUE(start());
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(area.contains(frame().geometry()));
    EXPECT_GE(frame().width(), area.width() * 3 / 4);
    EXPECT_GE(frame().height(), area.height() * 3 / 4);
}

TEST_F(ShellTest, AMissingManualIsReported)
{
    ASSERT_TRUE(start());
    ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("使用方法"));
    app->commands()->sendCommand(33155);
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
}

class GuideSettingTest : public ShellTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(GuideSettingTest, OnlyTheValueOneShowsTheGuide)
{
    setShowGuide(GetParam());
    ModalResponder responder; // any guide shown here would fail the test
    ASSERT_TRUE(start());
    EXPECT_EQ(responder.runCount(469), 0);
}

INSTANTIATE_TEST_SUITE_P(Values, GuideSettingTest, ::testing::Values(0, 2));

TEST_F(ShellTest, EmbeddingStartCreatesTheFrameButShowsAndOpensNothing)
{
    const QString page = writePage(dir, QStringLiteral("a.html"));
    ASSERT_TRUE(start({QStringLiteral("-Embedding"), page}));
    EXPECT_FALSE(frame().isVisible());
    EXPECT_EQ(app->docTemplate()->documentCount(), 0);
}

TEST_F(ShellTest, AltReachesTheMenuBarThroughTheFrameAndAPageSwitchesItsMenus)
{
    ASSERT_TRUE(start());
    CMenuBar* bar = frame().GetMenuBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetMenu().size(), 5); // ファイル 表示 ツール ウィンドウ ヘルプ
    QWidget* first = QApplication::focusWidget() ? QApplication::focusWidget() : &frame();
    QKeyEvent altDown(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
    QApplication::sendEvent(first, &altDown);
    QApplication::sendEvent(first, &altUp);
    EXPECT_EQ(bar->tracker().m_nTrackingState, MenuBarTracker::TRACK_BUTTON);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(first, &escape);
    EXPECT_EQ(bar->tracker().m_nTrackingState, MenuBarTracker::TRACK_NONE);

    // A page brings the document menus, with the Window menu.
    ASSERT_TRUE(app->OpenDocumentFile(QString()));
    QApplication::processEvents();
    EXPECT_EQ(bar->GetMenu().size(), 10);
    ASSERT_NE(bar->windowMenu(), nullptr);
    EXPECT_EQ(bar->windowMenu()->title(), QStringLiteral("ウィンドウ(&W)"));
}

TEST_F(ShellTest, IdleUpdateIsFullOnlyAfterACommand)
{
    ASSERT_TRUE(start());
    // A command that only a toolbar carries (browser back).
    bool allow = false;
    app->onUpdate(33184, [&](platform::CmdUI& ui) { ui.enable(allow); });
    QAction* back = app->commands()->action(33184);
    app->m_bCommandRan = true;
    app->OnIdle();
    EXPECT_TRUE(app->lastIdleWasFull());
    EXPECT_FALSE(back->isEnabled());

    allow = true;
    app->OnIdle(); // nothing ran: the bars keep their state
    EXPECT_FALSE(app->lastIdleWasFull());
    EXPECT_FALSE(back->isEnabled());

    app->commands()->sendCommand(33215); // any command marks the run
    app->OnIdle();
    EXPECT_TRUE(app->lastIdleWasFull());
    EXPECT_TRUE(back->isEnabled());
}

TEST_F(ShellTest, LightIdleUpdateReachesTheOtherFrameWindows)
{
    ASSERT_TRUE(start());
    bool allow = false;
    app->onUpdate(33184, [&](platform::CmdUI& ui) { ui.enable(allow); });
    QMainWindow preview; // a preview window of the program
    preview.addAction(app->commands()->action(33184));
    preview.show();
    app->OnIdle(); // the full update after start-up
    allow = true;
    app->OnIdle();
    ASSERT_FALSE(app->lastIdleWasFull());
    EXPECT_TRUE(app->commands()->action(33184)->isEnabled());
}

TEST_F(ShellTest, IdlePassRunsTheFullUpdateAfterATriggeredCommand)
{
    ASSERT_TRUE(start());
    bool allow = false;
    app->onUpdate(33184, [&](platform::CmdUI& ui) { ui.enable(allow); });
    QAction* back = app->commands()->action(33184);
    QCoreApplication::processEvents(); // the first pass
    allow = true;
    app->commands()->action(33215)->trigger();
    QAbstractEventDispatcher::instance()->wakeUp();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_TRUE(back->isEnabled());
}

struct LockPaneCase
{
    bool capsLock;
    bool numLock;
    const char* capsPane;
    const char* numPane;
};

class LockPaneTest : public ShellTest, public ::testing::WithParamInterface<LockPaneCase>
{
};

// The light idle update (no command ran) brings the lock panes up to date.
TEST_P(LockPaneTest, LockPanesShowTheirTextOnlyWhileTheLockIsOn)
{
    ASSERT_TRUE(start());
    platform::LockKeyState keys;
    frame().m_lockKeySource = [&keys] { return keys; };
    const auto pane = [this](const char* id) {
        auto* label = frame().statusBar()->findChild<QLabel*>(QString::fromLatin1(id));
        return label ? label->text() : QStringLiteral("<no pane>");
    };
    app->OnIdle(); // the first update is the full one
    keys.capsLock = GetParam().capsLock;
    keys.numLock = GetParam().numLock;
    app->OnIdle();
    ASSERT_FALSE(app->lastIdleWasFull());
    EXPECT_EQ(pane("id_59137"), QString::fromLatin1(GetParam().capsPane));
    EXPECT_EQ(pane("id_59138"), QString::fromLatin1(GetParam().numPane));
    keys = platform::LockKeyState();
    app->OnIdle();
    EXPECT_EQ(pane("id_59137"), QString());
    EXPECT_EQ(pane("id_59138"), QString());
}

INSTANTIATE_TEST_SUITE_P(States, LockPaneTest,
                         ::testing::Values(LockPaneCase{false, false, "", ""}, LockPaneCase{true, false, "CAP", ""},
                                           LockPaneCase{false, true, "", "NUM"},
                                           LockPaneCase{true, true, "CAP", "NUM"}));

// The same through the real keyboard; runs under Xvfb (QT_QPA_PLATFORM=xcb).
TEST_F(ShellTest, LockPanesFollowTheX11Keyboard)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    ASSERT_TRUE(start());
    const platform::LockKeyState before = platform::lockKeyState();
    ASSERT_TRUE(platform::setLockKeyState(true, false));
    app->OnIdle();
    app->OnIdle();
    EXPECT_EQ(frame().statusBar()->findChild<QLabel*>(QStringLiteral("id_59137"))->text(), QStringLiteral("CAP"));
    EXPECT_EQ(frame().statusBar()->findChild<QLabel*>(QStringLiteral("id_59138"))->text(), QString());
    platform::setLockKeyState(before.capsLock, before.numLock);
}

TEST_F(ShellTest, CommandStatesFollowThePageAndItsView)
{
    ASSERT_TRUE(start());
    app->OnIdle();
    for (int id : {33205, 33161, 33219, 33215})
        EXPECT_TRUE(enabled(id)) << id;
    // Commands whose code is not in place yet stay disabled until a handler exists.
    EXPECT_FALSE(enabled(33153));
    app->onCommand(33153, [] {});
    EXPECT_TRUE(enabled(33153));
    for (int id : {33106, 33200, 33128, 33135, 33467, 33468})
        EXPECT_FALSE(enabled(id)) << id;

    // The page commands' own code, which later parts bring.
    for (int id : {33106, 33200, 33128, 33135, 33467, 33468, 32869, 32870, 33016, 33366})
        app->onCommand(id, [] {});
    EXPECT_FALSE(enabled(33016));
    ASSERT_TRUE(app->OpenDocumentFile(QString()));
    EXPECT_TRUE(enabled(33106));
    EXPECT_TRUE(enabled(33128));
    EXPECT_TRUE(enabled(33016));             // zoom
    EXPECT_TRUE(enabled(33366));             // toolbar customisation
    EXPECT_FALSE(enabled(33468));            // nothing selected
    app->GetActiveView()->m_dwSelKind = 0x8; // an image
    EXPECT_TRUE(enabled(33468));
    EXPECT_TRUE(enabled(33467));
    EXPECT_TRUE(enabled(33135));
    EXPECT_FALSE(enabled(32870)); // already editing

    CChildFrame* child = frame().GetActiveChild();
    child->m_bEditShown = false;
    child->m_bPreviewShown = true;
    EXPECT_TRUE(enabled(32870));
    EXPECT_FALSE(enabled(32869));
    EXPECT_FALSE(enabled(33106));
    EXPECT_FALSE(enabled(33205)); // new file waits for the editing view
    EXPECT_FALSE(enabled(33016));
    EXPECT_FALSE(enabled(33366));
    child->m_bPreviewShown = false;
    child->m_bSourceShown = true;
    EXPECT_TRUE(enabled(33366)); // customisation also from the source view
    EXPECT_FALSE(enabled(33016));
}

TEST_F(ShellTest, PrintSetupChangesTheProgramsPrinter)
{
    ASSERT_TRUE(start());
    EXPECT_TRUE(enabled(57606));
    ModalResponder responder;
    responder.on(1539, [](QDialog& setup) { setup.accept(); });
    app->commands()->sendCommand(57606);
    EXPECT_EQ(responder.runCount(1539), 1);
    EXPECT_NE(app->printer(), nullptr);
}

TEST_F(ShellTest, CloseAndSaveWebShowInTheFileMenuOnlyWhileAWebIsOpen)
{
    ASSERT_TRUE(start());
    app->commands()->updateCommand(33092);
    EXPECT_FALSE(app->commands()->action(33199)->isVisible());
    EXPECT_FALSE(app->commands()->action(33201)->isVisible());
    frame().m_bWebOpen = true;
    app->commands()->updateCommand(33092);
    EXPECT_TRUE(app->commands()->action(33199)->isVisible());
    EXPECT_TRUE(app->commands()->action(33201)->isVisible());
}

TEST_F(ShellTest, PageToolbarsToggleOnlyWithAPage)
{
    ASSERT_TRUE(start());
    ULOToolBar* table = frame().toolBar(607);
    ULOToolBar* standard = frame().toolBar(601);
    app->commands()->sendCommand(32867);
    EXPECT_FALSE(table->isVisibleTo(&frame()));
    app->commands()->sendCommand(33380);
    EXPECT_FALSE(standard->isVisibleTo(&frame()));
    app->commands()->sendCommand(33380);
    EXPECT_TRUE(standard->isVisibleTo(&frame()));
    // The menu offers the bars that need no page, and only those.
    for (int id : {33380, 33382, 33384, 33385, 33483})
        EXPECT_TRUE(enabled(id)) << id;
    for (int id : {33381, 33378, 33469, 33383, 32867})
        EXPECT_FALSE(enabled(id)) << id;

    // A page comes with its bars; the toggle hides and shows them.
    ASSERT_TRUE(app->OpenDocumentFile(QString()));
    EXPECT_TRUE(table->isVisibleTo(&frame()));
    app->commands()->sendCommand(32867);
    EXPECT_FALSE(table->isVisibleTo(&frame()));
    app->commands()->sendCommand(32867);
    EXPECT_TRUE(table->isVisibleTo(&frame()));
    app->commands()->updateCommand(32867);
    EXPECT_TRUE(app->commands()->action(32867)->isChecked());
}

TEST_F(ShellTest, CloseAllSavesEveryPageUnderARememberedYes)
{
    ASSERT_TRUE(start());
    QStringList paths;
    for (const char* name : {"a.html", "b.html", "c.html"}) {
        paths.append(writePage(dir, QString::fromLatin1(name), QByteArray("<P>") + name));
        ASSERT_TRUE(app->OpenDocumentFile(paths.last()));
    }
    for (platform::Document* doc : app->docTemplate()->documents())
        markChanged(doc);
    writePage(dir, QStringLiteral("b.html"), "changed outside"); // saving writes the page's own text again
    ModalResponder responder;
    responder.onMessageBox(
        [](QDialog& box) {
            ModalResponder::setChecked(box, kApplyToAllCheckBoxId, true);
            ModalResponder::press(box, platform::IDYES);
        },
        QStringLiteral("保存しますか"));
    frame().OnFileCloseAll();
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
    EXPECT_EQ(app->docTemplate()->documentCount(), 0);
    QFile saved(paths[1]);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray text = saved.readAll();
    EXPECT_TRUE(text.contains("<P>b.html</P>")) << text.constData();
    EXPECT_FALSE(text.contains("changed outside"));
    EXPECT_EQ(frame().m_nRememberedAnswer, 0);
}

TEST_F(ShellTest, CloseAllStopsAtAPageThatCannotBeSaved)
{
    ASSERT_TRUE(start());
    QTemporaryDir gone;
    const QString first = writePage(dir, QStringLiteral("a.html"));
    const QString second = writePage(gone, QStringLiteral("b.html"));
    const QString third = writePage(dir, QStringLiteral("c.html"));
    for (const QString& path : {first, second, third})
        ASSERT_TRUE(app->OpenDocumentFile(path));
    for (platform::Document* doc : app->docTemplate()->documents())
        markChanged(doc);
    ASSERT_TRUE(gone.remove()); // the second page's folder is gone: its save fails
    ModalResponder responder;
    responder.onMessageBox([](QDialog& box) {
        ModalResponder::setChecked(box, kApplyToAllCheckBoxId, true);
        ModalResponder::press(box, platform::IDYES);
    });
    responder.always(ULOFileDialog::kDialogId, [](QDialog& d) { d.reject(); });
    frame().OnFileCloseAll();
    const QList<platform::Document*> left = app->docTemplate()->documents();
    ASSERT_EQ(left.size(), 2);
    EXPECT_EQ(left[0]->pathName(), second);
    EXPECT_EQ(left[1]->pathName(), third);
    EXPECT_FALSE(frame().m_bClosing);
}

// A remembered No closes the rest unsaved; a Cancel in the middle keeps
// the page it was given for and every page after it.
TEST_F(ShellTest, CloseAllWithARememberedNoOrACancelInTheMiddle)
{
    ASSERT_TRUE(start());
    QStringList paths;
    for (const char* name : {"a.html", "b.html", "c.html"}) {
        paths.append(writePage(dir, QString::fromLatin1(name), "on disk"));
        ASSERT_TRUE(app->OpenDocumentFile(paths.last()));
    }
    ASSERT_NE(app->docTemplate()->openDocumentFile(QString()), nullptr); // an unnamed page
    for (platform::Document* doc : app->docTemplate()->documents())
        markChanged(doc);
    {
        ModalResponder responder;
        responder.onMessageBox([](QDialog& box) {
            ModalResponder::setChecked(box, kApplyToAllCheckBoxId, true);
            ModalResponder::press(box, platform::IDNO);
        });
        frame().OnFileCloseAll();
        EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
        EXPECT_EQ(app->docTemplate()->documentCount(), 0);
    }
    for (const QString& path : paths) {
        ASSERT_TRUE(app->OpenDocumentFile(path));
        markChanged(app->docTemplate()->documents().last());
    }
    ModalResponder responder;
    responder.answerMessageBox(platform::IDYES, QStringLiteral("a.html"));
    responder.answerMessageBox(platform::IDCANCEL, QStringLiteral("b.html"));
    frame().OnFileCloseAll();
    const QList<platform::Document*> left = app->docTemplate()->documents();
    ASSERT_EQ(left.size(), 2);
    EXPECT_EQ(left[0]->pathName(), paths[1]);
    EXPECT_EQ(left[1]->pathName(), paths[2]);
    EXPECT_FALSE(frame().m_bClosing);
    EXPECT_EQ(frame().m_nRememberedAnswer, 0);
}

// Coming back to the program while close-all waits in a dialog: the reload
// question would take the remembered Yes and throw the page's edits away.
TEST_F(ShellTest, ComingBackDuringCloseAllReloadsNothing)
{
    ASSERT_TRUE(start());
    ASSERT_TRUE(app->OpenDocumentFile(writePage(dir, QStringLiteral("a.html"))));
    ASSERT_NE(app->docTemplate()->openDocumentFile(QString()), nullptr);
    const QString third = writePage(dir, QStringLiteral("c.html"), "<P>c");
    ASSERT_TRUE(app->OpenDocumentFile(third));
    for (platform::Document* doc : app->docTemplate()->documents())
        markChanged(doc);
    writePage(dir, QStringLiteral("c.html"), "changed outside");
    {
        QFile file(third);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    }
    ModalResponder responder;
    responder.onMessageBox(
        [](QDialog& box) {
            ModalResponder::setChecked(box, kApplyToAllCheckBoxId, true);
            ModalResponder::press(box, platform::IDYES);
        },
        QStringLiteral("保存しますか"));
    const QString named = dir.filePath(QStringLiteral("new.html"));
    responder.on(ULOFileDialog::kDialogId, [&](QDialog& d) {
        frame().OnActivateApp();
        auto& files = static_cast<QFileDialog&>(d);
        files.selectFile(named);
        QMetaObject::invokeMethod(&files, "accept");
    });
    frame().OnFileCloseAll();
    EXPECT_EQ(app->docTemplate()->documentCount(), 0);
    EXPECT_TRUE(QFile::exists(named));
    QFile saved(third);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray text = saved.readAll();
    EXPECT_TRUE(text.contains("<P>c</P>")) << text.constData();
}

TEST_F(ShellTest, CancelOnClosingTheProgramKeepsTheRemainingPagesOpen)
{
    ASSERT_TRUE(start());
    for (const char* name : {"a.html", "b.html", "c.html"})
        ASSERT_TRUE(app->OpenDocumentFile(writePage(dir, QString::fromLatin1(name))));
    markChanged(app->docTemplate()->documents().value(1));
    ModalResponder responder;
    responder.answerMessageBox(platform::IDCANCEL, QStringLiteral("b.html"));
    frame().OnSysCommandClose();
    EXPECT_EQ(app->docTemplate()->documentCount(), 2);
    EXPECT_TRUE(frame().isVisible());
    EXPECT_FALSE(frame().m_bClosing);
}

TEST_F(ShellTest, ClosingSavesPlacementAndSettingsForTheNextStart)
{
    ASSERT_TRUE(start());
    frame().setGeometry(40, 50, 500, 400);
    frame().m_settings.gridSize = 33;
    frame().m_settings.soundEffect = 0;
    const QString page = writePage(dir, QStringLiteral("recent.html"));
    ASSERT_TRUE(app->OpenDocumentFile(page));
    frame().OnSysCommandClose();
    app->ExitInstance();
    app.reset();

    ASSERT_TRUE(start());
    EXPECT_EQ(frame().geometry(), QRect(40, 50, 500, 400));
    EXPECT_FALSE(frame().StartsMaximized());
    EXPECT_EQ(frame().m_settings.gridSize, 33);
    EXPECT_EQ(frame().m_settings.soundEffect, 0);
    EXPECT_EQ(app->recentFiles()->at(0), page);
}

// The bar layout comes back at the next start, also after the tutorial was
// open at closing; a layout naming a bar the frame does not have is not applied.
TEST_F(ShellTest, DockStateAppliesOnlyWhenEveryDockedBarExists)
{
    ASSERT_TRUE(start());
    app->commands()->sendCommand(33380); // hide the standard bar
    app->commands()->sendCommand(33494); // the tutorial bar is open when closing
    frame().OnSysCommandClose();
    app->ExitInstance();
    app.reset();

    ASSERT_TRUE(start());
    EXPECT_FALSE(frame().toolBar(601)->isVisibleTo(&frame()));
    EXPECT_EQ(frame().siteManagerBar(), nullptr);
    frame().OnSysCommandClose();
    app->ExitInstance();
    app.reset();

    {
        CRegistryEx reg(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.Open(HKEY_CURRENT_USER, EditorSettings::productKeyPath() + "\\MainFrame DockState"));
        QByteArray bars;
        ASSERT_TRUE(reg.ReadBinary(QStringLiteral("Bars"), bars));
        EXPECT_FALSE(bars.contains("bar_674"));
        ASSERT_TRUE(reg.WriteBinary(QStringLiteral("Bars"), bars + "\nbar_9999"));
    }
    ASSERT_TRUE(start());
    EXPECT_TRUE(frame().toolBar(601)->isVisibleTo(&frame()));
}

// A bar floating at closing floats again at the next start; the check of
// the docked bars does not count it.
TEST_F(ShellTest, ABarFloatingAtClosingFloatsAgain)
{
    ASSERT_TRUE(start());
    ULOToolBar* bar = frame().toolBar(602);
    bar->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
    bar->move(120, 140);
    bar->show();
    ASSERT_TRUE(bar->isFloating());
    frame().OnSysCommandClose();
    app->ExitInstance();
    app.reset();
    {
        CRegistryEx reg(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.Open(HKEY_CURRENT_USER, EditorSettings::productKeyPath() + "\\MainFrame DockState"));
        QByteArray bars;
        ASSERT_TRUE(reg.ReadBinary(QStringLiteral("Bars"), bars));
        EXPECT_FALSE(bars.split('\n').contains("bar_602"));
    }
    ASSERT_TRUE(start());
    EXPECT_TRUE(frame().toolBar(602)->isFloating());
    EXPECT_TRUE(frame().toolBar(601)->isVisibleTo(&frame()));
}

// Damaged layout values leave the bars as a first start makes them.
TEST_F(ShellTest, ADamagedDockStateLeavesTheDefaultBars)
{
    ASSERT_TRUE(start());
    app->commands()->sendCommand(33380); // hide the standard bar
    frame().OnSysCommandClose();
    app->ExitInstance();
    app.reset();
    const QString key = EditorSettings::productKeyPath() + "\\MainFrame DockState";
    QByteArray state;
    {
        CRegistryEx reg(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.Open(HKEY_CURRENT_USER, key));
        ASSERT_TRUE(reg.ReadBinary(QStringLiteral("State"), state));
    }
    const QList<QPair<QByteArray, QByteArray>> damaged{
        {state.left(state.size() / 2), "bar_601"}, // cut short
        {QByteArray(64, '\xff'), "bar_601"},       // not a layout at all
        {state, QByteArray("\0\xfe\n\xff", 4)},    // bar names that are not text
    };
    for (const auto& [value, bars] : damaged) {
        {
            CRegistryEx reg(HKEY_CURRENT_USER);
            ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, key));
            ASSERT_TRUE(reg.WriteBinary(QStringLiteral("State"), value));
            ASSERT_TRUE(reg.WriteBinary(QStringLiteral("Bars"), bars));
        }
        ASSERT_TRUE(start());
        EXPECT_TRUE(frame().toolBar(601)->isVisibleTo(&frame())) << value.size();
        EXPECT_EQ(frame().toolBarArea(frame().toolBar(601)), Qt::TopToolBarArea);
        app.reset();
    }
}

TEST_F(ShellTest, APlacementNoScreenShowsComesBackOntoTheScreen)
{
    WindowPlacement placement;
    placement.x = 5000;
    placement.y = 4000;
    placement.width = 500;
    placement.height = 400;
    ASSERT_TRUE(placement.save());
    ASSERT_TRUE(start());
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(area.contains(frame().geometry().topLeft()));
    EXPECT_EQ(frame().geometry().size(), QSize(500, 400));
}

// A place stored on a larger screen: the window fits the screen it is on now.
TEST_F(ShellTest, APlacementLargerThanTheScreenFitsIt)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    WindowPlacement placement;
    placement.width = quint32(area.width() * 3 / 4);
    placement.height = quint32(area.height() * 3 / 4);
    placement.x = area.right() - area.width() / 4;
    placement.y = area.bottom() - area.height() / 4;
    ASSERT_TRUE(placement.save());
    ASSERT_TRUE(start());
    EXPECT_FALSE(frame().StartsMaximized());
    EXPECT_TRUE(area.contains(frame().geometry())) << frame().geometry().x() << "," << frame().geometry().y();
    EXPECT_EQ(frame().geometry().size(), QSize(int(placement.width), int(placement.height)));
    app.reset();

    // Wider than the screen: maximised, and its normal size is the screen's at most.
    placement.width = quint32(area.width() * 2);
    placement.x = area.left();
    placement.y = area.top();
    ASSERT_TRUE(placement.save());
    ASSERT_TRUE(start());
    EXPECT_TRUE(frame().StartsMaximized());
    EXPECT_TRUE(area.contains(frame().normalGeometry()));
}

TEST_F(ShellTest, CloseAllAsACommandLeavesNoCloseInProgress)
{
    ASSERT_TRUE(start());
    for (const char* name : {"a.html", "b.html"})
        ASSERT_TRUE(app->OpenDocumentFile(writePage(dir, QString::fromLatin1(name))));
    markChanged(app->docTemplate()->documents().value(0));
    ModalResponder responder;
    responder.answerMessageBox(platform::IDNO, QStringLiteral("a.html"));
    app->commands()->sendCommand(33358);
    EXPECT_EQ(app->docTemplate()->documentCount(), 0);
    EXPECT_FALSE(frame().m_bClosing);
}

TEST_F(ShellTest, KeysOfTheFrame)
{
    ASSERT_TRUE(start());
    QStringList pages;
    for (const char* name : {"a.html", "b.html", "c.html"}) {
        pages.append(writePage(dir, QString::fromLatin1(name)));
        ASSERT_TRUE(app->OpenDocumentFile(pages.last()));
    }
    // Keys go where the window system sends them: the focus widget, else the window.
    const auto key = [this](QEvent::Type type, int code, Qt::KeyboardModifiers modifiers) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &frame();
        QKeyEvent event(type, code, modifiers);
        QCoreApplication::sendEvent(target, &event);
    };
    const auto activePage = [this] { return frame().GetActiveView()->GetDocument()->pathName(); };
    ASSERT_EQ(activePage(), pages[2]);
    // The page has the focus, as when the user works in it; keys it leaves go on to the frame.
    CZQView* view = frame().GetActiveView();
    QApplication::setActiveWindow(&frame());
    view->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), view->GetPageView()); // the page engine takes the keys

    // Holding Ctrl and pressing Tab twice activates the next page twice.
    key(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    key(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier);
    key(QEvent::KeyRelease, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(activePage(), pages[0]);
    frame().m_nInsertKind = 2;
    key(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier);
    key(QEvent::KeyRelease, Qt::Key_Tab, Qt::ControlModifier);
    key(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
    EXPECT_EQ(activePage(), pages[1]);
    EXPECT_EQ(frame().m_nInsertKind, 0); // the switch cancels a pending insertion

    // Escape cancels a pending insertion; Insert toggles overwrite.
    frame().m_nInsertKind = 2;
    key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    key(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    EXPECT_EQ(frame().m_nInsertKind, 0);
    // Insert toggles overwrite typing, in the frame and in the active page.
    constexpr quint32 kLatched = 4;
    key(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
    EXPECT_TRUE(frame().m_bOverwrite);
    EXPECT_TRUE(frame().GetActiveView()->QueryCommandStatus(2314) & kLatched);
    key(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
    EXPECT_FALSE(frame().m_bOverwrite);
    EXPECT_FALSE(frame().GetActiveView()->QueryCommandStatus(2314) & kLatched);

    // Alt+Enter runs the properties command.
    int properties = 0;
    QObject::connect(app->commands(), &platform::CommandRegistry::commandRouted, app->commands(),
                     [&](int id, bool handled) { properties += id == 33435 && handled ? 1 : 0; });
    key(QEvent::KeyPress, Qt::Key_Return, Qt::AltModifier);
    EXPECT_EQ(properties, 1);
}

TEST_F(ShellTest, DroppedFilesOpenByTheirKind)
{
    ASSERT_TRUE(start());
    const QString page = writePage(dir, QStringLiteral("a.htm"));
    const QString text = writePage(dir, QStringLiteral("notes.txt"));
    const QString image = writePage(dir, QStringLiteral("pic.png"));
    ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("ファイルを編集できません"));
    frame().OnDropFiles({page, text, image}, QPoint());
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
    ASSERT_EQ(app->docTemplate()->documentCount(), 1);
    EXPECT_EQ(app->docTemplate()->documents()[0]->pathName(), page);
    // The image went into the page that opened with it.
    EXPECT_EQ(frame().m_nInsertKind, 0);
    engine::Document* doc = frame().GetActiveView()->GetHtmlDocument();
    ASSERT_EQ(doc->images().length(), 1);
    EXPECT_EQ(doc->images().item(0)->getAttributeText(QStringLiteral("src")), image);
}

TEST_F(ShellTest, ADroppedImageWithoutAPageMakesANewPageThatWaitsForTheClick)
{
    ASSERT_TRUE(start());
    frame().OnDropFiles({writePage(dir, QStringLiteral("pic.gif"))}, QPoint());
    EXPECT_EQ(app->docTemplate()->documentCount(), 1);
    EXPECT_EQ(frame().m_nInsertKind, 2);
    // A file that is no picture has no size: the page shows it at its own.
    EXPECT_EQ(frame().m_rcInsert.size(), QSize(0, 0));
}

// An image dropped on a page goes in where it was dropped, positioned, as
// one step of undo, and selected; dropped with a page, into that page.
TEST_F(ShellTest, ADroppedImageGoesInAtTheDropPoint)
{
    ASSERT_TRUE(start());
    const QString image = dir.filePath(QStringLiteral("pic.png"));
    QImage picture(24, 16, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(image));
    const QString page = writePage(dir, QStringLiteral("a.html"), "<HTML><BODY><P>text</P></BODY></HTML>");
    frame().OnDropFiles({image, page}, QPoint());
    ASSERT_EQ(app->docTemplate()->documentCount(), 1); // no extra empty page
    EXPECT_EQ(app->docTemplate()->documents()[0]->pathName(), page);
    EXPECT_EQ(frame().m_nInsertKind, 0);
    CZQView* view = frame().GetActiveView();
    engine::Document* doc = view->GetHtmlDocument();
    ASSERT_EQ(doc->images().length(), 1);
    doc->commands().exec(engine::CommandGroup::Undo);
    EXPECT_EQ(doc->images().length(), 0);

    // Dropped on the page itself, at a point of its view.
    engine::PageView* pageView = view->GetPageView();
    const QPoint at = pageView->viewport()->mapToGlobal(QPoint(40, 30));
    frame().OnDropFiles({image}, at);
    ASSERT_EQ(doc->images().length(), 1);
    engine::Element* img = doc->images().item(0);
    // At the picture's own size, read from its file.
    EXPECT_EQ(img->style().cssText(),
              QStringLiteral("POSITION: absolute; Z-INDEX: 102; LEFT: 40px; TOP: 30px; WIDTH: 24px; HEIGHT: 16px"));
    EXPECT_EQ(doc->selection().typeText(), QStringLiteral("Control"));
    EXPECT_EQ(doc->selection().controlElements().front().get(), img);
    EXPECT_TRUE(doc->isDirty());
}

// A page that cannot be read, from the recent files or handed over, is said
// so once each; a recent entry that failed leaves the list.
TEST_F(ShellTest, APageThatCannotBeOpenedIsReported)
{
    ASSERT_TRUE(start());
    const QString gone = writePage(dir, QStringLiteral("gone.html"));
    ASSERT_TRUE(app->OpenDocumentFile(gone));
    app->docTemplate()->documents()[0]->closeDocument();
    ASSERT_EQ(app->recentFiles()->at(0), gone);
    ASSERT_TRUE(QFile::remove(gone));
    ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("開けませんでした"));
    app->commands()->sendCommand(57616);
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
    EXPECT_FALSE(app->recentFiles()->entries().contains(gone));

    // A folder is no page; the rest still opens.
    const QString page = writePage(dir, QStringLiteral("b.html"));
    responder.answerMessageBox(platform::IDOK, QStringLiteral("開けませんでした"));
    platform::sendMessage(&frame(), CMainFrame::kHandOverMessage, 0, 0, QStringList{dir.path(), page});
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 2);
    EXPECT_EQ(app->docTemplate()->documentCount(), 1);

    // An address opens a new page; when it cannot be fetched the user is told
    // and the page stays empty, without a file of its own.
    responder.answerMessageBox(platform::IDOK,
                               QStringLiteral("読み込めませんでした。\nアドレスに接続できませんでした。"));
    ASSERT_TRUE(app->OpenDocumentFile(QStringLiteral("http://127.0.0.1:9/a.html")));
    EXPECT_EQ(app->docTemplate()->documentCount(), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return responder.runCount(platform::kMessageBoxDialogId) == 3; }, 20000));
    auto* address = qobject_cast<CZQDoc*>(app->docTemplate()->documents().last());
    EXPECT_TRUE(address->pathName().isEmpty());
    EXPECT_EQ(address->m_strSourcePath, QStringLiteral("http://127.0.0.1:9/a.html"));
}

TEST_F(ShellTest, APageChangedOnDiskIsOfferedOnceForReload)
{
    ASSERT_TRUE(start());
    const QString page = writePage(dir, QStringLiteral("a.html"));
    ASSERT_TRUE(app->OpenDocumentFile(page));
    auto* doc = qobject_cast<CZQDoc*>(app->docTemplate()->documents()[0]);
    frame().OnActivateApp(); // remembers the file's time
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(doc->m_timeFile.addSecs(5), QFileDevice::FileModificationTime);
    file.close();
    ModalResponder responder;
    responder.answerMessageBox(platform::IDNO, QStringLiteral("再更新しますか"));
    frame().OnActivateApp();
    frame().OnActivateApp(); // not asked again for the same change
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);

    // Coming back to the program while the question is open asks only once.
    file.open(QIODevice::ReadWrite);
    file.setFileTime(doc->m_timeFile.addSecs(5), QFileDevice::FileModificationTime);
    file.close();
    responder.onMessageBox(
        [this](QDialog& box) {
            frame().OnActivateApp();
            ModalResponder::press(box, platform::IDNO);
        },
        QStringLiteral("再更新しますか"));
    frame().OnActivateApp();
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 2);
    QFile::remove(page);
    frame().OnActivateApp();
    EXPECT_TRUE(doc->m_bFileMissing);
}

// The program's own saves are no change made outside it.
TEST_F(ShellTest, SavingAPageIsNotOfferedForReload)
{
    ASSERT_TRUE(start());
    const QString page = writePage(dir, QStringLiteral("a.html"));
    {
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
    }
    ASSERT_TRUE(app->OpenDocumentFile(page));
    auto* doc = qobject_cast<CZQDoc*>(app->docTemplate()->documents()[0]);
    frame().OnActivateApp();
    ModalResponder responder;
    responder.answerMessageBox(platform::IDNO, QStringLiteral("再更新しますか"));
    doc->m_bPageChanged = true;
    ASSERT_TRUE(doc->doFileSave());
    frame().OnActivateApp();
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 0);
}

TEST_F(ShellTest, HandOverMessageOpensTheFileAndRaisesTheWindow)
{
    ASSERT_TRUE(start());
    const QString page = writePage(dir, QStringLiteral("a.html"));
    frame().showMinimized();
    platform::sendMessage(&frame(), CMainFrame::kHandOverMessage, 0, 0, QStringList{page});
    EXPECT_EQ(app->docTemplate()->documentCount(), 1);
    EXPECT_FALSE(frame().isMinimized());

    // A window minimised from maximised comes back maximised; nothing to open only raises it.
    frame().showMaximized();
    frame().showMinimized();
    platform::sendMessage(&frame(), CMainFrame::kHandOverMessage, 0, 0, QStringList{});
    EXPECT_FALSE(frame().isMinimized());
    EXPECT_TRUE(frame().isMaximized());
    EXPECT_EQ(app->docTemplate()->documentCount(), 1);
}

// The second start, run as its own process by the test below.
TEST(ShellSecondProcess, HandsItsFileToTheRunningInstance)
{
    if (!qEnvironmentVariableIsSet("PAGINOR_HANDOVER_RUNTIME"))
        GTEST_SKIP() << "started by ShellTest.SecondStartHandsItsFileOver";
    qputenv("XDG_RUNTIME_DIR", qgetenv("PAGINOR_HANDOVER_RUNTIME"));
    CZQApp app;
    EXPECT_FALSE(app.InitInstance({qEnvironmentVariable("PAGINOR_HANDOVER_FILE")}));
    EXPECT_EQ(app.exitCode(), 0);
    EXPECT_EQ(app.mainFrame(), nullptr);
}

TEST_F(ShellTest, SecondStartHandsItsFileOver)
{
    ASSERT_TRUE(start());
    const QString page = writePage(dir, QStringLiteral("ページ 'one'.html"));
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PAGINOR_HANDOVER_RUNTIME"), qEnvironmentVariable("XDG_RUNTIME_DIR"));
    env.insert(QStringLiteral("PAGINOR_HANDOVER_FILE"), page);
    second.setProcessEnvironment(env);
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop loop;
    QObject::connect(app->docTemplate(), &platform::DocTemplate::documentAdded, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    second.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_filter=ShellSecondProcess.HandsItsFileToTheRunningInstance")});
    loop.exec();
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(second.exitCode(), 0);
    ASSERT_EQ(app->docTemplate()->documentCount(), 1);
    EXPECT_EQ(app->docTemplate()->documents()[0]->pathName(), page);
}

// A second start whose files the running program does not take says so and
// ends with a failure code.
TEST(ShellSecondStart, AHandOverNobodyAnswersIsReported)
{
    platform::SingleInstance running(QStringLiteral("ULO"));
    ASSERT_EQ(running.start(), platform::SingleInstance::Role::Primary);
    // The running program is busy: it does not come back to its event loop.
    ModalResponder responder;
    responder.answerMessageBox(platform::IDOK, QStringLiteral("渡せませんでした"));
    CZQApp app;
    app.m_nHandOverTimeoutMs = 100;
    EXPECT_FALSE(app.InitInstance({QStringLiteral("a.html")}));
    EXPECT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
    EXPECT_NE(app.exitCode(), 0);
    EXPECT_EQ(app.mainFrame(), nullptr);
}

TEST_F(ShellTest, TutorialTwiceLeavesOneBarOnTheTutorialPage)
{
    ASSERT_TRUE(start());
    app->commands()->sendCommand(33494);
    app->commands()->sendCommand(33494);
    const QList<QDockWidget*> bars = frame().findChildren<QDockWidget*>(QStringLiteral("bar_674"));
    ASSERT_EQ(bars.size(), 1);
    EXPECT_EQ(frame().dockWidgetArea(bars[0]), Qt::RightDockWidgetArea);
    EXPECT_TRUE(frame().siteManagerSheet()->IsTutorialPageActive());
    // A request for the tutorial's document with no page open leaves it without one.
    platform::sendMessage(&frame(), CMainFrame::kTutorialDocumentMessage, 6, 0);
    EXPECT_EQ(frame().siteManagerSheet()->tutorialDocument(), nullptr);
    // Other requests concern the page being edited; a plain page is no frameset.
    ASSERT_TRUE(app->OpenDocumentFile(QString()));
    platform::sendMessage(&frame(), CMainFrame::kTutorialDocumentMessage, 1, 0);
    EXPECT_EQ(frame().siteManagerSheet()->tutorialDocument(), app->GetActiveView()->GetDocument());
    platform::sendMessage(&frame(), CMainFrame::kTutorialDocumentMessage, 6, 0);
    EXPECT_EQ(frame().siteManagerSheet()->tutorialDocument(), nullptr);
}

TEST_F(ShellTest, ChoosingTheTutorialInTheGuideOpensIt)
{
    ASSERT_TRUE(start());
    ModalResponder responder;
    responder.on(469, [](QDialog& guide) { ModalResponder::press(guide, 1020); });
    app->commands()->sendCommand(33219);
    ASSERT_NE(frame().siteManagerBar(), nullptr);
    EXPECT_TRUE(frame().siteManagerBar()->isVisibleTo(&frame()));
}

// The picture of the main window with a page open, for people to look at (it
// is not compared). CTest runs it under Xvfb and writes it to
// screenshots/main-window.png in the build folder; PAGINOR_UPDATE_EXPECTED=1
// also rewrites the reviewed copy in tests/data/expected/. By hand:
//   xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb PAGINOR_SCREENSHOT_DIR=/tmp
//   build/test/tests/test_program --gtest_filter=ShellScreenshot.*
TEST(ShellScreenshot, MainWindowWithAPage)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    InitInstallFolder();
    setShowGuide(0);
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("site")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Image")));
    const QString page = dir.filePath(QStringLiteral("site/index.html"));
    ASSERT_TRUE(QFile::copy(QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() +
                                QStringLiteral("/../data/pages/positioned-tables.html"),
                            page));
    // The page's banner: a picture the page links as ../Image/banner.gif.
    QImage banner(468, 60, QImage::Format_RGB32);
    {
        QPainter painter(&banner);
        QLinearGradient gradient(0, 0, 468, 0);
        gradient.setColorAt(0, QColor(0x33, 0x66, 0xcc));
        gradient.setColorAt(1, QColor(0x99, 0xcc, 0xff));
        painter.fillRect(banner.rect(), gradient);
        painter.setPen(Qt::white);
        QFont font = painter.font();
        font.setPixelSize(28);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(banner.rect(), Qt::AlignCenter, QStringLiteral("写真の部屋"));
    }
    ASSERT_TRUE(banner.save(dir.filePath(QStringLiteral("Image/banner.gif")), "PNG"));
    CZQApp app;
    ASSERT_TRUE(app.InitInstance({}));
    app.mainFrame()->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(app.OpenDocumentFile(page));
    app.m_bCommandRan = true;
    app.OnIdle();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app.mainFrame(), 60000));
    CZQView* view = app.GetActiveView();
    ASSERT_NE(view, nullptr);
    QCoreApplication::processEvents();
    // The page in design mode: the text box selected, its handles shown.
    engine::PageView* pageView = view->GetPageView();
    ASSERT_NE(pageView, nullptr);
    pageView->flushChanges();
    engine::Element* textBox = view->GetHtmlDocument()->getElementById(QStringLiteral("text"));
    ASSERT_NE(textBox, nullptr);
    view->GetHtmlDocument()->selection().setControlRange({engine::Ref<engine::Element>(textBox)});
    QCoreApplication::processEvents();
    EXPECT_EQ(view->m_dwSelKind, 0x2u); // a text box with text
    app.m_bCommandRan = true;
    app.OnIdle();
    QCoreApplication::processEvents();
    const QImage picture = app.mainFrame()->grab().toImage();
    EXPECT_GE(picture.width(), 800);
    if (qEnvironmentVariableIsSet("PAGINOR_SCREENSHOT_DIR")) {
        const QString folder = qEnvironmentVariable("PAGINOR_SCREENSHOT_DIR");
        EXPECT_TRUE(QDir().mkpath(folder));
        EXPECT_TRUE(picture.save(folder + QStringLiteral("/main-window.png")));
    }
    if (qEnvironmentVariableIsSet("PAGINOR_UPDATE_EXPECTED")) {
        EXPECT_TRUE(picture.save(qEnvironmentVariable("PAGINOR_SOURCE_DIR") + "/tests/data/expected/main-window.png"));
    }
}

} // namespace

namespace {

TEST(ShellAboutBox, HelpAboutShowsTheAboutBox)
{
    setShowGuide(0);
    CZQApp app;
    ASSERT_TRUE(app.InitInstance({}));
    ModalResponder responder;
    QString version;
    responder.on(CAboutDlg::IDD, [&](QDialog& box) {
        version = static_cast<CAboutDlg&>(box).versionText();
        ModalResponder::press(box, 1);
    });
    app.commands()->sendCommand(33156);
    EXPECT_EQ(responder.runCount(CAboutDlg::IDD), 1);
    EXPECT_TRUE(version.isEmpty() || version.contains(QLatin1Char('-'))) << version.toStdString();
}

} // namespace
