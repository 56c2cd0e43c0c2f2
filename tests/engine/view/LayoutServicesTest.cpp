// The DOM's layout-dependent answers (Document::elementFromPoint, the range
// geometry of TextRange, IMG sizes) through the view that shows the page.
#include "engine/view/PageView.h"

#include "engine/EnginePage.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/LayoutFixture.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <memory>

using namespace engine;
using layout_test::byId;

namespace {

struct FixtureView
{
    explicit FixtureView(const QString& html, QSize size = QSize(800, 600))
        : doc(pageFrom(html)), view(std::make_unique<PageView>(doc.get()))
    {
        view->layout().setBaseFolder(layout_test::fixtureFolder());
        view->setHeadless(size);
    }
    Ref<Document> doc;
    std::unique_ptr<PageView> view;
};

// A range over the first occurrence of a word in an element's first text node.
TextRange wordRange(Document* doc, const char* id, const QString& word)
{
    Text* t = byId(doc, id)->firstChild()->asText();
    const int at = t->data().indexOf(word);
    return TextRange(doc, t, at, t, at + int(word.size()));
}

struct PointCase
{
    QPoint client;
    const char* expected; // an id, "BODY", or null for no element
};

class DocumentElementFromPoint : public ::testing::TestWithParam<PointCase>
{
};

const char* kText = "<html><body>"
                    "<p id=p style='width:200px'>alpha bravo charlie delta echo foxtrot golf hotel</p>"
                    "<div id=d style='position:absolute;left:300px;top:50px;width:200px'>placed words</div>"
                    "<div id=far style='position:absolute;left:20px;top:1500px'>far below</div>"
                    "</body></html>";

} // namespace

TEST_P(DocumentElementFromPoint, AnswersThroughTheView)
{
    FixtureView page(layout_test::readFixture(QStringLiteral("hit.html")));
    const PointCase& c = GetParam();
    Element* el = page.doc->elementFromPoint(c.client.x(), c.client.y());
    if (!c.expected) {
        EXPECT_EQ(el, nullptr);
        return;
    }
    ASSERT_NE(el, nullptr);
    if (QByteArray(c.expected) == "BODY")
        EXPECT_EQ(el, page.doc->body());
    else
        EXPECT_EQ(el->id(), QString::fromLatin1(c.expected)) << el->tagName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(HitFixture, DocumentElementFromPoint,
                         ::testing::Values(PointCase{{35, 28}, "t"},         // cell spacing: the TABLE
                                           PointCase{{60, 50}, "c1"},        // inside a cell: the TD
                                           PointCase{{440, 160}, "high"},    // higher z-index on top
                                           PointCase{{390, 110}, "later"},   // same z-index: later wins
                                           PointCase{{120, 250}, "acircle"}, // image map AREA
                                           PointCase{{700, 500}, "BODY"},    // empty area
                                           PointCase{{-1, 10}, nullptr},     // outside the view
                                           PointCase{{10, 600}, nullptr}));

TEST(LayoutServices, WithoutAViewTheDomAnswersNothing)
{
    FixtureView page(layout_test::readFixture(QStringLiteral("hit.html")));
    ASSERT_NE(page.doc->elementFromPoint(60, 50), nullptr);
    page.view.reset();
    EXPECT_EQ(page.doc->layoutServices(), nullptr);
    EXPECT_EQ(page.doc->elementFromPoint(60, 50), nullptr);
    TextRange range = page.doc->createTextRange();
    EXPECT_FALSE(range.moveToPoint(60, 50));
    EXPECT_TRUE(range.getBoundingClientRect().isNull());
    EXPECT_TRUE(range.getClientRects().empty());
    range.scrollIntoView(); // no view: nothing happens
}

TEST(LayoutServices, MoveToPointPlacesTheRangeInTheWordUnderThePoint)
{
    FixtureView page(QString::fromLatin1(kText));
    const QRect word = wordRange(page.doc.get(), "p", QStringLiteral("charlie")).getBoundingClientRect();
    ASSERT_FALSE(word.isNull());
    TextRange range = page.doc->createTextRange();
    ASSERT_TRUE(range.moveToPoint(word.left() + 2, word.center().y()));
    EXPECT_TRUE(range.isCollapsed());
    range.expand(QStringLiteral("word"));
    EXPECT_EQ(range.text().trimmed(), QStringLiteral("charlie"));
}

TEST(LayoutServices, RangeRectsFollowTheBoxesAndTheScrollPosition)
{
    FixtureView page(QString::fromLatin1(kText), QSize(800, 400));
    TextRange placed = wordRange(page.doc.get(), "d", QStringLiteral("placed"));
    const QRect r = placed.getBoundingClientRect();
    EXPECT_EQ(r.topLeft(), QPoint(300, 50));
    EXPECT_GT(r.width(), 20);
    ASSERT_EQ(placed.getClientRects().size(), 1u);

    // The paragraph wraps in its 200 px: one rectangle per line, inside it.
    TextRange para(page.doc.get());
    para.moveToElementText(byId(page.doc.get(), "p"));
    const std::vector<QRect> lines = para.getClientRects();
    ASSERT_GE(lines.size(), 2u);
    for (const QRect& line : lines)
        EXPECT_TRUE(para.getBoundingClientRect().contains(line));

    page.view->scrollToPage(QPoint(0, 30));
    EXPECT_EQ(placed.getBoundingClientRect().topLeft(), QPoint(300, 20));
}

TEST(LayoutServices, OffsetsOfAnElementAsScriptsReadThem)
{
    FixtureView page(QString::fromLatin1(kText), QSize(800, 400));
    LayoutServices* services = page.doc->layoutServices();
    ASSERT_TRUE(services);
    const QRect placed = services->offsetRect(byId(page.doc.get(), "d"));
    EXPECT_EQ(placed.topLeft(), QPoint(300, 50));
    EXPECT_EQ(placed.width(), 200);
    EXPECT_GT(placed.height(), 0);
    // Scrolling does not move offsets; an element without a box has none.
    page.view->scrollToPage(QPoint(0, 30));
    EXPECT_EQ(services->offsetRect(byId(page.doc.get(), "d")), placed);
    EXPECT_EQ(services->offsetRect(page.doc->head()), QRect(0, 0, 0, 0));
}

TEST(LayoutServices, ScrollIntoViewBringsTheRangeIntoTheClientArea)
{
    FixtureView page(QString::fromLatin1(kText), QSize(800, 400));
    TextRange far = wordRange(page.doc.get(), "far", QStringLiteral("below"));
    ASSERT_GT(far.getBoundingClientRect().top(), 400);
    far.scrollIntoView();
    const QRect r = far.getBoundingClientRect();
    EXPECT_GE(r.top(), 0);
    EXPECT_LE(r.bottom(), 399);
    EXPECT_GT(page.view->scrollPosition().y(), 1000);
}

TEST(LayoutServices, ImageWithoutSizeAttributesReportsItsRenderedSize)
{
    FixtureView page(layout_test::readFixture(QStringLiteral("hit.html")));
    Element* img = byId(page.doc.get(), "plainmap"); // photo.png, 60x40, no width/height
    EXPECT_EQ(img->getAttribute(QStringLiteral("width")).toInt(), 60);
    EXPECT_EQ(img->getAttribute(QStringLiteral("height")).toInt(), 40);
    // A passing layout of the same page (printing makes one) leaves the
    // view's answer in place.
    {
        DocumentLayout passing(page.doc.get());
    }
    EXPECT_EQ(img->getAttribute(QStringLiteral("width")).toInt(), 60);
}

TEST(LayoutServices, SelectionChangesRepaintTheView)
{
    FixtureView page(QString::fromLatin1(kText));
    page.view->flushChanges();
    page.view->clearPendingRepaint();
    wordRange(page.doc.get(), "p", QStringLiteral("bravo")).select();
    // The selection reports its change once control returns to the loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    EXPECT_FALSE(page.view->pendingRepaint().isEmpty());
}
