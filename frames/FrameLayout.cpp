#include "frames/FrameLayout.h"

#include "frames/FrameEnvironment.h"
#include "frames/FramePane.h"
#include "frames/FrameSetHost.h"
#include "frames/VornaFrameSet.h"

#include <algorithm>

using platform::Rect;

namespace frames_detail {

constexpr qint64 kMaxPaneLength = 1 << 24;

// The number at the start of a list entry ("200", "30%", " 50"), 0 when none.
qint64 leadingNumber(const QString& entry)
{
    int i = 0;
    while (i < entry.size() && entry.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < entry.size() && (entry.at(i) == '-' || entry.at(i) == '+'))
        negative = entry.at(i++) == '-';
    qint64 value = 0;
    for (; i < entry.size() && entry.at(i) >= '0' && entry.at(i) <= '9'; ++i) {
        value = value * 10 + (entry.at(i).unicode() - '0');
        if (value > 1000000000)
            break; // no pane is that large; keeps the arithmetic in range
    }
    return negative ? -value : value;
}

bool splitsCols(const VornaFrameSet* node)
{
    return node->m_strSplit.compare(QLatin1String("cols"), Qt::CaseInsensitive) == 0;
}

void placePane(VornaFrameSet* node)
{
    if (node->m_pView)
        node->m_pView->moveWindow(node->m_rcPane);
}

VornaFrameSet* treeRoot(FrameSetHost* host)
{
    return host ? host->frameTree().root.get() : nullptr;
}

int spacingOf(FrameSetHost* host)
{
    return std::max(2, treeRoot(host)->m_nFrameSpacing);
}

Rect paneRectOf(const VornaFrameSet* node)
{
    Rect rect;
    node->GetPaneRect(&rect);
    return rect;
}

int childCountOr2(VornaFrameSet* parent)
{
    const int count = parent ? parent->CountChildren() : 0;
    return count > 0 ? count : 2;
}

// Stores a rectangle for a node and places its windows: a FRAME with its
// following siblings, a FRAMESET's subtree.
void storeAndPlace(VornaFrameSet* node, const Rect& rect)
{
    node->SetRect(rect);
    if (node->IsFrame())
        LayoutFrameWindows(node, 0, 0, 0, 0);
    else
        LayoutFrameWindows(node->m_pFirstChild.get(), 0, 0, 0, 0);
}

} // namespace frames_detail

using namespace frames_detail;

void OffsetFrameRects(VornaFrameSet* node, int x, int y, int cx, int cy)
{
    VornaFrameSet::Walk(node, [&](VornaFrameSet* n) {
        if (!n->IsFrame())
            return false;
        // 1. The stored rectangle, else the pane's.
        Rect rect = n->m_rcPane;
        if (rect == Rect())
            n->GetPaneRect(&rect);
        // 2.-5. Moved, kept at 0 or beyond, shrunk, stored.
        rect.offset(-x, -y);
        rect.left = std::max(0, rect.left);
        rect.top = std::max(0, rect.top);
        rect.right -= cx;
        rect.bottom -= cy;
        n->SetRect(rect);
        return false;
    });
}

void LayoutFrameWindows(VornaFrameSet* node, int dx, int dy, int dw, int dh)
{
    OffsetFrameRects(node, dx, dy, dw, dh);
    VornaFrameSet::Walk(node, [](VornaFrameSet* n) {
        if (n->IsFrame())
            placePane(n);
        return false;
    });
}

void UpdateFramesetSizes(VornaFrameSet* node, const Rect& rect, FrameSetHost* host)
{
    host = frameSetHostOrActive(host);
    if (!node || !treeRoot(host))
        return;
    if (node->IsFrame()) {
        placePane(node);
        return;
    }
    if (!node->IsFrameset() || !node->m_pFirstChild)
        return;

    const bool cols = splitsCols(node);
    const qint64 extent = cols ? rect.width() : rect.height();
    const int gap = std::max(2, spacingOf(host) / childCountOr2(node->m_pParent));

    // Classify the entries. An entry with a star (also a weighted one such as
    // "2*") shares the rest of the space with the other stars.
    qint64 percentSum = 0;
    int percents = 0;
    int stars = 0;
    qint64 pixelSum = 0;
    for (VornaFrameSet* child = node->m_pFirstChild.get(); child; child = child->m_pNext.get()) {
        const QString& entry = child->m_strSize;
        if (entry.contains('%')) {
            percentSum += leadingNumber(entry);
            ++percents;
        } else if (entry.contains('*')) {
            ++stars;
        } else {
            pixelSum += leadingNumber(entry);
        }
    }

    // Gives a child its new length along the split and shifts the following
    // siblings by the change.
    auto resize = [&](VornaFrameSet* child, qint64 size) {
        const Rect current = paneRectOf(child);
        // Absurd entries are kept within what a window can be.
        const int length = int(std::clamp<qint64>(size, -kMaxPaneLength, kMaxPaneLength));
        const Rect next = cols ? Rect(current.left, current.top, current.left + length, current.top + rect.height())
                               : Rect(current.left, current.top, current.left + rect.width(), current.top + length);
        child->SetRect(next);
        UpdateFramesetSizes(child, next, host);
        const int change = cols ? next.width() - current.width() : next.height() - current.height();
        if (child->m_pNext && change != 0)
            LayoutFrameWindows(child->m_pNext.get(), cols ? -change : 0, cols ? 0 : -change, 0, 0);
    };

    qint64 remaining = extent;
    for (VornaFrameSet* child = node->m_pFirstChild.get(); child; child = child->m_pNext.get()) {
        const QString& entry = child->m_strSize;
        if (entry.contains('%') || entry.contains('*'))
            continue;
        qint64 size = leadingNumber(entry);
        if (stars == 0 && percents == 0 && pixelSum != 0 && pixelSum != extent)
            size = extent * size / pixelSum;
        resize(child, size);
        remaining -= size;
    }

    const qint64 base = remaining;
    const qint64 divisor = (percents == 1 && stars >= 1) ? 100 : percentSum;
    for (VornaFrameSet* child = node->m_pFirstChild.get(); child; child = child->m_pNext.get()) {
        if (!child->m_strSize.contains('%'))
            continue;
        const qint64 p = leadingNumber(child->m_strSize);
        const qint64 size = (divisor != 0 ? base * p / divisor : p) - gap;
        resize(child, size);
        remaining -= size + gap;
    }

    if (stars > 0) {
        for (VornaFrameSet* child = node->m_pFirstChild.get(); child; child = child->m_pNext.get()) {
            if (!child->m_strSize.contains('%') && child->m_strSize.contains('*'))
                resize(child, remaining / stars - gap);
        }
    }

    // The last child reaches the rectangle's right and bottom edges.
    VornaFrameSet* last = node->m_pFirstChild.get();
    while (last->m_pNext)
        last = last->m_pNext.get();
    Rect stretched = paneRectOf(last);
    stretched.right = rect.right;
    stretched.bottom = rect.bottom;
    last->SetRect(stretched);
    if (last->IsFrameset())
        UpdateFramesetSizes(last, stretched, host);
    else
        LayoutFrameWindows(last, 0, 0, 0, 0);
}

void WriteFramesetSizes(VornaFrameSet* node, const QString& split, const Rect& rect, FrameSetHost* host)
{
    host = frameSetHostOrActive(host);
    if (!node || !treeRoot(host))
        return;
    const int spacing = treeRoot(host)->m_nFrameSpacing;
    const bool cols = split.compare(QLatin1String("cols"), Qt::CaseInsensitive) == 0;
    VornaFrameSet* parent = node->m_pParent;
    const QString entry = node->m_strSize;

    // A share of the parent's frames, as a whole percentage. A parent without
    // any extent leaves the entry as it is.
    auto percentOf = [&](int length, int whole) {
        if (whole > 0)
            node->m_strSize = QString::number(qint64(length) * 100 / whole) + '%';
    };

    if (entry.contains('%')) {
        if (parent && parent->m_strSplit.compare(split, Qt::CaseInsensitive) == 0) {
            Rect bounds;
            GetFramesBoundingRect(parent, &bounds, false);
            if (cols) {
                bounds.right -= spacing;
                percentOf(rect.width(), bounds.width());
            } else {
                bounds.bottom -= spacing;
                percentOf(rect.height(), bounds.height());
            }
        }
    } else if (!entry.contains('*')) {
        node->m_strSize = QString::number(cols ? rect.width() : rect.height());
    } else if (parent && node->m_pNext) {
        Rect bounds;
        GetFramesBoundingRect(parent, &bounds, false);
        percentOf(cols ? rect.width() : rect.height(), cols ? bounds.width() : bounds.height());
    }
    host->setFramesetModified();
}

namespace frames_detail {

void applyLayoutToNode(VornaFrameSet* node, int gx, int gy, int spacing, FrameSetHost* host)
{
    VornaFrameSet* parent = node->m_pParent;
    if (!parent || !(node->IsFrame() || node->IsFrameset()))
        return;
    const bool cols = splitsCols(parent);
    const int count = childCountOr2(parent);
    gx = cols ? gx / count : 0;
    gy = cols ? 0 : gy / count;

    Rect rect = paneRectOf(node);
    if (node->m_pPrev) {
        rect.left -= gx;
        rect.top -= gy;
        storeAndPlace(node, rect);
    }
    if (node->m_pNext) {
        rect.right += gx;
        rect.bottom += gy;
        storeAndPlace(node, rect);
    }

    const Rect start = rect;
    if (VornaFrameSet* prev = node->m_pPrev) {
        const Rect before = paneRectOf(prev);
        const int wanted = (cols ? before.right : before.bottom) + spacing;
        int& leading = cols ? rect.left : rect.top;
        if (leading != wanted) {
            const int difference = wanted - leading;
            leading = wanted;
            if (node->IsFrameset())
                LayoutFrameWindows(node, cols ? -difference : 0, cols ? 0 : -difference, 0, 0);
        }
    }
    node->SetRect(rect);
    if (rect != start)
        UpdateFramesetSizes(node, rect, host);
}

} // namespace frames_detail

void ApplyFramesetLayout(VornaFrameSet* node, int gx, int gy, FrameSetHost* host)
{
    host = frameSetHostOrActive(host);
    if (!treeRoot(host))
        return;
    const int spacing = spacingOf(host);
    for (VornaFrameSet* n = node; n; n = n->m_pNext.get()) {
        host->setFramesetModified();
        applyLayoutToNode(n, gx, gy, spacing, host);
        ApplyFramesetLayout(n->m_pFirstChild.get(), gx, gy, host);
    }
}

void VornaFrameSet::MoveResizePane(int dx, int dy, int dw, int dh)
{
    if (IsFrame()) {
        Rect rect = m_rcPane;
        rect.offset(dx, dy);
        rect.right += dw;
        rect.bottom += dh;
        SetRect(rect);
        placePane(this);
        return;
    }
    // The frameset's rectangle before its frames move, moved and grown.
    Rect rect = paneRectOf(this);
    if (dx != 0 || dy != 0)
        LayoutFrameWindows(m_pFirstChild.get(), -dx, -dy, 0, 0);
    rect.offset(dx, dy);
    rect.right += dw;
    rect.bottom += dh;
    UpdateFramesetSizes(this, rect);
}

int FramePaneGap(int spacing)
{
    return std::max(4, spacing);
}

namespace frames_detail {

constexpr int kMinPaneLength = 12;

enum class EntryUnit { Pixels, Percent, Star };

EntryUnit unitOf(const QString& entry)
{
    if (entry.contains('*'))
        return EntryUnit::Star;
    return entry.contains('%') ? EntryUnit::Percent : EntryUnit::Pixels;
}

// Scales the lengths of one unit so that they sum to `room` (at least 0).
void scaleTo(std::vector<qint64>& lengths, const std::vector<EntryUnit>& units, EntryUnit unit, qint64 sum, qint64 room)
{
    for (size_t i = 0; i < lengths.size(); ++i) {
        if (units[i] == unit)
            lengths[i] = sum > 0 ? lengths[i] * room / sum : 0;
    }
}

std::vector<qint64> divideExtent(const std::vector<QString>& entries, qint64 total)
{
    const size_t n = entries.size();
    std::vector<qint64> lengths(n, 0);
    std::vector<EntryUnit> units(n);
    qint64 pixels = 0, percents = 0, weights = 0;
    for (size_t i = 0; i < n; ++i) {
        units[i] = unitOf(entries[i]);
        const qint64 number = std::clamp<qint64>(leadingNumber(entries[i]), 0, kMaxPaneLength);
        switch (units[i]) {
        case EntryUnit::Pixels:
            lengths[i] = number;
            pixels += number;
            break;
        case EntryUnit::Percent:
            lengths[i] = total * number / 100;
            percents += lengths[i];
            break;
        case EntryUnit::Star: {
            // "*" weighs 1, "3*" 3; "0*" nothing.
            const QString digits = entries[i].left(entries[i].indexOf('*')).trimmed();
            lengths[i] = digits.isEmpty() ? 1 : number;
            weights += lengths[i];
            break;
        }
        }
    }
    qint64 left = total;
    if (pixels > left) {
        scaleTo(lengths, units, EntryUnit::Pixels, pixels, left);
        scaleTo(lengths, units, EntryUnit::Percent, 1, 0);
        scaleTo(lengths, units, EntryUnit::Star, 1, 0);
        return lengths;
    }
    left -= pixels;
    if (percents > left) {
        scaleTo(lengths, units, EntryUnit::Percent, percents, left);
        scaleTo(lengths, units, EntryUnit::Star, 1, 0);
        return lengths;
    }
    left -= percents;
    if (weights > 0) {
        scaleTo(lengths, units, EntryUnit::Star, weights, left);
    } else if (percents > 0) {
        scaleTo(lengths, units, EntryUnit::Percent, percents, percents + left);
    } else if (pixels > 0) {
        scaleTo(lengths, units, EntryUnit::Pixels, pixels, pixels + left);
    } else {
        // Nothing asks for room ("0,0", "abc"): equal shares.
        for (qint64& length : lengths)
            length = total / qint64(n);
    }
    return lengths;
}

// Raises panes below the least length at the expense of the longest while
// the extent has room for all.
void keepMinimalLengths(std::vector<qint64>& lengths, qint64 total)
{
    if (lengths.empty() || total < qint64(lengths.size()) * kMinPaneLength)
        return;
    for (qint64& length : lengths) {
        if (length >= kMinPaneLength)
            continue;
        auto longest = std::max_element(lengths.begin(), lengths.end());
        const qint64 need = kMinPaneLength - length;
        *longest -= need;
        length += need;
    }
}

} // namespace frames_detail

void DivideFramesetPanes(VornaFrameSet* node, const Rect& rect, int spacing)
{
    if (!node)
        return;
    if (node->IsFrame()) {
        node->SetRect(rect);
        placePane(node);
        return;
    }
    if (!node->IsFrameset() || !node->m_pFirstChild)
        return;
    const bool cols = splitsCols(node);
    const int gap = FramePaneGap(spacing);
    std::vector<QString> entries;
    for (VornaFrameSet* child = node->m_pFirstChild.get(); child; child = child->m_pNext.get())
        entries.push_back(child->m_strSize);
    const qint64 extent = std::max(0, cols ? rect.width() : rect.height());
    const qint64 total = std::max<qint64>(0, extent - qint64(gap) * qint64(entries.size() - 1));
    std::vector<qint64> lengths = divideExtent(entries, total);
    keepMinimalLengths(lengths, total);

    int at = cols ? rect.left : rect.top;
    size_t i = 0;
    for (VornaFrameSet* child = node->m_pFirstChild.get(); child; child = child->m_pNext.get(), ++i) {
        // The last one reaches the far edge, whatever the rounding left.
        const int end = child->m_pNext ? at + int(std::max<qint64>(0, lengths[i])) : (cols ? rect.right : rect.bottom);
        const int farEdge = std::max(at, end);
        const Rect part = cols ? Rect(at, rect.top, farEdge, rect.bottom) : Rect(rect.left, at, rect.right, farEdge);
        DivideFramesetPanes(child, part, spacing);
        at = farEdge + gap;
    }
}
