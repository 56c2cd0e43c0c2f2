// A frameset page in its page window: its frame pages in panes with bars
// between them, the drag of a bar, the close question per frame page and
// for the frameset page, close all, and the reload of a changed frameset file.

#include "ChildFramePages.h"
#include "support/ReviewPicture.h"

#include "frames/FramesetWriter.h"
#include "frames/VornaFrameSet.h"

#include "platform/DataRoot.h"
#include "platform/DocTemplate.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

namespace {

QString pagesFolder()
{
    return QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + QStringLiteral("/../data/pages/");
}

class FramesetPanes : public ChildFramePages
{
protected:
    // The frameset page of the test data with its three frame pages, copied
    // into the test's folder; its path.
    QString copyFrameset()
    {
        for (const char* name : {"menu.html", "top.html", "main.html"})
            writeFile(QString::fromLatin1(name), readFile(pagesFolder() + QString::fromLatin1(name)));
        return writeFile(QStringLiteral("frameset.html"), readFile(pagesFolder() + QStringLiteral("frameset.html")));
    }
    CChildFrame* open(const QString& path)
    {
        if (!app->OpenDocumentFile(path))
            return nullptr;
        settle();
        return child();
    }
    // The frameset page, then its panes, load one after the other.
    static void settle()
    {
        for (int i = 0; i < 6; ++i)
            QCoreApplication::processEvents();
    }
    QWidget* area() { return child()->findChild<QWidget*>(QStringLiteral("editingArea")); }
    QList<CZQView*> panes()
    {
        QList<FramePane*> list;
        child()->frameTree().root->CollectFrameViews(list);
        QList<CZQView*> views;
        for (FramePane* pane : list)
            views.append(dynamic_cast<CZQView*>(pane));
        return views;
    }
    CZQDoc* framesetDocument() { return child()->GetFramesetView()->GetDocument(); }
    void mouse(QEvent::Type type, const QPoint& at)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, area()->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          held, Qt::NoModifier);
        QCoreApplication::sendEvent(area(), &event);
    }
    // Drags the bar right of the first pane by dx pixels.
    void dragFirstBar(int dx)
    {
        const QRect first = panes().first()->geometry();
        const QPoint start(first.right() + 3, first.center().y());
        mouse(QEvent::MouseButtonPress, start);
        mouse(QEvent::MouseMove, start + QPoint(dx, 0));
        mouse(QEvent::MouseButtonRelease, start + QPoint(dx, 0));
    }
    static void typeInto(CZQView* pane, const QString& text)
    {
        engine::Document* page = pane->GetHtmlDocument();
        page->body()->appendChild(page->createTextNode(text));
    }
};

TEST_F(FramesetPanes, AFramesetPageOpensItsFramePagesInPanes)
{
    const QString path = copyFrameset();
    const QByteArray before = readFile(path);
    ASSERT_NE(open(path), nullptr);
    child()->resize(900, 700);
    settle();

    ASSERT_TRUE(child()->HasFrameset());
    CZQView* frameset = child()->GetFramesetView();
    ASSERT_NE(frameset, nullptr);
    EXPECT_FALSE(frameset->isVisible());
    EXPECT_FALSE(frameset->isEnabled());
    EXPECT_EQ(framesetDocument()->GetPageTitle(), QStringLiteral("フレームページ"));
    EXPECT_EQ(framesetDocument()->m_strFramesetCharset.toUpper(), QStringLiteral("UTF-8"));

    const QList<CZQView*> views = panes();
    ASSERT_EQ(views.size(), 3);
    const QStringList names{QStringLiteral("menu.html"), QStringLiteral("top.html"), QStringLiteral("main.html")};
    EXPECT_EQ(child()->FrameNames(), names);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(views[i]->isVisible());
        EXPECT_EQ(views[i]->GetDocument()->pathName(), dir.filePath(names[i]));
        ASSERT_NE(views[i]->GetHtmlDocument(), nullptr);
        EXPECT_TRUE(views[i]->m_bLoadCompleted);
    }
    EXPECT_TRUE(views[2]->GetHtmlDocument()->body()->innerText().contains(QStringLiteral("本文のページです")));
    // menu at the left, 150 wide; top above main at the right, with bars between.
    EXPECT_EQ(views[0]->width(), 150);
    EXPECT_GT(views[1]->x(), views[0]->geometry().right() + 1);
    EXPECT_EQ(views[1]->height(), 80);
    EXPECT_GT(views[2]->y(), views[1]->geometry().bottom() + 1);
    EXPECT_EQ(views[2]->geometry().right(), views[1]->geometry().right());
    // The first frame page is the current one; nothing is changed or written.
    EXPECT_EQ(child()->GetActiveView(), views[0]);
    EXPECT_FALSE(framesetDocument()->isModified());
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(responder.runs().size(), 0);

    // A larger window divides anew: menu keeps its 150 pixels.
    child()->resize(1100, 800);
    settle();
    EXPECT_EQ(views[0]->width(), 150);
    EXPECT_EQ(views[2]->geometry().bottom(), area()->height() - 3);
}

TEST_F(FramesetPanes, DraggingABarRewritesTheSizesAndChangesTheFramesetPage)
{
    ASSERT_NE(open(copyFrameset()), nullptr);
    child()->resize(900, 700);
    settle();
    const int topWidth = panes()[1]->width();

    // Pressing on the bar: the west-east cursor while it is dragged.
    const QRect first = panes().first()->geometry();
    mouse(QEvent::MouseButtonPress, QPoint(first.right() + 3, 100));
    EXPECT_EQ(area()->cursor().shape(), Qt::SizeHorCursor);
    mouse(QEvent::MouseMove, QPoint(first.right() + 53, 100));
    mouse(QEvent::MouseButtonRelease, QPoint(first.right() + 53, 100));

    EXPECT_EQ(panes()[0]->width(), 200);
    EXPECT_EQ(panes()[1]->width(), topWidth - 50);
    EXPECT_TRUE(framesetDocument()->m_bPageChanged);
    QString text;
    BuildFramesetPageHtml(text, FramesetTextOnly, child());
    EXPECT_TRUE(text.contains(QStringLiteral("<FRAMESET  cols=\"200,*\"")) ||
                text.contains(QStringLiteral("<FRAMESET  cols=200,*")))
        << text.toStdString();

    // A press inside a pane, or a drag beyond the far pane, moves no bar.
    dragFirstBar(5000);
    EXPECT_EQ(panes()[0]->width(), 200);
}

TEST_F(FramesetPanes, ClosingAsksEachChangedFramePageThenSavesTheFramesetPage)
{
    const QString path = copyFrameset();
    ASSERT_NE(open(path), nullptr);
    child()->resize(900, 700);
    settle();
    dragFirstBar(50);
    typeInto(panes()[2], QStringLiteral("追加の文"));
    const QByteArray menu = readFile(dir.filePath(QStringLiteral("menu.html")));

    responder.answerMessageBox(platform::IDYES, QStringLiteral("main.html"));
    responder.answerMessageBox(platform::IDYES, QStringLiteral("frameset.html"));
    child()->close();
    settle();
    EXPECT_EQ(responder.pending(), 0);
    EXPECT_EQ(responder.runs().size(), 2);
    EXPECT_EQ(app->docTemplate()->documentCount(), 0);

    EXPECT_TRUE(QString::fromUtf8(readFile(dir.filePath(QStringLiteral("main.html")))).contains("追加の文"));
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("menu.html"))), menu);
    const QString saved = QString::fromUtf8(readFile(path));
    EXPECT_TRUE(saved.contains(QStringLiteral("cols=\"200,*\"")) || saved.contains(QStringLiteral("cols=200,*")))
        << saved.toStdString();
    EXPECT_TRUE(saved.contains(QStringLiteral("src=\"menu.html\""))) << saved.toStdString();
    EXPECT_TRUE(saved.contains(QStringLiteral("noresize")));

    // Opened and saved again, the frameset page keeps its text.
    ASSERT_NE(open(path), nullptr);
    ASSERT_EQ(panes().size(), 3);
    EXPECT_EQ(panes()[0]->GetDocument()->pathName(), dir.filePath(QStringLiteral("menu.html")));
    framesetDocument()->m_bPageChanged = true;
    responder.answerMessageBox(platform::IDYES, QStringLiteral("frameset.html"));
    child()->close();
    settle();
    EXPECT_EQ(QString::fromUtf8(readFile(path)), saved);
}

TEST_F(FramesetPanes, CancellingAFramePageQuestionKeepsEverythingOpen)
{
    ASSERT_NE(open(copyFrameset()), nullptr);
    typeInto(panes()[1], QStringLiteral("変更"));
    int outline = 0;
    responder.onMessageBox([&](QDialog& box) {
        // While the frame pages are asked, the frame-save mode thickens the outline.
        outline = frame().m_nFramesetSaveMode;
        platform::ModalResponder::press(box, platform::IDCANCEL);
    });
    child()->close();
    settle();
    EXPECT_EQ(outline, 1);
    EXPECT_EQ(frame().m_nFramesetSaveMode, 0);
    ASSERT_NE(child(), nullptr);
    EXPECT_EQ(panes().size(), 3);
    EXPECT_EQ(app->docTemplate()->documentCount(), 4);
}

TEST_F(FramesetPanes, AMissingOrAbsentFramePageBecomesANewFrameAndNothingIsWritten)
{
    const QString path =
        writeFile(QStringLiteral("set.html"), "<HTML><HEAD><TITLE>組</TITLE></HEAD><FRAMESET rows=\"100,*\">"
                                              "<FRAME src=\"gone.html\" name=a><FRAME name=b></FRAMESET></HTML>");
    const QByteArray before = readFile(path);
    ASSERT_NE(open(path), nullptr);
    ASSERT_EQ(panes().size(), 2);
    for (CZQView* pane : panes()) {
        EXPECT_TRUE(pane->GetDocument()->pathName().isEmpty());
        EXPECT_TRUE(pane->GetDocument()->GetDisplayName().startsWith(QStringLiteral("Frame")));
    }
    EXPECT_NE(panes()[0]->GetDocument()->GetDisplayName(), panes()[1]->GetDocument()->GetDisplayName());
    // Changed, but written only when the user says so.
    EXPECT_TRUE(framesetDocument()->m_bPageChanged);
    EXPECT_EQ(readFile(path), before);

    const QString templatePath = platform::resolveCaseBlind(frame().m_strInstallFolder, QStringLiteral("Bin/ULO.html"));
    const QByteArray templateBytes = readFile(templatePath);
    // The new frame pages have no file yet: each is asked, then the frameset page.
    responder.answerMessageBox(platform::IDNO, QStringLiteral("Frame"));
    responder.answerMessageBox(platform::IDNO, QStringLiteral("Frame"));
    responder.answerMessageBox(platform::IDNO, QStringLiteral("set.html"));
    child()->close();
    settle();
    EXPECT_EQ(responder.pending(), 0);
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(readFile(templatePath), templateBytes);
}

TEST_F(FramesetPanes, AFramePageThatIsAFramesetShowsAsAPageWithoutPanesOfItsOwn)
{
    writeFile(QStringLiteral("inner.html"), "<HTML><FRAMESET cols=\"50%,*\"><FRAME src=a.html><FRAME src=b.html>"
                                            "</FRAMESET></HTML>");
    writeFile(QStringLiteral("a.html"), "<HTML><BODY>a</BODY></HTML>");
    const QString path =
        writeFile(QStringLiteral("outer.html"), "<HTML><FRAMESET cols=\"50%,*\"><FRAME src=\"inner.html\">"
                                                "<FRAME src=\"outer.html\"></FRAMESET></HTML>");
    const QByteArray before = readFile(path);
    ASSERT_NE(open(path), nullptr);
    int frames = 0;
    CountFrameNodes(child()->frameTree().root.get(), &frames);
    EXPECT_EQ(frames, 2);
    ASSERT_EQ(panes().size(), 2);
    EXPECT_EQ(area()->findChildren<CZQView*>().size(), 3); // the hidden frameset view and two panes
    // The frameset page itself is shown, never taken as the pane's file.
    EXPECT_TRUE(panes()[1]->GetDocument()->pathName().isEmpty());
    EXPECT_EQ(readFile(path), before);
}

TEST_F(FramesetPanes, CloseAllClosesAnUnchangedFramesetPageWithoutAsking)
{
    ASSERT_NE(open(copyFrameset()), nullptr);
    ASSERT_NE(openPage(QStringLiteral("plain.html"), "<HTML><BODY><P>x</P></BODY></HTML>"), nullptr);
    frame().OnFileCloseAll();
    settle();
    EXPECT_EQ(app->docTemplate()->documentCount(), 0);
    // Nothing was changed: nothing is asked.
    EXPECT_EQ(responder.runs().size(), 0);
}

TEST_F(FramesetPanes, AFramesetFileChangedOutsideOpensAgainWhole)
{
    const QString path = copyFrameset();
    ASSERT_NE(open(path), nullptr);
    const QByteArray changed = QString::fromUtf8(readFile(path)).replace("150,*", "300,*").toUtf8();
    writeFile(QStringLiteral("frameset.html"), changed);
    framesetDocument()->m_timeFile = QFileInfo(path).lastModified().addSecs(-10);

    responder.answerMessageBox(platform::IDYES, QStringLiteral("frameset.html"));
    frame().OnActivateApp();
    settle();
    EXPECT_EQ(responder.pending(), 0);
    ASSERT_NE(child(), nullptr);
    ASSERT_TRUE(child()->HasFrameset());
    EXPECT_EQ(child()->frameTree().root->m_pFirstChild->m_strSize, QStringLiteral("300"));
    EXPECT_EQ(app->docTemplate()->documentCount(), 4);
}

} // namespace

namespace {

// A picture of the frameset page in its panes, for people to look at; CTest
// runs it under Xvfb and writes screenshots/frameset-panes.png.
TEST(FramesetScreenshot, AFramesetPageInItsPanes)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    QTemporaryDir dir;
    for (const char* name : {"frameset.html", "menu.html", "top.html", "main.html"})
        ASSERT_TRUE(QFile::copy(pagesFolder() + QString::fromLatin1(name), dir.filePath(QString::fromLatin1(name))));
    std::unique_ptr<CZQApp> app = StartProgramWithoutGuide();
    ASSERT_NE(app, nullptr);
    app->mainFrame()->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(app->OpenDocumentFile(dir.filePath(QStringLiteral("frameset.html"))));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app->mainFrame(), 60000));
    CChildFrame* child = app->mainFrame()->GetActiveChild();
    ASSERT_NE(child, nullptr);
    child->showMaximized();
    QTest::qWait(300);
    ASSERT_TRUE(child->HasFrameset());
    app->m_bCommandRan = true;
    app->OnIdle();
    QCoreApplication::processEvents();
    SaveReviewPicture(app->mainFrame()->grab().toImage(), QStringLiteral("frameset-panes.png"));
}

} // namespace
