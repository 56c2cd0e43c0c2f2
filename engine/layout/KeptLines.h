#pragma once

#include "engine/layout/LineFit.h"

#include <litehtml/litehtml.h>

#include <climits>
#include <cstddef>
#include <optional>
#include <vector>

namespace engine {

// A block that holds nothing but words (a paragraph being typed in), laid
// out again after some of them changed: its lines before the line the
// change begins on stand as they were (the line before that one is laid
// out again when the change begins a line: its first word may now fit on
// it), and the words from there on are placed anew. Where a new line
// begins with the word an old line began with, and every word from there
// on is the one it was, as wide as it was, the old lines from there on
// stand too, moved by as much as the line before them moved: a word's width
// follows from its line alone (see LineFit), and so the old lines from
// there on come out as they were.
//
// Lines of right or centred text are not kept (litehtml moves the words of
// a line when it ends the line, once).
//
// litehtml is given only the children from the line laid out again first to
// the old line a few lines below the change that may be met (see Window):
// those of the lines that stand are not looked at. Where the lines do not
// meet within them, the block is placed again with every child from there on.
//
// A line of preformatted text is one line however long (it ends only at a
// break): where such a block's one line holds the change, its pieces before
// the change stand, litehtml places only the words made anew after them,
// and the pieces after the change follow those along the line, each given
// its width there (see LineFit::placeAlong); their height stands.
class KeptLines
{
public:
    // The block's children whose lines may stand: the first `prefix` and
    // the last `suffix` are the elements the old lines were made of, as
    // wide as they were then. `wordsKnown`: those are known to be words
    // (see wordsOnly), and are not asked again.
    KeptLines(const litehtml::element& block, size_t prefix, size_t suffix, bool wordsKnown = false);
    ~KeptLines();
    KeptLines(const KeptLines&) = delete;
    KeptLines& operator=(const KeptLines&) = delete;

    // While alive, the next layout of the block on this thread keeps what
    // it can of its lines.
    class Scope
    {
    public:
        explicit Scope(KeptLines& kept);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        KeptLines* m_outer;
    };

    // While alive, the block's children are those litehtml is to place (see
    // above); those it had are back after.
    class Window
    {
    public:
        Window(KeptLines& kept, litehtml::elements_vector& children);
        ~Window();
        Window(const Window&) = delete;
        Window& operator=(const Window&) = delete;

    private:
        KeptLines& m_kept;
        litehtml::elements_vector& m_children;
        litehtml::elements_vector m_all;
    };

    // The plan for `block` being laid out on this thread, if any.
    static KeptLines* of(const litehtml::element* block);

    // From the block's layout, before it begins: takes its old lines
    // (`boxes`); false when none of them can stand.
    bool begin(const litehtml::elements_vector& children, litehtml::box::vector& boxes, litehtml::text_align align);
    // From the block's placing of each child: true when `el` was placed
    // here (`width`: what placing it gives), false when it is to be placed
    // as usual.
    bool place(litehtml::html_tag& block, litehtml::box::vector& boxes, litehtml::white_space ws,
               const litehtml::element::ptr& el, int maxWidth, int& width);

    // Where the last place() handed litehtml the line that stands in part
    // (see above): the block's fitting of widths goes on after the line's
    // pieces before the change, for the words made anew.
    void continueLine(LineFit& fit, const litehtml::box::vector& boxes);
    // What the fitting of widths of a block's line found after its pieces
    // before a change, the first `children` of the block's children: while
    // none of those changes, the next key there goes on from it (a long
    // line's pieces are many). Kept by the owner of the plans across
    // layouts; forgotten when the block changes otherwise.
    struct LineStart
    {
        const litehtml::element* block = nullptr;
        size_t children = 0;
        LineFit::Along along;
    };
    void useLineStart(std::optional<LineStart>* kept) { m_lineStart = kept; }

    // After a layout of the block given a Window: true when its lines are
    // all placed; false when they are to be placed again with the children
    // given back (`boxes`: the block's lines, given back to the plan).
    // `fit`: the block's fitting of widths, which places the pieces after
    // the change of a line that stands in part.
    bool windowDone(litehtml::box::vector& boxes, LineFit& fit);
    // How far the lines that stand reach to the right (what placing their
    // children gives at most), after a layout given a Window.
    int keptReach(const litehtml::box::vector& boxes) const;
    // Whether the width a layout of the block gives is asked (it takes a
    // look at every line that stands); a block laid out again at its place
    // keeps its width.
    bool widthAsked() const { return m_widthAsked; }
    void leaveWidthUnasked() { m_widthAsked = false; }
    bool windowed() const { return m_windowTo > 0; }
    // Whether the block's children were found to be words and the comments
    // that mark where texts begin, nothing else.
    bool wordsOnly() const { return m_wordsOnly; }
    // How many children litehtml was given to place in the layouts of the
    // block (all of them where no Window was).
    size_t childrenPlaced() const { return m_childrenPlaced; }
    void notePlaced(size_t children) { m_childrenPlaced += children; }

    // Whether the next child place() is given is placed anew unless it
    // begins an old line that stands from there on (between the restart and
    // the meeting), rather than kept without a look at its width.
    bool placesAnew() const { return m_phase == Phase::Off || m_phase == Phase::Anew; }
    // After the layout: whether old lines stood; whether the layout went
    // otherwise than planned (then it is of no use: lay the page out whole).
    bool used() const { return m_phase != Phase::Off && !m_failed; }
    bool failed() const { return m_failed; }
    // The first child placed anew; the child from which on the old lines
    // stand again (the number of children when they did not); how far
    // those moved down.
    size_t restart() const { return m_restart; }
    size_t metAt() const { return m_metAt; }
    // Where the words of the line of the restart stood, and those of the
    // line met (before it moved), in the block; INT_MIN where unknown. (The
    // words of such a block are of one font: along a line they stand at
    // one height, which grows from line to line.)
    int restartY() const { return m_restartY; }
    int metY() const { return m_metY; }
    int dy() const { return m_dy; }
    // How many old lines stood before the restart, and from the meeting on.
    size_t linesKeptBefore() const { return m_kept + (m_inLine ? 1 : 0); }
    // Whether the change was laid out within a line that stands in part
    // (see above): the children from metAt() on moved along it.
    bool withinLine() const { return m_inLine.has_value(); }
    // Of the line that stood in part, the words before restart() and from
    // metAt() on.
    size_t wordsBeforeWithinLine() const { return m_inLine ? m_inLine->wordsBefore : 0; }
    size_t wordsAfterWithinLine() const { return m_inLine ? m_inLine->wordsAfter : 0; }
    size_t linesKeptAfter() const { return m_keptAfter; }

private:
    enum class Phase { Off, Before, Anew, Met };
    // Plans the layout within the block's one line of preformatted text
    // (see above): the children [prefix, suffixFrom) are new; false when
    // the line cannot stand in part.
    bool beginWithinLine(const litehtml::elements_vector& children, litehtml::box::vector& boxes, size_t prefix,
                         size_t suffixFrom);
    struct Candidate
    {
        size_t line;  // an old line
        size_t child; // the child it began with
    };
    void fail();

    const litehtml::element* m_block;
    size_t m_prefix;
    size_t m_suffix;
    bool m_wordsKnown;
    bool m_wordsOnly = false;
    bool m_widthAsked = true;
    int m_restartY = INT_MIN;
    int m_metY = INT_MIN;
    const litehtml::elements_vector* m_children = nullptr;
    litehtml::box::vector m_old;
    std::vector<size_t> m_firstOfLine; // the child each kept line begins with
    std::vector<Candidate> m_candidates;
    Phase m_phase = Phase::Off;
    bool m_failed = false;
    bool m_placedAny = false;
    int m_right = 0; // the right edge of the old lines
    size_t m_kept = 0;
    size_t m_nextKept = 0;
    size_t m_restart = 0;
    size_t m_at = 0;
    size_t m_candidate = 0;
    size_t m_metAt = 0;
    size_t m_keptAfter = 0;
    int m_dy = 0;
    // The children given to litehtml [m_windowFrom, m_windowTo); 0: all.
    size_t m_windowFrom = 0;
    size_t m_windowTo = 0;
    bool m_windowAll = false; // every child after the restart is given
    size_t m_childrenPlaced = 0;
    // The line that stands in part: its pieces before the change and after
    // it, what those before take of its width, and where it stood.
    struct WithinLine
    {
        litehtml::elements_vector before;
        litehtml::elements_vector after;
        int width = 0;
        int top = 0;
        int height = 0;
        int baseline = 0;
        size_t wordsBefore = 0; // of the pieces before and after, the words
        size_t wordsAfter = 0;
        bool handed = false;    // given to litehtml
        bool continued = false; // told to the block (lineContinued)
    };
    std::optional<WithinLine> m_inLine;
    std::optional<LineStart>* m_lineStart = nullptr;
};

} // namespace engine
