#pragma once

// Paths that keep part of a layout (words changed in place, one block laid
// out again) must give what a layout made from scratch gives.

#include "engine/dom/Text.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/LayoutSerializer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace layout_test {

// The text nodes under `n`, in document order.
inline void collectTexts(engine::Node* n, std::vector<engine::Text*>& out)
{
    for (engine::Node* c = n->firstChild(); c; c = c->nextSibling()) {
        if (engine::Text* t = c->asText())
            out.push_back(t);
        else
            collectTexts(c, out);
    }
}

// Every box and every word of `mine`, its canvas and (with `pixels`) its
// painting are those of `full`.
inline void expectSameLayout(engine::LayoutEngine& mine, engine::LayoutEngine& full, const std::string& step,
                             bool pixels = false)
{
    using namespace engine;
    const LayoutTree& a = mine.tree();
    const LayoutTree& b = full.tree();
    ASSERT_EQ(a.boxes.size(), b.boxes.size()) << step;
    for (size_t i = 0; i < a.boxes.size(); ++i) {
        const LayoutBox& x = a.boxes[i];
        const LayoutBox& y = b.boxes[i];
        const std::string what = step + ", box " + std::to_string(i) + " " + x.tag.toStdString();
        EXPECT_EQ(x.nodeId, y.nodeId) << what;
        EXPECT_EQ(x.parent, y.parent) << what;
        EXPECT_EQ(x.children, y.children) << what;
        EXPECT_EQ(x.borderBox, y.borderBox) << what;
        EXPECT_EQ(x.contentBox, y.contentBox) << what;
        EXPECT_EQ(x.lineBoxes, y.lineBoxes) << what;
        EXPECT_EQ(x.order, y.order) << what;
        EXPECT_EQ(x.tag, y.tag) << what;
        EXPECT_EQ(x.htmlId, y.htmlId) << what;
        EXPECT_EQ(x.paddingBox, y.paddingBox) << what;
        EXPECT_EQ(x.inlineLevel, y.inlineLevel) << what;
        EXPECT_EQ(x.positioned, y.positioned) << what;
        EXPECT_EQ(x.absolute, y.absolute) << what;
        EXPECT_EQ(x.clipsContent, y.clipsContent) << what;
        EXPECT_EQ(x.hidden, y.hidden) << what;
        EXPECT_EQ(x.zIndex, y.zIndex) << what;
    }
    ASSERT_EQ(a.pieces.size(), b.pieces.size()) << step;
    for (size_t i = 0; i < a.pieces.size(); ++i) {
        const TextPiece& x = a.pieces[i];
        const TextPiece& y = b.pieces[i];
        const std::string what = step + ", word " + std::to_string(i) + " '" + x.text.toStdString() + "'";
        EXPECT_EQ(x.textNodeId, y.textNodeId) << what;
        EXPECT_EQ(x.offset, y.offset) << what;
        EXPECT_EQ(x.text, y.text) << what;
        EXPECT_EQ(x.box, y.box) << what;
        EXPECT_EQ(x.baseline, y.baseline) << what;
        EXPECT_EQ(x.owner, y.owner) << what;
        EXPECT_EQ(x.space, y.space) << what;
        EXPECT_EQ(mine.container().fonts().qfont(x.font), full.container().fonts().qfont(y.font)) << what;
    }
    EXPECT_EQ(a.canvas, b.canvas) << step;
    EXPECT_EQ(a.byNode, b.byNode) << step;
    if (!pixels)
        return;
    // (The top left of pages that run very wide or long.)
    const QSize size = a.canvas.boundedTo(QSize(2000, 3000));
    QImage mineImage(size, QImage::Format_RGB32);
    QImage theirs(size, QImage::Format_RGB32);
    {
        QPainter pa(&mineImage);
        QPainter pb(&theirs);
        mine.draw(pa, mineImage.rect());
        full.draw(pb, theirs.rect());
    }
    EXPECT_TRUE(mineImage == theirs) << step << ": the painting differs";
}

// Every box and every word of `layout`, its canvas and (with `pixels`) its
// painting are those of a layout of the same page made from scratch (images
// from `baseFolder`).
inline void expectSameAsFullLayout(engine::DocumentLayout& layout, engine::Document& doc, const std::string& step,
                                   bool pixels = false, const QString& baseFolder = QString())
{
    using namespace engine;
    LayoutEngine full;
    full.setBaseFolder(baseFolder);
    full.setDocumentMode(layout.engine().container().documentMode());
    full.setViewportSize(layout.viewportSize());
    full.load(LayoutSerializer::serialize(doc).html);
    full.layout(layout.viewportSize().width());
    layout.ensureLayout();
    expectSameLayout(layout.engine(), full, step, pixels);
}

} // namespace layout_test
