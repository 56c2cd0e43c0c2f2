// What the view shows at its top, found again in another layout of the page.
#include "engine/layout/ViewAnchor.h"

#include "engine/dom/Document.h"
#include "engine/dom/Text.h"
#include "engine/layout/LayoutTree.h"

#include "engine/EnginePage.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

TextPiece word(int textId, int offset, QRect box, bool space = false)
{
    TextPiece p;
    p.textNodeId = textId;
    p.offset = offset;
    p.box = box;
    p.space = space;
    return p;
}

struct TwoTexts
{
    Ref<Document> doc = pageFrom(QStringLiteral("<p>one two three</p><p>four five</p>"));
    std::vector<Node*> nodes; // by id
    TwoTexts()
    {
        const auto ps = doc->getElementsByTagName(QStringLiteral("P"));
        nodes = {ps.item(0)->firstChild(), ps.item(1)->firstChild()};
    }
    Node* nodeOf(int id) const { return id >= 0 && id < int(nodes.size()) ? nodes[size_t(id)] : nullptr; }
    int idOf(const Node* n) const
    {
        const auto it = std::find(nodes.begin(), nodes.end(), n);
        return it == nodes.end() ? -1 : int(it - nodes.begin());
    }
};

} // namespace

// The word at the view's top, found again where another width put it: on
// another line, inside a piece that starts before it. Without a word at or
// below the top, or once the word went from the page, the view keeps its
// pixels.
TEST(ViewAnchor, TheWordAtTheTopStandsThereAgainInTheNewLayout)
{
    TwoTexts page;
    LayoutTree wide;
    wide.pieces = {word(0, 0, {0, 0, 40, 20}), word(0, 3, {40, 0, 5, 20}, true), word(0, 4, {45, 0, 40, 20}),
                   word(0, 8, {0, 100, 50, 20}), word(1, 0, {0, 200, 40, 20})};
    const auto nodeOf = [&page](int id) { return page.nodeOf(id); };
    const auto idOf = [&page](const Node* n) { return page.idOf(n); };
    const ViewAnchor anchor = ViewAnchor::at(wide, QPoint(3, 90), nodeOf);
    ASSERT_EQ(anchor.node(), page.nodes[0]);
    LayoutTree narrow;
    narrow.pieces = {word(0, 0, {0, 0, 40, 20}), word(0, 4, {0, 500, 90, 20}), word(1, 0, {0, 900, 40, 20})};
    EXPECT_EQ(anchor.scrollIn(narrow, idOf), QPoint(3, 500 - 10));
    // A layout of the page's start only does not hold it.
    LayoutTree start;
    start.pieces = {word(1, 0, {0, 0, 40, 20})};
    EXPECT_EQ(anchor.scrollIn(start, idOf), std::nullopt);

    const ViewAnchor below = ViewAnchor::at(wide, QPoint(0, 400), nodeOf);
    EXPECT_EQ(below.node(), nullptr);
    EXPECT_EQ(below.scrollIn(narrow, idOf), QPoint(0, 400));
    page.nodes[0]->parentNode()->removeChild(page.nodes[0]);
    EXPECT_EQ(anchor.scrollIn(narrow, idOf), QPoint(3, 90));
}
