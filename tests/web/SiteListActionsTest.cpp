// The site list's actions in the running program with a web open: renames
// and title edits of open pages, links rewritten across the web, BODY
// attributes for every page, opening rows, and rows dragged onto the page.
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "app/PageLoadCompletion.h"
#include "controls/CListEditCtrl.h"
#include "editor/CImpIDispatch.h"
#include "editor/sink/RubberBandOverlay.h"
#include "frames/VornaFrameSet.h"
#include "res/resource.h"
#include "util/FileHelpers.h"
#include "util/PageDom.h"
#include "util/StringResources.h"
#include "web/CVornaSiteGridCtrl.h"
#include "web/SitePageOperations.h"
#include "web/VornaDialogSiteManagerPage1.h"
#include "web/VornaDialogSiteManagerSheet.h"

#include "../app/ProgramStart.h"
#include "support/ReviewPicture.h"
#include "support/TestFiles.h"

#include "engine/dom/Document.h"
#include "engine/dom/Element.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"
#include "platform/CodePages.h"
#include "platform/CommandRegistry.h"
#include "platform/DataRoot.h"
#include "platform/DocTemplate.h"
#include "platform/ModalResponder.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using platform::ModalResponder;

QByteArray pageBytes(const QString& title, const QString& body, const char* charset = "UTF-8")
{
    const QString html = QStringLiteral("<HTML><HEAD><META http-equiv=\"Content-Type\" content=\"text/html; "
                                        "charset=%1\"><TITLE>%2</TITLE></HEAD><BODY>%3</BODY></HTML>")
                             .arg(QString::fromLatin1(charset), title, body);
    return platform::encodeText(html, QString::fromLatin1(charset));
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

class SiteListActionsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VornaDialogSiteManagerSheet::setTutorialViewFactory([](QWidget* parent) { return new QWidget(parent); });
        app = StartProgramWithoutGuide();
        ASSERT_NE(app, nullptr);
        web = platform::webRoot() + "/site";
        ASSERT_TRUE(writeTestFile(
            web + "/index.html",
            pageBytes(QStringLiteral("ホーム"),
                      "<TABLE id=text style=\"position:absolute;left:10px;top:200px\">"
                      "<TR><TD><SPAN id=word>目次</SPAN> <A href=\"sub/a.html\">sub</A> <A href=\"a.html\">top</A>"
                      "</TD></TR></TABLE><IMG src=\"image/a.gif\"><IMG src=\"image/aa.gif\">"
                      "<IMG src=\"image/A.GIF\">",
                      "EUC-JP")));
        ASSERT_TRUE(writeTestFile(web + "/a.html", pageBytes("Top A", "<A href=\"sub/a.html#part\">x</A>")));
        ASSERT_TRUE(writeTestFile(web + "/sub/a.html", pageBytes("Sub A", "<A href=\"../a.html\">up</A>")));
        ASSERT_TRUE(writeTestFile(web + "/other.html",
                                  pageBytes(QStringLiteral("その他"), "<A href=\"sub/a.html\">s</A>", "Shift_JIS")));
        ASSERT_TRUE(writeTestFile(web + "/image/a.gif", "GIF89a"));
        ASSERT_TRUE(writeTestFile(web + "/image/aa.gif", "GIF89a"));
    }
    void TearDown() override
    {
        // Pages the operations left changed close without a question.
        if (app) {
            for (platform::Document* document : app->docTemplate()->documents()) {
                if (auto* page = qobject_cast<CZQDoc*>(document))
                    page->m_bPageChanged = false;
            }
        }
        app.reset();
        VornaDialogSiteManagerSheet::setTutorialViewFactory(nullptr);
        // The web folder is shared by the tests of one run.
        QDir(web).removeRecursively();
    }
    CMainFrame& frame() { return *app->mainFrame(); }
    VornaDialogSiteManagerPage1& sitePage() { return *frame().siteManagerSheet()->sitePage(); }
    CVornaSiteGridCtrl& list() { return *sitePage().siteList(); }
    void openWeb()
    {
        if (!frame().isVisible())
            frame().show();
        frame().m_recentWebs = QStringList({"site", QString(), QString(), QString()});
        app->commands()->updateCommand(ID_RECENT_WEB_FIRST);
        app->commands()->sendCommand(ID_RECENT_WEB_FIRST);
        settle();
    }
    CZQDoc* open(const QString& file)
    {
        if (!app->OpenDocumentFile(web + "/" + file))
            return nullptr;
        settle();
        return FindOpenDocument(web + "/" + file);
    }
    engine::Document* pageOf(CZQDoc* document)
    {
        return document && document->GetView() ? document->GetView()->GetHtmlDocument() : nullptr;
    }
    QStringList values(CZQDoc* document, const char* tag, const char* attribute)
    {
        QStringList found;
        if (engine::Document* page = pageOf(document)) {
            for (const auto& element : page->getElementsByTagName(QString::fromLatin1(tag)).toVector())
                found << element->getAttributeText(QString::fromLatin1(attribute));
        }
        return found;
    }
    void edit(const QString& path, int column, const QString& text)
    {
        const int row = sitePage().FindFileRow(path);
        ASSERT_GE(row, 0) << path.toStdString();
        // The list edits in a shown window; a message box before took the activation along.
        if (!frame().isVisible())
            frame().show();
        QApplication::setActiveWindow(&frame());
        list().SelectOnly(row);
        list().m_nLastRow = row;
        list().m_nLastCol = column;
        list().EditCell(row, column);
        auto* box = list().findChild<CListEditCtrl*>();
        ASSERT_NE(box, nullptr);
        box->setText(text);
        QTest::keyClick(box, Qt::Key_Return);
        settle();
    }

    std::unique_ptr<CZQApp> app;
    QString web;
};

TEST_F(SiteListActionsTest, RenamingAnOpenPageSavesItAndRelinksOnlyLinksToThatFile)
{
    openWeb();
    CZQDoc* renamed = open("sub/a.html");
    CZQDoc* index = open("index.html");
    ASSERT_NE(renamed, nullptr);
    ASSERT_NE(index, nullptr);
    const int before = app->docTemplate()->documentCount();
    ModalResponder responder;
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_SITE_CHANGED_RELINK));
    edit("sub/a.html", 0, "b.html");

    // The open page now is sub/b.html; the old file is gone, the namesake stays.
    EXPECT_EQ(renamed->pathName(), web + "/sub/b.html");
    EXPECT_TRUE(QFile::exists(web + "/sub/b.html"));
    EXPECT_FALSE(QFile::exists(web + "/sub/a.html"));
    EXPECT_TRUE(QFile::exists(web + "/a.html"));
    EXPECT_GT(sitePage().FindFileRow("sub/b.html"), 0);
    // Under its new name it is new to the server: publishing the modified files sends it.
    ASSERT_NE(sitePage().GetModifiedFiles(), nullptr);
    EXPECT_TRUE(sitePage().GetModifiedFiles()->contains("sub/b.html"));
    EXPECT_FALSE(sitePage().GetModifiedFiles()->contains("sub/a.html"));
    // Links leading to sub/a.html follow, in open pages and in pages opened for it.
    EXPECT_EQ(values(index, "A", "href"), QStringList({"sub/b.html", "a.html"}));
    CZQDoc* other = FindOpenDocument(web + "/other.html");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(values(other, "A", "href"), QStringList({"sub/b.html"}));
    EXPECT_EQ(values(FindOpenDocument(web + "/a.html"), "A", "href"), QStringList({"sub/b.html#part"}));
    EXPECT_EQ(values(renamed, "A", "href"), QStringList({"../a.html"}));
    EXPECT_TRUE(other->isModified());
    EXPECT_GT(app->docTemplate()->documentCount(), before);
    // The page window active before the edit is active again.
    EXPECT_EQ(app->GetActiveView()->GetDocument(), index);
    // Its file is written at the user's save only: the bytes on disk are as they were.
    EXPECT_EQ(readAll(web + "/other.html"),
              pageBytes(QStringLiteral("その他"), "<A href=\"sub/a.html\">s</A>", "Shift_JIS"));
}

TEST_F(SiteListActionsTest, ReplacingLinksOpensClosedPagesAndLeavesTheLastOneActive)
{
    openWeb();
    CZQDoc* index = open("index.html");
    open("a.html");
    open("sub/a.html");
    ASSERT_EQ(FindOpenDocument(web + "/other.html"), nullptr);
    ReplaceLinksInSitePages("a.gif", "b.gif", 0);
    settle();
    // By the name's ending: the whole value or after "/", exactly.
    EXPECT_EQ(values(index, "IMG", "src"), QStringList({"image/b.gif", "image/aa.gif", "image/A.GIF"}));
    EXPECT_EQ(app->GetActiveView()->GetDocument()->GetDisplayName(), "other.html");
}

TEST_F(SiteListActionsTest, AnImageRenamedKeepsLinksToOtherFilesThatEndAlike)
{
    openWeb();
    CZQDoc* index = open("index.html");
    ModalResponder responder;
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_SITE_CHANGED_RELINK));
    edit("image/a.gif", 0, "b.gif");
    EXPECT_TRUE(QFile::exists(web + "/image/b.gif"));
    EXPECT_EQ(values(index, "IMG", "src"), QStringList({"image/b.gif", "image/aa.gif", "image/A.GIF"}));
}

TEST_F(SiteListActionsTest, AFramePageRenamedRewritesItsFramesetPageClosedOrOpen)
{
    ASSERT_TRUE(writeTestFile(web + "/top.html", "<HTML><HEAD><TITLE>Frames</TITLE></HEAD><FRAMESET cols=\"30%,*\">"
                                                 "<FRAME src=\"menu.html\" name=\"m\"><FRAME src=\"a.html\" "
                                                 "name=\"b\"></FRAMESET></HTML>"));
    ASSERT_TRUE(writeTestFile(web + "/menu.html", pageBytes("Menu", "m")));
    openWeb();
    ASSERT_EQ(list().GetItemKind(sitePage().FindFileRow("menu.html")), 1);
    ModalResponder responder;
    // Closed: the frameset file is rewritten.
    responder.answerMessageBox(platform::IDNO, LoadResString(IDS_SITE_CHANGED_RELINK));
    edit("menu.html", 0, "nav.html");
    EXPECT_TRUE(readAll(web + "/top.html").contains("src=\"nav.html\""));
    EXPECT_TRUE(QFile::exists(web + "/nav.html"));

    // The frameset page renamed while closed: its frames hang under the new name.
    responder.answerMessageBox(platform::IDNO, LoadResString(IDS_SITE_CHANGED_RELINK));
    edit("top.html", 0, "frames.html");
    EXPECT_EQ(list().GetItemTag(sitePage().FindFileRow("nav.html")), "frames.html");

    // Open: the frame page and then its frameset page are saved.
    CZQDoc* top = open("frames.html");
    ASSERT_NE(top, nullptr);
    CChildFrame* child = top->GetView()->GetParentFrame();
    ASSERT_TRUE(child->HasFrameset());
    ASSERT_NE(FindOpenDocument(web + "/nav.html"), nullptr);
    ASSERT_TRUE(list().Reload());
    responder.answerMessageBox(platform::IDNO, LoadResString(IDS_SITE_CHANGED_RELINK));
    edit("nav.html", 0, "left.html");
    EXPECT_TRUE(QFile::exists(web + "/left.html"));
    EXPECT_FALSE(QFile::exists(web + "/nav.html"));
    const QByteArray frameset = readAll(web + "/frames.html");
    EXPECT_TRUE(frameset.contains("left.html")) << frameset.constData();
    EXPECT_FALSE(frameset.contains("nav.html"));

    // The open frameset page renamed: saved under the new name, its frames under it.
    responder.answerMessageBox(platform::IDNO, LoadResString(IDS_SITE_CHANGED_RELINK));
    edit("frames.html", 0, "site.html");
    EXPECT_EQ(top->pathName(), web + "/site.html");
    EXPECT_TRUE(readAll(web + "/site.html").contains("left.html"));
    EXPECT_FALSE(QFile::exists(web + "/frames.html"));
    EXPECT_EQ(list().GetItemTag(sitePage().FindFileRow("left.html")), "site.html");
}

TEST_F(SiteListActionsTest, ATitleEditChangesTheOpenPageAndLeavesItsFile)
{
    openWeb();
    CZQDoc* index = open("index.html");
    ASSERT_NE(index, nullptr);
    const QByteArray file = readAll(web + "/index.html");
    edit("index.html", 1, QStringLiteral("新しい題"));
    EXPECT_EQ(index->GetView()->GetDocumentTitle(), QStringLiteral("新しい題"));
    EXPECT_TRUE(index->isModified());
    EXPECT_EQ(readAll(web + "/index.html"), file);
    EXPECT_EQ(list().GetItemText(sitePage().FindFileRow("index.html"), 1), QStringLiteral("新しい題"));
    // Another file of the same name elsewhere is a closed page: its file is written.
    edit("sub/a.html", 1, "Sub title");
    EXPECT_TRUE(readAll(web + "/sub/a.html").contains("<TITLE>Sub title</TITLE>"));
    EXPECT_EQ(FindOpenDocument(web + "/sub/a.html"), nullptr);
}

TEST_F(SiteListActionsTest, BodyAttributesGoToEveryPageAndTheActiveWindowComesBack)
{
    ASSERT_TRUE(writeTestFile(web + "/top.html",
                              "<HTML><HEAD><TITLE>Frames</TITLE></HEAD><FRAMESET cols=\"30%,*\">"
                              "<FRAME src=\"menu.html\"><FRAME src=\"main.html\"></FRAMESET></HTML>"));
    ASSERT_TRUE(writeTestFile(web + "/menu.html", pageBytes("Menu", "m")));
    ASSERT_TRUE(writeTestFile(web + "/main.html", pageBytes("Main", "m")));
    openWeb();
    CZQDoc* index = open("index.html");
    ASSERT_NE(index, nullptr);
    QMdiSubWindow* active = frame().mdiArea()->activeSubWindow();
    active->showMaximized();
    ApplyBodyAttributesToSitePages("image/wall.gif", "", "", "", "", "");
    settle();

    for (const char* file : {"index.html", "other.html", "sub/a.html", "menu.html", "main.html", "a.html"}) {
        CZQDoc* document = FindOpenDocument(web + "/" + file);
        ASSERT_NE(document, nullptr) << file;
        EXPECT_EQ(values(document, "BODY", "background"), QStringList({"image/wall.gif"})) << file;
        EXPECT_EQ(values(document, "BODY", "bgColor"), QStringList({""})) << file;
    }
    EXPECT_EQ(sitePage().m_strBackground, "image/wall.gif");
    EXPECT_EQ(frame().mdiArea()->activeSubWindow(), active);
    EXPECT_TRUE(active->isMaximized());
    // Once: a page loaded again afterwards keeps what the user made of it.
    CZQView* view = index->GetView();
    EXPECT_FALSE(view->m_bApplyBodyAttributes);
    view->GetHtmlDocument()->body()->setAttribute("background", engine::Variant(QStringLiteral("mine.gif")));
    view->m_bLoadCompleted = false;
    OnPageLoadComplete(view->GetHtmlDocument(), view);
    EXPECT_EQ(values(index, "BODY", "background"), QStringList({"mine.gif"}));
}

TEST_F(SiteListActionsTest, APageStillLoadingGetsTheLinksAndAttributesOnceLoaded)
{
    openWeb();
    CZQDoc* index = open("index.html");
    CZQView* view = index->GetView();
    view->m_bLoadCompleted = false;
    ApplyBodyAttributesToSitePages("", "#ffeedd", "", "", "", "");
    ReplaceLinksInSitePages("a.gif", "c.gif", 0, web + "/image/a.gif");
    view->m_bLoadCompleted = false;
    EXPECT_TRUE(view->m_bApplyBodyAttributes);
    EXPECT_EQ(view->m_pendingLinkRename.oldName, "a.gif");
    EXPECT_EQ(values(index, "BODY", "bgColor"), QStringList({""}));
    OnPageLoadComplete(view->GetHtmlDocument(), view);
    EXPECT_EQ(values(index, "BODY", "bgColor"), QStringList({"#ffeedd"}));
    EXPECT_EQ(values(index, "IMG", "src"), QStringList({"image/c.gif", "image/aa.gif", "image/A.GIF"}));
    EXPECT_FALSE(view->m_bApplyBodyAttributes);
    EXPECT_TRUE(view->m_pendingLinkRename.oldName.isEmpty());
}

TEST_F(SiteListActionsTest, ResetDragModeClearsTheSinksFlagOnlyForItsOwnKinds)
{
    // Without a page: the main frame's state still ends.
    frame().m_bDragPending = true;
    frame().m_nInsertKind = 3;
    frame().m_strInsertImageSrc = "x.gif";
    ResetDragMode();
    EXPECT_FALSE(frame().m_bDragPending);
    EXPECT_EQ(frame().m_nInsertKind, 0);
    EXPECT_TRUE(frame().m_strInsertImageSrc.isEmpty());

    openWeb();
    CImpIDispatch* sink = app->GetActiveView()->GetSink();
    ASSERT_NE(sink, nullptr);
    for (int kind : {1, 2, 3, 10}) {
        sink->m_bInserting = true;
        frame().m_nInsertKind = kind;
        frame().m_strInsertHtml = "<x>";
        ResetDragMode();
        EXPECT_EQ(sink->m_bInserting, kind == 2) << kind;
        EXPECT_EQ(frame().m_nInsertKind, 0);
        EXPECT_TRUE(frame().m_strInsertHtml.isEmpty());
    }
}

TEST_F(SiteListActionsTest, ADoubleClickOpensAPageAndDeleteDeletesTheSelection)
{
    ASSERT_TRUE(writeTestFile(web + "/top.html",
                              "<HTML><HEAD><TITLE>Frames</TITLE></HEAD><FRAMESET cols=\"30%,*\">"
                              "<FRAME src=\"menu.html\"><FRAME src=\"index.html\"></FRAMESET></HTML>"));
    ASSERT_TRUE(writeTestFile(web + "/menu.html", pageBytes("Menu", "m")));
    openWeb();
    const auto doubleClick = [this](int row) {
        list().SelectOnly(row);
        const platform::Rect label = list().GetItemRect(row, LVIR_LABEL);
        const QPoint point(label.left + 4, (label.top + label.bottom) / 2);
        QMouseEvent press(QEvent::MouseButtonDblClick, point, list().viewport()->mapToGlobal(point), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list().viewport(), &press);
        settle();
    };
    const int documents = app->docTemplate()->documentCount();
    doubleClick(sitePage().FindFileRow("other.html"));
    EXPECT_EQ(app->docTemplate()->documentCount(), documents + 1);
    EXPECT_NE(FindOpenDocument(web + "/other.html"), nullptr);
    // A frame page opens in its frameset page, after saying so.
    ModalResponder frames;
    frames.answerMessageBox(platform::IDOK, LoadResString(IDS_SITE_FRAME_DOCUMENT));
    doubleClick(sitePage().FindFileRow("menu.html"));
    EXPECT_NE(FindOpenDocument(web + "/top.html"), nullptr);
    EXPECT_EQ(frames.runs().size(), 1);
    // A folder's row folds, as in every tree.
    const int folder = sitePage().FindFileRow("sub/a.html") - 1;
    ASSERT_EQ(list().GetItemText(folder, 0), "sub");
    const int rows = list().GetItemCount();
    doubleClick(folder);
    EXPECT_EQ(list().GetItemCount(), rows - 1);

    list().SelectOnly(sitePage().FindFileRow("image/aa.gif"));
    ModalResponder responder;
    responder.answerMessageBox(platform::IDYES, LoadResString(IDS_SITE_DELETE_QUESTION));
    QTest::keyClick(&list(), Qt::Key_Delete);
    EXPECT_FALSE(QFile::exists(web + "/image/aa.gif"));
    EXPECT_EQ(sitePage().FindFileRow("image/aa.gif"), -1);
}

// ---- drags ----

class SiteListDragTest : public SiteListActionsTest
{
protected:
    void SetUp() override
    {
        SiteListActionsTest::SetUp();
        ASSERT_TRUE(writeTestFile(web + "/image/photo.png", pngBytes(QSize(60, 40))));
        // Pictures on the page that show as pictures.
        for (const char* name : {"a.gif", "aa.gif"})
            ASSERT_TRUE(writeTestFile(web + "/image/" + name, pngBytes(QSize(24, 24))));
        frame().resize(1200, 900);
        frame().show();
        openWeb();
        QApplication::setActiveWindow(&frame());
        settle();
        view = app->GetActiveView();
        ASSERT_NE(view, nullptr);
        ASSERT_EQ(view->GetDocument()->GetDisplayName(), "index.html");
    }
    static QByteArray pngBytes(QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }
    void mouse(QEvent::Type type, QPoint global, Qt::MouseButtons buttons)
    {
        QWidget* target = list().viewport();
        const QPoint local = target->mapFromGlobal(global);
        QMouseEvent event(type, local, global, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }
    QPoint rowPoint(const QString& path)
    {
        const int row = sitePage().FindFileRow(path);
        const platform::Rect label = list().GetItemRect(row, LVIR_LABEL);
        return list().viewport()->mapToGlobal(QPoint(label.left + 4, (label.top + label.bottom) / 2));
    }
    // A page point of the active view on the screen.
    QPoint screenOf(QPoint pagePoint)
    {
        engine::PageView* page = view->GetPageView();
        return page->viewport()->mapToGlobal(page->clientToView(pagePoint - page->scrollPosition()));
    }
    QRect pageRectOf(engine::Element* element)
    {
        return engine::Geometry(view->GetPageView()->layout()).pageRect(element);
    }
    void startDrag(const QString& path)
    {
        const QPoint from = rowPoint(path);
        list().SelectOnly(sitePage().FindFileRow(path));
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        mouse(QEvent::MouseMove, from + QPoint(0, 30), Qt::LeftButton);
    }
    void drop(QPoint global)
    {
        mouse(QEvent::MouseMove, global, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, global, Qt::NoButton);
        settle();
    }
    engine::Element* first(const char* tag)
    {
        return view->GetHtmlDocument()->getElementsByTagName(QString::fromLatin1(tag)).item(0);
    }

    CZQView* view = nullptr;
};

TEST_F(SiteListDragTest, APageRowDroppedOnAnImageOrACellMakesALink)
{
    // Onto the image: it becomes a link and stays selected.
    engine::Element* image = first("IMG");
    startDrag("other.html");
    EXPECT_EQ(frame().m_strLinkPath, "other.html");
    drop(screenOf(pageRectOf(image).center()));
    EXPECT_EQ(GetTagName(image->parentElement()), "A");
    EXPECT_EQ(image->parentElement()->getAttributeText("href"), "other.html");
    EXPECT_TRUE(view->GetDocument()->isModified());
    EXPECT_TRUE(frame().m_strLinkPath.isEmpty());
    EXPECT_FALSE(frame().m_bDragPending);

    // Onto a table cell: its content becomes one link.
    engine::Element* cell = first("TD");
    startDrag("sub/a.html");
    drop(screenOf(pageRectOf(cell).topLeft() + QPoint(3, 3)));
    EXPECT_TRUE(cell->innerHTML().startsWith("<A href=\"sub/a.html\"", Qt::CaseInsensitive))
        << cell->innerHTML().toStdString();

    // Back onto the list: nothing.
    const QString html = view->GetHtmlDocument()->body()->innerHTML();
    startDrag("a.html");
    drop(rowPoint("index.html"));
    EXPECT_EQ(view->GetHtmlDocument()->body()->innerHTML(), html);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(SiteListDragTest, APageRowDroppedOnSelectedTextInATableLinksTheTextOnlyThere)
{
    const auto linksTo = [this](const QString& href) {
        QStringList texts;
        for (const auto& a : view->GetHtmlDocument()->getElementsByTagName("A").toVector()) {
            if (a->getAttributeText("href") == href)
                texts << a->innerText();
        }
        return texts;
    };
    // Plain page, nothing selected: no link.
    startDrag("other.html");
    drop(screenOf(QPoint(600, 500)));
    EXPECT_TRUE(linksTo("other.html").isEmpty());

    // Text selected in the text box: the drop on its table links it.
    engine::Element* word = view->GetHtmlDocument()->getElementById("word");
    ASSERT_NE(word, nullptr);
    engine::TextRange range(view->GetHtmlDocument());
    range.moveToElementText(word);
    range.select();
    startDrag("other.html");
    // A click on the list leaves the page's selection as it was.
    drop(screenOf(pageRectOf(first("TABLE")).bottomRight() - QPoint(4, 4)));
    EXPECT_EQ(linksTo("other.html"), QStringList({QStringLiteral("目次")}));
}

TEST_F(SiteListDragTest, RowsThatCannotBeDraggedStartNothing)
{
    // Two rows: the selection goes.
    list().SelectOnly(sitePage().FindFileRow("a.html"));
    list().SetItemState(sitePage().FindFileRow("other.html"), LVIS_SELECTED, LVIS_SELECTED);
    const QPoint from = rowPoint("a.html");
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton | Qt::NoButton);
    list().SetItemState(sitePage().FindFileRow("other.html"), LVIS_SELECTED, LVIS_SELECTED);
    mouse(QEvent::MouseMove, from + QPoint(0, 30), Qt::LeftButton);
    EXPECT_FALSE(frame().m_bDragPending);
    EXPECT_EQ(list().GetSelectedCount(), 0);
    mouse(QEvent::MouseButtonRelease, from + QPoint(0, 30), Qt::NoButton);
    // A folder.
    startDrag("sub");
    EXPECT_FALSE(frame().m_bDragPending);
    mouse(QEvent::MouseButtonRelease, rowPoint("sub"), Qt::NoButton);
    // Right after a rename, once.
    list().m_bJustEdited = true;
    startDrag("image/aa.gif");
    EXPECT_FALSE(frame().m_bDragPending);
    EXPECT_FALSE(list().m_bJustEdited);
    mouse(QEvent::MouseButtonRelease, rowPoint("image/aa.gif"), Qt::NoButton);
    EXPECT_EQ(frame().m_nInsertKind, 0);
}

TEST_F(SiteListDragTest, AnImageRowShowsItsOutlineAndIsInsertedPositionedWhereDropped)
{
    startDrag("image/photo.png");
    EXPECT_EQ(frame().m_nInsertKind, 2);
    EXPECT_EQ(frame().m_strInsertImageSrc, web + "/image/photo.png");
    const QPoint at = screenOf(QPoint(300, 200));
    mouse(QEvent::MouseMove, at, Qt::LeftButton);
    CChildFrame* child = view->GetParentFrame();
    RubberBandOverlay* overlay = RubberBandOverlay::of(child->widget(), false);
    ASSERT_NE(overlay, nullptr);
    ASSERT_EQ(overlay->rects().size(), 1u);
    EXPECT_EQ(overlay->rects().front().width(), 60);
    EXPECT_EQ(overlay->rects().front().height(), 40);
    const int images = view->GetHtmlDocument()->images().length();
    drop(at);
    EXPECT_TRUE(overlay->rects().empty());
    ASSERT_EQ(view->GetHtmlDocument()->images().length(), images + 1);
    engine::Element* inserted = view->GetHtmlDocument()->images().item(images);
    EXPECT_TRUE(inserted->getAttributeText("src").endsWith("image/photo.png"));
    const QRect box = pageRectOf(inserted);
    EXPECT_NEAR(box.left(), 300, 2);
    EXPECT_NEAR(box.top(), 200, 2);
    EXPECT_EQ(frame().m_nInsertKind, 0);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // Dropped on the list: nothing is inserted.
    startDrag("image/photo.png");
    drop(rowPoint("index.html"));
    EXPECT_EQ(view->GetHtmlDocument()->images().length(), images + 1);

    // Escape gives the drag up: the outline goes and the release inserts nothing.
    startDrag("image/photo.png");
    mouse(QEvent::MouseMove, at, Qt::LeftButton);
    ASSERT_EQ(overlay->rects().size(), 1u);
    QTest::keyClick(&list(), Qt::Key_Escape);
    EXPECT_TRUE(overlay->rects().empty());
    EXPECT_EQ(frame().m_nInsertKind, 0);
    EXPECT_TRUE(frame().m_strInsertImageSrc.isEmpty());
    mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
    settle();
    EXPECT_EQ(view->GetHtmlDocument()->images().length(), images + 1);
}

TEST_F(SiteListDragTest, AnImageDroppedOnAFramesetPageGoesIntoThePaneUnderTheMouse)
{
    ASSERT_TRUE(writeTestFile(web + "/top.html", "<HTML><HEAD><TITLE>Frames</TITLE></HEAD><FRAMESET cols=\"50%,*\">"
                                                 "<FRAME src=\"a.html\"><FRAME src=\"other.html\"></FRAMESET></HTML>"));
    ASSERT_TRUE(app->OpenDocumentFile(web + "/top.html"));
    settle();
    CChildFrame* child = app->GetActiveView()->GetParentFrame();
    ASSERT_TRUE(child->HasFrameset());
    ASSERT_TRUE(list().Reload());
    CZQView* right = FindOpenDocument(web + "/other.html")->GetView();
    const int before = right->GetHtmlDocument()->images().length();
    startDrag("image/photo.png");
    drop(right->mapToGlobal(QPoint(40, 40)));
    EXPECT_EQ(right->GetHtmlDocument()->images().length(), before + 1);
    EXPECT_EQ(FindOpenDocument(web + "/a.html")->GetView()->GetHtmlDocument()->images().length(), 0);
    EXPECT_EQ(child->GetActiveView(), right);
}

using SiteListScreenshot = SiteListDragTest;

TEST_F(SiteListScreenshot, AnImageRowDraggedOverAPage)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X server (Xvfb)";
    frame().setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame(), 60000));
    settle();
    startDrag("image/photo.png");
    mouse(QEvent::MouseMove, screenOf(QPoint(320, 180)), Qt::LeftButton);
    settle();
    SaveReviewPicture(frame().grab().toImage(), QStringLiteral("site-list-image-drag.png"));
    drop(rowPoint("index.html"));
}

} // namespace
