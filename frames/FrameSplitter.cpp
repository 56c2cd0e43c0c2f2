#include "frames/FrameSplitter.h"

#include "frames/FrameLayout.h"
#include "frames/VornaFrameSet.h"

using platform::Rect;

namespace frames_detail {

Rect nodeRect(const VornaFrameSet* node)
{
    Rect rect;
    node->GetPaneRect(&rect);
    return rect;
}

bool isColsSplit(const VornaFrameSet* node)
{
    return node->m_strSplit.compare(QLatin1String("cols"), Qt::CaseInsensitive) == 0;
}

// The FRAME node of the tree whose pane is the given one.
const VornaFrameSet* frameOfPane(VornaFrameSet* root, const FramePane* pane)
{
    return pane ? FindFrameByViewIn(root, pane) : nullptr;
}

} // namespace frames_detail

using namespace frames_detail;

VornaFrameSet* FindSplitterNode(VornaFrameSet* node, const QPoint& point, int edge)
{
    for (VornaFrameSet* n = node; n; n = n->m_pNext.get()) {
        if (!n->IsFrameset())
            continue;
        Rect rect = nodeRect(n);
        rect.inflate(-edge, -edge);
        if (!rect.contains(point))
            continue;
        VornaFrameSet* deeper = FindSplitterNode(n->m_pFirstChild.get(), point, edge);
        return deeper ? deeper : n;
    }
    return nullptr;
}

SplitterCursor SplitterCursorAt(VornaFrameSet* root, const QPoint& point, bool editing,
                                const std::function<FramePane*(const QPoint&)>& paneAt)
{
    if (!root || !paneAt)
        return SplitterCursor::Arrow;
    const int w = root->GetFrameSpacing() + 2;
    auto resizable = [&](FramePane* a, FramePane* b) {
        if (!a || !b || a == b)
            return false;
        if (editing)
            return true;
        const VornaFrameSet* first = frameOfPane(root, a);
        const VornaFrameSet* second = frameOfPane(root, b);
        return !(first && first->GetNoResize()) && !(second && second->GetNoResize());
    };
    if (resizable(paneAt(point - QPoint(w, 0)), paneAt(point + QPoint(w, 0))))
        return SplitterCursor::WestEast;
    if (resizable(paneAt(point - QPoint(0, w)), paneAt(point + QPoint(0, w))))
        return SplitterCursor::NorthSouth;
    return SplitterCursor::Arrow;
}

bool FrameSplitterDrag::SplitsCols() const
{
    return m_pDragNode && isColsSplit(m_pDragNode);
}

bool FrameSplitterDrag::Begin(VornaFrameSet* root, const QPoint& point, int edge)
{
    m_pDragNode = nullptr;
    VornaFrameSet* node = FindSplitterNode(root, point, edge);
    if (!node)
        return false;
    const bool cols = isColsSplit(node);
    Rect limits = nodeRect(node);
    // The first child that starts after the point, and the one before it.
    VornaFrameSet* later = node->m_pFirstChild.get();
    while (later && (cols ? nodeRect(later).left : nodeRect(later).top) <= (cols ? point.x() : point.y()))
        later = later->m_pNext.get();
    // A press inside the earlier pane is on no bar.
    if (!later || !later->m_pPrev ||
        (cols ? point.x() < nodeRect(later->m_pPrev).right : point.y() < nodeRect(later->m_pPrev).bottom))
        return false;
    if (cols) {
        limits.right = nodeRect(later).right;
        limits.left = nodeRect(later->m_pPrev).left;
    } else {
        limits.bottom = nodeRect(later).bottom;
        limits.top = nodeRect(later->m_pPrev).top;
    }
    m_pDragNode = node;
    m_rcDragLimits = limits;
    m_ptDragStart = m_ptDragCurrent = point;
    m_nSpacing = root ? root->GetFrameSpacing() : 2;
    return true;
}

bool FrameSplitterDrag::Move(const QPoint& point)
{
    if (!m_pDragNode)
        return false;
    const int s = m_nSpacing;
    const Rect& limits = m_rcDragLimits;
    if (SplitsCols()) {
        if (!(limits.left + s + 20 < point.x() && point.x() < limits.right - 20 - s))
            return false;
    } else if (!(limits.top + s + 20 < point.y() && point.y() < limits.bottom - 20 - s)) {
        return false;
    }
    m_ptDragCurrent = point;
    return true;
}

Rect FrameSplitterDrag::BarRect() const
{
    const Rect& limits = m_rcDragLimits;
    if (SplitsCols())
        return Rect(m_ptDragCurrent.x(), limits.top, m_ptDragCurrent.x() + 2, limits.bottom);
    return Rect(limits.left, m_ptDragCurrent.y(), limits.right, m_ptDragCurrent.y() + 2);
}

bool FrameSplitterDrag::End(FrameSetHost* host)
{
    VornaFrameSet* node = m_pDragNode;
    m_pDragNode = nullptr;
    if (!node)
        return false;
    const bool cols = isColsSplit(node);
    const int d = cols ? m_ptDragCurrent.x() - m_ptDragStart.x() : m_ptDragCurrent.y() - m_ptDragStart.y();
    if (d == 0)
        return false;
    VornaFrameSet* later = node->m_pFirstChild.get();
    while (later &&
           (cols ? nodeRect(later).left : nodeRect(later).top) <= (cols ? m_ptDragStart.x() : m_ptDragStart.y()))
        later = later->m_pNext.get();
    if (!later || !later->m_pPrev)
        return false;
    VornaFrameSet* earlier = later->m_pPrev;
    if (cols) {
        earlier->MoveResizePane(0, 0, d, 0);
        later->MoveResizePane(d, 0, -d, 0);
    } else {
        earlier->MoveResizePane(0, 0, 0, d);
        later->MoveResizePane(0, d, 0, -d);
    }
    const QString split = cols ? QStringLiteral("cols") : QStringLiteral("rows");
    WriteFramesetSizes(earlier, split, nodeRect(earlier), host);
    WriteFramesetSizes(later, split, nodeRect(later), host);
    return true;
}

QList<Rect> FrameGapRects(VornaFrameSet* node, const Rect& outer, int spacing)
{
    QList<Rect> rects;
    const int k = std::max(0, spacing / 2);
    VornaFrameSet::Walk(node, [&](VornaFrameSet* n) {
        if (!n->IsFrame() || !n->m_pView)
            return false;
        const Rect pane = n->m_rcPane;
        for (int i = 0; i <= k; ++i) {
            Rect r = pane;
            if (r.left - i > outer.left + 3)
                r.left -= i;
            if (r.top - i > outer.top + 3)
                r.top -= i;
            if (r.right + i < outer.right - 3)
                r.right += i;
            if (r.bottom + i < outer.bottom - 3)
                r.bottom += i;
            rects.append(r);
        }
        return false;
    });
    return rects;
}

QList<Rect> PaneOutlineRects(const Rect& pane, int framesetSaveMode)
{
    QList<Rect> rects;
    Rect one = pane;
    one.inflate(1, 1);
    rects.append(one);
    if (framesetSaveMode != 0) {
        Rect two = pane;
        two.inflate(2, 2);
        rects.append(two);
    }
    return rects;
}
