// Incremental painting: after a change the view repaints only what it marks
// as pending; painting just that over the old picture must give the picture
// a full paint gives, at any zoom.
#include "engine/view/PageView.h"

#include "engine/EnginePage.h"
#include "engine/css/Style.h"
#include "engine/editing/Selection.h"
#include "engine/layout/LayoutFixture.h"

#include <gtest/gtest.h>

#include <QPainter>

#include <functional>

using namespace engine;
using layout_test::byId;

namespace {

const char* kLayers =
    "<html><body>"
    "<div id=layer style='position:absolute;left:100px;top:60px;width:60px;height:20px;background-color:#f00'>"
    "<div id=spill style='width:40px;height:120px;background-color:#00f'></div></div>"
    "<div id=box style='position:absolute;left:260px;top:60px;width:50px;height:50px;background-color:#0a0'></div>"
    "<p id=p style='margin-top:220px'>Some words of text in a paragraph</p>"
    "<div id=low style='height:4px;color:#000'>text that stands<br>below <span id=word>its</span> own<br>short "
    "box</div>"
    "</body></html>";

struct RepaintCase
{
    const char* name;
    int zoom;
    std::function<void(Document*)> change;
    bool partial = true; // repaints less than the whole view
};

class IncrementalPaint : public ::testing::TestWithParam<RepaintCase>
{
};

// The area where two pictures differ (empty when they are the same).
QRect differingArea(const QImage& a, const QImage& b)
{
    QRect area;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                area = area.united(QRect(x, y, 1, 1));
    return area;
}

void setStyle(Document* doc, const char* id, const char* property, const char* value)
{
    byId(doc, id)->style().setAttribute(QString::fromLatin1(property), Variant(QString::fromLatin1(value)));
}

} // namespace

TEST_P(IncrementalPaint, LeavesNoStalePixels)
{
    Ref<Document> doc = pageFrom(kLayers);
    PageView view(doc.get());
    view.setHeadless(QSize(400, 300));
    view.setZoom(GetParam().zoom);
    view.setShowZeroBorders(true);
    doc->selection().setControlRange({Ref<Element>(byId(doc.get(), "layer")), Ref<Element>(byId(doc.get(), "box"))});
    QImage picture = view.renderToImage();

    GetParam().change(doc.get());
    view.flushChanges();
    // (A whole repaint would hide what the change's own area misses.)
    if (GetParam().partial) {
        ASSERT_NE(view.pendingRepaint(), QRegion(QRect(QPoint(0, 0), QSize(400, 300))));
    }
    {
        QPainter p(&picture);
        view.paintViewRegion(p, view.pendingRepaint());
    }
    const QImage full = view.renderToImage();
    const QRect area = differingArea(picture, full);
    EXPECT_TRUE(area.isEmpty()) << "stale pixels in " << area.x() << "," << area.y() << " " << area.width() << "x"
                                << area.height() << ": " << std::hex
                                << (area.isEmpty() ? 0 : picture.pixel(area.topLeft())) << " instead of "
                                << (area.isEmpty() ? 0 : full.pixel(area.topLeft()));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, IncrementalPaint,
    ::testing::Values(RepaintCase{"DragWithHandles", 100, [](Document* d) { setStyle(d, "box", "left", "230px"); }},
                      RepaintCase{"DragWithHandlesZoomed", 150, [](Document* d) { setStyle(d, "box", "top", "75px"); }},
                      RepaintCase{"ColourOfContentThatSpills", 100,
                                  [](Document* d) { setStyle(d, "spill", "background-color", "#ff0"); }},
                      RepaintCase{"ResizeOfALayer", 100, [](Document* d) { setStyle(d, "box", "width", "20px"); },
                                  false},
                      RepaintCase{"BackgroundOfThePage", 100,
                                  [](Document* d) {
                                      d->body()->style().setAttribute(QStringLiteral("background-color"),
                                                                      Variant(QStringLiteral("#ffc")));
                                  },
                                  false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IncrementalPaint, ScrollingRepaintsWhatComesIntoView)
{
    Ref<Document> doc = pageFrom(kLayers);
    PageView view(doc.get());
    view.setHeadless(QSize(200, 150));
    QImage picture = view.renderToImage();
    view.scrollBy(60, 40);
    view.flushChanges();
    {
        QPainter p(&picture);
        view.paintViewRegion(p, view.pendingRepaint());
    }
    EXPECT_TRUE(differingArea(picture, view.renderToImage()).isEmpty());
}

// Changes whose content stands outside the changed element's own boxes: a
// moved layer's content below it, text below a short block whose colour
// changes or which is laid out again alone (a word made bold, typing).
INSTANTIATE_TEST_SUITE_P(
    OutsideTheBox, IncrementalPaint,
    ::testing::Values(
        RepaintCase{"DragOfALayerWhoseContentSpills", 100, [](Document* d) { setStyle(d, "layer", "left", "30px"); }},
        RepaintCase{"DragOfALayerWhoseContentSpillsZoomed", 150,
                    [](Document* d) { setStyle(d, "layer", "top", "90px"); }},
        RepaintCase{"ColourOfTextBelowItsBox", 100, [](Document* d) { setStyle(d, "low", "color", "#f00"); }},
        RepaintCase{"BoldWordBelowItsBlock", 100, [](Document* d) { setStyle(d, "word", "font-weight", "bold"); }},
        RepaintCase{
            "TypingBelowItsBlock", 100,
            [](Document* d) { byId(d, "word")->firstChild()->asText()->setData(QStringLiteral("all of its")); }}),
    [](const auto& info) { return std::string(info.param.name); });

// The moved path must not take the handles of an empty layer along.
TEST(IncrementalPaint, DragOfAnEmptyLayerRepaintsItsHandles)
{
    Ref<Document> doc = pageFrom("<html><body><div id=empty style='position:absolute;left:50px;top:40px'></div>"
                                 "<p>text</p></body></html>");
    PageView view(doc.get());
    view.setHeadless(QSize(300, 200));
    doc->selection().setControlRange({Ref<Element>(byId(doc.get(), "empty"))});
    QImage picture = view.renderToImage();
    setStyle(doc.get(), "empty", "left", "120px");
    view.flushChanges();
    ASSERT_EQ(view.layout().counters().shifts, 1);
    {
        QPainter p(&picture);
        view.paintViewRegion(p, view.pendingRepaint());
    }
    EXPECT_TRUE(differingArea(picture, view.renderToImage()).isEmpty());
}
