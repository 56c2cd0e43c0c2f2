#include "util/LivePage.h"

#include "util/ElementGeometry.h"

#include "engine/view/PageView.h"

#include <gtest/gtest.h>

using engine::Element;
using platform::Rect;

namespace {

Element* byId(engine::Document* doc, const char* id)
{
    return doc->getElementById(QString::fromLatin1(id));
}

} // namespace

TEST(ElementGeometry, StylePixelsGiveTheRectangleAndTheZIndex)
{
    auto doc = pageFrom("<body>"
                        "<div id=box style=\"Z-INDEX: 3; LEFT: 20px; TOP: 30px; WIDTH: 100px; HEIGHT: 50px\">箱</div>"
                        "<img id=img style=\"LEFT: 12PX; TOP: auto; POSITION: absolute\" src=a.gif width=64 height=48>"
                        "<table id=table style=\"Z-INDEX: -5; LEFT: 8px\" width=\"80%\"><tr><td>x</td></tr></table>"
                        "<p id=plain>本文</p></body>");
    Rect r(-1, -1, -1, -1);
    EXPECT_EQ(GetElementStylePixels(byId(doc.get(), "box"), r), 3);
    EXPECT_EQ(r, Rect(20, 30, 120, 80));

    // Sizes from the attributes; the unit in any case; auto reads 0.
    r = Rect(-1, -1, -1, -1);
    EXPECT_EQ(GetElementStylePixels(byId(doc.get(), "img"), r), 0);
    EXPECT_EQ(r, Rect(12, 0, 76, 48));

    // A percentage reads as its number; a negative z-index stays negative.
    r = Rect(-1, 7, -1, -1);
    EXPECT_EQ(GetElementStylePixels(byId(doc.get(), "table"), r), -5);
    EXPECT_EQ(r, Rect(8, 7, 88, -1));

    // Nothing found: the caller's values stand.
    r = Rect(1, 2, 3, 4);
    EXPECT_EQ(GetElementStylePixels(byId(doc.get(), "plain"), r), 0);
    EXPECT_EQ(r, Rect(1, 2, 3, 4));
    EXPECT_EQ(GetElementStylePixels(nullptr, r), 0);
}

TEST(ElementGeometry, ZIndexesAreReadInThirtyTwoBits)
{
    auto doc =
        pageFrom("<body><div id=high style=\"Z-INDEX: 40000\">a</div><div id=auto style=\"Z-INDEX: auto\">b</div>"
                 "<div id=huge style=\"Z-INDEX: 99999999999\">c</div></body>");
    Rect r;
    // Past 32767 stays positive: it would otherwise stack below every object.
    EXPECT_EQ(GetElementStylePixels(byId(doc.get(), "high"), r), 40000);
    EXPECT_EQ(GetElementStylePixels(byId(doc.get(), "auto"), r), 0);
    EXPECT_EQ(GetElementStylePixels(byId(doc.get(), "huge"), r), 2147483647);
}

TEST(ElementGeometry, OffsetsComeFromTheViewThatLaysThePageOut)
{
    auto doc = pageFrom("<body><div id=box style=\"POSITION: absolute; LEFT: 40px; TOP: 25px; WIDTH: 200px; "
                        "HEIGHT: 60px\">ようこそ</div></body>");
    QString left, top, width, height;
    GetElementOffsets(byId(doc.get(), "box"), left, top, width, height);
    EXPECT_EQ(QStringList({left, top, width, height}), QStringList({"0", "0", "0", "0"}));

    engine::PageView view(doc.get());
    view.setHeadless(QSize(640, 480));
    GetElementOffsets(byId(doc.get(), "box"), left, top, width, height);
    EXPECT_EQ(QStringList({left, top, width, height}), QStringList({"40", "25", "200", "60"}));
}

TEST(ElementGeometry, SingleChildByTag)
{
    auto doc = pageFrom("<body><div id=only>x</div></body>");
    engine::Ref<Element> child;
    EXPECT_EQ(GetSingleChildByTag(doc->body(), child, QStringLiteral("div")), S_OK);
    EXPECT_EQ(child.get(), byId(doc.get(), "only"));
    EXPECT_EQ(GetSingleChildByTag(doc->body(), child, QStringLiteral("TABLE")), -1);
    EXPECT_EQ(child.get(), byId(doc.get(), "only"));

    LivePage page;
    EXPECT_EQ(GetSingleChildByTag(page.doc->body(), child, QStringLiteral("TABLE")), -1);
    EXPECT_FALSE(child);
    EXPECT_EQ(GetSingleChildByTag(page.byId("news"), child, QStringLiteral("TABLE")), -1); // text only
}

TEST(ElementGeometry, AttributeObjectsAreTheStyleOnly)
{
    LivePage page;
    engine::Variant object;
    EXPECT_EQ(GetElementAttribute(page.byId("text"), QStringLiteral("STYLE"), object), S_OK);
    ASSERT_TRUE(object.isStyle());
    EXPECT_EQ(object.toStyle()->left(), QStringLiteral("40px"));
    EXPECT_EQ(GetElementAttribute(page.byId("text"), QStringLiteral("id"), object), -1);
    EXPECT_TRUE(object.isEmpty());
    EXPECT_EQ(GetElementAttribute(page.byId("text"), QStringLiteral("border"), object), -1);
}
