#include "util/LivePage.h"

#include "util/ElementTagIds.h"
#include "util/PageMarkup.h"

#include <gtest/gtest.h>

using engine::Element;
using engine::Ref;

TEST(PageMarkup, RemovingTheTagsKeepsTheTextRemovingWithContentTakesIt)
{
    LivePage page;
    const QString before = page.body();
    Ref<Element> red = page.byId("red");
    EXPECT_EQ(RemoveElementTag(red.get()), S_OK);
    EXPECT_EQ(page.byId("layer")->innerHTML(), QStringLiteral("自己紹介はこちら"));
    EXPECT_EQ(RemoveElementTag(red.get()), E_FAIL); // no longer in the page
    EXPECT_EQ(RemoveElementTag(nullptr), -1);
    page.doc->undoManager().undo();
    EXPECT_EQ(page.body(), before);

    EXPECT_TRUE(RemoveElementWithContent(page.doc.get(), page.app.active, page.byId("red")));
    EXPECT_EQ(page.byId("layer")->innerHTML(), QStringLiteral("自己紹介は"));
    EXPECT_EQ(page.undoSteps(), 1);
}

TEST(PageMarkup, AFailedRemovalIsReportedAsSuch)
{
    LivePage page;
    // An element of a layer taken out of the page, and a layer taken out itself.
    Ref<Element> layer = page.byId("layer");
    Ref<Element> red = page.byId("red");
    layer->remove();
    EXPECT_FALSE(RemoveElementWithContent(page.doc.get(), page.app.active, red.get()));
    EXPECT_EQ(red->parentElement(), layer.get());
    EXPECT_FALSE(RemoveElementWithContent(page.doc.get(), page.app.active, layer.get()));
    // An element of another page.
    LivePage other;
    EXPECT_FALSE(RemoveElementWithContent(page.doc.get(), page.app.active, other.byId("photo")));
    EXPECT_TRUE(other.byId("photo"));
    EXPECT_FALSE(RemoveElementWithContent(page.doc.get(), nullptr, page.byId("text")));
    EXPECT_FALSE(RemoveElementWithContent(nullptr, page.app.active, page.byId("text")));
    EXPECT_TRUE(page.byId("text"));
}

TEST(PageMarkup, InsertNewElementPutsAnEmptyElementAtTheAdjacencyPlace)
{
    LivePage page;
    Element* body = page.doc->body();
    Ref<Element> map;
    ASSERT_EQ(InsertNewElement(&map, TAGID_MAP, QStringLiteral("name=ULOMap2"), body, page.doc.get(), nullptr, 1),
              S_OK);
    EXPECT_EQ(body->firstChild(), map.get());
    Ref<Element> area;
    ASSERT_EQ(InsertNewElement(&area, TAGID_AREA, QStringLiteral("shape=rect coords=\"0,0,40,40\" href=\"a.html\""),
                               map.get(), page.doc.get(), nullptr, 1),
              S_OK);
    EXPECT_EQ(map->outerHTML(), QStringLiteral("<MAP name=ULOMap2><AREA shape=rect coords=\"0,0,40,40\" "
                                               "href=\"a.html\"></MAP>"));
    EXPECT_EQ(page.undoSteps(), 2);

    Ref<Element> br;
    ASSERT_EQ(InsertNewElement(&br, TAGID_BR, QString(), page.byId("family"), page.doc.get(), nullptr, 3), S_OK);
    EXPECT_EQ(br->attributeCount(), 0);
    EXPECT_EQ(page.byId("welcome")->innerHTML(), QStringLiteral("ようこそ<B id=family>山田家</B><BR>へ！"));

    // No place, no element, no page.
    Ref<Element> none = page.byId("family");
    EXPECT_EQ(InsertNewElement(&none, TAGID_BR, QString(), page.byId("logo"), page.doc.get(), nullptr, 1), E_FAIL);
    EXPECT_FALSE(none);
    EXPECT_EQ(InsertNewElement(&none, TAGID_GENERIC, QString(), body, page.doc.get(), nullptr, 1), E_FAIL);
    EXPECT_EQ(InsertNewElement(&none, TAGID_BR, QString(), body, nullptr, nullptr, 1), -1);
    EXPECT_EQ(page.undoSteps(), 3);
}

TEST(PageMarkup, InsertElementAtFirstTagPutsOneElementNextToEachOfTheTag)
{
    LivePage page;
    Ref<Element> meta;
    ASSERT_EQ(InsertElementAtFirstTag(&meta, TAGID_META, QStringLiteral("TITLE"), nullptr,
                                      QStringLiteral("name=\"generator\" content=\"Vorna-Paginor 2002\""), 3),
              S_OK);
    ASSERT_TRUE(meta);
    EXPECT_EQ(meta->previousSibling(), page.doc->getElementsByTagName(QStringLiteral("TITLE")).item(0));
    EXPECT_EQ(page.doc->getElementsByTagName(QStringLiteral("META")).length(), 2);

    // Elements of the tag itself are not visited in turn: every cell gets one.
    Ref<Element> td;
    ASSERT_EQ(InsertElementAtFirstTag(&td, TAGID_TD, QStringLiteral("td"), nullptr, QString(), 0), S_OK);
    EXPECT_EQ(page.doc->getElementsByTagName(QStringLiteral("TD")).length(), 8);
    EXPECT_EQ(page.undoSteps(), 2);
    page.doc->undoManager().undo();
    EXPECT_EQ(page.doc->getElementsByTagName(QStringLiteral("TD")).length(), 4);

    LivePage untitled("<html><head></head><body><p>本文</p></body></html>");
    Ref<Element> none = meta;
    EXPECT_EQ(InsertElementAtFirstTag(&none, TAGID_META, QStringLiteral("TITLE"), nullptr, QString(), 3), S_OK);
    EXPECT_FALSE(none);
    EXPECT_EQ(untitled.undoSteps(), 0);
}

TEST(PageMarkup, AppendChildElementHtmlHandsBackTheElementOfTheHtml)
{
    LivePage page;
    const QString before = page.body();
    Ref<Element> added;
    ASSERT_EQ(
        AppendChildElementHtml(page.doc->body(), QStringLiteral("DIV"),
                               QStringLiteral("<TABLE id=text style=\"POSITION: absolute; LEFT: 10px; TOP: 300px\">"
                                              "<TR><TD>新しい文章</TD></TR></TABLE>"),
                               &added),
        S_OK);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->tagName(), QStringLiteral("TABLE"));
    EXPECT_TRUE(added->isConnected());
    EXPECT_EQ(page.doc->body()->lastChild(), added.get());
    EXPECT_EQ(page.undoSteps(), 1);
    page.doc->undoManager().undo();
    EXPECT_EQ(page.body(), before);

    FakeAppContext none;
    EXPECT_EQ(AppendChildElementHtml(page.doc->body(), QStringLiteral("DIV"), QStringLiteral("<P>x</P>"), &added), -1);
    EXPECT_FALSE(added);
}

TEST(PageMarkup, InsertHtmlNextToElementPutsTheLinkAroundTheImage)
{
    LivePage page;
    const QString before = page.body();
    Element* photo = page.byId("photo");
    Element* next = photo->nextSibling() ? photo->nextSibling()->asElement() : nullptr;
    InsertHtmlNextToElement(photo, QStringLiteral("<A href=\"family.html\"></A>"));
    Element* link = photo->parentElement();
    ASSERT_TRUE(link);
    EXPECT_EQ(link->tagName(), QStringLiteral("A"));
    EXPECT_EQ(link->getAttributeText(QStringLiteral("href")), QStringLiteral("family.html"));
    EXPECT_EQ(link->childCount(), 1);
    EXPECT_EQ(link->parentElement(), page.doc->body());
    EXPECT_EQ(link->nextSibling() ? link->nextSibling()->asElement() : nullptr, next);
    EXPECT_EQ(page.undoSteps(), 1);
    page.doc->undoManager().undo();
    EXPECT_EQ(page.body(), before);
}

TEST(PageMarkup, TagsAndAttributesOfATagAreRemovedInsideTheBody)
{
    LivePage page;
    RemoveTagsByName(page.doc.get(), QStringLiteral("a"));
    EXPECT_EQ(page.doc->getElementsByTagName(QStringLiteral("A")).length(), 0);
    EXPECT_EQ(page.byId("logo")->parentElement(), page.doc->body());
    EXPECT_EQ(page.byId("board")->cells().item(0)->innerHTML(), QStringLiteral("掲示板へどうぞ"));
    RemoveAttributeByTag(page.doc.get(), QStringLiteral("IMG"), QStringLiteral("USEMAP"));
    for (const char* id : {"logo", "photo", "photo2"})
        EXPECT_FALSE(page.byId(id)->hasAttribute(QStringLiteral("usemap"))) << id;
    EXPECT_EQ(page.undoSteps(), 2);

    // The head is left alone.
    LivePage titled("<html><head><title>題</title></head><body><p>本文</p></body></html>");
    RemoveTagsByName(titled.doc.get(), QStringLiteral("TITLE"));
    EXPECT_EQ(titled.doc->title(), QStringLiteral("題"));
    EXPECT_EQ(titled.undoSteps(), 0);
}
