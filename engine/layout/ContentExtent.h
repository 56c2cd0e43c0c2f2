#pragma once

#include <litehtml/litehtml.h>

#include <memory>
#include <optional>
#include <utility>
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
    // How many times of() walked a page, on this thread, since it began.
    static long pagesWalked();

    const litehtml::element* cell() const { return m_cell.get(); }
    // After `block` in the cell was laid out again and what follows it in
    // the cell moved by `dy`. False when `block` does not stand in the cell.
    // `extent`: the block's, where it is known (see BlockReflow::extentAfter).
    bool update(const litehtml::element& block, int dy, const std::optional<litehtml::size>& extent = std::nullopt);
    // After the children `removed` of `parent` gave way to the `added`
    // from `at` on, laid out where they stood, and what follows them in the
    // cell moved by `dy`. False when `parent` does not stand in the cell.
    bool replace(const litehtml::element& parent, size_t at,
                 const std::vector<std::shared_ptr<litehtml::element>>& removed, size_t added, int dy);
    // The extent of the page; the root box stretched to it as a layout
    // stretches it (and at least as large as the view, `view`).
    litehtml::size extent(litehtml::size view);

private:
    // The extents of the cell's children, in their order, in parts of a
    // few hundred: an edit changes one part and moves the parts after it,
    // however long the page.
    struct Part
    {
        std::vector<litehtml::size> leaves; // their bottoms less `add`
        int add = 0;                        // to add to the bottoms of the part
        int bottom = 0;                     // the lowest bottom and farthest right (less `add`)
        int right = 0;
        void measure();
    };
    // The child's place among the cell's children, or -1.
    int placeOf(const litehtml::element& child);
    // The part of the child at `at`, and the child's place in it.
    std::pair<size_t, size_t> partOf(size_t at) const;
    // The children from `at` on are `dy` lower.
    void addFrom(size_t at, int dy);
    // The children [at, at + count) give way to children of the extents `fresh`.
    void splice(size_t at, size_t count, const std::vector<litehtml::size>& fresh);

    std::shared_ptr<litehtml::element> m_cell;
    std::vector<Part> m_parts;
    size_t m_count = 0;       // children of the cell
    size_t m_lastAt = 0;      // where the child last looked for stood
    litehtml::size m_outside; // the extent of everything but the cell's content and the boxes around it
    std::vector<std::shared_ptr<litehtml::element>> m_around; // the cell, and the boxes around it up to the root
};

} // namespace engine
