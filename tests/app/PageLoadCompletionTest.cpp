// What a page gets when it has loaded: the range of its z-indexes (a pasted
// object lands above the page's own), once per engine document and without
// a change of the page.

#include "ChildFramePages.h"

#include "app/PageLoadCompletion.h"
#include "editor/CImpIDispatch.h"
#include "editor/painters/CHTMLPainterElemBorders.h"

#include "engine/css/Style.h"
#include "engine/editing/ClipboardData.h"
#include "engine/markup/UndoManager.h"
#include "engine/view/PageView.h"
#include "engine/layout/DocumentLayout.h"

#include "platform/CodePages.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <QGuiApplication>
#include <QMimeData>

namespace {

class PageLoadCompletion : public ChildFramePages
{
protected:
    engine::Element* byId(const char* id) { return page()->getElementById(QString::fromLatin1(id)); }
    static int zIndexOf(engine::Element* element) { return element->style().zIndex().toInt(); }
    // A page of flowing text long enough to be walked in steps, with a
    // picture with an image map and a placed table.
    static QByteArray longPage()
    {
        QByteArray html = "<HTML><BODY><TABLE id=t style=\"POSITION: absolute; Z-INDEX: 6\"><TR><TD>x</TD></TR>"
                          "</TABLE><IMG id=m src=a.gif usemap=\"#map\"><EMBED id=e1 src=a.swf>";
        for (int i = 0; i < 60000; ++i)
            html += "<B>w</B> ";
        return html + "</BODY></HTML>";
    }
    QObject* steppedCompletion()
    {
        return view() ? view()->findChild<QObject*>(QStringLiteral("SteppedCompletion")) : nullptr;
    }
    bool runEventsUntil(const std::function<bool()>& done)
    {
        QElapsedTimer clock;
        clock.start();
        // (One pass over what is posted at a time: the completion of a long
        // page is caught between its steps.)
        while (!done() && clock.elapsed() < 60000) {
            QCoreApplication::processEvents();
            QThread::msleep(1);
        }
        return done();
    }
};

TEST_F(PageLoadCompletion, ZIndexRangeOfAPage)
{
    ASSERT_NE(openPage(QStringLiteral("objects.html"),
                       "<HTML><BODY>"
                       "<TABLE id=t style=\"POSITION: absolute; LEFT: 10px; TOP: 10px; Z-INDEX: 5\"><TR><TD>x</TD></TR>"
                       "</TABLE><IMG id=i src=a.gif usemap=\"#map1\" style=\"POSITION: absolute; Z-INDEX: 12\">"
                       "<EMBED id=e src=a.mid style=\"POSITION: absolute; Z-INDEX: 3\">"
                       "<IMG id=plain src=b.gif usemap=\"map2\"><IMG id=none src=c.gif usemap=\"\">"
                       "<DIV style=\"POSITION: absolute; Z-INDEX: 900\">not counted</DIV>"
                       "</BODY></HTML>"),
              nullptr);
    EXPECT_EQ(view()->m_nMaxZIndex, 12);
    EXPECT_EQ(view()->m_nMinZIndex, 3);
    // Map names as the editor keeps them; a name without "#" and an empty
    // one stay.
    EXPECT_EQ(byId("i")->getAttributeText(QStringLiteral("usemap")), QStringLiteral("map1"));
    EXPECT_EQ(byId("plain")->getAttributeText(QStringLiteral("usemap")), QStringLiteral("map2"));
    EXPECT_EQ(byId("none")->getAttributeText(QStringLiteral("usemap")), QString());
    EXPECT_FALSE(document()->isModified());
    EXPECT_FALSE(page()->undoManager().canUndo());
    // The file gets its "#" back.
    ASSERT_TRUE(document()->onSaveDocument(document()->pathName()));
    EXPECT_TRUE(readFile(document()->pathName()).contains("usemap=\"#map1\""));
    EXPECT_EQ(byId("i")->getAttributeText(QStringLiteral("usemap")), QStringLiteral("map1"));

    // A page without such objects keeps the view's values.
    ASSERT_NE(openPage(QStringLiteral("bare.html"), "<HTML><BODY><IMG src=a.gif></BODY></HTML>"), nullptr);
    EXPECT_EQ(view()->m_nMaxZIndex, 100);
    EXPECT_EQ(view()->m_nMinZIndex, 100);
}

TEST_F(PageLoadCompletion, APastedObjectLandsAboveThePagesOwn)
{
    ASSERT_NE(openPage(QStringLiteral("high.html"),
                       "<HTML><BODY><TABLE id=own style=\"POSITION: absolute; LEFT: 10px; TOP: 10px; "
                       "Z-INDEX: 150\"><TR><TD>元</TD></TR></TABLE></BODY></HTML>"),
              nullptr);
    auto data = std::make_unique<QMimeData>();
    const QString block = QStringLiteral("Version:0.9\r\nStartHTML:0\r\n<HTML><BODY>\r\n<!--StartFragment-->"
                                         "<TABLE id=pasted style=\"Z-INDEX: 3; LEFT: 10px; POSITION: absolute; "
                                         "TOP: 10px\"><TR><TD>写</TD></TR></TABLE>"
                                         "<!--EndFragment-->\r\n</BODY></HTML>");
    data->setData(QString::fromLatin1(engine::clipboard::kHtmlFormatMime), block.toUtf8());
    QGuiApplication::clipboard()->setMimeData(data.release());
    ASSERT_TRUE(view()->GetSink()->DoPaste());
    QCoreApplication::processEvents();
    ASSERT_NE(byId("pasted"), nullptr);
    EXPECT_GT(zIndexOf(byId("pasted")), zIndexOf(byId("own")));
}

TEST_F(PageLoadCompletion, RunsOncePerEngineDocument)
{
    ASSERT_NE(openPage(QStringLiteral("once.html"), "<HTML><HEAD><TITLE>一</TITLE></HEAD><BODY></BODY></HTML>"),
              nullptr);
    EXPECT_TRUE(view()->m_bLoadCompleted);
    EXPECT_EQ(document()->GetPageTitle(), QStringLiteral("一"));
    page()->beginLoadScope();
    page()->setTitle(QStringLiteral("二"));
    page()->endLoadScope();
    OnPageLoadComplete(page(), view());
    EXPECT_EQ(document()->GetPageTitle(), QStringLiteral("一"));
    // A new engine document clears the flag: the completion runs again.
    view()->m_bLoadCompleted = false;
    OnPageLoadComplete(page(), view());
    EXPECT_EQ(document()->GetPageTitle(), QStringLiteral("二"));
    // So does the page's file read again after it changed.
    writeFile(QStringLiteral("once.html"), "<HTML><HEAD><TITLE>三</TITLE></HEAD><BODY></BODY></HTML>");
    ASSERT_TRUE(view()->ReloadPage());
    ASSERT_TRUE(runEventsUntil([&] { return view()->m_bLoadCompleted; }));
    EXPECT_EQ(document()->GetPageTitle(), QStringLiteral("三"));
    EXPECT_EQ(OnPageLoadComplete(nullptr, view()), 0);
    view()->m_bLoadCompleted = false;
    EXPECT_EQ(OnPageLoadComplete(nullptr, view()), -1);
}

TEST_F(PageLoadCompletion, LooseTextOpensInATextBoxAndKeepsItsOrder)
{
    ASSERT_NE(openPage(QStringLiteral("loose.html"),
                       "<HTML><BODY>\n"
                       "<IMG id=top src=a.gif style=\"POSITION: absolute; LEFT: 300px; TOP: 10px; Z-INDEX: 7\">\n"
                       "Read <A id=link href=\"b.html\">the news</A> and <IMG id=inline src=s.gif> smile.\n"
                       "<P id=para>A <A href=c.html>second</A> link.</P><HR id=rule>\n"
                       "<TABLE id=flow><TR><TD>cell</TD></TR></TABLE>\n"
                       "<A id=linked href=d.html><IMG id=pic src=p.gif style=\"POSITION: absolute; LEFT: 9px; "
                       "TOP: 300px\"></A>\n"
                       "The end.</BODY></HTML>"),
              nullptr);
    engine::Element* box = byId("text");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->style().zIndex().toInt(), 8);
    EXPECT_EQ(view()->m_nMaxZIndex, 8);
    // The placed objects stand before the box, the linked picture with its
    // link; the flow keeps its links, pictures, rule and table in its order.
    QStringList before;
    for (engine::Node* n = page()->body()->firstChild(); n && n != box; n = n->nextSibling()) {
        if (const engine::Element* e = n->asElement())
            before << e->id();
    }
    EXPECT_EQ(before, QStringList({QStringLiteral("top"), QStringLiteral("linked")}));
    engine::Element* cell = box->getElementsByTagName(QStringLiteral("TD")).item(0);
    ASSERT_NE(cell, nullptr);
    QStringList flow;
    for (engine::Node* n = cell->firstChild(); n; n = n->nextSibling()) {
        if (const engine::Element* e = n->asElement())
            flow << e->tagName() + QLatin1Char('#') + e->id();
    }
    EXPECT_EQ(flow, QStringList({QStringLiteral("A#link"), QStringLiteral("IMG#inline"), QStringLiteral("P#para"),
                                 QStringLiteral("HR#rule"), QStringLiteral("TABLE#flow")}));
    EXPECT_EQ(byId("link")->parentNode(), cell);
    EXPECT_EQ(byId("para")->getElementsByTagName(QStringLiteral("A")).length(), 1);
    EXPECT_TRUE(cell->innerText().contains(QStringLiteral("The end.")));
    // Opening changes nothing the user did.
    EXPECT_FALSE(document()->isModified());
    EXPECT_FALSE(page()->undoManager().canUndo());
}

TEST_F(PageLoadCompletion, PagesWithoutLooseTextGetNoBox)
{
    // Objects, line breaks and blanks between them.
    ASSERT_NE(openPage(QStringLiteral("objects.html"),
                       "<HTML><BODY>\n<TABLE id=t style=\"POSITION: absolute; Z-INDEX: 4\"><TR><TD>x</TD></TR>"
                       "</TABLE>\n<BR>\n<IMG src=a.gif>\n<BR>\n</BODY></HTML>"),
              nullptr);
    EXPECT_EQ(byId("text"), nullptr);
    EXPECT_EQ(view()->m_nMaxZIndex, 4);
    // Only blanks.
    ASSERT_NE(openPage(QStringLiteral("blank.html"), "<HTML><BODY>  \n&nbsp;\n  </BODY></HTML>"), nullptr);
    EXPECT_EQ(byId("text"), nullptr);
    EXPECT_EQ(view()->m_nMaxZIndex, 100);
}

TEST_F(PageLoadCompletion, AWrappedPageEditedSavesAndReopensTheSame)
{
    ASSERT_NE(openPage(QStringLiteral("edit.html"), "<HTML><HEAD><TITLE>e</TITLE></HEAD><BODY>Hello <B>there</B>, "
                                                    "<A href=\"x.html\">friend</A>.</BODY></HTML>"),
              nullptr);
    engine::Element* box = byId("text");
    ASSERT_NE(box, nullptr);
    engine::Element* cell = box->getElementsByTagName(QStringLiteral("TD")).item(0);
    ASSERT_NE(cell, nullptr);
    cell->appendChild(page()->createTextNode(QStringLiteral(" Bye.")));
    const QString path = document()->pathName();
    ASSERT_TRUE(document()->onSaveDocument(path));
    const QByteArray first = readFile(path);
    EXPECT_TRUE(first.contains("<A href=\"x.html\">friend</A>. Bye.")) << first.constData();
    // Opened again: the box is the page's own and no second one comes.
    frame().OnFileCloseAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_NE(openPage(QStringLiteral("edit.html"), first), nullptr);
    EXPECT_EQ(page()->getElementsByTagName(QStringLiteral("TABLE")).length(), 1);
    ASSERT_TRUE(document()->onSaveDocument(path));
    EXPECT_EQ(readFile(path), first);
}

TEST_F(PageLoadCompletion, ALongPageIsCompletedAfterItsWalkAsAShortOneIs)
{
    ASSERT_NE(openPage(QStringLiteral("long.html"), longPage()), nullptr);
    ASSERT_TRUE(runEventsUntil([&] { return steppedCompletion() != nullptr; }));
    EXPECT_FALSE(view()->m_bLoadCompleted);
    // Changed before the walk ends: what the completion finds is the page
    // as it is then.
    page()->beginLoadScope();
    engine::Ref<engine::Element> late = page()->createElement(QStringLiteral("IMG"));
    late->setAttribute(QStringLiteral("id"), QStringLiteral("late"));
    late->setAttribute(QStringLiteral("usemap"), QStringLiteral("#other"));
    late->setAttribute(QStringLiteral("style"), QStringLiteral("POSITION: absolute; Z-INDEX: 40"));
    page()->body()->appendChild(late);
    page()->endLoadScope();
    ASSERT_TRUE(runEventsUntil([&] { return view()->m_bLoadCompleted; }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(steppedCompletion(), nullptr);
    EXPECT_EQ(view()->m_nMinZIndex, 6);
    ASSERT_NE(byId("text"), nullptr);
    EXPECT_EQ(zIndexOf(byId("text")), 41);
    EXPECT_EQ(byId("m")->getAttributeText(QStringLiteral("usemap")), QStringLiteral("map"));
    EXPECT_EQ(byId("late")->getAttributeText(QStringLiteral("usemap")), QStringLiteral("other"));
    // The placed objects the walk found, and the one placed since, stand
    // before the text box; the flowing text is in it.
    for (const char* placed : {"t", "late"}) {
        EXPECT_EQ(byId(placed)->parentNode(), page()->body()) << placed;
        EXPECT_LT(byId(placed)->indexInParent(), byId("text")->indexInParent()) << placed;
    }
    EXPECT_NE(byId("m")->parentNode(), page()->body());
    EXPECT_FALSE(document()->isModified());
    EXPECT_FALSE(page()->undoManager().canUndo());

    // A window closed during the walk takes it along.
    frame().OnFileCloseAll();
    ASSERT_NE(openPage(QStringLiteral("long.html"), longPage()), nullptr);
    ASSERT_TRUE(runEventsUntil([&] { return steppedCompletion() != nullptr; }));
    frame().OnFileCloseAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(view(), nullptr);
}

// A long page whose file names another charset than the page was read in
// is read again away from the window; the page stays as it is, and its
// window can be closed, until the page read again is in and completed.
TEST_F(PageLoadCompletion, ALongPageReadAgainInItsFilesCharsetIsCompletedWhenItIsIn)
{
    // (The META names a charset without saying it is the content type: the
    // page's tree names none, its file does.)
    QByteArray html = "<HTML><HEAD><META content=\"text/html; charset=euc-jp\"></HEAD><BODY>"
                      "<TABLE id=t style=\"POSITION: absolute; Z-INDEX: 6\"><TR><TD>x</TD></TR></TABLE>"
                      "<P id=j>日本</P>";
    for (int i = 0; i < 60000; ++i)
        html += "<B>w</B> ";
    html += "</BODY></HTML>";
    const QByteArray euc = platform::encodeText(QString::fromUtf8(html), QStringLiteral("EUC-JP"));
    for (const bool closed : {false, true}) {
        ASSERT_NE(openPage(QStringLiteral("e.html"), euc), nullptr);
        ASSERT_TRUE(runEventsUntil([&] { return steppedCompletion() != nullptr; }));
        // The page as the engine took it meanwhile.
        page()->setCharset(QStringLiteral("shift_jis"));
        const engine::Ref<engine::Element> bodyBefore = page()->body();
        ASSERT_TRUE(runEventsUntil([&] { return page()->isLoading() || view()->m_bLoadCompleted; }));
        ASSERT_TRUE(page()->isLoading());
        EXPECT_FALSE(view()->m_bLoadCompleted);
        EXPECT_EQ(page()->body(), bodyBefore.get());
        if (closed) {
            frame().OnFileCloseAll();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            for (int i = 0; i < 5; ++i)
                QCoreApplication::processEvents();
            EXPECT_EQ(view(), nullptr);
            break;
        }
        ASSERT_TRUE(runEventsUntil([&] { return view()->m_bLoadCompleted; }));
        EXPECT_NE(page()->body(), bodyBefore.get());
        EXPECT_EQ(page()->charset(), platform::canonicalCharset(QStringLiteral("euc-jp")));
        ASSERT_NE(byId("j"), nullptr);
        EXPECT_EQ(byId("j")->innerText(), QStringLiteral("日本"));
        // Completed as read again: its loose text in the text box above the
        // placed table.
        ASSERT_NE(byId("text"), nullptr);
        EXPECT_EQ(zIndexOf(byId("text")), 7);
        EXPECT_FALSE(document()->isModified());
        EXPECT_FALSE(page()->undoManager().canUndo());
        // Read once.
        QCoreApplication::processEvents();
        EXPECT_FALSE(page()->isLoading());
        frame().OnFileCloseAll();
    }
}

// Ctrl+End with nothing selected while a long page is still being laid out
// takes the view to the end of the page once it is laid out, not to the top.
TEST_F(PageLoadCompletion, CtrlEndWhileTheLayoutProceedsReachesTheEndOfThePage)
{
    ASSERT_NE(openPage(QStringLiteral("long.html"), longPage()), nullptr);
    engine::PageView* pageView = view()->GetPageView();
    ASSERT_TRUE(runEventsUntil([&] { return pageView->layout().isLayingOutInBackground(); }));
    // (The view scrolled as far as what is laid out lets it stays there.)
    pageView->scrollBy(0, 200);
    const int placed = pageView->scrollPosition().y();
    ASSERT_GT(placed, 0);
    QTest::keyClick(pageView, Qt::Key_End, Qt::ControlModifier);
    EXPECT_GE(pageView->scrollPosition().y(), placed);
    ASSERT_TRUE(runEventsUntil([&] {
        pageView->flushChanges();
        return view()->m_bLoadCompleted && !pageView->layout().isLayingOutInBackground();
    }));
    // (The text box the completion puts the page in keeps the view's place
    // in the text: within a screen of the end.)
    const int screen = pageView->layout().viewportSize().height();
    const int bottom = pageView->layout().canvasSize().height() - screen;
    EXPECT_GT(bottom, 4 * screen);
    EXPECT_GE(pageView->scrollPosition().y(), bottom - screen);
}

TEST_F(PageLoadCompletion, ALongPageKeepsItsOutlinesWithoutAWalkAtEachPaint)
{
    ASSERT_NE(openPage(QStringLiteral("long.html"), longPage()), nullptr);
    ASSERT_TRUE(runEventsUntil([&] { return view()->m_bLoadCompleted; }));
    const auto painter = view()->m_pElemBordersPainter;
    ASSERT_NE(painter, nullptr);
    const auto outlined = [&] {
        QStringList ids;
        for (const engine::Ref<engine::Element>& e : painter->outlinedElementsOf(page(), view()))
            ids << e->id();
        return ids.join(QLatin1Char(' '));
    };
    ASSERT_TRUE(runEventsUntil([&] { return outlined() == QStringLiteral("e1"); })) << qPrintable(outlined());
    // After a change the paint takes the list from before; the new one
    // follows a walk on the event loop.
    engine::Ref<engine::Element> embed = page()->createElement(QStringLiteral("EMBED"));
    embed->setAttribute(QStringLiteral("id"), QStringLiteral("e2"));
    page()->body()->appendChild(embed);
    EXPECT_EQ(outlined(), QStringLiteral("e1"));
    EXPECT_TRUE(runEventsUntil([&] { return outlined() == QStringLiteral("e1 e2"); })) << qPrintable(outlined());
}

} // namespace
