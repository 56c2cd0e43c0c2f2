// The block boxes of a page, for scripts/layout-fidelity.sh to compare with
// a browser's. Run by hand:
//   PAGINOR_PAGE=/path/page.html test_engine --gtest_also_run_disabled_tests
//       --gtest_filter='LayoutFidelity.*'

#include "engine/dom/Document.h"
#include "engine/html/PageLoader.h"
#include "engine/layout/DocumentLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace engine;

TEST(LayoutFidelity, DISABLED_PrintBlockBoxes)
{
    static const QStringList kBlockTags = {"P",     "H1",  "H2", "H3", "H4",         "H5",      "H6",    "PRE",
                                           "TABLE", "UL",  "OL", "DL", "DT",         "DD",      "LI",    "DIV",
                                           "HR",    "IMG", "TD", "TH", "BLOCKQUOTE", "ADDRESS", "CENTER"};
    Ref<Document> doc = Document::create();
    ASSERT_TRUE(doc->loader().load(qEnvironmentVariable("PAGINOR_PAGE")));
    DocumentLayout layout(doc.get());
    layout.setViewportSize(QSize(qEnvironmentVariableIntValue("PAGINOR_WIDTH"), 16000));
    std::vector<const LayoutBox*> boxes;
    for (const LayoutBox& b : layout.tree().boxes) {
        if (kBlockTags.contains(b.tag))
            boxes.push_back(&b);
    }
    std::stable_sort(boxes.begin(), boxes.end(), [](auto* a, auto* b) { return a->order < b->order; });
    for (const LayoutBox* b : boxes)
        printf("BOX %s %d %d %d %d %s\n", qPrintable(b->tag), b->borderBox.x(), b->borderBox.y(), b->borderBox.width(),
               b->borderBox.height(), qPrintable(b->htmlId));
}
