#pragma once

#include "engine/layout/TableElement.h"

#include <litehtml/litehtml.h>

#include <cstddef>
#include <memory>
#include <optional>

namespace engine {

class CellBlockWidths;

// A block of a text box's cell found as wide as the cell (see
// BlockReflow::keptWideBeside), and where it stood among its parent's
// children.
struct WideBlock
{
    std::weak_ptr<litehtml::element> block;
    size_t at = 0;
};

// Lays out one block of a laid-out page again after a change inside it (a
// restyle, typing) and keeps every other box: the block is rendered anew at
// the place and width it had, and the page stands when its box, margins,
// padding and borders come out as before. Only blocks whose content does not
// feed the size of anything around them qualify: a change inside a table
// takes the outermost table around it; inside a float, an inline block or a
// positioned box of content width there is no such block. Blocks with floats
// or positioned boxes inside, or beside floats, do not qualify either.
//
// One exception to the tables: a block in the cell of an absolutely
// positioned table of one column sized by its content (a text box) lays out
// alone, as long as the table's width stays: the cell's widest content is as
// wide as before. What follows the block in its cell, and the rows below,
// then move with its height; the table moves nothing else (it is out of the
// flow).
//
// A change inside a cell of a table laid out again (the outermost table
// around the change) lays out that cell alone while the table would give
// it the same room and height (see TableElement::layOutCellAgain); else the
// table is laid out whole.
class BlockReflow
{
public:
    // The block to lay out again after a change of `changed`; null when the
    // change needs a whole layout. `inFlow`: a block known to hold neither
    // floats nor positioned boxes (its children are not looked at again).
    static std::shared_ptr<litehtml::element> blockFor(const std::shared_ptr<litehtml::element>& changed,
                                                       const litehtml::element* inFlow = nullptr);

    // Notes where `block` stands in the current layout (before the change);
    // `extent`: what extentBefore() is, where known.
    explicit BlockReflow(std::shared_ptr<litehtml::element> block, std::optional<litehtml::size> extent = std::nullopt);

    const std::shared_ptr<litehtml::element>& block() const { return m_block; }
    // The cell of the text box the block stands in (see above), or null.
    const std::shared_ptr<litehtml::element>& cell() const { return m_cell; }
    // The same for any block.
    static std::shared_ptr<litehtml::element> textBoxCellOf(const litehtml::element& block);
    const std::shared_ptr<litehtml::element>& table() const { return m_table; }
    // In a text box, before the change: notes how wide the block makes its
    // cell (the block is laid out at its place again after).
    void noteWidths();
    // What noteWidths() found (-1 before, or outside a text box).
    int widthInCellBefore() const { return m_widthInCell; }
    // A change of `changed` (`inContent`: of what it holds, not of its own
    // style), before it is made: where it stands in a cell of the table laid
    // out again, that cell may be laid out alone.
    void noteChangeIn(const std::shared_ptr<litehtml::element>& changed, bool inContent);
    // Another change of the block before the next layout (noted in
    // `later`): the cell is laid out alone only when it holds both.
    void noteAlso(const BlockReflow& later);
    // The element whose boxes run() changed: the cell laid out alone, or
    // the block.
    std::shared_ptr<litehtml::element> laidOut() const;
    // How many times run() laid out a cell of a table alone, on this
    // thread, since it began.
    static long tableCellsLaidOutAlone();
    // How many times a block of a text box's cell was measured from its
    // words (see measureWords) rather than laid out, on this thread, since
    // it began.
    static long blocksMeasuredFromWords();

    // How the block came out of run(): as before; of another height or
    // other vertical margins, padding or borders (placed after the block
    // before it; what follows it moves, see FlowShift); or otherwise
    // different (the page must be laid out whole).
    enum class Result { SameBox, OtherHeight, OtherBox };
    // How wide `block`, a block of a text box's cell, makes the cell, as
    // the table measures it; -1 when it stands in no such cell. (A block
    // that is not one of words, see measureWords, is left laid out at
    // other widths: it is laid out at its place again after.)
    static int widthInCellOf(const std::shared_ptr<litehtml::element>& block);
    // Whether a cell of the width `width` (in its blocks' terms) stays as
    // wide when blocks that made it `before` wide at most make it `after`
    // wide at most: the cell is as wide as its widest block.
    static bool keepsCellWidth(int before, int after, int width);
    // Whether a block among `parent`'s children other than [from, to) makes
    // the text box's cell `width` wide (in the terms of keepsCellWidth):
    // then the cell keeps its width when those became narrower. Looks at
    // the block found last time (`last`) and at a few blocks nearest the
    // changed ones; a block looked at is measured as the table measures it
    // and laid out at its place again. False when none of them is as wide.
    static bool keptWideBeside(const litehtml::element& parent, size_t from, size_t to, int width, WideBlock& last);
    // The widths noted of the blocks of a text box's cell (see
    // CellBlockWidths), to follow a change among `parent`'s children; null
    // when not known. A change deeper in the cell leaves them unknown (they
    // are those of the cell's own blocks).
    static CellBlockWidths* blockWidthsOf(litehtml::element& cell, const litehtml::element& parent);
    // Whether, by the widths noted (known ones), another block keeps the
    // cell `width` wide now that a change made one as wide as the cell
    // (`before`) narrower (`after`).
    static bool widestKeepsCellWidth(const CellBlockWidths* widths, int before, int after, int width);
    // Renders the block again at its place and width.
    Result run();
    // How far what follows the block moves after the last run().
    int heightChange() const { return m_shift; }
    // The block's border box top before the change, in page coordinates.
    int topBefore() const { return m_top; }

    // The page extent the block's boxes reached before the change and after
    // run() (right and bottom edges, margins included).
    litehtml::size extentBefore() const { return m_extentBefore; }
    // `ofWords`: the block holds words alone (see addWordsBlockSize).
    litehtml::size extentAfter(bool ofWords = false) const;

private:
    // How wide the block makes its cell, as the table measures it: from its
    // words, or by laying it out at other widths (m_laidOutElsewhere).
    int widthInCell();
    // After a change in the cell of its own laid out alone: whether the
    // table stands as it stood (else the cell needs the whole table).
    bool layOutTableCellAlone();

    std::shared_ptr<litehtml::element> m_block;
    // Whether the block's lines are those of its place now, and whether,
    // as they were before the change, it asked its cell for all of its room
    // (see asksForAllTheRoom).
    bool m_linesOfItsPlace = false;
    bool m_askedForTheRoom = false;
    std::shared_ptr<litehtml::element> m_cell;
    std::shared_ptr<litehtml::element> m_table;
    int m_widthInCell = -1;
    bool m_laidOutElsewhere = false;
    // The cell of the table (the block) that all changes stand in, what
    // the table took of it before them, and whether run() laid it out alone.
    std::shared_ptr<litehtml::element> m_tableCell;
    TableElement::CellMeasure m_tableCellBefore;
    bool m_changesElsewhere = false;
    bool m_tableCellAlone = false;
    litehtml::position m_pos;
    litehtml::margins m_margins;
    litehtml::margins m_paddings;
    litehtml::margins m_borders;
    float m_originFraction = 0; // where its content started and ended, to the fraction of a pixel
    float m_heightFraction = 0;
    MarginStrut m_topStrut; // the margins at its top and bottom, to the fraction of a pixel
    MarginStrut m_bottomStrut;
    int m_x = 0;
    int m_y = 0;
    int m_width = 0;
    int m_top = 0;
    int m_shift = 0;
    litehtml::size m_extentBefore;
};

} // namespace engine
