// Text geometry over large pages and around replaced content.
#include "engine/layout/TextGeometry.h"

#include "engine/EnginePage.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/RangeGeometry.h"
#include "LayoutFixture.h"

#include <gtest/gtest.h>

using namespace engine;
using layout_test::byId;

// A range over an image reports the image's box with the text around it.
TEST(RangeGeometry, RangeOverAnImageCoversTheImage)
{
    Ref<Document> doc = pageFrom("<body><p id=p>before <img id=img src='none.png' width=40 height=30> after</p></body>");
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(600, 400));
    Element* p = byId(doc.get(), "p");
    TextRange range(doc.get(), p->firstChild(), 0, p->lastChild(), 3);
    const QRect bounds = RangeGeometry(layout).rangePageRect(range);
    const LayoutBox* img = layout.box(byId(doc.get(), "img"));
    ASSERT_NE(img, nullptr);
    EXPECT_TRUE(bounds.contains(img->borderBox)) << bounds.height() << " " << img->borderBox.height();
}
