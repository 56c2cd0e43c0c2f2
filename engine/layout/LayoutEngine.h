#pragma once

#include "engine/layout/ElementTable.h"
#include "engine/layout/KeptLines.h"
#include "engine/layout/LayoutSerializer.h"
#include "engine/layout/LayoutTree.h"
#include "engine/layout/TextLines.h"
#include "engine/layout/TypedWords.h"
#include "engine/layout/PageContainer.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace litehtml {
class context;
class document;
class element;
} // namespace litehtml

namespace engine {

namespace layoutelements_detail {
struct ChildIndexes;
}

class BlockReflow;
class ContentExtent;
class KeptLines;
class RootElement;
struct WideBlock;
class FlowShift;
class FlowPlans;

// The one seam between the engine and the layout library: load a layout
// serialization, lay it out at a width, draw any area of it, and give the
// boxes of elements and words (LayoutTree). Nothing outside engine/layout/
// sees litehtml.
class LayoutEngine
{
public:
    LayoutEngine();
    ~LayoutEngine();

    LayoutEngine(const LayoutEngine&) = delete;
    LayoutEngine& operator=(const LayoutEngine&) = delete;

    // Images and style sheets with relative addresses come from this folder.
    void setBaseFolder(const QString& folder);
    // The visible area (the root background covers at least this much).
    void setViewportSize(QSize size);
    // The mode the pages loaded next are laid out in, as their DOCTYPE asks
    // (see documentModeOf); quirks mode unless told.
    void setDocumentMode(DocumentMode mode);

    // Replaces the page with this HTML; the next layout() lays it out.
    void load(const QString& html);
    // The same for a long page's text in pieces: read in parts on threads
    // of their own (at most `parts`, each at least `leastPartLength` long)
    // where its cuts and style sheets allow, else whole.
    void load(const std::vector<QString>& pieces, const std::vector<LayoutSerializer::Cut>& cuts,
              const QStringList& styleSheetLinks, int parts, qsizetype leastPartLength);
    // How many parts the last load read the page in (1: whole).
    int partsRead() const { return static_cast<int>(m_partDocuments.size()) + 1; }
    // Takes over the page, boxes and fonts of another engine that loaded and
    // laid out a page (on another thread, say); `other` is left with this
    // one's. The painters hooked into this one's container stay hooked.
    void takeOver(LayoutEngine& other);
    bool isLoaded() const;

    // Lays the page out for this width (the view's width without its scroll bar).
    void layout(int width);
    bool isLaidOut() const { return m_laidOut; }
    int layoutWidth() const { return m_width; }
    // The page area the last layout() changed: null after a whole layout;
    // one band of the page when only the block around the changes since the
    // layout before was laid out again (see BlockReflow).
    std::optional<QRect> lastLayoutArea() const { return m_lastArea; }

    // Restyles one element in place after a change of its style or attributes
    // (attributes given as name/value pairs replace the old ones) and marks the
    // layout stale, unless the change only alters how the element is painted
    // (colours): then the boxes stand, when the restyle left every margin and
    // padding as it was (else the layout is stale after all). Returns false
    // when the node has no layout element.
    bool restyle(int nodeId, const std::vector<std::pair<QString, QString>>& attributes, bool paintOnly = false);
    // Whether a restyle changed what kind of box an element makes in a way
    // the page's layout elements cannot follow (a table part, a list item,
    // an inline holding blocks): the page must be loaded again.
    bool reloadDue() const { return m_reloadDue; }
    // Replaces the words of one text node in place (typing): no new layout
    // document, the next layout() lays it out. `before` is the text the layout
    // was made from. False, with nothing changed, when the layout's words are
    // not that text as the parser would have placed it, or the new text would
    // parse differently (then load the page again).
    bool replaceText(int textNodeId, const QString& before, const QString& after);
    // How many words and spaces the last replaceText made anew: those
    // around the change (the others stand).
    size_t wordsMadeByLastReplace() const { return m_wordsMade; }
    // Of the last layout of a block of words after typing (see KeptLines),
    // or of the blocks of a run that took old blocks' words and lines over
    // (see MovedLines): how many old lines stood, how many words were read
    // again, and how many children litehtml was given to place.
    struct KeptLinesCount
    {
        size_t linesKept = 0;
        size_t wordsRead = 0;
        size_t childrenPlaced = 0;
    };
    KeptLinesCount lastKeptLines() const { return m_lastKept; }
    // Replaces the elements of a run of a block's children, from that of
    // node `firstId` to that of node `lastId` (the words and white space
    // between them included), by those of `html`: the run written as a page
    // of its own, opened as the page is open at the block (see
    // LayoutSerializer::writeRun), `open` the node ids of the elements
    // around it, outermost first, the block last. Laid out in place when
    // the run and what stands around it allow (see layoutRunInPlace); else
    // the next layout() is a whole one. False, with nothing changed, when
    // the layout is not as said, or when rules of the page's linked style
    // sheets would match otherwise in the run read apart. `textsLeftOut`:
    // the texts `html` holds the marker of alone (see
    // LayoutSerializer::writeRun); their words are those the run held where
    // they stand as they were (see MovedWords).
    bool replaceRun(const std::vector<int>& open, int firstId, int lastId, const QString& html,
                    const std::vector<std::pair<int, QString>>& textsLeftOut = {});
    // How many words the last replaceRun took over from the run before.
    size_t wordsTakenByLastRun() const { return m_wordsTaken; }
    // Whether the layout holds node `nodeId` (an element, box or not, or a
    // text): not when the node was never written or a run replaced it.
    bool laysOut(int nodeId) const;
    // Whether the element `nodeId` keeps the line feeds of its text (its
    // white space preformatted); false where the layout does not hold it.
    bool keepsLineFeeds(int nodeId) const;
    // Moves the boxes of an absolutely positioned element and everything in it
    // by an offset, without a new layout (a dragged object).
    bool shiftPositioned(int nodeId, int dx, int dy);

    const LayoutTree& tree() const { return m_tree; }
    // The words of the layout read as lines (found when first asked for
    // after a change of the boxes, or beforehand by findTextLines()).
    std::shared_ptr<const TextLines> textLines();
    void findTextLines();
    // Measures beforehand, on a laid-out page whose text stands in a text
    // box, what the first edit that moves what follows it there would
    // otherwise walk the whole page for: the page's extent (see
    // ContentExtent), for the cell holding the most children. Kept until a
    // change of the layout other than such an edit.
    void measureTextBoxExtent();
    // The extent of the page, positioned boxes included.
    QSize canvasSize() const { return m_tree.canvas; }

    // Draws the part of the page inside pageArea (page coordinates) on a
    // painter whose origin is the page's origin.
    void draw(QPainter& painter, const QRect& pageArea);
    // Lays out at width and renders the whole page (at least minHeight high).
    QImage render(int width, int minHeight = 0);

    PageContainer& container() { return *m_container; }
    // The font (a handle of the container's fonts) an element's text takes;
    // 0 when the element has no box.
    int fontOf(int nodeId) const;
    // Whether an element or anything in it is a list item: its marker stands
    // outside the boxes and words.
    bool holdsListItems(int nodeId) const;
    // The page background: BODY's colour, else white.
    QColor backgroundColor() const;

    // Layouts with more boxes than this (a word counted as a sixteenth of
    // a box) are taken apart on a worker thread when they are let go on the
    // application's thread: a long page's layout takes seconds to take
    // apart, and one of a long line of text, of few boxes, a good part of a
    // second. A shorter one goes at once (a box about 2 us, a word a
    // thirtieth of that): taken apart on a worker, it would slow the
    // window's thread more than that, both taking and giving back memory.
    static constexpr size_t kBoxesTakenApartInBackground = 4000;
    static constexpr size_t kWordsABox = 16;
    // Whether the page is taken apart on a worker thread when let go of.
    bool takenApartInBackground() const;

private:
    // Lets the page and its boxes go (on a worker thread when they are many).
    void letGoOfPage();
    // Forgets what keys found of the block and text they were typed in
    // (m_typedWords, m_wordsBlock, m_blockExtent, m_wordsCut): the layout
    // changed otherwise.
    void forgetWhatKeysFound();
    void takeStyleSheetOfMode();
    // After a load: the spaces at the edges of blocks marked, the words'
    // widths fitted.
    void prepareWords();
    void buildTree();
    std::shared_ptr<litehtml::element> elementOf(int nodeId) const;
    // Before a change of `changed`: the block that may be laid out alone
    // after it. After the change: keeps it as the next layout's block when
    // it still is the one, else the next layout is a whole one.
    // `inContent`: the change is to what `changed` holds, not its own style.
    // `inFlow`: see BlockReflow::blockFor.
    // A change in a second block before the layout lays the page out whole,
    // unless a run replaced takes in every block changed (the Delete of a
    // selection across paragraphs, which changes both and joins them):
    // each is noted before its first change (see m_changedBlocks).
    std::unique_ptr<BlockReflow> blockBefore(const std::shared_ptr<litehtml::element>& changed, bool inContent = false,
                                             const litehtml::element* inFlow = nullptr);
    void noteChange(const std::shared_ptr<litehtml::element>& changed, std::unique_ptr<BlockReflow> block,
                    const litehtml::element* inFlow = nullptr);
    // Whether every change since the layout was in a block of `run` (see
    // m_changedBlocks); the extent of a block of it before, where noted.
    bool changesWithin(const std::vector<std::shared_ptr<litehtml::element>>& run) const;
    const litehtml::size* changedBlockExtent(const litehtml::element* block) const;
    // The changes since the layout are not all in blocks noted.
    void forgetChangedBlocks();
    bool layoutBlockOnly();
    // After the block came out of another height: what follows it moves.
    bool layoutBlockAndMoveWhatFollows();
    // The block's boxes and words, read again; `changed` their area. False
    // when they cannot be matched to the old ones (or, unless
    // `canvasMayChange`, they reach past the canvas).
    bool refreshBlockBoxes(const std::shared_ptr<litehtml::element>& block, QRect& changed,
                           bool canvasMayChange = false);
    // The same for a block of words whose lines partly stood (m_keptLines):
    // only the words placed anew are read again, those of the lines that
    // stood after them moved. False, with nothing changed, when the
    // block's words cannot be followed so.
    // After replaceText: notes which children of `block` stand (see
    // WordsEdited), or that none may be kept.
    void noteWordsEdited(const litehtml::element& block, int textNodeId, bool keepable, size_t prefix, size_t suffix,
                         int childrenChange, int lengthChange);
    bool refreshKeptWords(const std::shared_ptr<litehtml::element>& block, QRect& changed, bool canvasMayChange);
    // Whether the positioned boxes in the content that moves go with it.
    // (`to`: the end of the boxes that move.)
    bool movesWithItsPlace(int blockBox, int to, const FlowShift& shift) const;
    // Moves our boxes and words as FlowShift moved the layout library's,
    // and (with a `tableBox` around the holder, a cell) the cells of the
    // table's rows below. (`oldBottom`: the block's bottom before; words of
    // the boxes around it below that move.)
    // After spliceTree: the words from `from` on belong to boxes that moved
    // along the list (those from `end` on by `added`).
    struct OwnersMoved
    {
        size_t from = 0;
        int end = 0;
        int added = 0;
    };
    // Returns the boxes after the block up to the end of those that move,
    // and how far they reach now (moved or not); up to where all of them
    // moved ([from, movedTo)).
    struct MovedRange
    {
        int from = 0;
        int to = 0;
        int right = 0;
        int bottom = 0;
        int movedTo = 0;
    };
    MovedRange moveTreeAfter(int blockBox, int holderBox, int tableBox, int oldBottom, const FlowShift& shift,
                             const OwnersMoved* owners = nullptr);
    // Blocks drawn by the index of their many children (ChildIndex) learn
    // how far their child around `block` now paints (`area`, after a
    // change of the block).
    void widenChildReach(const litehtml::element& block, const QRect& area);
    // Places the words of the texts left out of a run's text after their
    // markers in `inner` (see replaceRun), from those of `old` where they
    // stand as they were; false, with nothing changed, when a marker is not
    // where its words may stand.
    struct WordsCut;
    bool placeTextsLeftOut(litehtml::element& inner, const std::vector<std::pair<int, QString>>& texts,
                           const std::vector<std::shared_ptr<litehtml::element>>& old, std::optional<WordsCut> cut);
    // Where a run of blocks stood before replaceRun (see layoutRunInPlace).
    struct RunBefore;
    // Notes it; false when the run cannot be laid out in place.
    bool noteRunBefore(const std::vector<std::shared_ptr<litehtml::element>>& old, RunBefore& before) const;
    // Lays out the blocks that took a run's place (`fresh`, children of
    // `parent`, from `at`) where the run stood, and moves what follows them
    // by the change of height: blocks in a flow of blocks, of whole-pixel
    // heights and margins between them, whose first top margin and last
    // bottom margin are those of the run before. False when the page must
    // be laid out whole.
    // `old`: the run's blocks, gone; `extent`: the page's extent kept from
    // before, if any.
    bool layoutRunInPlace(const std::shared_ptr<litehtml::element>& parent, size_t at,
                          const litehtml::elements_vector& fresh,
                          const std::vector<std::shared_ptr<litehtml::element>>& old, const RunBefore& before,
                          std::unique_ptr<ContentExtent> extent);
    // Our boxes and words of the run's blocks (boxes first .. end-1) give
    // way to those of `fresh`; returns the index of the last new top box.
    // The owners of the words after them are left to moveTreeAfter.
    int spliceTree(int parentBox, int first, int end, const litehtml::elements_vector& fresh, OwnersMoved& owners);
    // Where the block holds other boxes than before (a run replaced in a
    // table's cell it was laid out again for): its boxes and words made
    // anew in their place, those after them moved along the list (see
    // spliceTree: `owners` for moveTreeAfter); `changed` their area. False,
    // with nothing changed, when the block held no words.
    bool replaceBlockBoxes(const std::shared_ptr<litehtml::element>& block, int blockBox, QRect& changed,
                           OwnersMoved& owners);
    // After an edit in a text box: the page's extent as the layout library
    // measures it (kept in m_contentExtent, else walked), the root's box
    // stretched to it, the canvas (`moved`: see updateCanvas).
    void takeTextBoxPageExtent(RootElement& root, const MovedRange* moved);
    // The canvas: the layout library's extent and every box (those of
    // `moved` by the reach found as they moved).
    void updateCanvas(const MovedRange* moved = nullptr);

    // (Shared with a layout being taken apart on a worker thread.)
    std::shared_ptr<PageContainer> m_container;
    std::shared_ptr<litehtml::context> m_context;
    bool m_quirksSheet = true; // whether the context's default style sheet is that of quirks mode
    std::shared_ptr<litehtml::document> m_document;
    // The documents of a page read in parts: their elements are in m_document.
    std::vector<std::shared_ptr<litehtml::document>> m_partDocuments;
    LayoutTree m_tree;
    std::shared_ptr<const TextLines> m_textLines; // of m_tree; null when not found since its last change
    // The lines last found, while m_tree is the tree they were found in
    // (words may have changed in the layout library's elements since): a
    // run laid out in place finds its lines from them.
    std::shared_ptr<const TextLines> m_treeLines;
    std::unique_ptr<layoutelements_detail::ChildIndexes> m_childIndexes; // for drawing blocks with very many children
    ElementTable m_elements;
    // Text node id -> the marker comment that stands before its words.
    ElementTable m_textMarkers;
    std::unordered_map<std::string, QString> m_tagNames; // lower case -> the boxes' tag names
    QSize m_viewport{800, 600};
    int m_width = 0;
    bool m_laidOut = false;
    // Set while every change since the last layout lies in this block.
    std::unique_ptr<BlockReflow> m_reflow;
    // The blocks changed since the layout, each with its extent before its
    // first change, once changes are in more than m_reflow's block (which
    // is then the first of them); m_changesOutsideBlocks: some change was
    // not in a block that may stand alone, or was not followed so.
    struct ChangedBlock
    {
        std::weak_ptr<litehtml::element> block;
        litehtml::size extent;
    };
    std::vector<ChangedBlock> m_changedBlocks;
    bool m_changesOutsideBlocks = true;
    // The page's extent kept for edits in the cell of a text box.
    std::unique_ptr<ContentExtent> m_contentExtent;
    // What plans of moves after a block found of the boxes around it.
    std::unique_ptr<FlowPlans> m_flowPlans;
    // The block last found as wide as a text box's cell (see BlockReflow).
    std::unique_ptr<WideBlock> m_wideBlock;
    bool m_reloadDue = false;
    size_t m_wordsMade = 0;
    size_t m_wordsTaken = 0;
    // The words of one text node in the block that holds them, changed
    // since the last layout: which of the block's children stand as they
    // were (see KeptLines).
    struct WordsEdited
    {
        const litehtml::element* block = nullptr;
        int textNodeId = -1;
        size_t prefix = 0;      // the first children, as they were
        size_t suffix = 0;      // the last ones, as they were and as wide
        int lengthChange = 0;   // of the text node
        int childrenChange = 0; // of the block
    };
    std::optional<WordsEdited> m_wordsEdited;
    // The extent of the block the last layout laid out alone, measured
    // then: where the next change is in that block, it is its extent
    // before the change (a long paragraph's words are not measured again).
    struct BlockExtent
    {
        const litehtml::element* block = nullptr;
        litehtml::size size;
    };
    std::optional<BlockExtent> m_blockExtent;
    // The words of the text node last typed in.
    std::optional<TypedWords> m_typedWords;
    // What was found of the children of the block last typed in, which keys
    // since (words for words) leave as it was: that none is a float or a
    // positioned box; that all are words (see KeptLines). Forgotten at any
    // other change.
    struct WordsBlock
    {
        const litehtml::element* block = nullptr;
        bool onlyWords = false;
    };
    WordsBlock m_wordsBlock;
    // The words the last replaceText cut out of its text in one piece (an
    // Enter cuts off the end that goes to a new paragraph, written next as
    // a run): the run takes them over (see MovedWords). Forgotten at any
    // other change.
    struct WordsCut
    {
        std::shared_ptr<litehtml::element> box;
        litehtml::elements_vector words;
        std::string bytes;
    };
    std::optional<WordsCut> m_wordsCut;
    std::optional<WordsEdited> m_wordsEditedNow; // those of the layout under way
    std::unique_ptr<KeptLines> m_keptLines;      // while the block is laid out
    // Where the fitting of widths stood in the line last typed in within
    // (see KeptLines::LineStart).
    std::optional<KeptLines::LineStart> m_lineStart;
    // The lines of the tree before a block of words was laid out again, and
    // which of its words changed (see TextLines::updated): the lines are
    // found again only for those.
    struct LinesUpdate
    {
        std::shared_ptr<const TextLines> before;
        int from = 0;
        int had = 0;
        int now = 0;
        int boxFrom = 0;
        int boxesHad = 0; // its boxes [boxFrom, boxFrom + boxesHad) laid out again
        int boxesNow = 0;
        // The words after the block that moved, when known.
        std::optional<TextLines::Shifted> shifted;
        // The block, when the words read again stand within its one line
        // (see TextLines::updatedWithinLine); -1 otherwise.
        int withinLineOf = -1;
    };
    std::optional<LinesUpdate> m_linesUpdate;
    KeptLinesCount m_lastKept;
    KeptLinesCount m_runKept;      // of the run laid out in place last
    bool m_wholeLayoutDue = false; // the view changed size since the last layout
    QSize m_documentSize;          // the layout library's extent of the page
    std::optional<QRect> m_lastArea;
    // A run replaced and laid out in place: the next layout() at the same
    // width has nothing more to do.
    bool m_runLaidOut = false;
    std::optional<QRect> m_runArea;
};

} // namespace engine
