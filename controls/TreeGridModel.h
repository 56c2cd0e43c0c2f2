#pragma once

#include "controls/CItemInfo.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Row states of the grid's list, as a list control keeps them.
inline constexpr unsigned LVIS_FOCUSED = 0x0001;
inline constexpr unsigned LVIS_SELECTED = 0x0002;
inline constexpr unsigned LVIS_DROPHILITED = 0x0008;

// Told by the tree grid before and after its list of rows changes, so that a
// view over the rows can follow.
class TreeGridRowObserver
{
public:
    virtual ~TreeGridRowObserver() = default;
    virtual void rowsAboutToBeInserted(int first, int last) = 0;
    virtual void rowsInserted() = 0;
    virtual void rowsAboutToBeRemoved(int first, int last) = 0;
    virtual void rowsRemoved() = 0;
    // Texts, states, pictures or indents of these rows changed.
    virtual void rowsChanged(int first, int last) = 0;
};

// The data of the tree grid without a window: a tree of items, each with its
// row data, and the list of rows that shows it. The tree is the master copy;
// the list holds one row per shown item (a top-level item, or an item all of
// whose ancestors are expanded) in depth-first order, each row carrying its
// item and copies of its texts. After every change that inserts or deletes
// rows the rows are numbered again, so the stored row of every shown item is
// its list row; items not shown keep the row they had when last shown.
//
// Paths of items are the texts of the item and its ancestors below the
// top-level item joined by "/", compared exactly.
class TreeGridModel
{
public:
    class CTreeItem
    {
    public:
        CTreeItem() = default;
        CTreeItem(const CTreeItem&) = delete;
        CTreeItem& operator=(const CTreeItem&) = delete;
        // Frees the whole subtree without recursing on the call stack.
        virtual ~CTreeItem();

    private:
        friend class TreeGridModel;
        std::vector<std::unique_ptr<CTreeItem>> m_children;
        CTreeItem* m_pParent = nullptr;
        std::unique_ptr<CItemInfo> m_lpNodeInfo;
        bool m_bHideChildren = false;
        int m_nIndex = -1;
        int m_nIndent = -1;
        int m_bSetChildFlag = -1;
    };

    // One list row.
    struct Row
    {
        CTreeItem* item = nullptr;
        QStringList texts; // column 0 is the tree column
        int indent = 0;
        int image = -1;
        unsigned state = 0;
        bool checked = false;
    };

    TreeGridModel() = default;
    TreeGridModel(const TreeGridModel&) = delete;
    TreeGridModel& operator=(const TreeGridModel&) = delete;
    virtual ~TreeGridModel();

    void SetRowObserver(TreeGridRowObserver* observer) { m_observer = observer; }

    // ---- tree access ----
    CItemInfo* GetData(const CTreeItem* item) const { return item ? item->m_lpNodeInfo.get() : nullptr; }
    // Replaces the item's row data; with update its row texts are rewritten.
    void SetData(CTreeItem* item, std::unique_ptr<CItemInfo> info, bool update);
    // Writes the row texts of a shown item from its row data (column 0 the
    // item text, column n + 1 sub-item n). Nothing for an item without a row.
    void UpdateRowText(CTreeItem* item);
    CTreeItem* GetParentItem(const CTreeItem* item) const { return item ? item->m_pParent : nullptr; }
    int GetIndent(const CTreeItem* item) const { return item ? item->m_nIndent : -1; }
    void SetIndent(CTreeItem* item, int indent);
    bool IsCollapsed(const CTreeItem* item) const { return item && item->m_bHideChildren; }
    void SetCollapsed(CTreeItem* item, bool collapsed);
    int GetCurIndex(const CTreeItem* item) const { return item ? item->m_nIndex : -1; }
    void SetCurIndex(CTreeItem* item, int row);
    bool ItemHasChildren(const CTreeItem* item) const;
    // Makes the item count as having children (any value but -1) or not
    // (-1: its children list decides).
    void SetChildrenMark(CTreeItem* item, int mark);
    int GetChildCount(const CTreeItem* item) const { return item ? int(item->m_children.size()) : 0; }
    // Walks of the children: a position of -1 is the end.
    int GetHeadChildPosition(const CTreeItem* item) const;
    int GetTailChildPosition(const CTreeItem* item) const;
    CTreeItem* GetNextChild(const CTreeItem* item, int& position) const;
    CTreeItem* GetPrevChild(const CTreeItem* item, int& position) const;
    CTreeItem* GetChild(const CTreeItem* item, int index) const;
    CTreeItem* GetTreeItem(int row) const;
    bool IsInSubtree(const CTreeItem* root, const CTreeItem* item) const;
    // The next and previous item in depth-first order within the tree of the
    // item's top-level item; none past either end.
    CTreeItem* GetNextTreeItem(const CTreeItem* item) const;
    CTreeItem* GetPrevTreeItem(const CTreeItem* item) const;
    // Items of the whole tree, shown or not.
    int GetTreeItemCount() const;

    // ---- top-level items ----
    CTreeItem* GetRootItem(int index) const;
    int GetRootIndex(const CTreeItem* item) const;
    bool IsRoot(const CTreeItem* item) const { return item && !item->m_pParent && GetRootIndex(item) >= 0; }
    int GetRootCount() const { return int(m_rootItems.size()); }
    int GetRootHeadPosition() const { return m_rootItems.empty() ? -1 : 0; }
    int GetRootTailPosition() const { return int(m_rootItems.size()) - 1; }
    CTreeItem* GetNextRoot(int& position) const;
    CTreeItem* GetPrevRoot(int& position) const;

    // ---- building ----
    // A new top-level item with a row at the end; an empty row data is made when none is given.
    CTreeItem* InsertRootItem(std::unique_ptr<CItemInfo> info = {});
    // A new last child of the parent. With update (for a shown, expanded
    // parent) it gets its row at once; without, the parent counts as
    // collapsed and the child has no row. None without a parent.
    CTreeItem* InsertItem(CTreeItem* parent, std::unique_ptr<CItemInfo> info = {}, bool update = false);
    // Shows the direct children of a collapsed item below its row; the row of
    // the last child shown, or the given row.
    int Expand(CTreeItem* item, int row);
    // Takes the rows of all the item's descendants away; they all count as collapsed.
    void Collapse(CTreeItem* item);
    // Expands the item and every item below it; the last row shown by an expansion.
    void ExpandAll(CTreeItem* item, int& lastRow);
    // Deletes the item with its subtree and their rows; with a row above left,
    // the row now at its place (or the one above) is selected and focused.
    void DeleteTreeItem(CTreeItem* item, int row);
    void DeleteAll();
    // The list row of a shown item, -1 for an item not shown.
    int GetItemIndex(const CTreeItem* item) const;
    // Searches the start item's subtree for an item without children whose
    // path equals the given one; its stored row, or -1.
    int FindItemByPath(const CTreeItem* start, const QString& path) const;
    // Sorts the top-level items (and, when asked, every item's children) by
    // their text, collapses everything and shows the top-level items again.
    void SortAllItems(bool sortChildren);
    // Expands the item's ancestors from the top-level item down and selects its row alone.
    void SelectItem(CTreeItem* item);

    // ---- moving by drag and drop ----
    // Whether dropping the dragged item on the drop item moves it: a top-level
    // item never moves, nor onto its own parent, itself or its subtree.
    bool CanMoveItem(const CTreeItem* dropItem, const CTreeItem* dragItem) const;
    // Inserts under the drop item a copy of the dragged item and its subtree
    // (row data through CopyItemData); the copy gets a row only when the drop
    // item is expanded. The dragged item stays.
    bool MoveItem(CTreeItem* dropItem, CTreeItem* dragItem);
    // Inserts, child by child, copies of the source's subtree under the new item, without rows.
    void CopySubtree(CTreeItem* newItem, const CTreeItem* source);
    // Takes the item and its subtree out of the tree with their rows and frees them.
    void RemoveTreeItem(CTreeItem* item);
    // The row data for the copy of a dragged item: a copy of everything
    // CItemInfo::CopyObjects carries.
    virtual std::unique_ptr<CItemInfo> CopyItemData(const CItemInfo* source);

    // ---- the list of rows ----
    int GetItemCount() const { return int(m_rows.size()); }
    const Row& GetRow(int row) const { return m_rows[size_t(row)]; }
    QString GetItemText(int row, int column) const;
    void SetItemText(int row, int column, const QString& text);
    int GetRowImage(int row) const;
    void SetRowImage(int row, int image);
    unsigned GetItemState(int row, unsigned mask) const;
    // Sets the masked state bits; the focus stays on one row only.
    void SetItemState(int row, unsigned state, unsigned mask);
    bool GetCheck(int row) const;
    void SetCheck(int row, bool checked);
    // The first row after `after` (-1: from the start) carrying all the state bits, or -1.
    int GetNextItem(int after, unsigned state) const;
    // The first selected row, or -1.
    int GetSelectedRow() const { return GetNextItem(-1, LVIS_SELECTED); }
    int GetSelectedCount() const;
    // The row where a range selection starts.
    int GetSelectionMark() const { return m_nSelectionMark; }
    // The selection a press of the mouse on a row makes: the row alone, with
    // control the row toggled, with shift the range from the selection mark.
    void SelectByClick(int row, bool control, bool shift);
    // Up and Down: the selected rows lose selection and focus; the row above
    // the first (below the last) of them, kept inside the list, is selected
    // and focused. The row, or -1 for an empty list.
    int SelectRowAbove();
    int SelectRowBelow();
    // Selects and focuses one row alone (Home, End, page keys).
    void SelectOnly(int row);
    // Stores its list row in every shown item.
    void UpdateRowIndexes();

private:
    void insertRows(int at, std::vector<Row> rows);
    void removeRows(int first, int count);
    Row makeRow(CTreeItem* item) const;
    void hideChildren(CTreeItem* item, int row);
    int shownRowOf(CTreeItem* item) const;
    void changed(int first, int last);
    std::vector<std::unique_ptr<CTreeItem>>& siblingsOf(const CTreeItem* item);

    std::vector<std::unique_ptr<CTreeItem>> m_rootItems;
    std::vector<Row> m_rows;
    int m_nSelectionMark = -1;
    TreeGridRowObserver* m_observer = nullptr;
};
