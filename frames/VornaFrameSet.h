#pragma once

#include "platform/Rect.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <QString>

#include <memory>

class FramePane;
class FrameSetHost;

// One node of the frame tree of a frameset page. A FRAMESET node divides its
// rectangle into rows or columns among its children; a FRAME node is one pane
// showing one page in a view of its own.
//
// A node owns its first child and its next sibling, so a tree is owned by its
// root (held by the child frame, FrameTree). Every walk visits a node, then its
// first child's subtree, then its following siblings: document order from the
// root. Node kinds compare without regard to case.
class VornaFrameSet
{
public:
    VornaFrameSet();
    virtual ~VornaFrameSet();
    VornaFrameSet(const VornaFrameSet&) = delete;
    VornaFrameSet& operator=(const VornaFrameSet&) = delete;

    // Links. The parent and previous sibling are plain back links.
    VornaFrameSet* m_pParent = nullptr;
    VornaFrameSet* m_pPrev = nullptr;
    std::unique_ptr<VornaFrameSet> m_pNext;
    std::unique_ptr<VornaFrameSet> m_pFirstChild;

    int m_nChildCount = 0;        // children a FRAMESET declares (CountChildren recounts)
    int m_nLevel = 1;             // nesting level for the writer's indentation
    QString m_strKind = "FRAME";  // "FRAME" or "FRAMESET"
    QString m_strSrc;             // the frame's src as loaded or set
    QString m_strSize = "*";      // this node's entry in its parent's rows or cols list
    QString m_strSplit = "rows";  // a FRAMESET's direction: "rows" or "cols"
    QString m_strSizes = "50%,*"; // a FRAMESET's rows or cols list as read
    int m_nFrameSpacing = 2;      // width of the bars between panes (the root's counts)
    int m_nNameCounter = 1;       // next number for a frame named after this node
    FramePane* m_pView = nullptr; // a FRAME's pane; the root's: the frameset page's view
    platform::Rect m_rcPane;      // a FRAME's pane in the child frame's client area
    int m_nBorder = 1;            // 0: no borders
    QString m_strName = "noname";
    QString m_strTarget;
    QString m_strScrolling;
    bool m_bNoResize = false;
    QSize m_sizeViewChange; // on the root: the frameset view's size change before a layout

    QString GetKind() const { return m_strKind; }
    void SetKind(const QString& kind) { m_strKind = kind; }
    void SetSrc(const QString& src) { m_strSrc = src; }
    QString GetName() const { return m_strName; }
    void SetName(const QString& name) { m_strName = name; }
    QString GetTarget() const { return m_strTarget; }
    void SetTarget(const QString& target) { m_strTarget = target; }
    QString GetScrolling() const { return m_strScrolling; }
    void SetScrolling(const QString& scrolling) { m_strScrolling = scrolling; }
    int GetBorder() const { return m_nBorder; }
    void SetBorder(int border) { m_nBorder = border; }
    int GetFrameSpacing() const { return m_nFrameSpacing; }
    void SetFrameSpacing(int spacing) { m_nFrameSpacing = spacing; }
    bool GetNoResize() const { return m_bNoResize; }
    void SetNoResize(bool noResize) { m_bNoResize = noResize; }
    void SetRect(int left, int top, int right, int bottom) { m_rcPane = platform::Rect(left, top, right, bottom); }
    void SetRect(const platform::Rect& rect) { m_rcPane = rect; }

    bool IsFrame() const;
    bool IsFrameset() const;

    // Deletes the subtree under the node and the chain of its following
    // siblings with theirs. The node itself goes with its owner (its parent,
    // previous sibling or the child frame's FrameTree).
    void DeleteTree();

    // Counts the direct children, stores the count in m_nChildCount, returns it.
    int CountChildren();
    // A FRAMESET's rectangle is the bounding rectangle of its frames; any other
    // node's is m_rcPane.
    void GetPaneRect(platform::Rect* rect) const;
    // The FRAME node whose pane is the view, or none.
    VornaFrameSet* FindFrameByView(const FramePane* view);
    // The first FRAME whose rectangle holds the point: the pane window's screen
    // rectangle with the screen flag, else m_rcPane.
    VornaFrameSet* FindFrameAtPoint(int x, int y, bool screen);
    VornaFrameSet* FindFrameAtPoint(const QPoint& point, bool screen = false)
    {
        return FindFrameAtPoint(point.x(), point.y(), screen);
    }
    // Appends the pane of every FRAME that has one, in tree order.
    void CollectFrameViews(QList<FramePane*>& views);
    // For each FRAME (and the child frame's root) whose pane has a document:
    // counts it, and counts it as saved when the document has a path.
    void CountFrameDocuments(int* paneCount, int* savedCount, FrameSetHost* host = nullptr);
    // Sets the flag when the document of the root or of any FRAME reports itself
    // modified. Does nothing when the flag is already set; the root defaults to
    // the topmost ancestor.
    void IsAnyFrameModified(bool* modified, VornaFrameSet* root = nullptr);

    // Called on a FRAME: the new FRAMESET takes this frame's place, and this
    // frame and the new frame become its two children (this one first when
    // newAfter is set). Names the new frame. False (nothing changed) when this
    // node is not a FRAME or has no place in a tree.
    bool SplitPane(std::unique_ptr<VornaFrameSet> newFrameset, std::unique_ptr<VornaFrameSet> newFrame, bool newAfter,
                   FrameSetHost* host = nullptr);
    // Called on a FRAME of the child frame's tree: unlinks and deletes it and
    // returns the sibling that takes its space (the previous one, else the next
    // one), or none. A FRAMESET left with one child is replaced by that child
    // while the tree holds more than two frames. `this` is gone afterwards.
    VornaFrameSet* RemovePane(FrameSetHost* host = nullptr);

    // The frameset page writer (FramesetWriter.h).
    void WriteFramesetHtml(QString& out, int mode, FrameSetHost* host = nullptr);
    void FixFrameSrcPaths(QString& text, const QString& savePath, FramePane* view);

    // Pane layout (FrameLayout.h): moves the pane by (dx, dy) and grows it by (dw, dh).
    void MoveResizePane(int dx, int dy, int dw, int dh);

    // Page operations over every pane page (FramePages.h).
    void SetBodyColorsOfFrames(const QString& background, const QString& bgColor, const QString& text,
                               const QString& link, const QString& aLink, const QString& vLink);
    void ReplaceLinksInFrames(const QString& oldName, const QString& newName, int mode);
    void FixScriptSourcesOfFrames(bool mode);

    // Visits the node, its subtree and its following siblings in tree order
    // until the visitor returns true; returns whether it did.
    template <class Visitor> static bool Walk(VornaFrameSet* from, Visitor&& visit)
    {
        for (VornaFrameSet* node = from; node; node = node->m_pNext.get()) {
            if (visit(node))
                return true;
            if (Walk(node->m_pFirstChild.get(), visit))
                return true;
        }
        return false;
    }

    // The slot that owns the node: the previous sibling's next link, the
    // parent's first-child link, or the tree's root.
    static std::unique_ptr<VornaFrameSet>* OwnerSlot(VornaFrameSet* node, FrameSetHost* host);
    VornaFrameSet* TopmostAncestor();
};

// Adds a node the loader has just filled to the tree of the child frame (the
// active one when none is given), in document order: the first node becomes the
// root, a node after a FRAMESET its first child, a node after a FRAME its next
// sibling or, when the FRAMESETs above are complete, that of the nearest
// incomplete one. A node beyond the children every FRAMESET up to the root
// declares is appended to the root so nothing of the page is lost. Returns the
// node, or none when there is no child frame (the node is then discarded).
VornaFrameSet* AddFrameTreeNode(std::unique_ptr<VornaFrameSet> node, FrameSetHost* host = nullptr);

// The index-th comma-separated item of a rows or cols list; the last item for
// any larger index, and an empty item for every index of a list without a comma.
QString GetListItem(const QString& list, int index);

// Adds the number of FRAME nodes of the node, its subtree and its following
// siblings to *count.
void CountFrameNodes(VornaFrameSet* node, int* count);

// Unites into *rect the pane rectangles of the FRAMEs of the node and its
// subtree, and of its following siblings with the flag. A rectangle of all
// zeros counts as empty.
void GetFramesBoundingRect(const VornaFrameSet* node, platform::Rect* rect, bool withSiblings);

// The FRAME node of the tree from the node whose pane is the view, or none.
VornaFrameSet* FindFrameByViewIn(VornaFrameSet* node, const FramePane* view);
// The same in the tree of the active child frame; none when it has no tree.
VornaFrameSet* FindFrameNode(const FramePane* view);
