#pragma once

#include <QRect>
#include <QString>

#include <unordered_map>
#include <utility>
#include <vector>

namespace engine {

// The boxes of one element after a layout, in page coordinates (the canvas
// origin at the top left of the page, before scrolling and zoom).
struct LayoutBox
{
    int nodeId = -1; // our node, -1 for elements the serializer did not write
    QString tag;     // upper case: "TABLE", "TD"
    QString htmlId;  // the id attribute, as written
    int parent = -1; // index in LayoutTree::boxes
    std::vector<int> children;
    QRect borderBox;
    QRect paddingBox;
    QRect contentBox;
    std::vector<QRect> lineBoxes; // inline elements: one border box per line fragment
    bool inlineLevel = false;     // laid out inside line boxes (its box is the union of lineBoxes)
    bool positioned = false;      // position other than static
    bool absolute = false;        // absolute or fixed
    bool clipsContent = false;    // overflow other than visible
    bool hidden = false;          // visibility other than visible: paints nothing of its own (what it
                                  // holds may be visible again)
    int zIndex = 0;
    int order = 0;      // document order
    int firstPiece = 0; // how many words come before it in document order
};

// One word or white-space run of a text node as laid out.
struct TextPiece
{
    int textNodeId = -1; // our text node, -1 when unknown
    int offset = 0;      // UTF-16 offset of the piece in its text node
    QString text;
    bool space = false;
    QRect box;        // page coordinates; the line's height
    int baseline = 0; // page y of the baseline
    int font = 0;     // handle in the layout's FontCatalog
    int owner = -1;   // index of the box of the element that holds it
};

// Everything a layout produced that geometry, hit testing and text geometry
// read. Built after each layout; independent of the layout library.
struct LayoutTree
{
    std::vector<LayoutBox> boxes;        // in document order; boxes[0] is the root when not empty
    std::vector<TextPiece> pieces;       // in document order
    std::unordered_map<int, int> byNode; // node id -> box index
    QSize canvas;                        // extent of the page, positioned boxes included

    const LayoutBox* box(int nodeId) const
    {
        const auto it = byNode.find(nodeId);
        return it == byNode.end() ? nullptr : &boxes[static_cast<size_t>(it->second)];
    }
    // One past the last box of the subtree of boxes[index]: a subtree's
    // boxes follow its top in document order.
    int subtreeEnd(int index) const;
    // The words held by the boxes first .. end-1 (a subtree): they follow
    // each other in document order. As indexes in pieces, [first, second).
    std::pair<size_t, size_t> piecesWithin(int first, int end) const;
    // What the subtree of boxes[index] covers: its boxes, line fragments
    // and words (null when it covers nothing).
    QRect subtreeArea(int index) const;

    int indexOfHtmlId(const QString& id) const
    {
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].htmlId == id)
                return static_cast<int>(i);
        }
        return -1;
    }
    const LayoutBox* boxByHtmlId(const QString& id) const
    {
        const int i = indexOfHtmlId(id);
        return i < 0 ? nullptr : &boxes[static_cast<size_t>(i)];
    }
    int indexOfTag(const QString& tag, int nth = 0) const
    {
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].tag == tag && nth-- == 0)
                return static_cast<int>(i);
        }
        return -1;
    }
};

} // namespace engine
