// Hit testing where boxes stick out of their parents, stack in layers or
// nest in tables: the cases the fixture page does not reach.
#include "engine/layout/HitTester.h"

#include "engine/EnginePage.h"
#include "engine/css/Style.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/Geometry.h"
#include "engine/layout/LayoutEngine.h"
#include "LayoutFixture.h"

#include <gtest/gtest.h>

using namespace engine;
using layout_test::byId;

namespace {

struct HitPage
{
    explicit HitPage(const char* html) : doc(pageFrom(html)), layout(doc.get())
    {
        layout.setBaseFolder(layout_test::fixtureFolder());
        layout.setViewportSize(QSize(800, 600));
    }
    QString hitAt(QPoint client)
    {
        Element* el = HitTester(layout).elementFromPoint(client);
        if (!el)
            return QStringLiteral("null");
        return el->id().isEmpty() ? el->tagName() : el->id();
    }
    QRect box(const char* id) { return Geometry(layout).boundingClientRect(byId(doc.get(), id)); }
    Ref<Document> doc;
    DocumentLayout layout;
};

struct OverflowCase
{
    const char* name;
    const char* html;
    QPoint point;
    const char* expected;
};

class HitOutsideParent : public ::testing::TestWithParam<OverflowCase>
{
};

} // namespace

// Content is hit where it is drawn, also where it stands outside its
// parent's box, unless the parent clips it.
TEST_P(HitOutsideParent, FindsWhatIsDrawnThere)
{
    HitPage page(GetParam().html);
    EXPECT_EQ(page.hitAt(GetParam().point).toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, HitOutsideParent,
    ::testing::Values(
        OverflowCase{"TableWiderThanItsDiv",
                     "<body><div id=narrow style='width:100px'><table id=t width=400 cellspacing=0 cellpadding=0>"
                     "<tr><td id=c>x</td></tr></table></div></body>",
                     {300, 20},
                     "c"},
        OverflowCase{"FloatTallerThanItsParagraph",
                     "<body><p id=p style='margin:0'><img id=i src='photo.png' align=left width=40 height=200>"
                     "text</p></body>",
                     {20, 180},
                     "i"},
        OverflowCase{"BlockTallerThanAFixedHeightParent",
                     "<body><div id=short style='height:10px'><div id=tall style='height:100px'></div></div></body>",
                     {50, 80},
                     "tall"},
        OverflowCase{"ClippingParentHidesItsOverflow",
                     "<body><div id=clip style='width:100px;height:50px;overflow:hidden'>"
                     "<div id=big style='width:300px;height:300px'></div></div></body>",
                     {200, 30},
                     "BODY"},
        OverflowCase{"ClippingParentShowsWhatIsInside",
                     "<body><div id=clip style='width:100px;height:50px;overflow:hidden'>"
                     "<div id=big style='width:300px;height:300px'></div></div></body>",
                     {50, 30},
                     "big"}),
    [](const auto& info) { return std::string(info.param.name); });

// Layers inside layers: a child layer is drawn over its parent whatever its
// own z-index, and a layer's children stay below a higher sibling layer of
// their parent whatever theirs.
TEST(HitTesting, NestedLayersStackWithTheirParent)
{
    HitPage page("<body>"
                 "<div id=outer style='position:absolute;left:0;top:0;width:200px;height:200px;z-index:2'>"
                 "<div id=child style='position:absolute;left:10px;top:10px;width:50px;height:50px'></div></div>"
                 "<div id=sib style='position:absolute;left:100px;top:100px;width:200px;height:200px;z-index:1'>"
                 "<div id=sibchild style='position:absolute;left:40px;top:40px;width:20px;height:20px;z-index:10'>"
                 "</div></div>"
                 "<div id=plain style='position:absolute;left:400px;top:0;width:100px;height:100px'>"
                 "<div id=up style='position:absolute;left:0;top:0;width:50px;height:50px;z-index:3'></div></div>"
                 "<div id=over style='position:absolute;left:420px;top:20px;width:100px;height:100px;z-index:2'></div>"
                 "</body>");
    EXPECT_EQ(page.hitAt({20, 20}).toStdString(), "child");
    EXPECT_EQ(page.hitAt({150, 150}).toStdString(), "outer");
    EXPECT_EQ(page.hitAt({250, 250}).toStdString(), "sib");
    // A layer without z-index makes no stacking context: its child with a
    // z-index competes with the other layers directly.
    EXPECT_EQ(page.hitAt({430, 30}).toStdString(), "up");
    EXPECT_EQ(page.hitAt({470, 70}).toStdString(), "over");
}

// Nested tables with spans and spacing: points are taken from the boxes so
// that the test follows the layout rather than guessing pixels.
TEST(HitTesting, NestedTablesWithSpansAndSpacing)
{
    HitPage page("<body><table id=o border=1 cellspacing=8 cellpadding=2>"
                 "<tr><td id=o1 colspan=2><table id=i border=1 cellspacing=6 cellpadding=2>"
                 "<tr><td id=i1 rowspan=2>a<br>a<br>a<br>a</td><td id=i2>b</td></tr>"
                 "<tr><td id=i3>c</td></tr></table></td></tr>"
                 "<tr><td id=o2>d</td><td id=o3>e</td></tr></table></body>");
    const QRect i1 = page.box("i1"), i2 = page.box("i2"), i3 = page.box("i3");
    const QRect o1 = page.box("o1"), o2 = page.box("o2"), o3 = page.box("o3");
    ASSERT_FALSE(i1.isEmpty());
    // The row-spanning cell is hit in its lower half, beside the second row.
    EXPECT_EQ(page.hitAt({i1.center().x(), i3.center().y()}).toStdString(), "i1");
    // Spacing between the inner rows, and between the inner cells.
    EXPECT_EQ(page.hitAt({i2.center().x(), (i2.bottom() + i3.top()) / 2}).toStdString(), "i");
    EXPECT_EQ(page.hitAt({(i1.right() + i2.left()) / 2, i2.center().y()}).toStdString(), "i");
    // Inside the outer cell but outside the inner table: the outer cell.
    EXPECT_EQ(page.hitAt({o1.left() + 1, o1.top() + 1}).toStdString(), "o1");
    // Spacing between the outer rows and between the cells of the second row.
    EXPECT_EQ(page.hitAt({o2.center().x(), (o1.bottom() + o2.top()) / 2}).toStdString(), "o");
    EXPECT_EQ(page.hitAt({(o2.right() + o3.left()) / 2, o2.center().y()}).toStdString(), "o");
    // Right and bottom edges belong outside the cell.
    EXPECT_EQ(page.hitAt({o3.left() + o3.width(), o3.center().y()}).toStdString(), "o");
    EXPECT_EQ(page.hitAt({o3.left(), o3.top()}).toStdString(), "o3");
}

TEST(HitTesting, ImageMapNameMatchesTheMapAndEmptyAreasFallThrough)
{
    HitPage page("<body>"
                 "<img id=img src='photo.png' usemap='#Shapes' style='position:absolute;left:0;top:0;"
                 "width:100px;height:100px'>"
                 "<map name=shapes><area id=empty shape=rect coords='' href='x'>"
                 "<area id=def shape=default href='y'></map></body>");
    // Map names match without regard to case; an area without coordinates
    // covers nothing; the default area covers the rest of the image.
    EXPECT_EQ(page.hitAt({5, 5}).toStdString(), "def");
    EXPECT_EQ(page.hitAt({100, 50}).toStdString(), "BODY");
}

namespace {

struct HiddenCase
{
    const char* name;
    const char* aimAt; // the centre of this element's box
    const char* expected;
};

class HitHiddenLayers : public ::testing::TestWithParam<HiddenCase>
{
};

} // namespace

// Hidden boxes (visibility) are drawn nowhere and take no clicks: a click on
// an empty part of the page must not select an invisible layer. What is made
// visible again inside one is hit where it is drawn.
TEST_P(HitHiddenLayers, HitsOnlyWhatIsVisible)
{
    HitPage page(layout_test::readFixture(QStringLiteral("hidden.html")).toUtf8().constData());
    const QRect aim = page.box(GetParam().aimAt);
    ASSERT_FALSE(aim.isEmpty()) << GetParam().aimAt << " has no box";
    EXPECT_EQ(page.hitAt(aim.center()).toStdString(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fixture, HitHiddenLayers,
                         ::testing::Values(HiddenCase{"EmptyPartOfAHiddenLayer", "ghost", "BODY"},
                                           HiddenCase{"ChildThatInheritsHidden", "ghostchild", "BODY"},
                                           HiddenCase{"VisibleChildOfAHiddenLayer", "shown", "shown"},
                                           HiddenCase{"VisibleLayerInsideAHiddenLayer", "shownlayer", "shownlayer"},
                                           HiddenCase{"HiddenLayerOverAVisibleOne", "over", "under"},
                                           HiddenCase{"HiddenCellGivesItsTable", "hiddencell", "t"},
                                           HiddenCase{"VisibleCellBesideAHiddenOne", "cell", "cell"},
                                           HiddenCase{"HiddenWordsGiveTheirParagraph", "hiddenword", "flow"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Layers without a box (display:none, and all they hold, whatever their own
// display) are never hit; their place shows what lies below.
TEST(HitTesting, LayersWithoutDisplayHaveNoBoxAndAreNeverHit)
{
    HitPage page(layout_test::readFixture(QStringLiteral("hidden.html")).toUtf8().constData());
    for (const char* id : {"gone", "goneinner"})
        EXPECT_EQ(page.layout.box(byId(page.doc.get(), id)), nullptr) << id;
    HitTester hits(page.layout);
    for (int y = 200; y < 300; y += 10) {
        for (int x = 20; x < 120; x += 10)
            ASSERT_EQ(hits.elementFromPoint({x, y}), page.doc->body()) << x << "," << y;
    }
}

// A layer hidden or shown again by a change of style is hit as it is now.
TEST(HitTesting, LayerHiddenByAStyleChangeIsNoLongerHit)
{
    HitPage page(layout_test::readFixture(QStringLiteral("hidden.html")).toUtf8().constData());
    const QPoint centre = page.box("under").center();
    ASSERT_EQ(page.hitAt(centre).toStdString(), "under");
    Element* under = byId(page.doc.get(), "under");
    under->style().setAttribute(QStringLiteral("visibility"), Variant(QStringLiteral("hidden")));
    EXPECT_EQ(page.hitAt(centre).toStdString(), "BODY");
    Element* over = byId(page.doc.get(), "over");
    over->style().setAttribute(QStringLiteral("visibility"), Variant(QStringLiteral("visible")));
    EXPECT_EQ(page.hitAt(centre).toStdString(), "over");
}

// What is hit is what is drawn: what is made visible inside a hidden layer,
// and nothing else of it.
TEST(HitHiddenLayers, VisibleContentInsideAHiddenLayerIsDrawn)
{
    LayoutEngine layout;
    layout_test::loadFixture(layout, QStringLiteral("hidden.html"));
    const QImage image = layout.render(800, 600);
    const auto colourAt = [&](const char* id) {
        const LayoutBox* b = layout.tree().boxByHtmlId(QString::fromLatin1(id));
        return b ? QColor(image.pixel(b->borderBox.center())) : QColor();
    };
    EXPECT_EQ(colourAt("shown"), QColor(0xff, 0xcc, 0xcc));
    EXPECT_EQ(colourAt("shownlayer"), QColor(0xff, 0xff, 0xcc));
    EXPECT_EQ(colourAt("ghostchild"), QColor(Qt::white));
}
