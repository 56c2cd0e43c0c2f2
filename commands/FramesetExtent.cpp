#include "commands/FramesetExtent.h"

#include "frames/FrameLayout.h"
#include "frames/VornaFrameSet.h"
#include "util/TextHelpers.h"

#include <algorithm>
#include <vector>

using platform::Rect;

namespace framesetextent_detail {

// No pane is longer than this; keeps the products of entries and lengths in
// range whatever a page's size lists say.
constexpr qint64 kMaxLength = qint64(1) << 24;

enum class EntryKind { Pixels, Percent, Share };

struct Entry
{
    EntryKind kind = EntryKind::Pixels;
    qint64 value = 0;
};

Entry readEntry(const QString& text)
{
    const QString entry = text.trimmed();
    if (entry.contains(QLatin1Char('%'))) {
        QString number = entry;
        number.remove(QLatin1Char('%'));
        return {EntryKind::Percent, std::clamp<qint64>(LeadingInteger(number), -kMaxLength, kMaxLength)};
    }
    if (entry == QLatin1String("*"))
        return {EntryKind::Share, 0};
    return {EntryKind::Pixels, std::clamp<qint64>(LeadingInteger(entry), -kMaxLength, kMaxLength)};
}

int toInt(qint64 value)
{
    return int(std::clamp(value, -kMaxLength, kMaxLength));
}

bool splitsCols(const VornaFrameSet* node)
{
    return node->m_strSplit.compare(QLatin1String("cols"), Qt::CaseInsensitive) == 0;
}

// The length of each child along the split, by the kinds of their entries.
std::vector<qint64> shareLength(const std::vector<Entry>& entries, qint64 length, qint64 spacing)
{
    // 3. The kinds counted, the percentages and the pixels summed.
    int percents = 0;
    int shares = 0;
    qint64 percentSum = 0;
    qint64 pixelSum = 0;
    for (const Entry& entry : entries) {
        if (entry.kind == EntryKind::Percent) {
            ++percents;
            percentSum += entry.value;
        } else if (entry.kind == EntryKind::Share) {
            ++shares;
        } else {
            pixelSum += entry.value;
        }
    }
    std::vector<qint64> sizes(entries.size(), 0);
    qint64 remaining = length;
    // 4. Pixel children, stretched to the length when they are alone.
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].kind != EntryKind::Pixels)
            continue;
        sizes[i] = entries[i].value;
        if (percents == 0 && shares == 0 && pixelSum != 0 && pixelSum != length)
            sizes[i] = length * entries[i].value / pixelSum;
        remaining -= sizes[i];
    }
    // 5. Percentage children, of what the pixels leave.
    const qint64 afterPixels = remaining;
    const qint64 whole = percents == 1 && shares >= 1 ? 100 : percentSum;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].kind != EntryKind::Percent)
            continue;
        sizes[i] = (whole == 0 ? entries[i].value : afterPixels * entries[i].value / whole) - spacing;
        remaining -= sizes[i] + spacing;
    }
    // 6. "*" children share the rest.
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].kind == EntryKind::Share)
            sizes[i] = remaining / shares - spacing;
    }
    return sizes;
}

std::unique_ptr<VornaFrameSet> copyNode(const VornaFrameSet* from, VornaFrameSet* parent)
{
    auto node = std::make_unique<VornaFrameSet>();
    node->m_pParent = parent;
    node->m_strKind = from->m_strKind;
    node->m_strSize = from->m_strSize;
    node->m_strSplit = from->m_strSplit;
    node->m_strSizes = from->m_strSizes;
    node->m_nFrameSpacing = from->m_nFrameSpacing;
    node->m_nChildCount = from->m_nChildCount;
    node->m_rcPane = from->m_rcPane;
    node->m_pView = from->m_pView;
    std::unique_ptr<VornaFrameSet>* slot = &node->m_pFirstChild;
    VornaFrameSet* previous = nullptr;
    for (const VornaFrameSet* child = from->m_pFirstChild.get(); child; child = child->m_pNext.get()) {
        *slot = copyNode(child, node.get());
        (*slot)->m_pPrev = previous;
        previous = slot->get();
        slot = &previous->m_pNext;
    }
    return node;
}

} // namespace framesetextent_detail

void LayoutFramesetPanes(VornaFrameSet* node, const Rect& rect)
{
    using namespace framesetextent_detail;
    if (!node || !node->IsFrameset())
        return;
    // 1. The spacing's share: the root's frame spacing over the number of
    // the node's siblings, at least 1.
    const VornaFrameSet* root = node->TopmostAncestor();
    const qint64 rootSpacing = root->m_nFrameSpacing == 0 ? 1 : root->m_nFrameSpacing;
    const qint64 siblings = node->m_pParent ? std::max(1, node->m_pParent->CountChildren()) : 2;
    const qint64 spacing = std::max<qint64>(1, rootSpacing / siblings);
    // 2. The direction.
    const bool cols = splitsCols(node);
    const qint64 length = cols ? rect.width() : rect.height();
    // 3.-6. The children's lengths.
    std::vector<VornaFrameSet*> children;
    std::vector<Entry> entries;
    for (VornaFrameSet* child = node->m_pFirstChild.get(); child; child = child->m_pNext.get()) {
        children.push_back(child);
        entries.push_back(readEntry(child->m_strSize));
    }
    const std::vector<qint64> sizes = shareLength(entries, length, spacing);
    // 7. Each child at its own left and top, its length along the split and
    // the rectangle's across it; the frames after it move by its growth.
    for (size_t i = 0; i < children.size(); ++i) {
        VornaFrameSet* child = children[i];
        Rect old = child->m_rcPane;
        if (old == Rect())
            child->GetPaneRect(&old);
        Rect placed(old.left, old.top, 0, 0);
        placed.right = cols ? toInt(old.left + sizes[i]) : toInt(qint64(old.left) + rect.width());
        placed.bottom = cols ? toInt(qint64(old.top) + rect.height()) : toInt(old.top + sizes[i]);
        child->SetRect(placed);
        // 8. The last child, a FRAMESET, reaches the rectangle's right and
        // bottom edges. Differs from laying it out first in its own
        // rectangle and then once more: with FRAMESETs nested as last
        // children the work would double at every level.
        const bool last = i + 1 == children.size();
        if (child->IsFrameset())
            LayoutFramesetPanes(child, last ? Rect(placed.left, placed.top, rect.right, rect.bottom) : placed);
        const qint64 growth = cols ? qint64(placed.width()) - old.width() : qint64(placed.height()) - old.height();
        OffsetFrameRects(child->m_pNext.get(), cols ? -toInt(growth) : 0, cols ? 0 : -toInt(growth), 0, 0);
    }
}

std::unique_ptr<VornaFrameSet> CopyFrameTree(const VornaFrameSet* root)
{
    return root ? framesetextent_detail::copyNode(root, nullptr) : nullptr;
}

std::optional<QSize> FrameExtentInGuide(const VornaFrameSet* root, const FramePane* view, QSize guide)
{
    // 1. A frame of this tree.
    std::unique_ptr<VornaFrameSet> copy = CopyFrameTree(root);
    VornaFrameSet* frame = copy ? copy->FindFrameByView(view) : nullptr;
    if (!frame)
        return std::nullopt;
    // 2. The copy laid out in the guide.
    const QSize extent(std::max(0, guide.width()), std::max(0, guide.height()));
    LayoutFramesetPanes(copy.get(), Rect(0, 0, extent.width(), extent.height()));
    // 3. The frame's share, never beyond the guide.
    return QSize(std::clamp(frame->m_rcPane.width(), 0, extent.width()),
                 std::clamp(frame->m_rcPane.height(), 0, extent.height()));
}
