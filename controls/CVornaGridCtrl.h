#pragma once

#include "controls/ListDispInfo.h"
#include "controls/TreeGridGeometry.h"
#include "controls/TreeGridItemModel.h"
#include "controls/TreeGridModel.h"
#include "platform/ColorRef.h"
#include "platform/Rect.h"
#include "res/resource.h"

#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QTreeView>

#include <memory>

class CListEditCtrl;
class QLabel;

// Parts of a row that GetItemRect measures.
inline constexpr int LVIR_BOUNDS = 0;
inline constexpr int LVIR_ICON = 1;
inline constexpr int LVIR_LABEL = 2;

// Hit-test results.
inline constexpr unsigned LVHT_NOWHERE = 0x0001;
inline constexpr unsigned LVHT_ONITEMICON = 0x0002;
inline constexpr unsigned LVHT_ONITEMLABEL = 0x0004;
inline constexpr unsigned LVHT_ONITEMSTATEICON = 0x0008;
inline constexpr unsigned LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON;

// Mouse flags of the mouse handlers: the buttons and keys held.
inline constexpr unsigned MK_LBUTTON = 0x0001;
inline constexpr unsigned MK_RBUTTON = 0x0002;
inline constexpr unsigned MK_SHIFT = 0x0004;
inline constexpr unsigned MK_CONTROL = 0x0008;
inline constexpr unsigned MK_MBUTTON = 0x0010;

// Where a point lies: the row and column under it.
struct GridHitTestInfo
{
    QPoint pt;
    unsigned flags = LVHT_NOWHERE;
    int iItem = -1;
    int iSubItem = -1;
};

// A list of rows showing a tree in its first column and plain texts in the
// further columns. The tree and its rows are the TreeGridModel this grid is;
// the widget paints the rows itself (tree lines, expand buttons, pictures,
// check boxes, texts shortened with "...", cell colours and pictures), edits
// cells in place, and answers the mouse and the keyboard: expand buttons,
// double clicks and the numeric-pad keys open and close items, Delete
// deletes, the arrow keys move the selection and the current column, and a
// row dragged onto another row moves there with its subtree.
//
// A derived grid takes part through the virtual hooks (asked before
// expanding, collapsing, deleting, clicking, and for pictures, focus colour,
// copies of moved rows and the drag picture) and may take over the mouse and
// key handlers and notifications, calling these versions for the rest.
//
// Expected order of use: construct, SetImageList (the row pictures) with
// m_cxIcon and m_cyIcon set to their size, InsertColumn, then InsertRootItem
// and InsertItem; DeleteAll and insert again to rebuild.
class CVornaGridCtrl : public QTreeView, public TreeGridModel
{
    Q_OBJECT
public:
    static constexpr int kDragTimer = 1;
    static constexpr int kDragTimerMs = 300;
    static constexpr int kLabelEditId = IDC_GRID_LABEL_EDIT;
    static constexpr int kSubItemEditId = IDC_GRID_SUBITEM_EDIT;

    explicit CVornaGridCtrl(QWidget* parent = nullptr);
    ~CVornaGridCtrl() override;

    // ---- columns ----
    int InsertColumn(int column, const QString& heading, int format = LVCFMT_LEFT, int width = 100);
    int GetColumnCount() const;
    int GetColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    int GetColumnFormat(int column) const;
    // The display position of a column, or -1.
    int GetColumnOrder(int column) const;
    // The column shown at a display position, or -1.
    int OrderToIndex(int order) const;

    // ---- pictures and check boxes ----
    // The row pictures; without them the rows are not painted.
    void SetImageList(const QList<QPixmap>& images);
    const QList<QPixmap>& GetImageList() const { return m_hRowImages; }
    // A check box before each row's picture.
    void SetCheckBoxes(bool on);
    bool HasCheckBoxes() const { return m_bCheckBoxes; }

    // ---- rows on the screen ----
    // A part of a row (LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL) in client coordinates.
    platform::Rect GetItemRect(int row, int code) const;
    // A column's cell of a row in client coordinates.
    platform::Rect GetSubItemRect(int row, int column) const;
    GridHitTestInfo SubItemHitTest(QPoint point) const;
    // Scrolls the row into view; with partialOK a row partly seen is enough.
    bool EnsureVisible(int row, bool partialOK);
    int GetTopIndex() const;
    // Repaints the row.
    void InvalidateRow(int row);
    // Scrolls the list sideways so that the column starts at the left edge
    // when it is not wholly in view.
    void ScrollColumnIntoView(int column);
    void ScrollRowIntoView(int row);
    treegrid::Metrics metrics() const;

    // ---- editing ----
    // An edit box over a cell of the row, or none when the row cannot be shown.
    CListEditCtrl* EditSubItem(int row, int column);
    // An edit box over the row's tree-column text.
    CListEditCtrl* EditLabel(int row);
    static QString FitTextToWidth(const QFontMetrics& metrics, const QString& text, int width, int margin);

    // Width and height of a row picture; also the indent per level and the
    // height of the bands in which a drag scrolls.
    int m_cxIcon = 0;
    int m_cyIcon = 0;
    // Pictures of the cells (CItemInfo::GetCellImage).
    QList<QPixmap> m_imageCells;
    // The display position of the current column.
    int m_nCurColumn = 0;

protected:
    // ---- hooks, asked by the handlers below ----
    virtual int GetItemImage(CTreeItem* item);
    virtual platform::ColorRef GetFocusColor();
    virtual void UpdateItemFromEdit(CTreeItem* item, const ListDispInfo& edit);
    virtual void OnCellClick(unsigned flags, QPoint point, GridHitTestInfo& hit);
    // The picture that follows the mouse while a row is dragged; a null one starts no drag.
    virtual QPixmap CreateDragImageEx(int row);
    virtual bool OnBeforeExpand(CTreeItem* item, int row);
    virtual bool OnAfterExpand(CTreeItem* item, int row);
    virtual bool OnBeforeCollapse(CTreeItem* item);
    virtual bool OnAfterCollapse(CTreeItem* item);
    virtual bool OnBeforeDelete(CTreeItem* item, int row);
    virtual bool OnBeforeExpandAll(CTreeItem* item, int row);
    virtual bool OnBeforeCollapseKey(CTreeItem* item, int row);
    virtual bool OnBeforeExpandKey(CTreeItem* item, int row);
    // Asked first on Enter; true when the derived grid handled it.
    virtual bool OnReturnKey();
    // Asked first on a press and a double click; false ignores it.
    virtual bool OnBeforeClick(GridHitTestInfo& hit);
    // A drag ended without a drop (Escape, the mouse let go elsewhere): a
    // derived grid that took over the drag drops what it armed.
    virtual void OnDragCancelled();

    // ---- handlers of the mouse and the keys ----
    virtual void OnLButtonDown(unsigned flags, QPoint point);
    virtual void OnLButtonUp(unsigned flags, QPoint point);
    virtual void OnMouseMove(unsigned flags, QPoint point);
    virtual void OnLButtonDblClk(unsigned flags, QPoint point);
    virtual void OnRButtonDown(unsigned flags, QPoint point);
    // A key the grid did not take before it reached the list; the list's
    // own handling tells OnKeydown and moves the selection.
    virtual void OnKeyDown(QKeyEvent* event);
    virtual void OnTimer(int id);
    // The keys the grid takes before the list sees them: the arrows and Enter.
    virtual bool PreTranslateMessage(QKeyEvent* event);

    // ---- notifications of the list ----
    // A click that ended on a row without a drag.
    virtual void OnClick(int row, QPoint point);
    virtual void OnDblclk(QPoint point);
    virtual void OnKeydown(QKeyEvent* event);
    // The mouse moved with the left button held after a press on a row.
    virtual void OnBegindrag(int row, QPoint point);
    virtual int OnBeginLabelEdit(const ListDispInfo& info);
    virtual int OnEndLabelEdit(const ListDispInfo& info);

    // Expands or collapses the item of a row by its button; false when the
    // click toggled an expand button. Also flips a clicked check box.
    bool HitTestTreeButton(int x, int y, GridHitTestInfo& hit);
    // Moves the dragged item with its subtree under the drop item.
    void MoveDraggedItem(CTreeItem* dropItem, CTreeItem* dragItem);
    // The default handling of a left press: the selection.
    void DefaultLButtonDown(unsigned flags, const GridHitTestInfo& hit);
    void DefaultKeyDown(QKeyEvent* event);

    // ---- painting ----
    void DrawItem(QPainter& dc, int row, const platform::Rect& rowRect, const QRect& clip);
    void DrawTreeItem(QPainter& dc, CTreeItem* item, int row, const platform::Rect& rowRect);
    void DrawComboButton(QPainter& dc, CTreeItem* item, int row, int column, const platform::Rect& cell);

    bool HasCapture() const;
    void SetCapture();
    void ReleaseCapture();

    int m_nDragRow = -1;
    int m_nDropRow = -1;
    bool m_bDragging = false;

    // Qt's events, routed to the handlers above.
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}

private:
    struct PendingClick
    {
        unsigned flags = 0;
        QPoint point;
        GridHitTestInfo hit;
    };

    void updateRowHeight();
    platform::Rect rowRect(int row) const;
    int columnLeft(int column) const;
    bool toggleByButton(CTreeItem* item, int row);
    void endDrag();
    void showDragImage(bool show);
    void moveDragImage(QPoint point);
    void startLabelEdit(CListEditCtrl* edit, const QRect& rect);
    static unsigned mouseFlags(const QMouseEvent* event);
    bool OnEnterKey();

    TreeGridItemModel* m_rowModel = nullptr;
    QList<QPixmap> m_hRowImages;
    bool m_bCheckBoxes = false;
    std::unique_ptr<PendingClick> m_pendingClick;
    QPoint m_lastMouse;
    bool m_bEscapeDown = false;
    QPointer<QLabel> m_dragImage;
};
