#include "controls/TreeGridModel.h"

#include <algorithm>
#include <utility>

// ---- items ----

TreeGridModel::CTreeItem::~CTreeItem()
{
    // A deep tree is taken apart level by level: every item handed to the
    // stack gives up its children before it dies.
    std::vector<std::unique_ptr<CTreeItem>> pending = std::move(m_children);
    while (!pending.empty()) {
        std::unique_ptr<CTreeItem> item = std::move(pending.back());
        pending.pop_back();
        for (auto& child : item->m_children)
            pending.push_back(std::move(child));
        item->m_children.clear();
    }
}

TreeGridModel::~TreeGridModel()
{
    m_observer = nullptr;
}

void TreeGridModel::SetData(CTreeItem* item, std::unique_ptr<CItemInfo> info, bool update)
{
    if (!item)
        return;
    item->m_lpNodeInfo = info ? std::move(info) : std::make_unique<CItemInfo>();
    if (update)
        UpdateRowText(item);
}

void TreeGridModel::UpdateRowText(CTreeItem* item)
{
    const int row = shownRowOf(item);
    if (row < 0)
        return;
    const CItemInfo* info = GetData(item);
    Row& r = m_rows[size_t(row)];
    r.texts = QStringList{info->GetItemText()};
    for (int n = 0; n < info->GetSubItemCount(); ++n)
        r.texts.append(info->GetSubItem(n));
    changed(row, row);
}

void TreeGridModel::SetIndent(CTreeItem* item, int indent)
{
    if (item)
        item->m_nIndent = indent;
}

void TreeGridModel::SetCollapsed(CTreeItem* item, bool collapsed)
{
    if (item)
        item->m_bHideChildren = collapsed;
}

void TreeGridModel::SetCurIndex(CTreeItem* item, int row)
{
    if (item)
        item->m_nIndex = row;
}

bool TreeGridModel::ItemHasChildren(const CTreeItem* item) const
{
    if (!item)
        return false;
    return item->m_bSetChildFlag != -1 || !item->m_children.empty();
}

void TreeGridModel::SetChildrenMark(CTreeItem* item, int mark)
{
    if (item)
        item->m_bSetChildFlag = mark;
}

int TreeGridModel::GetHeadChildPosition(const CTreeItem* item) const
{
    return item && !item->m_children.empty() ? 0 : -1;
}

int TreeGridModel::GetTailChildPosition(const CTreeItem* item) const
{
    return item ? int(item->m_children.size()) - 1 : -1;
}

TreeGridModel::CTreeItem* TreeGridModel::GetNextChild(const CTreeItem* item, int& position) const
{
    CTreeItem* child = GetChild(item, position);
    position = child && position + 1 < int(item->m_children.size()) ? position + 1 : -1;
    return child;
}

TreeGridModel::CTreeItem* TreeGridModel::GetPrevChild(const CTreeItem* item, int& position) const
{
    CTreeItem* child = GetChild(item, position);
    position = child ? position - 1 : -1;
    return child;
}

TreeGridModel::CTreeItem* TreeGridModel::GetChild(const CTreeItem* item, int index) const
{
    if (!item || index < 0 || index >= int(item->m_children.size()))
        return nullptr;
    return item->m_children[size_t(index)].get();
}

TreeGridModel::CTreeItem* TreeGridModel::GetTreeItem(int row) const
{
    return row >= 0 && row < GetItemCount() ? m_rows[size_t(row)].item : nullptr;
}

bool TreeGridModel::IsInSubtree(const CTreeItem* root, const CTreeItem* item) const
{
    for (const CTreeItem* at = item; at; at = at->m_pParent) {
        if (at == root)
            return true;
    }
    return false;
}

TreeGridModel::CTreeItem* TreeGridModel::GetNextTreeItem(const CTreeItem* item) const
{
    if (!item)
        return nullptr;
    if (!item->m_children.empty())
        return item->m_children.front().get();
    for (const CTreeItem* at = item; at->m_pParent; at = at->m_pParent) {
        const auto& siblings = at->m_pParent->m_children;
        const auto it = std::find_if(siblings.begin(), siblings.end(), [at](const auto& s) { return s.get() == at; });
        if (it != siblings.end() && it + 1 != siblings.end())
            return (it + 1)->get();
    }
    return nullptr;
}

TreeGridModel::CTreeItem* TreeGridModel::GetPrevTreeItem(const CTreeItem* item) const
{
    if (!item || !item->m_pParent)
        return nullptr;
    const auto& siblings = item->m_pParent->m_children;
    const auto it = std::find_if(siblings.begin(), siblings.end(), [item](const auto& s) { return s.get() == item; });
    if (it == siblings.begin() || it == siblings.end())
        return item->m_pParent;
    CTreeItem* at = (it - 1)->get();
    while (!at->m_children.empty())
        at = at->m_children.back().get();
    return at;
}

int TreeGridModel::GetTreeItemCount() const
{
    int count = 0;
    std::vector<const CTreeItem*> pending;
    for (const auto& root : m_rootItems)
        pending.push_back(root.get());
    while (!pending.empty()) {
        const CTreeItem* item = pending.back();
        pending.pop_back();
        ++count;
        for (const auto& child : item->m_children)
            pending.push_back(child.get());
    }
    return count;
}

// ---- top-level items ----

TreeGridModel::CTreeItem* TreeGridModel::GetRootItem(int index) const
{
    return index >= 0 && index < int(m_rootItems.size()) ? m_rootItems[size_t(index)].get() : nullptr;
}

int TreeGridModel::GetRootIndex(const CTreeItem* item) const
{
    for (size_t i = 0; i < m_rootItems.size(); ++i) {
        if (m_rootItems[i].get() == item)
            return int(i);
    }
    return -1;
}

TreeGridModel::CTreeItem* TreeGridModel::GetNextRoot(int& position) const
{
    CTreeItem* root = GetRootItem(position);
    position = root && position + 1 < int(m_rootItems.size()) ? position + 1 : -1;
    return root;
}

TreeGridModel::CTreeItem* TreeGridModel::GetPrevRoot(int& position) const
{
    CTreeItem* root = GetRootItem(position);
    position = root ? position - 1 : -1;
    return root;
}

// ---- building ----

TreeGridModel::Row TreeGridModel::makeRow(CTreeItem* item) const
{
    Row row;
    row.item = item;
    const CItemInfo* info = item->m_lpNodeInfo.get();
    row.texts.append(info->GetItemText());
    for (int n = 0; n < info->GetSubItemCount(); ++n)
        row.texts.append(info->GetSubItem(n));
    row.indent = item->m_nIndent;
    row.checked = info->GetCheck() != 0;
    return row;
}

TreeGridModel::CTreeItem* TreeGridModel::InsertRootItem(std::unique_ptr<CItemInfo> info)
{
    auto item = std::make_unique<CTreeItem>();
    item->m_lpNodeInfo = info ? std::move(info) : std::make_unique<CItemInfo>();
    item->m_nIndent = 1;
    item->m_nIndex = GetItemCount();
    CTreeItem* added = item.get();
    m_rootItems.push_back(std::move(item));
    std::vector<Row> rows;
    rows.push_back(makeRow(added));
    insertRows(GetItemCount(), std::move(rows));
    return added;
}

TreeGridModel::CTreeItem* TreeGridModel::InsertItem(CTreeItem* parent, std::unique_ptr<CItemInfo> info, bool update)
{
    if (!parent)
        return nullptr;
    auto item = std::make_unique<CTreeItem>();
    item->m_lpNodeInfo = info ? std::move(info) : std::make_unique<CItemInfo>();
    item->m_nIndent = parent->m_nIndent + 1;
    item->m_pParent = parent;
    CTreeItem* added = item.get();
    parent->m_children.push_back(std::move(item));
    if (!update) {
        parent->m_bHideChildren = true;
        return added;
    }
    const int row = GetItemIndex(added);
    if (row < 0) {
        // The parent is not shown after all: the child waits for its expansion.
        parent->m_bHideChildren = true;
        return added;
    }
    std::vector<Row> rows;
    rows.push_back(makeRow(added));
    insertRows(row, std::move(rows));
    UpdateRowIndexes();
    return added;
}

int TreeGridModel::Expand(CTreeItem* item, int row)
{
    if (item && ItemHasChildren(item) && item->m_bHideChildren) {
        const int shown = shownRowOf(item);
        if (shown >= 0) {
            row = shown;
            m_rows[size_t(row)].indent = item->m_nIndent;
            item->m_bHideChildren = false;
            std::vector<Row> rows;
            rows.reserve(item->m_children.size());
            for (const auto& child : item->m_children) {
                Row r = makeRow(child.get());
                r.indent = item->m_nIndent + 1;
                rows.push_back(std::move(r));
            }
            const int count = int(rows.size());
            insertRows(row + 1, std::move(rows));
            changed(row, row);
            row += count;
        }
    }
    UpdateRowIndexes();
    return row;
}

void TreeGridModel::hideChildren(CTreeItem* item, int row)
{
    // Every shown descendant has a row, in depth-first order right from `row`
    // on; expanded ones are marked collapsed on the way.
    int count = 0;
    std::vector<CTreeItem*> pending{item};
    while (!pending.empty()) {
        CTreeItem* at = pending.back();
        pending.pop_back();
        if (at->m_bHideChildren || !ItemHasChildren(at))
            continue;
        at->m_bHideChildren = true;
        for (auto it = at->m_children.rbegin(); it != at->m_children.rend(); ++it)
            pending.push_back(it->get());
        count += int(at->m_children.size());
    }
    if (count == 0)
        return;
    Q_ASSERT(row >= 0 && row + count <= GetItemCount());
    removeRows(row, count);
}

void TreeGridModel::Collapse(CTreeItem* item)
{
    if (!item || !ItemHasChildren(item))
        return;
    const int row = shownRowOf(item);
    if (row < 0) {
        // Not shown: its descendants have no rows to take away.
        item->m_bHideChildren = true;
        return;
    }
    hideChildren(item, row + 1);
    changed(row, row);
    UpdateRowIndexes();
}

void TreeGridModel::ExpandAll(CTreeItem* item, int& lastRow)
{
    std::vector<CTreeItem*> pending{item};
    while (!pending.empty()) {
        CTreeItem* at = pending.back();
        pending.pop_back();
        if (!at || !ItemHasChildren(at))
            continue;
        lastRow = Expand(at, at->m_nIndex);
        for (auto it = at->m_children.rbegin(); it != at->m_children.rend(); ++it)
            pending.push_back(it->get());
    }
}

std::vector<std::unique_ptr<TreeGridModel::CTreeItem>>& TreeGridModel::siblingsOf(const CTreeItem* item)
{
    return item->m_pParent ? item->m_pParent->m_children : m_rootItems;
}

void TreeGridModel::RemoveTreeItem(CTreeItem* item)
{
    if (!item)
        return;
    const int row = shownRowOf(item);
    if (row >= 0) {
        removeRows(row, 1);
        hideChildren(item, row);
    }
    auto& siblings = siblingsOf(item);
    const auto it = std::find_if(siblings.begin(), siblings.end(), [item](const auto& s) { return s.get() == item; });
    Q_ASSERT(it != siblings.end());
    if (it != siblings.end()) {
        std::unique_ptr<CTreeItem> dead = std::move(*it);
        siblings.erase(it);
    }
    UpdateRowIndexes();
}

void TreeGridModel::DeleteTreeItem(CTreeItem* item, int row)
{
    if (!item)
        return;
    const int shown = shownRowOf(item);
    if (shown >= 0)
        row = shown;
    RemoveTreeItem(item);
    if (shown < 0 || row - 1 < 0)
        return;
    const int select = row < GetItemCount() ? row : row - 1;
    if (select >= 0 && select < GetItemCount())
        SetItemState(select, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void TreeGridModel::DeleteAll()
{
    if (!m_rows.empty())
        removeRows(0, GetItemCount());
    m_rootItems.clear();
    m_nSelectionMark = -1;
}

int TreeGridModel::GetItemIndex(const CTreeItem* item) const
{
    if (!item)
        return -1;
    // Depth-first over the shown items, counting rows.
    int counter = 0;
    std::vector<const CTreeItem*> pending;
    for (auto it = m_rootItems.rbegin(); it != m_rootItems.rend(); ++it)
        pending.push_back(it->get());
    while (!pending.empty()) {
        const CTreeItem* at = pending.back();
        pending.pop_back();
        if (at == item)
            return counter;
        ++counter;
        if (!at->m_bHideChildren) {
            for (auto it = at->m_children.rbegin(); it != at->m_children.rend(); ++it)
                pending.push_back(it->get());
        }
    }
    return -1;
}

int TreeGridModel::shownRowOf(CTreeItem* item) const
{
    if (!item)
        return -1;
    const int stored = item->m_nIndex;
    if (stored >= 0 && stored < GetItemCount() && m_rows[size_t(stored)].item == item)
        return stored;
    for (int row = 0; row < GetItemCount(); ++row) {
        if (m_rows[size_t(row)].item == item)
            return row;
    }
    return -1;
}

int TreeGridModel::FindItemByPath(const CTreeItem* start, const QString& path) const
{
    if (!start)
        return -1;
    std::vector<const CTreeItem*> pending;
    for (auto it = start->m_children.rbegin(); it != start->m_children.rend(); ++it)
        pending.push_back(it->get());
    while (!pending.empty()) {
        const CTreeItem* at = pending.back();
        pending.pop_back();
        if (ItemHasChildren(at)) {
            for (auto it = at->m_children.rbegin(); it != at->m_children.rend(); ++it)
                pending.push_back(it->get());
            continue;
        }
        // The texts of the item and of each ancestor that has a parent itself.
        QStringList parts;
        for (const CTreeItem* up = at; up && up->m_pParent; up = up->m_pParent)
            parts.prepend(up->m_lpNodeInfo->GetItemText());
        if (parts.join(QLatin1Char('/')) == path)
            return at->m_nIndex;
    }
    return -1;
}

void TreeGridModel::SortAllItems(bool sortChildren)
{
    for (const auto& root : m_rootItems)
        Collapse(root.get());
    const auto byText = [](const std::unique_ptr<CTreeItem>& a, const std::unique_ptr<CTreeItem>& b) {
        return a->m_lpNodeInfo->GetItemText() < b->m_lpNodeInfo->GetItemText();
    };
    std::stable_sort(m_rootItems.begin(), m_rootItems.end(), byText);
    if (sortChildren) {
        std::vector<CTreeItem*> pending;
        for (const auto& root : m_rootItems)
            pending.push_back(root.get());
        while (!pending.empty()) {
            CTreeItem* at = pending.back();
            pending.pop_back();
            std::stable_sort(at->m_children.begin(), at->m_children.end(), byText);
            for (const auto& child : at->m_children)
                pending.push_back(child.get());
        }
    }
    if (!m_rows.empty())
        removeRows(0, GetItemCount());
    std::vector<Row> rows;
    for (const auto& root : m_rootItems)
        rows.push_back(makeRow(root.get()));
    insertRows(0, std::move(rows));
    UpdateRowIndexes();
}

void TreeGridModel::SelectItem(CTreeItem* item)
{
    if (!item)
        return;
    std::vector<CTreeItem*> ancestors;
    for (CTreeItem* up = item->m_pParent; up; up = up->m_pParent)
        ancestors.push_back(up);
    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
        if ((*it)->m_bHideChildren)
            Expand(*it, GetItemIndex(*it));
    }
    const int row = GetItemIndex(item);
    if (row >= 0)
        SelectOnly(row);
}

// ---- moving ----

bool TreeGridModel::CanMoveItem(const CTreeItem* dropItem, const CTreeItem* dragItem) const
{
    if (!dropItem || !dragItem || !dragItem->m_pParent)
        return false;
    if (dragItem->m_pParent == dropItem)
        return false;
    return !IsInSubtree(dragItem, dropItem);
}

std::unique_ptr<CItemInfo> TreeGridModel::CopyItemData(const CItemInfo* source)
{
    auto copy = std::make_unique<CItemInfo>();
    if (source)
        copy->CopyObjects(*source);
    return copy;
}

bool TreeGridModel::MoveItem(CTreeItem* dropItem, CTreeItem* dragItem)
{
    if (!dropItem || !dragItem)
        return false;
    CTreeItem* copy = InsertItem(dropItem, CopyItemData(GetData(dragItem)), !dropItem->m_bHideChildren);
    if (ItemHasChildren(dragItem))
        CopySubtree(copy, dragItem);
    return true;
}

void TreeGridModel::CopySubtree(CTreeItem* newItem, const CTreeItem* source)
{
    if (!newItem || !source)
        return;
    // Depth first, a child's whole subtree before the next child.
    struct Step
    {
        const CTreeItem* from;
        CTreeItem* to;
    };
    std::vector<Step> pending;
    for (auto it = source->m_children.rbegin(); it != source->m_children.rend(); ++it)
        pending.push_back({it->get(), newItem});
    while (!pending.empty()) {
        const Step step = pending.back();
        pending.pop_back();
        CTreeItem* copy = InsertItem(step.to, CopyItemData(GetData(step.from)), false);
        for (auto it = step.from->m_children.rbegin(); it != step.from->m_children.rend(); ++it)
            pending.push_back({it->get(), copy});
    }
}

// ---- the list of rows ----

QString TreeGridModel::GetItemText(int row, int column) const
{
    if (row < 0 || row >= GetItemCount() || column < 0)
        return QString();
    const QStringList& texts = m_rows[size_t(row)].texts;
    return column < texts.size() ? texts.at(column) : QString();
}

void TreeGridModel::SetItemText(int row, int column, const QString& text)
{
    if (row < 0 || row >= GetItemCount() || column < 0)
        return;
    QStringList& texts = m_rows[size_t(row)].texts;
    while (texts.size() <= column)
        texts.append(QString());
    texts[column] = text;
    changed(row, row);
}

int TreeGridModel::GetRowImage(int row) const
{
    return row >= 0 && row < GetItemCount() ? m_rows[size_t(row)].image : -1;
}

void TreeGridModel::SetRowImage(int row, int image)
{
    if (row < 0 || row >= GetItemCount() || m_rows[size_t(row)].image == image)
        return;
    m_rows[size_t(row)].image = image;
    changed(row, row);
}

unsigned TreeGridModel::GetItemState(int row, unsigned mask) const
{
    return row >= 0 && row < GetItemCount() ? m_rows[size_t(row)].state & mask : 0;
}

void TreeGridModel::SetItemState(int row, unsigned state, unsigned mask)
{
    if (row < 0 || row >= GetItemCount())
        return;
    if (mask & state & LVIS_FOCUSED) {
        for (int other = 0; other < GetItemCount(); ++other) {
            if (other != row && (m_rows[size_t(other)].state & LVIS_FOCUSED)) {
                m_rows[size_t(other)].state &= ~LVIS_FOCUSED;
                changed(other, other);
            }
        }
        m_nSelectionMark = row;
    }
    unsigned& bits = m_rows[size_t(row)].state;
    const unsigned next = (bits & ~mask) | (state & mask);
    if (next != bits) {
        bits = next;
        changed(row, row);
    }
}

bool TreeGridModel::GetCheck(int row) const
{
    return row >= 0 && row < GetItemCount() && m_rows[size_t(row)].checked;
}

void TreeGridModel::SetCheck(int row, bool checked)
{
    if (row < 0 || row >= GetItemCount() || m_rows[size_t(row)].checked == checked)
        return;
    m_rows[size_t(row)].checked = checked;
    changed(row, row);
}

int TreeGridModel::GetNextItem(int after, unsigned state) const
{
    for (int row = std::max(after + 1, 0); row < GetItemCount(); ++row) {
        if ((m_rows[size_t(row)].state & state) == state)
            return row;
    }
    return -1;
}

int TreeGridModel::GetSelectedCount() const
{
    return int(std::count_if(m_rows.begin(), m_rows.end(), [](const Row& r) { return r.state & LVIS_SELECTED; }));
}

void TreeGridModel::SelectByClick(int row, bool control, bool shift)
{
    if (row < 0 || row >= GetItemCount())
        return;
    if (shift && m_nSelectionMark >= 0 && m_nSelectionMark < GetItemCount()) {
        const int mark = m_nSelectionMark;
        const int from = std::min(mark, row);
        const int to = std::max(mark, row);
        for (int r = 0; r < GetItemCount(); ++r)
            SetItemState(r, r >= from && r <= to ? LVIS_SELECTED : 0, LVIS_SELECTED);
        SetItemState(row, LVIS_FOCUSED, LVIS_FOCUSED);
        m_nSelectionMark = mark;
        return;
    }
    if (control) {
        const unsigned selected = GetItemState(row, LVIS_SELECTED);
        SetItemState(row, (selected ^ LVIS_SELECTED) | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        return;
    }
    SelectOnly(row);
}

void TreeGridModel::SelectOnly(int row)
{
    if (row < 0 || row >= GetItemCount())
        return;
    for (int r = 0; r < GetItemCount(); ++r) {
        if (r != row)
            SetItemState(r, 0, LVIS_SELECTED);
    }
    SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

int TreeGridModel::SelectRowAbove()
{
    if (m_rows.empty())
        return -1;
    const int first = GetSelectedRow();
    for (int r = first; r >= 0; r = GetNextItem(r, LVIS_SELECTED))
        SetItemState(r, 0, LVIS_SELECTED | LVIS_FOCUSED);
    const int target = std::max(first - 1, 0);
    SetItemState(target, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    return target;
}

int TreeGridModel::SelectRowBelow()
{
    if (m_rows.empty())
        return -1;
    int last = -1;
    for (int r = GetSelectedRow(); r >= 0; r = GetNextItem(r, LVIS_SELECTED)) {
        last = r;
        SetItemState(r, 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    const int target = last < 0 ? 0 : std::min(last + 1, GetItemCount() - 1);
    SetItemState(target, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    return target;
}

void TreeGridModel::UpdateRowIndexes()
{
    for (size_t row = 0; row < m_rows.size(); ++row)
        m_rows[row].item->m_nIndex = int(row);
}

// ---- row bookkeeping ----

void TreeGridModel::insertRows(int at, std::vector<Row> rows)
{
    if (rows.empty())
        return;
    const int count = int(rows.size());
    if (m_observer)
        m_observer->rowsAboutToBeInserted(at, at + count - 1);
    m_rows.insert(m_rows.begin() + at, std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    if (m_nSelectionMark >= at)
        m_nSelectionMark += count;
    if (m_observer)
        m_observer->rowsInserted();
}

void TreeGridModel::removeRows(int first, int count)
{
    if (count <= 0)
        return;
    if (m_observer)
        m_observer->rowsAboutToBeRemoved(first, first + count - 1);
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + first + count);
    if (m_nSelectionMark >= first + count)
        m_nSelectionMark -= count;
    else if (m_nSelectionMark >= first)
        m_nSelectionMark = -1;
    if (m_observer)
        m_observer->rowsRemoved();
}

void TreeGridModel::changed(int first, int last)
{
    if (m_observer)
        m_observer->rowsChanged(first, last);
}
