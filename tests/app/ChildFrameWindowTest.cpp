// The page window around the views: the page bars it carries while it is
// the active one, its caption, its show state for the next page, the panes
// of a frameset page in its views, and the status panes of the page.

#include "ChildFramePages.h"

#include "app/Vorna_Preview.h"
#include "app/VornaHTMLViewer.h"
#include "chrome/ULOToolBar.h"
#include "editor/CImpIDispatch.h"
#include "frames/VornaFrameSet.h"
#include "res/resource.h"

#include "engine/editing/Selection.h"

#include "platform/CmdUI.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QImage>
#include <QMainWindow>
#include <QUrl>

namespace {

constexpr int kPreview = 32869;
constexpr int kEdit = 32870;
constexpr int kSource = 33183;

class ChildFrameWindowTest : public ChildFramePages
{
protected:
    ULOToolBar* bar(int id) { return frame().toolBar(id); }
    bool shown(int id) { return bar(id)->isVisibleTo(&frame()); }
    QString paneText(int id)
    {
        app->commands()->updateCommand(id);
        QAction* action = app->commands()->action(id);
        return action->isEnabled() ? action->text() : QString();
    }
};

TEST_F(ChildFrameWindowTest, ThePageBarsLiveInTheActivePageWindowAsTheUserLeftThem)
{
    ASSERT_NE(openPage(QStringLiteral("a.html"), "<HTML><BODY></BODY></HTML>"), nullptr);
    CChildFrame* first = child();
    EXPECT_EQ(bar(603)->parentWidget(), first->innerWindow());
    EXPECT_TRUE(shown(603));
    EXPECT_FALSE(shown(610));
    send(32867); // the user hides the table bar
    EXPECT_FALSE(shown(607));

    // The preview has the browser bar only; editing gets back what it had.
    send(kPreview);
    EXPECT_FALSE(shown(603));
    EXPECT_TRUE(shown(610));
    send(kEdit);
    EXPECT_TRUE(shown(603));
    EXPECT_FALSE(shown(607));
    EXPECT_FALSE(shown(610));
    // The source has none of them.
    send(kSource);
    EXPECT_FALSE(shown(603));
    send(kEdit);

    // Another page takes the bars with the same layout; the hidden one stays hidden.
    first->innerWindow()->addToolBar(Qt::LeftToolBarArea, bar(606));
    ASSERT_NE(openPage(QStringLiteral("b.html"), "<HTML><BODY></BODY></HTML>"), nullptr);
    CChildFrame* second = child();
    ASSERT_NE(second, first);
    EXPECT_EQ(bar(603)->parentWidget(), second->innerWindow());
    EXPECT_EQ(second->innerWindow()->toolBarArea(bar(606)), Qt::LeftToolBarArea);
    EXPECT_TRUE(shown(603));
    EXPECT_FALSE(shown(607));
    EXPECT_TRUE(first->innerWindow()->findChildren<ULOToolBar*>().isEmpty());

    // A layout that names a bar this window lacks is not taken.
    EXPECT_FALSE(second->IsDockStateValid(QByteArray("garbage")));
    EXPECT_TRUE(second->IsDockStateValid(second->SaveDockState()));

    // With no page left the bars are the main frame's again, hidden.
    frame().OnFileCloseAll();
    EXPECT_EQ(bar(603)->parentWidget(), &frame());
    EXPECT_FALSE(shown(603));
    // The next page has them as the user left them, however the last page went.
    ASSERT_NE(openPage(QStringLiteral("c.html"), "<HTML><BODY></BODY></HTML>"), nullptr);
    EXPECT_TRUE(shown(603));
    EXPECT_FALSE(shown(607));
    child()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(openPage(QStringLiteral("d.html"), "<HTML><BODY></BODY></HTML>"), nullptr);
    EXPECT_TRUE(shown(603));
    EXPECT_TRUE(shown(605));
    EXPECT_FALSE(shown(607));
}

TEST_F(ChildFrameWindowTest, TheCaptionIsTheTitleInQuotesAndTheName)
{
    ASSERT_NE(openPage(QStringLiteral("index.html"), "<HTML><HEAD><TITLE>Home</TITLE></HEAD><BODY></BODY></HTML>"),
              nullptr);
    EXPECT_EQ(child()->windowTitle(), QStringLiteral("\"Home\" - index.html"));
    view()->SetDocumentTitle(QStringLiteral("家"));
    EXPECT_EQ(child()->windowTitle(), QStringLiteral("\"家\" - index.html"));
    EXPECT_EQ(child()->GetTitleText(), child()->windowTitle());
    // The caption's icon is the page icon of the resources.
    const QImage pageIcon(QStringLiteral(":/res/icons/%1.png").arg(IDI_SITE_PAGE));
    ASSERT_FALSE(pageIcon.isNull());
    EXPECT_EQ(child()->windowIcon().pixmap(16).toImage().convertToFormat(pageIcon.format()), pageIcon);
    // Filling the main window, the page names itself in the main window's title.
    ASSERT_TRUE(child()->isMaximized());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Vorna-Paginor 2002 - [\"家\" - index.html]"));
    child()->showNormal();
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Vorna-Paginor 2002"));
    child()->showMaximized();

    // A new page whose template has an empty title.
    ASSERT_TRUE(app->OpenDocumentFile(QString()));
    QCoreApplication::processEvents();
    EXPECT_TRUE(child()->windowTitle().endsWith(QStringLiteral("\" - ULO1"))) << qPrintable(child()->windowTitle());
    EXPECT_TRUE(child()->windowTitle().startsWith(QLatin1Char('"')));
    responder.answerMessageBox(platform::IDNO); // the retitled page is not kept
    frame().OnFileCloseAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Vorna-Paginor 2002"));
}

TEST_F(ChildFrameWindowTest, APageClosedMaximisedBringsTheNextOneMaximised)
{
    ASSERT_NE(openPage(QStringLiteral("a.html"), "<HTML></HTML>"), nullptr);
    EXPECT_TRUE(child()->isMaximized());
    child()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(child(), nullptr);
    ASSERT_NE(openPage(QStringLiteral("b.html"), "<HTML></HTML>"), nullptr);
    EXPECT_TRUE(child()->isMaximized());
    child()->showNormal();
    child()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(openPage(QStringLiteral("c.html"), "<HTML></HTML>"), nullptr);
    EXPECT_FALSE(child()->isMaximized());
    // Maximised pages again; the one behind, closed last, goes as they are.
    child()->showMaximized();
    view()->SetDocumentTitle(QStringLiteral("changed")); // asked about, so brought to the front
    ASSERT_NE(openPage(QStringLiteral("d.html"), "<HTML></HTML>"), nullptr);
    responder.answerMessageBox(platform::IDNO);
    frame().OnFileCloseAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(responder.pending(), 0);
    ASSERT_NE(openPage(QStringLiteral("e.html"), "<HTML></HTML>"), nullptr);
    EXPECT_TRUE(child()->isMaximized());
    frame().OnFileCloseAll();
}

TEST_F(ChildFrameWindowTest, AFramesetPagePreviewsAPagePerFrameInTreeOrder)
{
    ASSERT_NE(openPage(QStringLiteral("index.html"),
                       "<HTML><HEAD><TITLE>f</TITLE></HEAD><FRAMESET cols=\"30%,*\"></FRAMESET></HTML>"),
              nullptr);
    CChildFrame* window = child();
    CZQView* framesetView = view();
    FrameTree& tree = window->frameTree();
    std::vector<CZQView*> panes;
    const auto node = [&](const char* kind, const QString& page) {
        auto made = std::make_unique<VornaFrameSet>();
        made->SetKind(QString::fromLatin1(kind));
        if (!page.isEmpty()) {
            auto* document = new CZQDoc();
            document->setPathName(writeFile(page, "<HTML><BODY><DIV id=x>" + page.toUtf8() + "</DIV></BODY></HTML>"),
                                  false);
            auto* pane = new CZQView(document, framesetView->parentWidget());
            pane->show();
            pane->EnsureEngine();
            made->m_pView = pane;
            made->SetSrc(page);
            panes.push_back(pane);
        }
        return made;
    };
    // menu | (top / main)
    tree.root = node("FRAMESET", QString());
    tree.root->m_strSplit = QStringLiteral("cols");
    tree.root->m_pView = framesetView;
    tree.rootView = framesetView;
    VornaFrameSet* root = tree.root.get();
    root->m_pFirstChild = node("FRAME", QStringLiteral("menu.html"));
    root->m_pFirstChild->m_pParent = root;
    VornaFrameSet* menu = root->m_pFirstChild.get();
    menu->m_pNext = node("FRAMESET", QString());
    VornaFrameSet* right = menu->m_pNext.get();
    right->m_pParent = root;
    right->m_pPrev = menu;
    right->m_pFirstChild = node("FRAME", QStringLiteral("top.html"));
    right->m_pFirstChild->m_pParent = right;
    right->m_pFirstChild->m_pNext = node("FRAME", QStringLiteral("main.html"));
    right->m_pFirstChild->m_pNext->m_pParent = right;
    right->m_pFirstChild->m_pNext->m_pPrev = right->m_pFirstChild.get();
    QCoreApplication::processEvents();

    send(kPreview);
    ASSERT_TRUE(window->m_bPreviewShown);
    EXPECT_EQ(window->m_nTempFramePages, 3);
    const QStringList names = {QStringLiteral("menu"), QStringLiteral("top"), QStringLiteral("main")};
    for (int n = 1; n <= 3; ++n) {
        const QByteArray written = readFile(CChildFrame::TempPagePath(dir.path(), n));
        EXPECT_TRUE(written.contains(">" + names[n - 1].toUtf8() + ".html</DIV>")) << n << written.constData();
    }
    const QString frameset = QString::fromUtf8(readFile(tempPage()));
    EXPECT_LT(frameset.indexOf(QStringLiteral("VornaPreview~1.html")),
              frameset.indexOf(QStringLiteral("VornaPreview~3.html")));
    EXPECT_TRUE(frameset.contains(QStringLiteral("VornaPreview~2.html")));
    for (CZQView* pane : panes)
        EXPECT_TRUE(pane->isHidden());

    send(kEdit);
    for (int n = 0; n <= 3; ++n)
        EXPECT_FALSE(QFileInfo::exists(CChildFrame::TempPagePath(dir.path(), n))) << n;
    for (CZQView* pane : panes)
        EXPECT_FALSE(pane->isHidden());
    tree.rootView = nullptr;
    tree.clear();
}

TEST_F(ChildFrameWindowTest, TheStatusPanesShowThePlaceAndSizeOfAnObjectAndTheTypingMode)
{
    ASSERT_NE(openPage(QStringLiteral("a.html"),
                       "<HTML><BODY><IMG id=i src=x.gif style=\"POSITION: absolute; LEFT: 30px; TOP: 40px; "
                       "WIDTH: 50px; HEIGHT: 60px\"></BODY></HTML>"),
              nullptr);
    page()->selection().setControlRange({page()->getElementById(QStringLiteral("i"))});
    view()->GetSink()->UpdateSelectionState();
    EXPECT_EQ(paneText(41871), QStringLiteral("x : 30  y : 40"));
    EXPECT_EQ(paneText(41872), QStringLiteral("width : 50  height : 60"));
    EXPECT_EQ(paneText(57678), QStringLiteral("INS"));
    frame().m_bOverwrite = true;
    EXPECT_EQ(paneText(57678), QStringLiteral("MOD"));

    // Nothing selected and the mouse elsewhere: a blank.
    page()->selection().empty();
    view()->GetSink()->UpdateSelectionState();
    QCursor::setPos(view()->mapToGlobal(QPoint(-50, -50)));
    EXPECT_EQ(paneText(41871), QStringLiteral(" "));
    EXPECT_EQ(paneText(41872), QStringLiteral(" "));

    // The preview has no places, sizes or typing.
    send(kPreview);
    EXPECT_EQ(paneText(41871), QString());
    EXPECT_EQ(paneText(41872), QString());
    EXPECT_EQ(paneText(57678), QString());
}

TEST_F(ChildFrameWindowTest, ThePreviewCountsItsOwnHistory)
{
    Vorna_Preview preview;
    EXPECT_EQ(preview.GetLocationURL(), QString());
    preview.Navigate(QStringLiteral("/a.html"));
    preview.Navigate(QStringLiteral("/b.html"));
    preview.Navigate(QStringLiteral("/c.html"));
    const auto enabled = [&preview](int id) {
        platform::CmdUI ui(id);
        preview.runUpdate(ui);
        return ui.isEnabled();
    };
    EXPECT_EQ(preview.m_nHistoryPos, 3);
    EXPECT_TRUE(enabled(33184));
    EXPECT_FALSE(enabled(33185));
    preview.runCommand(33184);
    preview.runCommand(33184);
    EXPECT_EQ(preview.m_nHistoryPos, 1);
    EXPECT_FALSE(enabled(33184)); // the first page
    EXPECT_TRUE(enabled(33185));
    preview.runCommand(33185);
    EXPECT_EQ(preview.m_nHistoryPos, 2);
    EXPECT_EQ(preview.m_nHistoryEnd, 3);
    // A new page after going back ends the history there.
    preview.Navigate(QStringLiteral("/d.html"));
    EXPECT_EQ(preview.m_nHistoryEnd, 3);
    EXPECT_FALSE(enabled(33185));
}

TEST_F(ChildFrameWindowTest, TheViewerShowsFragmentsThroughItsTemporaryPage)
{
    QWidget dialog;
    VornaHTMLViewer viewer;
    ASSERT_TRUE(viewer.CreateViewer(QRect(0, 0, 200, 100), &dialog));
    EXPECT_EQ(viewer.m_rcPage, QRect(20, 20, 160, 60));
    viewer.ShowImage(QStringLiteral("/pics/a.gif"));
    const QString temp = viewer.GetLocationURL();
    EXPECT_TRUE(temp.endsWith(QStringLiteral("Bin/VornaPreviewTemp~.html"))) << qPrintable(temp);
    const QByteArray text = readFile(temp);
    EXPECT_TRUE(
        text.contains("<BODY oncontextmenu=\"return false\" onselectstart=\"return false\" scroll=no>"
                      "<IMG src=\"/pics/a.gif\" style=\"POSITION: absolute; LEFT: 0px; TOP: 0px\">\n\r</BODY>"));
    EXPECT_TRUE(text.startsWith("<!DOCTYPE HTML PUBLIC"));
    // The temporary page goes with the window.
    delete viewer.m_pView;
    viewer.m_pView = nullptr;
    EXPECT_FALSE(QFileInfo::exists(temp));
}

// The files handed to the desktop to open.
class OpenedFiles : public QObject
{
    Q_OBJECT
public:
    OpenedFiles() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~OpenedFiles() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QStringList paths;

public slots:
    void open(const QUrl& url) { paths.append(url.toLocalFile()); }
};

TEST_F(ChildFrameWindowTest, TheBrowserPreviewWritesThePageInItsFolderOrTheInstallFolder)
{
    ASSERT_NE(openPage(QStringLiteral("a.html"), "<HTML><BODY><DIV id=x>x</DIV></BODY></HTML>"), nullptr);
    EXPECT_EQ(frame().GetPreviewFolder(), dir.path());
    {
        OpenedFiles desktop;
        send(33400);
        EXPECT_EQ(desktop.paths, QStringList{tempPage()});
    }
    EXPECT_TRUE(readFile(tempPage()).contains("id=x"));
    // A desktop that opens nothing: the user is told.
    responder.answerMessageBox(platform::IDOK, QStringLiteral("VornaPreview~.html"));
    send(33400);
    EXPECT_EQ(responder.pending(), 0);
    // A new page without a web: the install folder.
    ASSERT_TRUE(app->OpenDocumentFile(QString()));
    QCoreApplication::processEvents();
    EXPECT_EQ(frame().GetPreviewFolder(), frame().m_strInstallFolder);
    // A new page made from a file: that file's folder.
    document()->m_strSourcePath = dir.filePath(QStringLiteral("sub/b.html"));
    EXPECT_EQ(frame().GetPreviewFolder(), dir.filePath(QStringLiteral("sub")));
}

} // namespace

#include "ChildFrameWindowTest.moc"
