#pragma once

#include <litehtml/litehtml.h>

#include <memory>
#include <unordered_map>
#include <vector>

namespace engine {

// The page's extent as the layout library measures it (every visible box's
// margin box, positioned ones too), kept for a page whose text stands in
// one table cell of very many blocks: after a block of the cell is laid out
// again and what follows it moved, the extent is found again from the
// block's alone, without walking the whole page. Made from a laid-out page;
// valid until anything but such an edit in that cell changes the layout.
class ContentExtent
{
public:
    // Null when the page's extent cannot be kept so (a box around the cell
    // clips its content, is fixed or hidden, or the root has margins,
    // padding or borders).
    static std::unique_ptr<ContentExtent> of(const std::shared_ptr<litehtml::element>& cell);

    const litehtml::element* cell() const { return m_cell.get(); }
    // After `block` in the cell was laid out again and what follows it in
    // the cell moved by `dy`. False when `block` does not stand in the cell.
    bool update(const litehtml::element& block, int dy);
    // After the children `removed` of `parent` gave way to the `added`
    // from `at` on, laid out where they stood, and what follows them in the
    // cell moved by `dy`. False when `parent` does not stand in the cell.
    bool replace(const litehtml::element& parent, size_t at,
                 const std::vector<std::shared_ptr<litehtml::element>>& removed, size_t added, int dy);
    // The extent of the page; the root box stretched to it as a layout
    // stretches it (and at least as large as the view, `view`).
    litehtml::size extent(litehtml::size view);

private:
    struct Node
    {
        int bottom = 0;
        int right = 0;
        int add = 0; // still to add to the bottoms below this node
    };
    void build(int node, int from, int to);
    void set(int node, int from, int to, int at, int bottom, int right);
    void addFrom(int node, int from, int to, int at, int dy);
    void pushDown(int node);
    // The leaves' bottoms and rights, in order.
    void collect(int node, int from, int to, std::vector<litehtml::size>& out);

    std::shared_ptr<litehtml::element> m_cell;
    std::vector<litehtml::size> m_leaves; // while building
    std::vector<Node> m_nodes;
    std::unordered_map<const litehtml::element*, int> m_index; // child -> its place among the cell's children
    litehtml::size m_outside; // the extent of everything but the cell's content and the boxes around it
    std::vector<std::shared_ptr<litehtml::element>> m_around; // the cell, and the boxes around it up to the root
};

} // namespace engine
