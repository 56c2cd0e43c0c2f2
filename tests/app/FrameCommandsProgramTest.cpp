// The frame commands in the running program: a new frameset page from a
// template, splits and deletes of panes, saving the frameset page and
// reopening it, and the properties dialogs.

#include "ChildFramePages.h"
#include "support/ReviewPicture.h"

#include "controls/ULOFileDialog.h"
#include "frames/VornaDialogFrameProperty.h"
#include "frames/VornaDialogFrameSet.h"
#include "frames/VornaFrameSet.h"
#include "res/resource.h"
#include "web/VornaDialogCreateProject.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "platform/CmdUI.h"
#include "platform/CodePages.h"
#include "platform/DataRoot.h"

#include <QAction>
#include <QFileDialog>
#include <QGuiApplication>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QTest>

namespace {

class FrameCommandsInProgram : public ChildFramePages
{
protected:
    static void settle()
    {
        for (int i = 0; i < 6; ++i)
            QCoreApplication::processEvents();
    }
    bool enabled(int command)
    {
        app->m_bCommandRan = true;
        app->OnIdle();
        return app->commands()->action(command)->isEnabled();
    }
    QList<CZQView*> panes()
    {
        QList<FramePane*> list;
        if (child() && child()->frameTree().root)
            child()->frameTree().root->CollectFrameViews(list);
        QList<CZQView*> views;
        for (FramePane* pane : list)
            views.append(dynamic_cast<CZQView*>(pane));
        return views;
    }
    static std::function<void(QDialog&)> choose(const QString& path)
    {
        return [path](QDialog& d) {
            auto& files = static_cast<QFileDialog&>(d);
            files.selectFile(path);
            QMetaObject::invokeMethod(&files, "accept");
        };
    }
};

TEST_F(FrameCommandsInProgram, NewFramesetPageOpensTheChosenTemplateInPanes)
{
    EXPECT_TRUE(enabled(ID_FILE_NEW_FRAMESET));
    EXPECT_FALSE(enabled(ID_SAVE_FRAMESET));
    responder.on(VornaDialogFrameSet::IDD, [](QDialog& d) {
        d.findChild<QListWidget*>(QStringLiteral("id_%1").arg(IDC_FRAMESET_TEMPLATE_LIST))->setCurrentRow(2);
        platform::ModalResponder::press(d, platform::IDOK);
    });
    send(ID_FILE_NEW_FRAMESET);
    settle();
    ASSERT_NE(child(), nullptr);
    ASSERT_TRUE(child()->HasFrameset());
    EXPECT_EQ(child()->GetFramesetView()->GetDocument()->title(), QStringLiteral("FrameSet1"));
    EXPECT_EQ(panes().size(), 3);
    EXPECT_EQ(frame().m_nFramesetPageCount, 2);
    EXPECT_TRUE(enabled(ID_SAVE_FRAMESET));
    EXPECT_TRUE(enabled(ID_DELETE_FRAME));
    EXPECT_TRUE(enabled(ID_FRAME_PROPERTIES));

    // A cancelled template dialog makes nothing.
    responder.answer(VornaDialogFrameSet::IDD, platform::IDCANCEL);
    EXPECT_FALSE(frame().NewFramesetPage());
    EXPECT_EQ(frame().m_nFramesetPageCount, 2);
}

TEST_F(FrameCommandsInProgram, SplitDeleteSaveAndReopenKeepThePanesAndTheirPages)
{
    // A page in EUC-JP to split.
    const QByteArray euc = platform::encodeText(
        QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\">"
                       "<title>ページ</title></head><body>日本語のページ</body></html>"),
        QStringLiteral("EUC-JP"));
    ASSERT_NE(openPage(QStringLiteral("page.html"), euc), nullptr);
    child()->resize(900, 700);
    settle();
    EXPECT_FALSE(enabled(ID_DELETE_FRAME));
    EXPECT_TRUE(enabled(ID_SPLIT_FRAME_RIGHT));

    send(ID_SPLIT_FRAME_RIGHT);
    settle();
    ASSERT_TRUE(child()->HasFrameset());
    ASSERT_EQ(panes().size(), 2);
    EXPECT_EQ(child()->GetFramesetView()->GetDocument()->title(), QStringLiteral("FrameSet1"));
    EXPECT_EQ(panes()[1]->GetDocument()->title(), QStringLiteral("Frame2"));
    EXPECT_EQ(view(), panes()[1]);
    EXPECT_TRUE(panes()[1]->isVisible());
    EXPECT_LT(panes()[0]->geometry().right(), panes()[1]->geometry().left());
    send(ID_SPLIT_FRAME_BOTTOM);
    settle();
    ASSERT_EQ(panes().size(), 3);
    // The third pane goes again.
    EXPECT_TRUE(enabled(ID_DELETE_FRAME));
    responder.answerMessageBox(platform::IDNO, QStringLiteral("Frame3"));
    send(ID_DELETE_FRAME);
    settle();
    ASSERT_EQ(panes().size(), 2);

    // Save frameset: the new frame page, then the frameset page, are named.
    responder.on(ULOFileDialog::kDialogId, choose(dir.filePath(QStringLiteral("right.html"))));
    responder.on(ULOFileDialog::kDialogId, choose(dir.filePath(QStringLiteral("site.html"))));
    send(ID_SAVE_FRAMESET);
    settle();
    EXPECT_EQ(responder.pending(), 0);
    const QByteArray saved = readFile(dir.filePath(QStringLiteral("site.html")));
    EXPECT_TRUE(saved.contains("<FRAMESET")) << saved.constData();
    EXPECT_TRUE(saved.contains("page.html"));
    EXPECT_TRUE(saved.contains("right.html"));
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("page.html"))), euc);
    EXPECT_FALSE(child()->GetFramesetView()->GetDocument()->m_bPageChanged);

    // Reopened, the same panes show the same pages.
    send(ID_FILE_CLOSE_PAGE);
    settle();
    ASSERT_TRUE(app->OpenDocumentFile(dir.filePath(QStringLiteral("site.html"))));
    settle();
    ASSERT_NE(child(), nullptr);
    ASSERT_EQ(panes().size(), 2);
    EXPECT_EQ(panes()[0]->GetDocument()->pathName(), dir.filePath(QStringLiteral("page.html")));
    EXPECT_EQ(panes()[1]->GetDocument()->pathName(), dir.filePath(QStringLiteral("right.html")));
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("page.html"))), euc);
}

TEST_F(FrameCommandsInProgram, SavingAFramesetLeavesItsPagesInEveryCharsetAsTheyWere)
{
    const auto page = [](const char* charset, const QString& text) {
        return platform::encodeText(QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                                                   "charset=%1\"></head><body>%2</body></html>")
                                        .arg(QLatin1String(charset), text),
                                    QLatin1String(charset));
    };
    const QList<std::pair<QString, QByteArray>> pages{
        {QStringLiteral("sjis.html"), page("Shift_JIS", QStringLiteral("シフトJISのページ"))},
        {QStringLiteral("euc.html"), page("EUC-JP", QStringLiteral("EUCのページ"))},
        {QStringLiteral("utf8.html"), page("UTF-8", QStringLiteral("UTF-8のページ"))}};
    for (const auto& [name, bytes] : pages)
        writeFile(name, bytes);
    const QString site = writeFile(QStringLiteral("site.html"),
                                   "<html><head><title>three</title></head><frameset cols=\"30%,30%,*\">"
                                   "<frame src=\"sjis.html\"><frame src=\"euc.html\"><frame src=\"utf8.html\">"
                                   "</frameset></html>");
    ASSERT_TRUE(app->OpenDocumentFile(site));
    settle();
    ASSERT_EQ(panes().size(), 3);
    child()->activatePane(panes()[1]);
    send(ID_SPLIT_FRAME_BOTTOM);
    settle();
    ASSERT_EQ(panes().size(), 4);
    responder.answerMessageBox(platform::IDNO);
    send(ID_DELETE_FRAME);
    settle();
    send(ID_SAVE_FRAMESET);
    settle();
    EXPECT_EQ(responder.pending(), 0);
    send(ID_FILE_CLOSE_PAGE);
    settle();
    ASSERT_TRUE(app->OpenDocumentFile(site));
    settle();
    ASSERT_EQ(panes().size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(panes()[i]->GetDocument()->pathName(), dir.filePath(pages[i].first));
        EXPECT_EQ(readFile(dir.filePath(pages[i].first)), pages[i].second) << pages[i].first.toStdString();
    }
}

TEST_F(FrameCommandsInProgram, AFramesetFirstPageOfANewWebIsItsHomePageAndACancelledOneMakesNoWeb)
{
    VornaDialogSiteManagerSheet::setTutorialViewFactory([](QWidget* parent) { return new QWidget(parent); });
    const auto createWeb = [](const QString& name) {
        return [name](QDialog& d) {
            platform::ModalResponder::setText(d, VornaDialogCreateProject::kNameEditId, name);
            platform::ModalResponder::setChecked(d, VornaDialogCreateProject::kFramesetPageId, true);
            platform::ModalResponder::press(d, platform::IDOK);
        };
    };
    const QString root = platform::webRoot();
    responder.on(VornaDialogCreateProject::IDD, createWeb(QStringLiteral("nothing")));
    responder.answer(VornaDialogFrameSet::IDD, platform::IDCANCEL);
    send(ID_FILE_NEW_WEB);
    EXPECT_FALSE(frame().m_bWebOpen);
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("/nothing")));

    responder.on(VornaDialogCreateProject::IDD, createWeb(QStringLiteral("framed")));
    responder.on(VornaDialogFrameSet::IDD, [](QDialog& d) { platform::ModalResponder::press(d, platform::IDOK); });
    send(ID_FILE_NEW_WEB);
    settle();
    EXPECT_TRUE(frame().m_bWebOpen);
    const QString home = root + QStringLiteral("/framed/index.html");
    EXPECT_TRUE(readFile(home).toUpper().contains("<FRAMESET"));
    ASSERT_NE(child(), nullptr);
    EXPECT_TRUE(child()->HasFrameset());
    EXPECT_EQ(child()->GetFramesetView()->GetDocument()->pathName(), home);
    EXPECT_EQ(responder.pending(), 0);
    app.reset();
    VornaDialogSiteManagerSheet::setTutorialViewFactory(nullptr);
}

TEST(FramesetScreenshot, APageSplitIntoThreePanesWithTheFramePropertiesOpen)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    QTemporaryDir dir;
    QFile page(dir.filePath(QStringLiteral("page.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(
        "<html><head><title>Split</title></head><body><h1>Left pane</h1><p>A page split in three.</p></body></html>");
    page.close();
    std::unique_ptr<CZQApp> app = StartProgramWithoutGuide();
    ASSERT_NE(app, nullptr);
    app->mainFrame()->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(app->OpenDocumentFile(page.fileName()));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app->mainFrame(), 60000));
    CChildFrame* child = app->mainFrame()->GetActiveChild();
    ASSERT_NE(child, nullptr);
    child->showMaximized();
    QTest::qWait(300);
    app->commands()->sendCommand(ID_SPLIT_FRAME_RIGHT);
    QTest::qWait(200);
    app->commands()->sendCommand(ID_SPLIT_FRAME_BOTTOM);
    QTest::qWait(300);
    ASSERT_TRUE(child->HasFrameset());
    app->m_bCommandRan = true;
    app->OnIdle();
    platform::ModalResponder responder;
    responder.on(VornaDialogFrameProperty::IDD, [&](QDialog& d) {
        d.adjustSize();
        d.move(app->mainFrame()->geometry().center() - QPoint(d.width() / 2, d.height() / 2));
        QTest::qWait(300);
        QImage shot = app->mainFrame()->grab().toImage();
        QPainter painter(&shot);
        painter.drawImage(app->mainFrame()->mapFromGlobal(d.frameGeometry().topLeft()), d.grab().toImage());
        painter.end();
        SaveReviewPicture(shot, QStringLiteral("frame-split.png"));
        platform::ModalResponder::press(d, platform::IDCANCEL);
    });
    app->commands()->sendCommand(ID_FRAME_PROPERTIES);
    EXPECT_EQ(responder.runCount(VornaDialogFrameProperty::IDD), 1);
}

} // namespace
