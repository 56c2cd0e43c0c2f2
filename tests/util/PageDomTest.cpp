#include "util/LivePage.h"

#include "util/PageDom.h"

#include "platform/ModalResponder.h"

#include "engine/editing/TextRange.h"

#include <gtest/gtest.h>

using engine::Element;
using engine::Ref;
using engine::TextRange;
using platform::ModalResponder;

TEST(PageDom, WithoutAPageNothingIsFoundAndNothingChanges)
{
    FakeAppContext app;
    Ref<engine::Document> doc;
    EXPECT_EQ(GetHTMLDocument(doc), -1);
    EXPECT_FALSE(doc);
    EXPECT_TRUE(GetSelectionType().isEmpty());
    Ref<Element> element;
    std::optional<TextRange> range;
    EXPECT_EQ(GetPageSelection(&element, nullptr, &range), -1);
    EXPECT_FALSE(HasTextRangeSelection(range));
    EXPECT_EQ(GetSelectedCell(element), -1);

    // A view whose engine is not made yet; a given view before the active one.
    app.active = app.view(1);
    EXPECT_EQ(GetHTMLDocument(doc), -1);
    auto other = pageFrom("<html><body><p>別のページ</p></body></html>");
    app.pages.insert(app.view(2), other.get());
    EXPECT_EQ(GetHTMLDocument(doc, app.view(2)), S_OK);
    EXPECT_EQ(doc.get(), other.get());
}

TEST(PageSelection, CaretAndTextInsideATextBoxGiveTheRange)
{
    LivePage page;
    engine::Text* welcome = page.firstText("welcome");
    page.doc->selection().collapseAt(welcome, 2);
    EXPECT_EQ(GetSelectionType(), QStringLiteral("None"));
    std::optional<TextRange> range;
    ASSERT_TRUE(HasTextRangeSelection(range));
    bool textBox = false;
    EXPECT_TRUE(IsTextRangeInTable(*range, &textBox));
    EXPECT_TRUE(textBox);
    Ref<Element> cell;
    EXPECT_EQ(GetSelectedCell(cell), S_OK);
    EXPECT_EQ(cell.get(), page.byId("welcome"));

    page.doc->selection().setTextRange(welcome, 0, welcome, 4);
    EXPECT_EQ(GetSelectionType(), QStringLiteral("Text"));
    ASSERT_TRUE(HasTextRangeSelection(range));
    EXPECT_EQ(range->text(), QStringLiteral("ようこそ"));
}

TEST(PageSelection, TextSelectedInPositionedDivisionsIsNoUsableRange)
{
    LivePage page;
    // Paragraph text of the page's flow gives its range.
    engine::Text* loose = page.firstText("loose");
    page.doc->selection().setTextRange(loose, 0, loose, 2);
    std::optional<TextRange> flow;
    ASSERT_TRUE(HasTextRangeSelection(flow));
    EXPECT_TRUE(IsTextRangeInFlow(*flow));
    EXPECT_FALSE(IsTextRangeInTable(*flow));
    // The text of a positioned DIV gives none.
    for (const char* id : {"layer"}) {
        engine::Text* text = page.firstText(id);
        page.doc->selection().setTextRange(text, 0, text, 2);
        Ref<Element> element;
        std::optional<TextRange> range = TextRange(page.doc.get());
        EXPECT_EQ(GetPageSelection(&element, nullptr, &range), S_OK) << id;
        EXPECT_FALSE(range) << id;
        EXPECT_FALSE(element) << id;
        EXPECT_FALSE(HasTextRangeSelection(range)) << id;
        Ref<Element> cell;
        EXPECT_EQ(GetSelectedCell(cell), -1) << id;
    }

    engine::Text* news = page.firstText("news");
    page.doc->selection().setTextRange(news, 0, news, 4);
    std::optional<TextRange> range;
    ASSERT_TRUE(HasTextRangeSelection(range));
    EXPECT_TRUE(IsTextRangeInMarquee(*range));
    EXPECT_FALSE(IsTextRangeInTable(*range));
    EXPECT_FALSE(IsTextRangeInCaption(*range));
    EXPECT_FALSE(IsTextRangeInFlow(*range));
}

TEST(PageSelection, ControlSelectionGivesItsRangeAndFirstElement)
{
    LivePage page;
    page.selectControls({"logo", "layer"});
    EXPECT_EQ(GetSelectionType(), QStringLiteral("Control"));
    Ref<Element> element;
    std::optional<engine::ControlRange> controls;
    std::optional<TextRange> range;
    EXPECT_EQ(GetPageSelection(&element, &controls, &range), S_OK);
    EXPECT_EQ(element.get(), page.byId("logo"));
    ASSERT_TRUE(controls);
    EXPECT_EQ(controls->length(), 2);
    EXPECT_FALSE(range);
    EXPECT_EQ(GetPageSelection(&element, nullptr, nullptr), S_OK);
    EXPECT_EQ(GetPageSelection(nullptr, nullptr, &range), -1);

    // An image has no first-child chain to a cell.
    Ref<Element> cell;
    EXPECT_EQ(GetSelectedCell(cell), -1);
    EXPECT_FALSE(cell);

    // A selected text box gives its first cell through TABLE, TBODY, TR, TD.
    page.selectControls({"text"});
    EXPECT_EQ(GetSelectedCell(cell), S_OK);
    EXPECT_EQ(cell.get(), page.byId("welcome"));
}

TEST(FindParentByTag, WalksUpToTheTagAndStopsAtBody)
{
    LivePage page;
    Ref<Element> element = page.byId("innerCell");
    EXPECT_EQ(FindParentByTag(element, QStringLiteral("table")), S_OK);
    EXPECT_EQ(element.get(), page.byId("inner"));

    element = page.byId("outer");
    EXPECT_EQ(FindParentByTag(element, QStringLiteral("TABLE")), S_OK);
    EXPECT_EQ(element.get(), page.byId("outer")); // the element itself

    element = page.byId("layer");
    EXPECT_EQ(FindParentByTag(element, QStringLiteral("TABLE")), -1);
    EXPECT_EQ(element.get(), page.doc->body());

    element = page.byId("loose");
    EXPECT_EQ(FindParentByTag(element, QStringLiteral("BODY")), -1);
    EXPECT_EQ(element.get(), page.doc->body());

    // In HEAD the chain ends without BODY.
    element = page.doc->getElementsByTagName(QStringLiteral("TITLE")).item(0);
    EXPECT_EQ(FindParentByTag(element, QStringLiteral("TD")), -1);
    EXPECT_FALSE(element);
    EXPECT_EQ(FindParentByTag(element, QStringLiteral("TD")), -1);
}

TEST(FindChildByTag, FollowsOneChildPositionDownward)
{
    LivePage page;
    Ref<Element> element = page.byId("outer");
    EXPECT_EQ(FindChildByTag(element, QStringLiteral("td"), 0), S_OK);
    EXPECT_EQ(element.get(), page.byId("outerCell"));

    // The inner table is the cell's first element child: found one level down.
    EXPECT_EQ(FindChildByTag(element, QStringLiteral("TABLE"), 0), S_OK);
    EXPECT_EQ(element.get(), page.byId("inner"));

    // The B of the paragraph comes first; the walk never looks beside it.
    element = page.byId("welcome");
    EXPECT_EQ(FindChildByTag(element, QStringLiteral("A"), 0), -1);
    EXPECT_FALSE(element);

    // Index 1 follows the second child at every level: TABLE > TBODY has none.
    element = page.byId("text");
    EXPECT_EQ(FindChildByTag(element, QStringLiteral("TD"), 1), -1);
}

TEST(HasTextId, OnlyTheWholeWordTextInAnyCase)
{
    auto doc = pageFrom("<body><table id=TEXT></table><table id=textbox></table><table name=text></table></body>");
    const auto tables = doc->getElementsByTagName(QStringLiteral("TABLE"));
    EXPECT_TRUE(HasTextId(tables.item(0)));
    EXPECT_FALSE(HasTextId(tables.item(1)));
    EXPECT_FALSE(HasTextId(tables.item(2)));
}

TEST(UnwrapElement, PutsTheContentInPlaceAsOneUndoStep)
{
    LivePage page;
    const QString before = page.body();
    EXPECT_EQ(UnwrapElement(page.byId("red")), QStringLiteral("こちら"));
    EXPECT_EQ(page.byId("layer")->innerHTML(), QStringLiteral("自己紹介はこちら"));
    EXPECT_EQ(page.undoSteps(), 1);
    page.doc->undoManager().undo();
    EXPECT_EQ(page.body(), before);
    EXPECT_TRUE(UnwrapElement(nullptr).isEmpty());
}

TEST(BoardLinks, ControlSelectionsAreSearchedDownOrUp)
{
    LivePage page;
    int kind = 0;
    EXPECT_TRUE(FindBoardLinkInSelection(page.byId("board"), kind));
    EXPECT_EQ(kind, 2);
    EXPECT_TRUE(FindBoardLinkInSelection(page.byId("logo"), kind));
    EXPECT_EQ(kind, 1);
    // A text box whose cell begins with text and holds no link.
    kind = 0;
    EXPECT_FALSE(FindBoardLinkInSelection(page.byId("text"), kind));
    EXPECT_FALSE(FindBoardLinkInSelection(page.byId("news"), kind));
    EXPECT_FALSE(FindBoardLinkInSelection(page.byId("layer"), kind)); // a DIV is not searched
    EXPECT_EQ(kind, 0);
}

TEST(BoardLinks, TextSelectionsAreJudgedByTheLinkAroundOrTheFirstLinkInside)
{
    LivePage page;
    int kind = 0;
    // Inside the link.
    engine::Text* bbs = page.firstText("bbs");
    TextRange inside(page.doc.get(), bbs, 1, bbs, 2);
    EXPECT_TRUE(IsBoardLinkElement(inside, kind));
    EXPECT_EQ(kind, 2);

    // Covering the whole cell: the range's parent is the TD, the link is read
    // from its HTML.
    Element* cell = page.byId("bbs")->parentElement();
    TextRange whole(page.doc.get());
    whole.moveToElementText(cell);
    kind = 0;
    EXPECT_TRUE(IsBoardLinkElement(whole, kind));
    EXPECT_EQ(kind, 2);

    // Only an A tag counts: an AREA, ABBR or ADDRESS before it does not.
    auto doc =
        pageFrom("<body><table><tr><td id=c><abbr title=x>略</abbr> <address>住所</address>"
                 "<a href=\"http://x.jp/g.GBODR\">ゲストブック</a></td></tr></table>"
                 "<table><tr><td id=d><map name=m><area shape=rect coords=\"0,0,9,9\" href=\"http://x.jp/BODR\"></map>"
                 "地図のみ</td></tr></table></body>");
    TextRange mixed(doc.get());
    mixed.moveToElementText(doc->getElementById(QStringLiteral("c")));
    kind = 0;
    EXPECT_TRUE(IsBoardLinkElement(mixed, kind));
    EXPECT_EQ(kind, 3);
    TextRange none(doc.get());
    none.moveToElementText(doc->getElementById(QStringLiteral("d")));
    kind = 0;
    EXPECT_FALSE(IsBoardLinkElement(none, kind));
    EXPECT_EQ(kind, 0);
}

struct ApplyHyperlink : ::testing::Test
{
    LivePage page;
    ModalResponder responder;
    // Identities only; never dereferenced.
    CZQDoc* untitled = reinterpret_cast<CZQDoc*>(&page);
};

TEST_F(ApplyHyperlink, AnHtmlFileIsLinkedByItsPathWhereThereIsAPage)
{
    Element* logo = page.byId("logo");
    ApplyHyperlinkToFile(QStringLiteral("/home/u/My Web/site/diary.html"), logo);
    ASSERT_EQ(page.app.linkRequests.size(), 1);
    EXPECT_EQ(page.app.linkRequests[0].view, page.app.active);
    EXPECT_EQ(page.app.linkRequests[0].element, logo);
    EXPECT_EQ(page.app.linkRequests[0].address, QStringLiteral("/home/u/My Web/site/diary.html"));
    EXPECT_EQ(responder.runs().size(), 0);

    page.app.active = nullptr;
    ApplyHyperlinkToFile(QStringLiteral("/web/a.html"));
    EXPECT_EQ(page.app.linkRequests.size(), 1);
}

TEST_F(ApplyHyperlink, AnUnsavedPageIsSavedFirstAndLinkedByItsFileName)
{
    page.app.documents << AppContext::OpenDocument{untitled, QStringLiteral("無題2")};
    page.app.pathAfterSave.insert(untitled, QStringLiteral("/home/u/My Web/site/profile.html"));
    responder.answerMessageBox(6, QStringLiteral("ファイル名が必要です"));
    ApplyHyperlinkToFile(QStringLiteral("無題2"), nullptr, nullptr, page.app.view(0));
    EXPECT_EQ(page.app.savedDocuments, QList<CZQDoc*>{untitled});
    ASSERT_EQ(page.app.linkRequests.size(), 1);
    EXPECT_EQ(page.app.linkRequests[0].address, QStringLiteral("profile.html"));
}

TEST_F(ApplyHyperlink, APageLeftUnsavedGetsNoLinkAndNoMeansAsGiven)
{
    page.app.documents << AppContext::OpenDocument{untitled, QStringLiteral("無題2")};
    responder.answerMessageBox(6); // the save is then cancelled: no path
    ApplyHyperlinkToFile(QStringLiteral("無題2"));
    EXPECT_EQ(page.app.savedDocuments.size(), 1);
    EXPECT_TRUE(page.app.linkRequests.isEmpty());

    responder.answerMessageBox(7);
    ApplyHyperlinkToFile(QStringLiteral("無題2"));
    EXPECT_EQ(page.app.savedDocuments.size(), 1);
    ASSERT_EQ(page.app.linkRequests.size(), 1);
    EXPECT_EQ(page.app.linkRequests[0].address, QStringLiteral("無題2"));
}
