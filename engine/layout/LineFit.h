#pragma once

#include <litehtml/litehtml.h>

#include <cstddef>
#include <optional>
#include <vector>

namespace engine {

class FontCatalog;

// The widths of the words of a block, given as the block places them on its
// lines. litehtml measures each word and each space on its own, in whole
// pixels, and a line is as wide as its pieces added up; a browser's line is
// its glyphs' advances added up to the fraction of a pixel. Each piece is
// given the whole pixels between the rounded sums of the exact widths on its
// line before and after it: any stretch of a line is within a pixel of its
// exact width, and a word's width follows from its line alone (an edit
// leaves the words of the lines it does not reach as wide as they were).
//
// White space adds nothing where it collapses: at the start of a line, after
// white space, and at the end of a run of text (before a line break, a
// block, or the end of the block's text). White space reaches no farther
// than what stands before it (placing it answers so): where it ends a line,
// the line leaves it out.
//
// A word that begins a new line is first given the width it would have at
// the end of the line before, as litehtml decides with it whether it still
// fits there; once it stands on the new line it takes its width there.
class LineFit
{
public:
    // What before() noted of a piece, for after().
    struct Piece
    {
        litehtml::element* word = nullptr; // null: not a word fitted here
        int widthBefore = 0;               // what it was given before
        int asContinued = 0;               // its width at the end of the line
        int alone = 0;                     // its width beginning a line
        double exact = 0;                  // 0 for white space that collapses
        bool space = false;
    };

    // At the start of each layout of `block`.
    void reset(const litehtml::element& block);
    // Before the block places `el` on its lines (`lines`: the block's boxes).
    Piece before(litehtml::element& el, const litehtml::box::vector& lines);
    // When `el` was not placed after all (its old line stands).
    static void undo(const Piece& piece);
    // After it was placed: `width` is what placing it gave.
    void after(const Piece& piece, litehtml::element& el, const litehtml::box::vector& lines, int& width);

    // A line that stands in part (see KeptLines): the last of `lines` goes
    // on after `items`, which stood on it as they stand (their widths are
    // not looked at again).
    void continueAfter(const litehtml::box::vector& lines, const litehtml::elements_vector& items);
    // How the fitting stands along the line, to go on from there on a line
    // of the same pieces so far (see resume); none while pieces after the
    // last content wait for the end of the run.
    struct Along
    {
        double exact = 0;
        bool started = false;
        bool afterSpace = false;
    };
    std::optional<Along> along() const;
    // The last of `lines` goes on from where `along` was taken.
    void resume(const litehtml::box::vector& lines, const Along& along);
    // Places `items`, pieces of a line that does not wrap, at the end of
    // the last of `lines` as the block would place them there: each given
    // its width there, after what the line holds. (The line's height and
    // baseline are known to be theirs.)
    void placeAlong(const litehtml::box::vector& lines, litehtml::elements_vector&& items);

private:
    bool onSameLine(const litehtml::box::vector& lines) const;
    // The last of `lines` is the line now, nothing on it yet.
    void beginLine(const litehtml::box::vector& lines);
    // The run of text ends: the white space that ends it on the line takes
    // no width, and what follows on the line moves back by as much.
    void endRun(const litehtml::box::vector& lines);

    const FontCatalog* m_fonts = nullptr;
    const litehtml::element* m_lastContent = nullptr; // the block's last child that is not white space
    const litehtml::box* m_line = nullptr;
    size_t m_lines = 0;
    double m_exact = 0;     // the exact widths on the line so far
    bool m_started = false; // something shown stands on the line
    bool m_afterSpace = false;
    std::vector<litehtml::element*> m_sinceContent; // placed on the line after its last content
};

} // namespace engine
