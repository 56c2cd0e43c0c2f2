#pragma once

#include "engine/dom/DocumentObserver.h"
#include "engine/dom/Ref.h"
#include "engine/layout/LayoutEngine.h"
#include "engine/layout/ViewAnchor.h"

#include <QHash>
#include <QPoint>
#include <QRegion>
#include <QSet>
#include <QSize>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace engine {

class Document;
class Element;
class LayoutSerializer;
class Node;

// The layout of one document: follows the page's changes (as its observer),
// hands the layout serialization to the LayoutEngine and lays out lazily,
// before the next geometry query or paint. A change of style or attributes
// restyles the element in place; a change of text (typing) replaces the words
// of its text node in place; a move of an absolutely positioned element only
// shifts its boxes; a change of the tree lays out anew.
// Keeps the view's size and scroll position, so that page and client
// coordinates convert here (client = page - scroll).
//
// A long page can be laid out in the background (setBuildsInBackground):
// its first part is laid out at once, and the rest, written out a part at a
// time on the event loop, is laid out on a worker thread in growing parts
// that take the place of the layout shown as each is done. Until the last is
// in, geometry answers for the part laid out (finishLayout() waits for the
// whole). Typing in a text written, and a change of the tree that a run of
// blocks written anew lays out in place, change the part shown at once and
// are made again in each part that comes in (written before them); so are
// a change of an element's style or attributes (restyled in place, or
// written anew with its run of blocks where rules on classes and ids may
// match otherwise) and an object moved (dragged). Any other change of what
// is written starts the layout over.
class DocumentLayout : public DocumentObserver
{
public:
    explicit DocumentLayout(Document* doc);
    ~DocumentLayout() override;

    DocumentLayout(const DocumentLayout&) = delete;
    DocumentLayout& operator=(const DocumentLayout&) = delete;

    Document* document() const { return m_doc; }

    // Relative addresses of images: this folder, else the page's own folder.
    void setBaseFolder(const QString& folder);

    // The visible area of the view (without scroll bars) in page pixels.
    void setViewportSize(QSize size);
    QSize viewportSize() const { return m_viewport; }

    // The scroll position, clamped to the canvas extent.
    void setScrollPosition(QPoint pos);
    QPoint scrollPosition() const { return m_scroll; }
    QPoint clampScroll(QPoint pos);

    // Lays out when something changed since the last layout.
    void ensureLayout();
    bool needsLayout() const;

    // Long pages are laid out in the background (the view's choice; off by
    // default, when every layout is done at once).
    void setBuildsInBackground(bool on) { m_buildsInBackground = on; }
    // A part of the page is laid out and the rest is being laid out.
    bool isLayingOutInBackground() const { return bool(m_writer); }
    // Lays out the whole page now, also what is still laid out in the
    // background.
    void finishLayout();
    // Counts full layouts, restyles and shifts (for tests and benchmarks).
    struct Counters
    {
        int rebuilds = 0;
        int layouts = 0;
        int restyles = 0;
        int shifts = 0;
        int repaintOnly = 0;       // restyles that kept the boxes
        int textUpdates = 0;       // text changed in place
        int blockLayouts = 0;      // layouts that laid out one block again and kept the rest
        int partsInBackground = 0; // parts of a long page laid out in the background
        int replaySteps = 0;       // steps that made the changes since written in a part come in
    };
    const Counters& counters() const { return m_counters; }
    // How many nodes the tables of the nodes written have room for, the
    // least of them.
    size_t nodeRoom() const;

    // The layout, brought up to date first.
    const LayoutTree& tree();
    LayoutEngine& engine() { return m_engine; }
    // The extent of the page: the larger of the canvas and the view.
    QSize canvasSize();

    int nodeId(const Node* node) const;
    Node* node(int id) const;
    // The box of an element (after an up-to-date layout); null when it has none.
    const LayoutBox* box(const Element* el);
    const LayoutBox* boxAt(int index) const;
    // The element a box stands for (nearest ancestor box with a node).
    Element* elementOfBox(int boxIndex) const;

    // Page areas that changed since the last call (a whole change: the canvas).
    QRegion takeDirtyRegion();
    // Called when the page needs painting again (set by the view).
    void setRepaintRequest(std::function<void()> request) { m_repaint = std::move(request); }
    // Called after the whole page was replaced (a load or a reload).
    void setReplacedHandler(std::function<void()> handler) { m_replaced = std::move(handler); }
    // Whether the page holds elements nested deeper than the layout takes
    // (see LayoutSerializer): they stay in the page and in its saves, but
    // are not shown. Known once the page is written whole for its layout;
    // an edit that takes them out (or moves them where the layout takes
    // them) is seen at once.
    bool leavesOutDeepContent() const;
    // Called, within a layout, when the page written whole, or a run of it
    // written anew after an edit, leaves such elements out where the page
    // had none left out before (once for a page that holds them, and again
    // only after an edit took them all out).
    void setDeepContentHandler(std::function<void()> handler) { m_deepContent = std::move(handler); }

    // DocumentObserver
    void nodeInserted(Node* parent, Node* child) override;
    void nodeRemoved(Node* parent, Node* child) override;
    void childrenMoved(Node* from, Node* to) override;
    void attributeChanged(Element* element, const QString& name) override;
    void styleChanged(Element* element) override;
    void textChanged(Text* text) override;
    void documentReplaced(Document* doc) override;

    // A page is laid out in the background when its layout text is longer;
    // the part laid out at once (its first screens) is about as long as the
    // second figure.
    static constexpr qsizetype kPartLength = 48 * 1024;
    static constexpr qsizetype kFirstScreensLength = 8 * 1024;
    // Tables nested deeper are laid out in the background (each level costs
    // the layout a factor in time: ten levels take a tenth of a second).
    static constexpr int kTablesNestedAtOnce = 6;
    // The text written for a long page's layout is kept in pieces this long,
    // handed to the worker thread without a copy.
    static constexpr qsizetype kPieceLength = 256 * 1024;
    // Tables of more nodes than this are freed on a worker thread.
    static constexpr qsizetype kTablesFreedInBackground = 50000;
    // The nodes of a longer page are let go of in steps of this many on
    // the event loop when the layout goes.
    static constexpr qsizetype kNodesLetGoAtOnce = 100000;
    // The whole of a long page is read in parts on threads of their own,
    // each at least this long.
    static constexpr qsizetype kLeastPartLength = 384 * 1024;
    // A part is laid out meanwhile only while the text written is at most
    // this long: a longer one would take a core from the whole page's
    // layout for about as long as that takes.
    static constexpr qsizetype kLongestPartInBackground = 4 * kLeastPartLength;
    // How long one step of the background work may keep the event loop.
    // Input waits behind a pass over everything posted (this step, the
    // program's own walks over a page just loaded, a paint) and at times
    // behind two such passes: a step is a small share of what it may wait.
    static constexpr int kStepMilliseconds = 5;

private:
    struct Mailbox;
    void rebuild();
    // Hands the tables of a long page's layout (ids, styles and texts) to a
    // worker thread to be freed; those of a short one stay.
    void freeTablesInBackground();
    void letGoOfNodesInSteps(std::vector<Ref<Node>>& nodes);
    void letGoOfHeld();
    void adoptNodes(size_t from);
    void startInBackground();
    void writeOn();
    // Runs a step of the background work on the event loop, while the
    // page is laid out as now.
    void scheduleStep(void (DocumentLayout::*step)());
    void buildInBackground(std::vector<QString>&& pieces, bool whole);
    // `written`: the number of node ids written when the build's text was
    // taken.
    void takeBuild(int generation, bool whole, int written, std::shared_ptr<LayoutEngine>&& built);
    // Makes the changes since written in the build taken, a step at a
    // time, and shows it once they are all made.
    void replayStep();
    void showBuild();
    void stopBackground();
    // Makes a change since written in a build made from what was written
    // (`written` node ids long), and lays it out; false when it no longer
    // fits it.
    struct EditWhileWriting;
    bool replayEdit(LayoutEngine& built, const EditWhileWriting& edit, int written);
    // The text of a node written changed: `before` as the layout has it.
    void noteTextWhileWriting(int id, const QString& before, const QString& after);
    // The style or an attribute (`attribute`; none: the style) of an element
    // written changed: restyled in the part shown (when there) and in each
    // part that comes in.
    void restyleWhileWriting(Element* el, int id, const QString& attribute);
    void invalidateAll();
    // The layout held on screen while the page is laid out anew at another
    // width gives way to the first part of the new one (a change of the
    // page is to be made in the layout shown).
    void showFirstPartHeld();
    // The page's first part (its text `first`) laid out and shown when it
    // shows the view's place: the layout held then goes.
    bool takeFirstPartReachingAnchor(const QString& first);
    // The view placed where the anchor stands in the layout shown (`whole`:
    // the layout is the whole page's); false while it does not reach there.
    bool placeAnchor(bool whole);
    // Whether `built`, shown now, would show the view's place.
    bool reachesAnchor(const LayoutEngine& built, bool whole) const;
    void requestRepaint();
    // Notes what a writing of the page (`whole`) or of a run of it left
    // out (see LayoutSerializer::Result).
    void noteLeftOutDeep(std::vector<Ref<Node>> leftOut, bool whole);
    // Whether `node`, left out for its depth, still stands in the page
    // without a box (it was neither taken out nor written since).
    bool staysLeftOut(const Node* node) const;
    bool tryShift(Element* el, int id);
    bool tryRepaintOnly(Element* el, int id, const QString& attribute);
    void markSubtreeDirty(int id);
    // Notes a change of the tree (or, after one, of text or style) to lay
    // out with the next layout: `parent`'s content changed; `child` (its id
    // in the layout `childId`, when it has one) was inserted, removed or
    // changed.
    void noteTreeChange(Node* parent, Node* child);
    // Whether changes of the children of `parent` leave the layout as it
    // is: the layout never received `parent` and what is in it.
    bool liesUnwritten(const Node* parent) const;
    // Hands the changes noted to the engine as a run of a block's children
    // written anew (laid out in place where the engine can); false when the
    // page must be written and laid out whole.
    bool layOutTreeChanges();
    std::vector<std::pair<QString, QString>> layoutAttributes(const Element* el) const;
    // The text the layout holds of text node `id`; null when `id` is none.
    const QString* textAtLayout(int id) const;

    Document* m_doc;
    bool m_providesSize = false;
    LayoutEngine m_engine;
    std::vector<Ref<Node>> m_nodes;
    QHash<const Node*, int> m_ids;
    QHash<int, QString> m_styleAtLayout; // style text the layout last read
    // The text of each text node the layout holds, by id (null for the other nodes).
    std::vector<QString> m_textAtLayout;
    QSet<int> m_restyle;         // restyle now
    QSet<int> m_deferredRestyle; // restyle with the next layout (moved boxes)
    bool m_structureDirty = true;
    struct TreeChange
    {
        Ref<Node> parent;
        Ref<Node> child;
        int childId = -1;
    };
    std::vector<TreeChange> m_treeChanges; // since the last layout (empty: no change of the tree)
    bool m_layoutDirty = true;
    QString m_baseFolder;
    QSize m_viewport{800, 600};
    QPoint m_scroll;
    QRegion m_dirty;
    bool m_allDirty = true;
    std::function<void()> m_repaint;
    std::function<void()> m_replaced;
    std::function<void()> m_deepContent;
    // The outermost elements left out for their depth, since the page was
    // last written whole (some may have been taken out or written since),
    // and whether the handler was told of them.
    std::vector<Ref<Node>> m_leftOutDeep;
    bool m_toldLeftOutDeep = false;
    Counters m_counters;

    bool m_buildsInBackground = false;
    std::unique_ptr<LayoutSerializer> m_writer; // writing a long page a part at a time
    std::shared_ptr<Mailbox> m_mailbox;         // where builds on the worker thread report
    int m_generation = 0;                       // of the page being laid out in the background
    bool m_building = false;                    // a part is being laid out on a worker thread
    bool m_buildingWhole = false;               // the whole page is being laid out on a worker thread
    qsizetype m_builtLength = 0;                // layout text of the part laid out last
    bool m_showsFirstPart = false;              // the layout shown is the first part's
    bool m_long = false;                        // the page was too long to lay out at once
    QHash<int, QString> m_movedWhileWriting;    // objects moved since written: the style they were written with
    // What the view showed when a long page started over: the view goes
    // back to it as soon as the layout reaches it again (unless scrolled).
    std::optional<ViewAnchor> m_anchor;
    // The page laid out anew at another width: until the new layout
    // reaches the view's place, the old one stays on screen, with the node
    // ids it was written with (geometry answers for it; the new writing
    // takes its ids in m_nodes and m_ids meanwhile).
    bool m_holdOnRebuild = false;
    bool m_holding = false;
    QString m_firstPartHeld;
    std::vector<Ref<Node>> m_heldNodes;
    QHash<const Node*, int> m_heldIds;
    // Changes of what was written, made in the layout shown, in their
    // order: a text node's words replaced (textId), an element restyled
    // (restyleId, with the attributes it then had), or a run of blocks
    // written anew (see LayoutEngine::replaceRun).
    struct EditWhileWriting
    {
        int textId = -1;
        int restyleId = -1;
        std::vector<std::pair<QString, QString>> attributes;
        QString before;
        QString after;
        std::vector<int> open;
        int firstId = -1;
        int lastId = -1;
        QString html;
        std::vector<std::pair<int, QString>> textsLeftOut;
    };
    std::vector<EditWhileWriting> m_editsWhileWriting;
    // A build taken in, shown once the changes are made in it (the part
    // shown meanwhile has them already).
    struct Replay
    {
        std::shared_ptr<LayoutEngine> built;
        bool whole = false;
        int written = 0;
        size_t next = 0; // the change to make next
    };
    std::optional<Replay> m_replay;
};

} // namespace engine
