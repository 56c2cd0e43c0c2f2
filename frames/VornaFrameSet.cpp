#include "frames/VornaFrameSet.h"

#include "frames/FramePane.h"
#include "frames/FrameEnvironment.h"
#include "frames/FrameSetHost.h"

#include <algorithm>

using platform::Rect;

VornaFrameSet::VornaFrameSet() = default;

VornaFrameSet::~VornaFrameSet()
{
    // Free the sibling chain one by one, so that a long chain does not recurse.
    std::unique_ptr<VornaFrameSet> next = std::move(m_pNext);
    while (next) {
        std::unique_ptr<VornaFrameSet> after = std::move(next->m_pNext);
        next.reset();
        next = std::move(after);
    }
}

bool VornaFrameSet::IsFrame() const
{
    return m_strKind.compare(QLatin1String("FRAME"), Qt::CaseInsensitive) == 0;
}

bool VornaFrameSet::IsFrameset() const
{
    return m_strKind.compare(QLatin1String("FRAMESET"), Qt::CaseInsensitive) == 0;
}

void VornaFrameSet::DeleteTree()
{
    m_pFirstChild.reset();
    std::unique_ptr<VornaFrameSet> next = std::move(m_pNext);
    next.reset();
}

int VornaFrameSet::CountChildren()
{
    int count = 0;
    for (VornaFrameSet* child = m_pFirstChild.get(); child; child = child->m_pNext.get())
        ++count;
    m_nChildCount = count;
    return count;
}

void VornaFrameSet::GetPaneRect(Rect* rect) const
{
    if (IsFrameset()) {
        *rect = Rect();
        GetFramesBoundingRect(this, rect, false);
    } else {
        *rect = m_rcPane;
    }
}

VornaFrameSet* VornaFrameSet::FindFrameByView(const FramePane* view)
{
    return FindFrameByViewIn(this, view);
}

VornaFrameSet* VornaFrameSet::FindFrameAtPoint(int x, int y, bool screen)
{
    VornaFrameSet* found = nullptr;
    Walk(this, [&](VornaFrameSet* node) {
        if (!node->IsFrame())
            return false;
        Rect rect = node->m_rcPane;
        if (screen) {
            if (!node->m_pView)
                return false;
            rect = node->m_pView->screenRect();
        }
        if (rect.contains(x, y)) {
            found = node;
            return true;
        }
        return false;
    });
    return found;
}

void VornaFrameSet::CollectFrameViews(QList<FramePane*>& views)
{
    Walk(this, [&](VornaFrameSet* node) {
        if (node->IsFrame() && node->m_pView)
            views.append(node->m_pView);
        return false;
    });
}

void VornaFrameSet::CountFrameDocuments(int* paneCount, int* savedCount, FrameSetHost* host)
{
    host = frameSetHostOrActive(host);
    const VornaFrameSet* activeRoot = host ? host->frameTree().root.get() : nullptr;
    Walk(this, [&](VornaFrameSet* node) {
        if ((node->IsFrame() || node == activeRoot) && node->m_pView && node->m_pView->hasDocument()) {
            ++*paneCount;
            if (!node->m_pView->documentPath().isEmpty())
                ++*savedCount;
        }
        return false;
    });
}

void VornaFrameSet::IsAnyFrameModified(bool* modified, VornaFrameSet* root)
{
    if (*modified)
        return;
    if (!root)
        root = TopmostAncestor();
    for (VornaFrameSet* node = this; node && !*modified; node = node->m_pNext.get()) {
        if ((node == root || node->IsFrame()) && node->m_pView && node->m_pView->hasDocument())
            *modified = node->m_pView->isModified();
        if (!*modified && node->m_pFirstChild)
            node->m_pFirstChild->IsAnyFrameModified(modified, root);
    }
}

VornaFrameSet* VornaFrameSet::TopmostAncestor()
{
    VornaFrameSet* node = this;
    while (node->m_pParent)
        node = node->m_pParent;
    return node;
}

std::unique_ptr<VornaFrameSet>* VornaFrameSet::OwnerSlot(VornaFrameSet* node, FrameSetHost* host)
{
    if (node->m_pPrev)
        return &node->m_pPrev->m_pNext;
    if (node->m_pParent)
        return &node->m_pParent->m_pFirstChild;
    host = frameSetHostOrActive(host);
    if (host && host->frameTree().root.get() == node)
        return &host->frameTree().root;
    return nullptr;
}

bool VornaFrameSet::SplitPane(std::unique_ptr<VornaFrameSet> newFrameset, std::unique_ptr<VornaFrameSet> newFrame,
                              bool newAfter, FrameSetHost* host)
{
    if (!newFrameset || !newFrame || !IsFrame())
        return false;
    std::unique_ptr<VornaFrameSet>* slot = OwnerSlot(this, host);
    if (!slot)
        return false;

    // The new FRAMESET takes this frame's place among its siblings.
    VornaFrameSet* frameset = newFrameset.get();
    std::unique_ptr<VornaFrameSet> self = std::move(*slot);
    frameset->m_pParent = m_pParent;
    frameset->m_pPrev = m_pPrev;
    frameset->m_pNext = std::move(m_pNext);
    if (frameset->m_pNext)
        frameset->m_pNext->m_pPrev = frameset;
    frameset->m_strSize = m_strSize;
    frameset->m_pFirstChild.reset();
    *slot = std::move(newFrameset);

    // This frame and the new one become its two children.
    VornaFrameSet* frame = newFrame.get();
    m_pFirstChild.reset();
    frame->m_pFirstChild.reset();
    m_pParent = frameset;
    frame->m_pParent = frameset;
    if (newAfter) {
        m_pPrev = nullptr;
        frame->m_pPrev = this;
        self->m_pNext = std::move(newFrame);
        frameset->m_pFirstChild = std::move(self);
    } else {
        frame->m_pPrev = nullptr;
        m_pPrev = frame;
        newFrame->m_pNext = std::move(self);
        frameset->m_pFirstChild = std::move(newFrame);
    }
    frameset->m_nChildCount = 2;

    // The new frame is named after the nearest node whose name this frame's
    // name contains, or else after this frame.
    VornaFrameSet* namer = nullptr;
    for (VornaFrameSet* node = frameset; node; node = node->m_pParent) {
        if (!node->m_strName.isEmpty() && m_strName.contains(node->m_strName, Qt::CaseSensitive)) {
            namer = node;
            break;
        }
    }
    if (!namer) {
        frameset->m_strName = m_strName;
        namer = frameset;
    }
    frame->m_strName = namer->m_strName + QString::number(namer->m_nNameCounter);
    ++namer->m_nNameCounter;
    return true;
}

namespace frames_detail {

// Puts the only child of a FRAMESET in the FRAMESET's place and deletes the
// FRAMESET. A FRAMESET without siblings below the root keeps its child.
void replaceFramesetByChild(VornaFrameSet* frameset, FrameSetHost* host)
{
    VornaFrameSet* child = frameset->m_pFirstChild.get();
    if (!child)
        return;
    FrameTree* tree = host ? &host->frameTree() : nullptr;
    const bool isRoot = !frameset->m_pParent && tree && tree->root.get() == frameset;
    if (!isRoot && !frameset->m_pPrev && !frameset->m_pNext)
        return;
    std::unique_ptr<VornaFrameSet>* slot = VornaFrameSet::OwnerSlot(frameset, host);
    if (!slot)
        return;

    std::unique_ptr<VornaFrameSet> owned = std::move(*slot);
    std::unique_ptr<VornaFrameSet> childOwned = std::move(frameset->m_pFirstChild);
    child->m_pParent = frameset->m_pParent;
    child->m_pPrev = frameset->m_pPrev;
    child->m_pNext = std::move(frameset->m_pNext);
    if (child->m_pNext)
        child->m_pNext->m_pPrev = child;
    if (isRoot) {
        child->m_pView = tree->rootView;
        child->m_nBorder = frameset->m_nBorder;
        child->m_nFrameSpacing = frameset->m_nFrameSpacing;
    }
    if (tree && tree->lastNode == frameset)
        tree->lastNode = child;
    *slot = std::move(childOwned);
    frameset->m_pParent = nullptr;
    frameset->m_pPrev = nullptr;
    owned.reset();
}

} // namespace frames_detail

VornaFrameSet* VornaFrameSet::RemovePane(FrameSetHost* host)
{
    if (!IsFrame())
        return nullptr;
    host = frameSetHostOrActive(host);
    int frames = 0;
    CountFrameNodes(TopmostAncestor(), &frames);

    VornaFrameSet* parent = m_pParent;
    VornaFrameSet* prev = m_pPrev;
    VornaFrameSet* next = m_pNext.get();
    std::unique_ptr<VornaFrameSet>* slot = OwnerSlot(this, host);
    if (!slot)
        return nullptr;
    if (host && host->frameTree().lastNode == this)
        host->frameTree().lastNode = prev ? prev : next;

    // Unlink: the next sibling moves into this node's slot.
    std::unique_ptr<VornaFrameSet> self = std::move(*slot);
    *slot = std::move(m_pNext);
    if (next)
        next->m_pPrev = prev;
    m_pParent = nullptr;
    m_pPrev = nullptr;

    VornaFrameSet* taker = prev ? prev : next;
    const bool onlyChildLeft = taker && !taker->m_pPrev && !taker->m_pNext;
    if (onlyChildLeft && parent && frames > 2)
        frames_detail::replaceFramesetByChild(parent, host);
    self.reset();
    return taker;
}

VornaFrameSet* AddFrameTreeNode(std::unique_ptr<VornaFrameSet> node, FrameSetHost* host)
{
    host = frameSetHostOrActive(host);
    if (!host || !node)
        return nullptr;
    FrameTree& tree = host->frameTree();
    VornaFrameSet* added = node.get();
    if (!tree.root) {
        node->m_pView = tree.rootView;
        tree.root = std::move(node);
        tree.lastNode = added;
        return added;
    }
    VornaFrameSet* cursor = tree.lastNode;
    if (!cursor)
        return nullptr;
    if (cursor->IsFrameset() && !cursor->m_pFirstChild) {
        node->m_pParent = cursor;
        cursor->m_pFirstChild = std::move(node);
        tree.lastNode = added;
        return added;
    }

    // After a FRAME (or a FRAMESET that already has its children): the node
    // follows the cursor, or closes complete FRAMESETs and follows their
    // FRAMESET, as many levels up as needed.
    VornaFrameSet* after = cursor;
    while (after->m_pParent) {
        VornaFrameSet* parent = after->m_pParent;
        int position = 1;
        for (VornaFrameSet* sibling = after->m_pPrev; sibling; sibling = sibling->m_pPrev)
            ++position;
        if (parent->m_nChildCount > position || !parent->m_pParent) {
            // Room in this FRAMESET; or it is the root, complete: the node is
            // kept as one more child of the root rather than lost.
            if (parent->m_nChildCount <= position)
                parent->m_nChildCount = position + 1;
            node->m_pParent = parent;
            node->m_pPrev = after;
            node->m_pNext = std::move(after->m_pNext);
            if (node->m_pNext)
                node->m_pNext->m_pPrev = added;
            after->m_pNext = std::move(node);
            tree.lastNode = added;
            return added;
        }
        after = parent;
    }
    return nullptr; // the cursor is the root itself: a node after it has no place
}

QString GetListItem(const QString& list, int index)
{
    QString item;
    int prev = 0;
    for (int i = 0; i <= index; ++i) {
        const int comma = list.indexOf(QLatin1Char(','), prev + 1);
        if (comma < 0 || comma <= prev) {
            if (prev != 0)
                item = list.mid(prev + 1);
            break;
        }
        if (i == index) {
            const int start = prev == 0 ? 0 : prev + 1;
            item = list.mid(start, comma - start);
        }
        prev = comma;
    }
    return item;
}

void CountFrameNodes(VornaFrameSet* node, int* count)
{
    VornaFrameSet::Walk(node, [&](VornaFrameSet* n) {
        if (n->IsFrame())
            ++*count;
        return false;
    });
}

namespace frames_detail {

void uniteFrameRects(const VornaFrameSet* node, Rect* rect, bool withSiblings)
{
    for (; node; node = node->m_pNext.get()) {
        if (node->IsFrame()) {
            const Rect& pane = node->m_rcPane;
            if (*rect == Rect()) {
                *rect = pane;
            } else {
                rect->left = std::min(rect->left, pane.left);
                rect->top = std::min(rect->top, pane.top);
                rect->right = std::max(rect->right, pane.right);
                rect->bottom = std::max(rect->bottom, pane.bottom);
            }
        }
        uniteFrameRects(node->m_pFirstChild.get(), rect, true);
        if (!withSiblings)
            break;
    }
}

} // namespace frames_detail

void GetFramesBoundingRect(const VornaFrameSet* node, Rect* rect, bool withSiblings)
{
    frames_detail::uniteFrameRects(node, rect, withSiblings);
}

VornaFrameSet* FindFrameByViewIn(VornaFrameSet* node, const FramePane* view)
{
    VornaFrameSet* found = nullptr;
    if (!view)
        return nullptr;
    VornaFrameSet::Walk(node, [&](VornaFrameSet* n) {
        if (n->IsFrame() && n->m_pView == view)
            found = n;
        return found != nullptr;
    });
    return found;
}

VornaFrameSet* FindFrameNode(const FramePane* view)
{
    FrameSetHost* host = frameSetHostOrActive(nullptr);
    if (!host || !host->frameTree().root)
        return nullptr;
    return FindFrameByViewIn(host->frameTree().root.get(), view);
}
