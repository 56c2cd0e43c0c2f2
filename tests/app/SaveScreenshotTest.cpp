// A save onto a full disk in the running program under X: the page of a
// small Shift_JIS file, a word typed, Ctrl+S; the message the user sees, for
// people to look at, and the old bytes left on the disk.

#include "app/CMainFrame.h"
#include "app/CSplashWnd.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "app/EditorSettings.h"
#include "util/CRegistryEx.h"
#include "util/InstallInfo.h"

#include "engine/dom/Document.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include "platform/CodePages.h"
#include "platform/CommandRegistry.h"
#include "platform/ModalResponder.h"

#include "support/ReviewPicture.h"
#include "support/SmallFileSystem.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QDialog>
#include <QPainter>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using platform::ModalResponder;

TEST(ShellScreenshot, ASaveOnAFullDiskSaysWhyAndKeepsThePage)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    SmallFileSystem fs;
    PAGINOR_SKIP_WITHOUT(fs);
    InitInstallFolder();
    {
        CRegistryEx reg(HKEY_CURRENT_USER);
        ASSERT_TRUE(reg.Create(HKEY_CURRENT_USER, EditorSettings::productKeyPath()));
        ASSERT_TRUE(reg.WriteDWord(QStringLiteral("SHOW_GUIDE"), 0));
    }
    const QString path = fs.filePath(QStringLiteral("diary.html"));
    const QByteArray old = platform::encodeText(
        QStringLiteral(
            "<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"
            "<TITLE>日記</TITLE></HEAD><BODY><TABLE id=text><TR><TD id=p>今日は晴れ。</TD></TR></TABLE></BODY></HTML>"),
        QStringLiteral("Shift_JIS"));
    ASSERT_LT(old.size(), 200);
    ASSERT_TRUE(writeTestFile(path, old));
    ASSERT_TRUE(fs.fill());

    CZQApp app;
    ASSERT_TRUE(app.InitInstance({}));
    app.mainFrame()->setGeometry(QGuiApplication::primaryScreen()->availableGeometry().adjusted(0, 0, -200, -200));
    ASSERT_TRUE(app.OpenDocumentFile(path));
    app.m_bCommandRan = true;
    app.OnIdle();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app.mainFrame(), 60000));
    QApplication::setActiveWindow(app.mainFrame());
    CZQView* view = app.GetActiveView();
    ASSERT_NE(view, nullptr);
    // The splash window has gone by the time a user types.
    if (CSplashWnd* splash = CSplashWnd::current())
        splash->HideSplashScreen();
    QCoreApplication::processEvents();

    // A click at the end of the text box's line, a word typed.
    engine::PageView* pageView = view->GetPageView();
    pageView->flushChanges();
    engine::Geometry geometry(pageView->layout());
    const QRect box = geometry.boundingClientRect(view->GetHtmlDocument()->getElementById(QStringLiteral("p")));
    QTest::mouseClick(pageView->viewport(), Qt::LeftButton, Qt::NoModifier,
                      pageView->clientToView(QPoint(box.right() - 2, box.center().y())));
    QTest::keyClick(pageView, Qt::Key_End);
    QTest::keyClicks(pageView, QStringLiteral(" sunny"));
    QCoreApplication::processEvents();
    CZQDoc* doc = view->GetDocument();
    ASSERT_TRUE(doc->isModified());

    // Ctrl+S: the message is on the screen over the page when the picture is taken.
    ModalResponder responder;
    responder.onMessageBox([&](QDialog& message) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&message, 10000));
        QTest::qWait(200);
        const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        // The main window and the message, as the user sees them.
        QImage picture(app.mainFrame()->frameGeometry().united(message.frameGeometry()).size(), QImage::Format_RGB32);
        picture.fill(Qt::black);
        {
            QPainter painter(&picture);
            painter.drawImage(QPoint(0, 0), screen, app.mainFrame()->frameGeometry().united(message.frameGeometry()));
        }
        SaveReviewPicture(picture, QStringLiteral("save-full-disk.png"));
        message.done(platform::IDOK);
    });
    app.m_bCommandRan = true;
    app.OnIdle();
    QTest::keyClick(pageView, Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(responder.runCount(platform::kMessageBoxDialogId), 1);
    EXPECT_TRUE(responder.messageTexts().value(0).contains(QStringLiteral("ディスクの空き容量が足りません。")));
    EXPECT_EQ(readTestFile(path), old);
    EXPECT_EQ(fs.entries(), QStringList{QStringLiteral("diary.html")});
    EXPECT_TRUE(doc->isModified());
    EXPECT_TRUE(
        view->GetHtmlDocument()->getElementById(QStringLiteral("p"))->innerText().endsWith(QLatin1String("sunny")));
}

} // namespace
