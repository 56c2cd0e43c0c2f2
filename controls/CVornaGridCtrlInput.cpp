#include "controls/CVornaGridCtrl.h"

#include "platform/WindowTimer.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

// The wait cursor for the length of a long expansion.
class WaitCursor
{
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

bool onKeypad(const QKeyEvent* event, Qt::Key key)
{
    return event->key() == key && (event->modifiers() & Qt::KeypadModifier);
}

} // namespace

unsigned CVornaGridCtrl::mouseFlags(const QMouseEvent* event)
{
    unsigned flags = 0;
    if (event->buttons() & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (event->buttons() & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (event->buttons() & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (event->modifiers() & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (event->modifiers() & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

// ---- hooks: what a plain grid does ----

int CVornaGridCtrl::GetItemImage(CTreeItem* item)
{
    Q_UNUSED(item);
    return 0;
}

platform::ColorRef CVornaGridCtrl::GetFocusColor()
{
    return platform::rgb(192, 0, 0);
}

bool CVornaGridCtrl::OnBeforeExpand(CTreeItem*, int)
{
    return true;
}

bool CVornaGridCtrl::OnAfterExpand(CTreeItem*, int)
{
    return true;
}

bool CVornaGridCtrl::OnBeforeCollapse(CTreeItem*)
{
    return true;
}

bool CVornaGridCtrl::OnAfterCollapse(CTreeItem*)
{
    return true;
}

bool CVornaGridCtrl::OnBeforeDelete(CTreeItem*, int)
{
    return true;
}

bool CVornaGridCtrl::OnBeforeExpandAll(CTreeItem*, int)
{
    return true;
}

bool CVornaGridCtrl::OnBeforeCollapseKey(CTreeItem*, int)
{
    return true;
}

bool CVornaGridCtrl::OnBeforeExpandKey(CTreeItem*, int)
{
    return true;
}

bool CVornaGridCtrl::OnReturnKey()
{
    return false;
}

bool CVornaGridCtrl::OnBeforeClick(GridHitTestInfo&)
{
    return true;
}

void CVornaGridCtrl::OnDragCancelled() {}

QPixmap CVornaGridCtrl::CreateDragImageEx(int row)
{
    if (row < 0 || row >= GetItemCount())
        return QPixmap();
    const QSize size(std::max(GetColumnWidth(0), 1), std::max(m_rowModel->rowHeight(), 1));
    QPixmap picture(size);
    picture.fill(palette().color(QPalette::Base));
    {
        QPainter dc(&picture);
        const int image = GetRowImage(row);
        if (image >= 0 && image < m_hRowImages.size())
            dc.drawPixmap(0, 0, m_hRowImages.at(image));
        dc.setFont(font());
        dc.setPen(palette().color(QPalette::Text));
        dc.drawText(QRect(m_cxIcon + 4, 0, size.width() - m_cxIcon - 4, size.height()),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, GetItemText(row, 0));
    }
    // White is left out, so the list shows through.
    picture.setMask(picture.createMaskFromColor(Qt::white, Qt::MaskInColor));
    return picture;
}

// ---- expanding and collapsing by the mouse ----

bool CVornaGridCtrl::toggleByButton(CTreeItem* item, int row)
{
    bool changed = false;
    int shown = row;
    if (!IsCollapsed(item)) {
        if (OnBeforeCollapse(item)) {
            Collapse(item);
            OnAfterCollapse(item);
            shown = GetCurIndex(item);
            changed = true;
        }
    } else if (OnBeforeExpand(item, row)) {
        shown = Expand(item, row);
        OnAfterExpand(item, row);
        changed = true;
    }
    if (changed) {
        InvalidateRow(row);
        EnsureVisible(shown, true);
    }
    return changed;
}

bool CVornaGridCtrl::HitTestTreeButton(int x, int y, GridHitTestInfo& hit)
{
    hit = SubItemHitTest(QPoint(x, y));
    if (hit.iItem < 0)
        return true;
    const int row = hit.iItem;
    CTreeItem* item = GetTreeItem(row);
    if (m_bCheckBoxes) {
        // The rows are drawn by the grid: the check box is the place between
        // the picture area's left edge and the text.
        bool onCheckBox = false;
        if (hit.flags == LVHT_ONITEM) {
            const platform::Rect icon = GetItemRect(row, LVIR_ICON);
            const platform::Rect label = GetItemRect(row, LVIR_LABEL);
            onCheckBox = x > icon.left && x < label.left;
        } else {
            onCheckBox = hit.flags & LVHT_ONITEMSTATEICON;
        }
        if (onCheckBox) {
            SetCheck(row, !GetCheck(row));
            if (CItemInfo* info = GetData(item))
                info->SetCheck(info->GetCheck() ? 0 : 1);
        }
    }
    if (item && ItemHasChildren(item)) {
        const platform::Rect button =
            treegrid::ExpandButtonRect(GetItemRect(row, LVIR_BOUNDS), GetIndent(item), metrics());
        if (button.contains(x, y) && toggleByButton(item, row))
            return false;
    }
    return true;
}

// ---- the mouse ----

void CVornaGridCtrl::OnLButtonDown(unsigned flags, QPoint point)
{
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    GridHitTestInfo hit = SubItemHitTest(point);
    if (!OnBeforeClick(hit))
        return;
    if (!HitTestTreeButton(point.x(), point.y(), hit) || hit.iItem < 0)
        return;
    m_nCurColumn = GetColumnOrder(hit.iSubItem);
    ScrollColumnIntoView(OrderToIndex(m_nCurColumn));
    DefaultLButtonDown(flags, hit);
}

void CVornaGridCtrl::DefaultLButtonDown(unsigned flags, const GridHitTestInfo& hit)
{
    // The list selects at once, then waits to see whether the press becomes a
    // drag (the mouse moves away with the button held) or a click (the button
    // is let go): only a click goes on to the cell.
    SelectByClick(hit.iItem, flags & MK_CONTROL, flags & MK_SHIFT);
    m_pendingClick = std::make_unique<PendingClick>();
    m_pendingClick->flags = flags;
    m_pendingClick->point = hit.pt;
    m_pendingClick->hit = hit;
}

void CVornaGridCtrl::OnLButtonUp(unsigned flags, QPoint point)
{
    Q_UNUSED(flags);
    Q_UNUSED(point);
    if (!m_bDragging) {
        std::unique_ptr<PendingClick> click = std::move(m_pendingClick);
        if (!click)
            return;
        OnClick(click->hit.iItem, click->point);
        OnCellClick(click->flags, click->point, click->hit);
        InvalidateRow(click->hit.iItem);
        return;
    }
    // The drop.
    platform::killTimer(this, kDragTimer);
    const int dropRow = m_nDropRow;
    const int dragRow = m_nDragRow;
    endDrag();
    if (dropRow == -1 || dropRow == dragRow || dragRow == -1)
        return;
    CTreeItem* dropItem = GetTreeItem(dropRow);
    CTreeItem* dragItem = GetTreeItem(dragRow);
    if (CanMoveItem(dropItem, dragItem))
        MoveDraggedItem(dropItem, dragItem);
}

void CVornaGridCtrl::MoveDraggedItem(CTreeItem* dropItem, CTreeItem* dragItem)
{
    WaitCursor wait;
    MoveItem(dropItem, dragItem);
    const int dropRow = GetItemIndex(dropItem);
    if (dropRow >= 0)
        SetItemState(dropRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_nDragRow = -1;
    RemoveTreeItem(dragItem);
    viewport()->update();
}

void CVornaGridCtrl::OnMouseMove(unsigned flags, QPoint point)
{
    if (!m_bDragging)
        return;
    platform::killTimer(this, kDragTimer);
    const unsigned buttons = flags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
    if (!HasCapture() || buttons == MK_RBUTTON || buttons == MK_MBUTTON || m_bEscapeDown) {
        endDrag();
        return;
    }
    moveDragImage(point);
    m_nDropRow = SubItemHitTest(point).iItem;
    const int lit = GetNextItem(-1, LVIS_DROPHILITED);
    if (lit >= 0 && lit != m_nDropRow)
        SetItemState(lit, 0, LVIS_DROPHILITED);
    if (m_nDropRow < 0)
        return;
    SetItemState(m_nDropRow, LVIS_DROPHILITED, LVIS_DROPHILITED);
    const CTreeItem* item = GetTreeItem(m_nDropRow);
    const bool inBand = treegrid::DragBandAt(point.y(), viewport()->height(), m_cyIcon) != treegrid::DragBand::None;
    if (inBand || (item && ItemHasChildren(item) && IsCollapsed(item)))
        platform::setTimer(this, kDragTimer, kDragTimerMs);
}

void CVornaGridCtrl::OnLButtonDblClk(unsigned flags, QPoint point)
{
    const GridHitTestInfo hit = SubItemHitTest(point);
    if (hit.iItem >= 0)
        SelectByClick(hit.iItem, flags & MK_CONTROL, flags & MK_SHIFT);
    OnDblclk(point);
}

void CVornaGridCtrl::OnDblclk(QPoint point)
{
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    GridHitTestInfo hit = SubItemHitTest(point);
    if (!OnBeforeClick(hit))
        return;
    if (!HitTestTreeButton(point.x(), point.y(), hit) || hit.iItem < 0)
        return;
    const int row = GetSelectedRow();
    CTreeItem* item = GetTreeItem(row);
    if (row >= 0 && item && ItemHasChildren(item))
        toggleByButton(item, row);
}

void CVornaGridCtrl::OnRButtonDown(unsigned flags, QPoint point)
{
    Q_UNUSED(flags);
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    const GridHitTestInfo hit = SubItemHitTest(point);
    if (hit.iItem >= 0 && !GetItemState(hit.iItem, LVIS_SELECTED))
        SelectOnly(hit.iItem);
}

void CVornaGridCtrl::OnClick(int row, QPoint point)
{
    Q_UNUSED(row);
    Q_UNUSED(point);
}

// ---- dragging a row ----

void CVornaGridCtrl::OnBegindrag(int row, QPoint point)
{
    m_nDragRow = row;
    const QPixmap picture = CreateDragImageEx(row);
    if (picture.isNull())
        return;
    delete m_dragImage;
    m_dragImage = new QLabel(viewport());
    m_dragImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_dragImage->setPixmap(picture);
    m_dragImage->resize(picture.size());
    moveDragImage(point);
    m_dragImage->show();
    m_bEscapeDown = false;
    SetCapture();
    m_bDragging = true;
}

void CVornaGridCtrl::moveDragImage(QPoint point)
{
    if (m_dragImage)
        m_dragImage->move(point);
}

void CVornaGridCtrl::showDragImage(bool show)
{
    if (m_dragImage)
        m_dragImage->setVisible(show);
}

void CVornaGridCtrl::endDrag()
{
    // Every way a drag ends leaves the grid idle: a drag that was given up
    // must not move anything at the next button release.
    platform::killTimer(this, kDragTimer);
    if (m_nDropRow >= 0)
        SetItemState(m_nDropRow, 0, LVIS_DROPHILITED);
    for (int lit = GetNextItem(-1, LVIS_DROPHILITED); lit >= 0; lit = GetNextItem(lit, LVIS_DROPHILITED))
        SetItemState(lit, 0, LVIS_DROPHILITED);
    delete m_dragImage;
    ReleaseCapture();
    m_bDragging = false;
    m_bEscapeDown = false;
    viewport()->update();
}

void CVornaGridCtrl::OnTimer(int id)
{
    if (id != kDragTimer)
        return;
    if (!m_bDragging || !HasCapture()) {
        if (m_bDragging) {
            endDrag();
            OnDragCancelled();
        }
        platform::killTimer(this, kDragTimer);
        return;
    }
    platform::setTimer(this, kDragTimer, kDragTimerMs);
    const QPoint point = m_lastMouse;
    const treegrid::DragBand band = treegrid::DragBandAt(point.y(), viewport()->height(), m_cyIcon);
    if (band != treegrid::DragBand::None) {
        const int top = GetTopIndex();
        showDragImage(false);
        verticalScrollBar()->triggerAction(band == treegrid::DragBand::Top ? QAbstractSlider::SliderSingleStepSub
                                                                           : QAbstractSlider::SliderSingleStepAdd);
        showDragImage(true);
        if (GetTopIndex() != top) {
            moveDragImage(point);
            return;
        }
        platform::killTimer(this, kDragTimer);
    }
    // Resting over a collapsed item opens it.
    moveDragImage(point);
    m_nDropRow = SubItemHitTest(point).iItem;
    CTreeItem* item = GetTreeItem(m_nDropRow);
    if (item && ItemHasChildren(item) && IsCollapsed(item) && m_nDragRow != -1) {
        showDragImage(false);
        CTreeItem* dragged = GetTreeItem(m_nDragRow);
        int shown = m_nDropRow;
        if (OnBeforeExpand(item, m_nDropRow)) {
            shown = Expand(item, m_nDropRow);
            OnAfterExpand(item, m_nDropRow);
        }
        m_nDragRow = GetItemIndex(dragged);
        EnsureVisible(shown, true);
        viewport()->update();
        showDragImage(true);
    }
    platform::killTimer(this, kDragTimer);
}

// ---- the keys ----

bool CVornaGridCtrl::PreTranslateMessage(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const bool left = event->key() == Qt::Key_Left;
        m_nCurColumn += left ? -1 : 1;
        if (left && m_nCurColumn < 0) {
            m_nCurColumn = 0;
            return true;
        }
        if (!left && m_nCurColumn > GetColumnCount() - 1) {
            m_nCurColumn = std::max(GetColumnCount() - 1, 0);
            return true;
        }
        ScrollColumnIntoView(OrderToIndex(m_nCurColumn));
        InvalidateRow(GetSelectedRow());
        return true;
    }
    case Qt::Key_Up:
        ScrollRowIntoView(SelectRowAbove());
        return true;
    case Qt::Key_Down:
        ScrollRowIntoView(SelectRowBelow());
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return OnEnterKey();
    default:
        return false;
    }
}

void CVornaGridCtrl::OnKeyDown(QKeyEvent* event)
{
    DefaultKeyDown(event);
}

void CVornaGridCtrl::DefaultKeyDown(QKeyEvent* event)
{
    OnKeydown(event);
    // The list's own keys: the check box and the selection moves.
    const int row = GetSelectedRow();
    switch (event->key()) {
    case Qt::Key_Space:
        if (m_bCheckBoxes && row >= 0)
            SetCheck(row, !GetCheck(row));
        break;
    case Qt::Key_Home:
        SelectOnly(0);
        EnsureVisible(0, false);
        break;
    case Qt::Key_End:
        SelectOnly(GetItemCount() - 1);
        EnsureVisible(GetItemCount() - 1, false);
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const int page = std::max(1, viewport()->height() / std::max(1, m_rowModel->rowHeight()) - 1);
        const int from = std::max(row, 0);
        const int to =
            event->key() == Qt::Key_PageUp ? std::max(from - page, 0) : std::min(from + page, GetItemCount() - 1);
        SelectOnly(to);
        EnsureVisible(to, false);
        break;
    }
    default:
        if (!(event->modifiers() & Qt::KeypadModifier) && event->key() != Qt::Key_Delete) {
            event->ignore();
            return;
        }
        break;
    }
    event->accept();
}

void CVornaGridCtrl::OnKeydown(QKeyEvent* event)
{
    const int row = GetSelectedRow();
    if (row < 0)
        return;
    CTreeItem* item = GetTreeItem(row);
    if (event->key() == Qt::Key_Space) {
        if (m_bCheckBoxes) {
            if (CItemInfo* info = GetData(item))
                info->SetCheck(info->GetCheck() ? 0 : 1);
        }
    } else if (event->key() == Qt::Key_Delete) {
        if (item && OnBeforeDelete(item, row))
            DeleteTreeItem(item, row);
    } else if (onKeypad(event, Qt::Key_Asterisk)) {
        WaitCursor wait;
        int last = 0;
        if (OnBeforeExpandAll(item, row))
            ExpandAll(item, last);
        viewport()->update();
        EnsureVisible(last, true);
    } else if (onKeypad(event, Qt::Key_Plus)) {
        WaitCursor wait;
        int last = 0;
        if (OnBeforeExpandKey(item, row))
            last = Expand(item, row);
        InvalidateRow(row);
        EnsureVisible(last, true);
    } else if (onKeypad(event, Qt::Key_Minus)) {
        WaitCursor wait;
        if (OnBeforeCollapseKey(item, row))
            Collapse(item);
        InvalidateRow(row);
    }
}

// ---- Qt's events ----

void CVornaGridCtrl::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    m_lastMouse = point;
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(mouseFlags(event), point);
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(mouseFlags(event), point);
    event->accept();
}

void CVornaGridCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    m_lastMouse = point;
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(mouseFlags(event), point);
    event->accept();
}

void CVornaGridCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    m_lastMouse = point;
    if (m_pendingClick && !m_bDragging) {
        // Pressed on a row and not let go yet: a drag begins once the mouse
        // has gone far enough; until then the moves are the list's.
        if (!(event->buttons() & Qt::LeftButton)) {
            m_pendingClick.reset();
        } else if ((point - m_pendingClick->point).manhattanLength() >= QApplication::startDragDistance()) {
            const std::unique_ptr<PendingClick> press = std::move(m_pendingClick);
            OnBegindrag(press->hit.iItem, press->point);
            return;
        } else {
            return;
        }
    }
    OnMouseMove(mouseFlags(event), point);
    event->accept();
}

void CVornaGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    m_lastMouse = point;
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(mouseFlags(event), point);
    event->accept();
}

void CVornaGridCtrl::keyPressEvent(QKeyEvent* event)
{
    if (m_bDragging && event->key() == Qt::Key_Escape) {
        m_bEscapeDown = true;
        endDrag();
        OnDragCancelled();
        event->accept();
        return;
    }
    if (PreTranslateMessage(event)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape ||
        event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        // The window around the grid takes these (its default button, Cancel, the next control).
        event->ignore();
        return;
    }
    event->accept();
    OnKeyDown(event);
}
