#pragma once

#include <litehtml/litehtml.h>

#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace engine {

// What the plans of moves (see FlowShift) found of the children of boxes
// they passed, kept from one plan to the next: which children do not move
// simply as boxes of their own. A box of very many children, as a long
// page's BODY, is not asked again of each of them at each edit: only the
// children that changed since are. Forgotten for the boxes whose styles
// change.
class FlowPlans
{
public:
    // The styles of `el` and of what it holds changed.
    void forget(const litehtml::element& el);
    void clear() { m_lists.clear(); }

    // (What is known of the children of one box.)
    struct Children
    {
        std::weak_ptr<litehtml::element> parent;
        // The children as looked at last. (Held: none is freed meanwhile,
        // and another at its address taken for it.)
        std::vector<std::shared_ptr<litehtml::element>> seen;
        // The children of `seen` that do not move as themselves, as how
        // far from the end of the list they stand (1 for the last), in
        // that order: the end of a list stays where edits before it change
        // it.
        std::vector<size_t> irregular;

        // Finds again those of `children` from `from` on that changed
        // since they were seen.
        void follow(const litehtml::elements_vector& children, size_t from);
    };

private:
    friend class FlowShift;
    // What is known of the children of `parent` (nothing the first time).
    Children& of(const std::shared_ptr<litehtml::element>& parent);

    std::unordered_map<const litehtml::element*, Children> m_lists;
};

// What follows a block in the flow, moved after the block was laid out again
// with another height: every box after it down the page moves by the change,
// and the boxes that hold it grow by it, up to one whose height is set (or
// that stands out of the flow, or the root). Planned first, so that a page
// where moving is not the same as laying out again is left untouched:
// floats in any box around the block, positioned boxes in the moved content
// that are placed against a box that does not move (the caller looks at
// those inside the moved boxes, in its box tree), and a block that is or
// becomes empty (its margins may collapse through it).
class FlowShift
{
public:
    // The move after `block` changed its height by `dy`, or nothing when the
    // page must be laid out whole. The root box is at least `rootHeight`
    // high (it covers the view). With `cell`, the block stands in that
    // table cell, which grows with it and holds what moves (its table
    // follows apart).
    // With `plans`, what was found of the boxes passed is kept there.
    static std::optional<FlowShift> plan(const std::shared_ptr<litehtml::element>& block, int dy, int rootHeight,
                                         const litehtml::element* cell = nullptr, FlowPlans* plans = nullptr);

    // Moves the boxes of the layout library and their paint extents.
    void apply() const;

    int dy() const { return m_dy; }
    // The box whose content moves: everything after the block down to its
    // end moves, the positioned boxes of `kept` and their content excepted.
    const litehtml::element* holder() const { return m_holder; }
    // Node ids of positioned boxes among the moved content that stay where
    // they are.
    const std::unordered_set<int>& kept() const { return m_kept; }
    // The boxes around the block that grow, innermost first.
    const std::vector<litehtml::element*>& grown() const { return m_grown; }

private:
    int m_dy = 0;
    int m_rootHeight = 0;
    const litehtml::element* m_holder = nullptr;
    std::vector<litehtml::element*> m_moved; // roots of moved content (blocks, or leaves of lines)
    std::vector<litehtml::element*> m_grown;
    std::unordered_set<int> m_kept;
};

// Whether a positioned box takes its place from the flow (it has no top and
// no bottom of its own): it moves with the flow.
bool placedByTheFlow(const litehtml::element& el);

} // namespace engine
