// What a page gets when it has loaded: the range of its z-indexes (a pasted
// object lands above the page's own), once per engine document and without
// a change of the page.

#include "ChildFramePages.h"

#include "app/PageLoadCompletion.h"
#include "editor/CImpIDispatch.h"

#include "engine/css/Style.h"
#include "engine/editing/ClipboardData.h"
#include "engine/markup/UndoManager.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

class PageLoadCompletion : public ChildFramePages
{
protected:
    engine::Element* byId(const char* id) { return page()->getElementById(QString::fromLatin1(id)); }
    static int zIndexOf(engine::Element* element) { return element->style().zIndex().toInt(); }
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
    EXPECT_FALSE(document()->isModified());
    EXPECT_FALSE(page()->undoManager().canUndo());

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
    EXPECT_EQ(OnPageLoadComplete(nullptr, view()), 0);
    view()->m_bLoadCompleted = false;
    EXPECT_EQ(OnPageLoadComplete(nullptr, view()), -1);
}

} // namespace
