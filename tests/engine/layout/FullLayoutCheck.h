#pragma once

// Paths that keep part of a layout (words changed in place, one block laid
// out again) must give what a layout made from scratch gives.

#include "engine/dom/Text.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/LayoutSerializer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
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

// The node a layout's node id stands for (ids differ between a layout kept
// across changes of the tree and one made from scratch).
using NodeOfId = std::function<const engine::Node*(int)>;

// Every box and every word of `mine`, its canvas and (with `pixels`) its
// painting are those of `full`; node ids compared as the nodes they stand
// for when told.
inline void expectSameLayout(engine::LayoutEngine& mine, engine::LayoutEngine& full, const std::string& step,
                             bool pixels = false, const NodeOfId& mineNode = {}, const NodeOfId& fullNode = {})
{
    using namespace engine;
    const auto sameNode = [&](int x, int y) {
        if (!mineNode || !fullNode)
            return x == y;
        return (x < 0 && y < 0) || (x >= 0 && y >= 0 && mineNode(x) == fullNode(y));
    };
    const LayoutTree& a = mine.tree();
    const LayoutTree& b = full.tree();
    ASSERT_EQ(a.boxes.size(), b.boxes.size()) << step;
    for (size_t i = 0; i < a.boxes.size(); ++i) {
        const LayoutBox& x = a.boxes[i];
        const LayoutBox& y = b.boxes[i];
        const std::string what = step + ", box " + std::to_string(i) + " " + x.tag.toStdString();
        EXPECT_TRUE(sameNode(x.nodeId, y.nodeId)) << what << ": node " << x.nodeId << " / " << y.nodeId;
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
        EXPECT_TRUE(sameNode(x.textNodeId, y.textNodeId)) << what;
        EXPECT_EQ(x.offset, y.offset) << what;
        EXPECT_EQ(x.text, y.text) << what;
        EXPECT_EQ(x.box, y.box) << what;
        EXPECT_EQ(x.baseline, y.baseline) << what;
        EXPECT_EQ(x.owner, y.owner) << what;
        EXPECT_EQ(x.space, y.space) << what;
        EXPECT_EQ(mine.container().fonts().qfont(x.font), full.container().fonts().qfont(y.font)) << what;
    }
    EXPECT_EQ(a.canvas, b.canvas) << step;
    EXPECT_EQ(a.byNode.size(), b.byNode.size()) << step;
    for (const auto& [id, index] : a.byNode) {
        EXPECT_TRUE(static_cast<size_t>(index) < a.boxes.size() && a.boxes[static_cast<size_t>(index)].nodeId == id)
            << step << ": box of node " << id;
    }
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
    const LayoutSerializer::Result written = LayoutSerializer::serialize(doc);
    full.load(written.html);
    full.layout(layout.viewportSize().width());
    layout.ensureLayout();
    expectSameLayout(
        layout.engine(), full, step, pixels, [&layout](int id) -> const Node* { return layout.node(id); },
        [&written](int id) -> const Node* {
            return id < static_cast<int>(written.nodes.size()) ? written.nodes[static_cast<size_t>(id)].get() : nullptr;
        });
}

// What a view of `size` at the page's top shows.
inline QImage paintTop(engine::DocumentLayout& layout, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    layout.engine().draw(p, image.rect());
    return image;
}

} // namespace layout_test
