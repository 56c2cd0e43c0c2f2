// Pages kept in the editor's shape: loose text gathered into a positioned
// text box, and a page's content replaced by a new text as one undo step.

#include "ChildFramePages.h"

#include "app/PageContent.h"

#include "engine/css/Style.h"
#include "engine/editing/CommandGroup.h"
#include "engine/layout/Geometry.h"
#include "engine/markup/UndoManager.h"
#include "engine/view/PageView.h"

namespace {

class PageContentTest : public ChildFramePages
{
protected:
    // A page of the given BODY, loaded as it is, z-indexes up to 100.
    void loadBody(const QString& body)
    {
        ASSERT_TRUE(app->OpenDocumentFile(QString()));
        QCoreApplication::processEvents();
        page()->loadFromString(QStringLiteral("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY>") + body +
                               QStringLiteral("</BODY></HTML>"));
        QCoreApplication::processEvents();
        view()->m_nMaxZIndex = 100;
    }
    QStringList bodyTags()
    {
        QStringList tags;
        for (engine::Node* node = page()->body()->firstChild(); node; node = node->nextSibling()) {
            if (const engine::Element* element = node->asElement())
                tags.append(element->tagName());
        }
        return tags;
    }
};

TEST_F(PageContentTest, LooseTextGoesIntoABoxAfterTheObjects)
{
    loadBody(QStringLiteral("一行目<DIV id=d style=\"POSITION: absolute\">x</DIV>二行目"));
    const QString before = page()->body()->innerHTML();
    EXPECT_TRUE(HasLooseBodyText(page()));
    EXPECT_EQ(WrapLooseContent(page(), view()), 0);
    EXPECT_EQ(bodyTags(), QStringList({QStringLiteral("DIV"), QStringLiteral("TABLE")}));
    engine::Element* box = page()->getElementById(QStringLiteral("text"));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->innerText(), QStringLiteral("一行目二行目"));
    EXPECT_EQ(box->style().getAttribute(QStringLiteral("z-index")).toString(), QStringLiteral("101"));
    EXPECT_EQ(box->style().getAttribute(QStringLiteral("left")).toString(), QStringLiteral("20px"));
    EXPECT_EQ(view()->m_nMaxZIndex, 101);
    EXPECT_EQ(box->getElementsByTagName(QStringLiteral("TD")).length(), 1);
    // One undo step gives the page back as it was.
    page()->undoManager().undo();
    EXPECT_EQ(page()->body()->innerHTML(), before);
}

// While the page loads, BODY's content goes into the box as one change: the
// box holds it in its order, no undo step is left, and the page is laid out
// with the content in the box.
TEST_F(PageContentTest, LooseContentGoesIntoTheBoxAtOnceWhileThePageLoads)
{
    loadBody(QStringLiteral("<P id=a>a</P>loose<BR><P id=b>b</P>"));
    engine::Geometry geometry(view()->GetPageView()->layout());
    const QRect before = geometry.pageRect(page()->getElementById(QStringLiteral("b")));
    page()->beginLoadScope();
    EXPECT_EQ(WrapLooseContent(page(), view()), 0);
    page()->endLoadScope();
    EXPECT_EQ(bodyTags(), QStringList({QStringLiteral("TABLE")}));
    engine::Element* box = page()->getElementById(QStringLiteral("text"));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->getElementsByTagName(QStringLiteral("TD")).item(0)->innerHTML(),
              QStringLiteral("<P id=a>a</P>loose<BR><P id=b>b</P>"));
    EXPECT_FALSE(page()->undoManager().canUndo());
    const QRect after = geometry.pageRect(page()->getElementById(QStringLiteral("b")));
    EXPECT_FALSE(after.isNull());
    EXPECT_GT(after.left(), before.left());
}

TEST_F(PageContentTest, PagesOfObjectsAndBlanksGetNoBox)
{
    loadBody(QStringLiteral("\n<TABLE id=a style=\"POSITION: absolute\"><TR><TD>x</TD></TR></TABLE>\n  <IMG "
                            "src=a.gif>\n<BR>\n"));
    EXPECT_FALSE(HasLooseBodyText(page()));

    // Wrapped anyway, a box that would hold no text goes again and the
    // picture stays on the page, where it was.
    EXPECT_EQ(WrapLooseContent(page(), view()), 0);
    EXPECT_FALSE(page()->getElementById(QStringLiteral("text")));
    EXPECT_EQ(page()->images().length(), 1);
    EXPECT_EQ(bodyTags(), QStringList({QStringLiteral("TABLE"), QStringLiteral("IMG"), QStringLiteral("BR")}));
    EXPECT_EQ(view()->m_nMaxZIndex, 100);
    EXPECT_EQ(WrapLooseContent(nullptr, view()), 1);
}

TEST_F(PageContentTest, TheBodyTagSplitsIntoNamesAndValues)
{
    QStringList pairs;
    SplitTagAttributes(QStringLiteral("BODY"),
                       QStringLiteral("<BODY bgColor=\"#ff0000\" text=blue foo=bar onload=\"init( 'a' )\">"), pairs);
    EXPECT_EQ(pairs, QStringList({QStringLiteral("bgColor"), QStringLiteral("#ff0000"), QStringLiteral("text"),
                                  QStringLiteral("blue"), QStringLiteral("onload"), QStringLiteral("init( 'a' )")}));
    pairs.clear();
    SplitTagAttributes(QStringLiteral("BODY"), QStringLiteral("<body link = 'red' nowrap>"), pairs);
    EXPECT_EQ(pairs, QStringList({QStringLiteral("link"), QStringLiteral("red"), QStringLiteral("nowrap")}));
}

TEST_F(PageContentTest, ANewTextReplacesThePageWithItsBodyCharsetAndBox)
{
    loadBody(QStringLiteral("<DIV id=old>old</DIV>"));
    ReplacePageTitle(QStringLiteral("<HTML><HEAD><META http-equiv=Content-Type content=\"text/html; charset=euc-jp\">"
                                    "<META charset=utf-8><TITLE>新/TITLE></HEAD>"
                                    "<BODY bgColor=\"#ffcc00\" onload=\"go('x')\">ことば<IMG src=m.gif usemap=#ULOMap1>"
                                    "</BODY></HTML>"),
                     view());
    EXPECT_FALSE(page()->getElementById(QStringLiteral("old")));
    // The broken TITLE end tag was mended.
    EXPECT_EQ(page()->title(), QStringLiteral("新"));
    EXPECT_EQ(page()->charset().toUpper(), QStringLiteral("EUC-JP"));
    EXPECT_EQ(page()->body()->getAttributeText(QStringLiteral("onload")), QStringLiteral("go('x')"));
    EXPECT_EQ(page()->body()->getAttributeText(QStringLiteral("bgColor")), QStringLiteral("#ffcc00"));
    ASSERT_TRUE(page()->getElementById(QStringLiteral("text")));
    EXPECT_EQ(page()->images().item(0)->getAttributeText(QStringLiteral("usemap")), QStringLiteral("ULOMap1"));

    // One undo step puts the old page back.
    view()->ExecCommand(engine::CommandGroup::Undo);
    EXPECT_TRUE(page()->getElementById(QStringLiteral("old")));
    EXPECT_FALSE(page()->getElementById(QStringLiteral("text")));
}

TEST_F(PageContentTest, TextWithoutATitleOrWithJunkBeforeItsHtmlTagIsTaken)
{
    loadBody(QStringLiteral("<DIV id=old>old</DIV>"));
    ReplacePageTitle(QStringLiteral("<!-- made by hand -->\r\n<HTML><BODY><DIV id=n>n</DIV></BODY></HTML>"), view());
    EXPECT_TRUE(page()->getElementById(QStringLiteral("n")));
    EXPECT_FALSE(page()->getElementById(QStringLiteral("old")));
    EXPECT_EQ(page()->documentElement()->tagName(), QStringLiteral("HTML"));
    // Nothing happens without a page.
    ReplacePageTitle(QStringLiteral("<HTML></HTML>"), nullptr);
}

} // namespace
