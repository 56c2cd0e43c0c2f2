#pragma once

#include "engine/dom/Ref.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace engine {

class Document;
class Element;
class Node;

// The HTML that the layout library lays out, written from the DOM: each
// element carries its node id in the node-id attribute, and a comment "#<id>"
// stands before each text node, so that boxes and words map back to nodes.
// The DOCTYPE and the page's comments are left out (the layout is told the
// mode the DOCTYPE chooses apart), and elements nested deeper than the cap
// are not handed over (they get no box; the result tells which were left
// out, so that the user can hear why part of the page is not shown). The
// depth is that of the page's own content: the parts of a text box the
// editor keeps the page's text in (an absolutely positioned TABLE of one
// cell in BODY, with its row group, row and cell) count no level, and its
// table no table.
//
// A long page can be written a part at a time (advance()), and the part
// written so far laid out as a page of its own (partialHtml()): node ids do
// not change as the writing goes on.
class LayoutSerializer
{
public:
    // Element depth below the root that the layout still receives, and the
    // number of nested tables (each costs the layout a factor in time), a
    // text box's parts not counted.
    static constexpr int kMaxDepth = 180;
    static constexpr int kMaxTableDepth = 12;
    // A longer text of a page kept in pieces is written a slice this long
    // at a time (see advance()).
    static constexpr qsizetype kTextSlice = 64 * 1024;

    struct Result
    {
        QString html;
        std::vector<Ref<Node>> nodes; // node id -> node
        // The elements nested deeper than the caps, left out (the
        // outermost of each part left out).
        std::vector<Ref<Node>> leftOutDeep;
        // The texts written as their marker alone (see writeRun): text
        // node id, text.
        std::vector<std::pair<int, QString>> textsLeftOut;
    };

    static Result serialize(const Document& doc);

    // The layout text of the children `first` .. `last` of `parent` read as
    // a page of their own: opened as the page is open at `parent` (the HTML
    // element with the page's HEAD, the start tags of the elements around,
    // their node ids given by `idOf`) and closed after them. Their nodes
    // take ids from `firstId` on (nodes[i] has id firstId + i). Nothing
    // when an element around has no id, stands too deep, or the rules of
    // the page's STYLE elements would match otherwise in a page of its own
    // (rules on siblings, see styleSheetAllowsParts; linked sheets are
    // looked at where the run is read, see LayoutEngine::replaceRun).
    // Texts of at least `leaveOutFrom` characters (when positive) are
    // written as their marker alone and listed in textsLeftOut: their words
    // are placed after it without a parse (see MovedWords).
    static std::optional<Result> writeRun(const Document& doc, const Element& parent, int first, int last, int firstId,
                                          const std::function<int(const Node*)>& idOf, qsizetype leaveOutFrom = 0);

    explicit LayoutSerializer(const Document& doc);
    ~LayoutSerializer();
    LayoutSerializer(const LayoutSerializer&) = delete;
    LayoutSerializer& operator=(const LayoutSerializer&) = delete;

    // Writes about `nodes` more nodes, or the next slice of a long text;
    // true when the page is written whole.
    bool advance(int nodes);
    bool isDone() const;
    // What was written so far, the elements still open closed after it.
    QString partialHtml() const;
    // A long page kept in pieces of about this length (between nodes), which
    // stay as they are once written: the text so far can then be handed to
    // another thread (partialPieces(), wholePieces()) without a copy of it.
    void keepInPiecesOf(qsizetype length) { m_pieceLength = length; }
    // What was written so far and the end tags of the elements still open;
    // the whole text once done. Joined, the pieces are the page's text.
    std::vector<QString> partialPieces() const;
    std::vector<QString> wholePieces() const { return partialPieces(); }
    static QString join(const std::vector<QString>& pieces);
    // The length of the text written so far.
    qsizetype writtenLength() const { return m_piecesLength + m_result.html.size(); }
    // Asks for the page's first part, to be laid out first while the rest
    // is written: what is written until the text reaches `length` (cut
    // inside a long text where it does) or until a table starts nested
    // `tables` deep, closed there. firstPart() holds it once taken (empty
    // until then, and when the page ends before); firstPartEndsAtATable()
    // tells that it stopped before deep tables.
    void takeFirstPartAt(qsizetype length, int tables);
    const QString& firstPart() const { return m_firstPart; }
    bool firstPartEndsAtATable() const { return m_firstPartAtTable; }
    // Whether a table of more than one cell is open where the writing
    // stands (a part that ends there would show the table without its later
    // rows or cells). A table of one cell, such as a text box around the
    // page's text, has none: a part shows the first of its content.
    bool insideTable() const;
    // The text (since the last piece) and nodes written so far (the whole
    // page once done, when not kept in pieces).
    const Result& result() const { return m_result; }
    // The whole text and the nodes written.
    Result takeResult();
    // Moves the nodes written since the first `into` holds into it (node id
    // = index): the writer keeps no hold on them.
    void moveNodesInto(std::vector<Ref<Node>>& into);

    // A page changed while it is written a part at a time: the writing goes
    // on from the same place. After a change of the tree, finds that place
    // again; false when it is gone (a node being written, or the last one
    // written in an element still open, was taken out): the page must be
    // written anew.
    bool followTreeChange();
    // Whether `child` of `parent` (an element being written) stands where
    // the writing has not come yet: it is written as it is when reached.
    bool writesLater(const Node& parent, const Node& child) const;
    // Whether `element` is being written (written in part).
    bool isOpen(const Node& element) const;
    // Whether the children of `parent` up to `last` are written whole,
    // when `parent` was written (an element still open is written up to the
    // child being written).
    bool wroteChildrenUpTo(const Node& parent, int last) const;
    // Leaves `count` node ids to nodes written elsewhere (a run written
    // anew), after those moved out so far: the writing goes on after them.
    void skipIds(int count);

    // A long page kept in pieces can be read in parts, each on a thread of
    // its own, where a piece starts inside blocks alone, or inside a cell
    // that nothing but blanks follows in its table (a cut): a part is
    // read as a page of its own, opened as the page is open there (the
    // HTML element with the page's HEAD, the start tags of the blocks open
    // there) and closed as it is closed where the next part starts. No
    // cuts are noted while the page's style sheets hold rules on siblings
    // (they would match otherwise at a part's edge).
    struct Cut
    {
        size_t piece = 0;      // the first piece after the cut
        QString opening;       // what a part that starts here starts with
        QString closing;       // what a part that ends here ends with
        std::vector<int> open; // node ids of the elements open here, outermost first
    };
    const std::vector<Cut>& cuts() const { return m_cuts; }
    // The addresses of the page's linked style sheets (their rules decide
    // whether the page may be read in parts).
    const QStringList& styleSheetLinks() const { return m_styleSheetLinks; }
    // Whether the page may be read in parts at its cuts (its style sheets
    // and styles allow it, as far as written).
    bool partsAllowed() const { return m_partsAllowed; }
    // Whether the rules of a style sheet, or declarations, allow reading in
    // parts.
    static bool styleSheetAllowsParts(const QString& css);
    static bool declarationsAllowParts(const QString& css);

private:
    // An element (or the document) being written: its end tag is due after
    // its children from `next` on.
    enum class TextBoxPart { None, Table, RowGroup, Row, Cell };
    struct Frame
    {
        Frame(const Node* node, QString tag);
        const Node* node;
        QString tag; // empty for the document
        int next = 0;
        Ref<Node> last; // the child written last (child next - 1)
        int depth = 0;
        int tableDepth = 0;
        // What of a text box it is (see above), and how many levels and
        // tables of text boxes stand around it, itself included.
        TextBoxPart textBoxPart = TextBoxPart::None;
        int textBoxLevels = 0;
        int textBoxTables = 0;
        bool textOnly = false; // text only inside (raw text, TEXTAREA, TITLE)
        bool escape = false;   // that text escaped
        int id = -1;           // node id
        qsizetype start = 0;   // where its start tag stands in the whole text
    };
    void visit(const Node* node, const Frame& parent);
    // Writes `text` (of a text node) from `from` on: in a page kept in
    // pieces, a slice of a long one, the rest left for the next advance().
    void writeText(const QString& text, qsizetype from);
    // Sets where `frame`, an element's, stands: in `parent`.
    static void placeIn(Frame& frame, const Frame& parent);
    // Whether `frame` is nested deeper than the layout takes.
    static bool tooDeep(const Frame& frame);
    // Writes a node and everything in it.
    void writeWhole(const Node* node, const Frame& parent);
    // The first part, as the html up to `end` with the open elements closed.
    void takeFirstPart(qsizetype end, bool atTable);
    QString closingTags() const;
    QString textBetween(qsizetype start, qsizetype end) const;
    bool canBeCutHere();
    void noteCut();

    Result m_result;
    // A long text being written: what it held when its writing began, and
    // how far it is written (null when none).
    QString m_textLeft;
    qsizetype m_textAt = 0;
    qsizetype m_pieceLength = 0; // none: one text
    std::vector<QString> m_pieces;
    qsizetype m_piecesLength = 0;
    qsizetype m_firstPartLength = -1; // none asked for
    int m_firstPartTables = 0;
    QString m_firstPart;
    bool m_firstPartAtTable = false;
    std::vector<Cut> m_cuts;
    // An element open at this depth of the stack that no cut may fall
    // inside (a PRE, a paragraph): no place is looked for while it is open.
    const Node* m_uncut = nullptr;
    size_t m_uncutDepth = 0;
    QString m_headText;
    bool m_partsAllowed = true;
    QStringList m_styleSheetLinks;
    std::vector<Frame> m_stack;
    bool m_started = false;
    int m_idBase = 0;             // the id of the first node written
    qsizetype m_leaveOutFrom = 0; // see writeRun
    const Document& m_doc;
};

} // namespace engine
