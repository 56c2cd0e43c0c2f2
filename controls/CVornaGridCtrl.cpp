#include "controls/CVornaGridCtrl.h"

#include "platform/WindowMessage.h"
#include "platform/WindowTimer.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>

#include <algorithm>

CVornaGridCtrl::CVornaGridCtrl(QWidget* parent) : QTreeView(parent)
{
    m_rowModel = new TreeGridItemModel(this, this);
    SetRowObserver(m_rowModel);
    setModel(m_rowModel);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAutoScroll(false);
    setDragEnabled(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFocusPolicy(Qt::StrongFocus);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setHighlightSections(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Scrolling by the bars takes the focus, as the keys then act on the grid.
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        connect(bar, &QAbstractSlider::actionTriggered, this, [this] {
            if (!hasFocus())
                setFocus(Qt::OtherFocusReason);
        });
    }
    updateRowHeight();
}

CVornaGridCtrl::~CVornaGridCtrl()
{
    platform::killTimer(this, kDragTimer);
    if (HasCapture())
        ReleaseCapture();
    // The view outlives the rows by a moment: it must not read them then.
    SetRowObserver(nullptr);
    m_rowModel->detach();
}

void CVornaGridCtrl::updateRowHeight()
{
    const QFontMetrics metrics(font());
    m_rowModel->setRowHeight(metrics.height() + metrics.leading() + 4);
}

void CVornaGridCtrl::changeEvent(QEvent* event)
{
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        updateRowHeight();
}

// ---- columns ----

int CVornaGridCtrl::InsertColumn(int column, const QString& heading, int format, int width)
{
    const int at = m_rowModel->insertColumn(column, {heading, format});
    header()->resizeSection(at, std::max(width, 0));
    return at;
}

int CVornaGridCtrl::GetColumnCount() const
{
    return m_rowModel->columns();
}

int CVornaGridCtrl::GetColumnWidth(int column) const
{
    return column >= 0 && column < GetColumnCount() ? header()->sectionSize(column) : 0;
}

void CVornaGridCtrl::SetColumnWidth(int column, int width)
{
    if (column >= 0 && column < GetColumnCount())
        header()->resizeSection(column, std::max(width, 0));
}

int CVornaGridCtrl::GetColumnFormat(int column) const
{
    const TreeGridItemModel::Column* c = m_rowModel->column(column);
    return c ? c->format : LVCFMT_LEFT;
}

int CVornaGridCtrl::GetColumnOrder(int column) const
{
    return column >= 0 && column < GetColumnCount() ? header()->visualIndex(column) : -1;
}

int CVornaGridCtrl::OrderToIndex(int order) const
{
    return order >= 0 && order < GetColumnCount() ? header()->logicalIndex(order) : -1;
}

// ---- pictures ----

void CVornaGridCtrl::SetImageList(const QList<QPixmap>& images)
{
    m_hRowImages = images;
    viewport()->update();
}

void CVornaGridCtrl::SetCheckBoxes(bool on)
{
    m_bCheckBoxes = on;
    viewport()->update();
}

treegrid::Metrics CVornaGridCtrl::metrics() const
{
    treegrid::Metrics m;
    m.cxIcon = m_cxIcon;
    m.cyIcon = m_cyIcon;
    m.stateImageWidth = m_bCheckBoxes ? style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) : 0;
    return m;
}

// ---- rows on the screen ----

platform::Rect CVornaGridCtrl::rowRect(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return platform::Rect();
    const int height = m_rowModel->rowHeight();
    int top = row * height - verticalOffset();
    const QRect shown = visualRect(m_rowModel->index(row, 0));
    if (shown.isValid())
        top = shown.top();
    const int left = -horizontalOffset();
    return platform::Rect(left, top, left + header()->length(), top + height);
}

int CVornaGridCtrl::columnLeft(int column) const
{
    return -horizontalOffset() + header()->sectionPosition(column);
}

platform::Rect CVornaGridCtrl::GetItemRect(int row, int code) const
{
    if (row < 0 || row >= GetItemCount())
        return platform::Rect();
    const platform::Rect bounds = rowRect(row);
    const int indent = GetRow(row).indent;
    switch (code) {
    case LVIR_ICON:
        return treegrid::IconRect(bounds, indent, metrics());
    case LVIR_LABEL:
        return treegrid::LabelRect(bounds, indent, metrics(), GetColumnWidth(0));
    default:
        return bounds;
    }
}

platform::Rect CVornaGridCtrl::GetSubItemRect(int row, int column) const
{
    const platform::Rect bounds = rowRect(row);
    if (column <= 0 || column >= GetColumnCount())
        return bounds;
    const int left = columnLeft(column);
    return platform::Rect(left, bounds.top, left + GetColumnWidth(column), bounds.bottom);
}

GridHitTestInfo CVornaGridCtrl::SubItemHitTest(QPoint point) const
{
    GridHitTestInfo hit;
    hit.pt = point;
    const int column = header()->logicalIndexAt(point.x());
    const QModelIndex index = indexAt(point);
    if (!index.isValid() || column < 0 || point.y() < 0 || point.y() >= viewport()->height()) {
        hit.flags = LVHT_NOWHERE;
        return hit;
    }
    hit.iItem = index.row();
    hit.iSubItem = column;
    hit.flags = LVHT_ONITEM;
    return hit;
}

bool CVornaGridCtrl::EnsureVisible(int row, bool partialOK)
{
    if (row < 0 || row >= GetItemCount())
        return false;
    const platform::Rect r = rowRect(row);
    const int height = viewport()->height();
    const bool whole = r.top >= 0 && r.bottom <= height;
    const bool part = r.top < height && r.bottom > 0;
    if (whole || (partialOK && part))
        return true;
    const int perPage = std::max(1, height / std::max(1, r.height()));
    if (r.top < 0)
        verticalScrollBar()->setValue(row);
    else
        verticalScrollBar()->setValue(row - perPage + 1);
    return true;
}

int CVornaGridCtrl::GetTopIndex() const
{
    return verticalScrollBar()->value();
}

void CVornaGridCtrl::InvalidateRow(int row)
{
    if (row < 0)
        return;
    viewport()->update(rowRect(row).toQRect());
}

void CVornaGridCtrl::ScrollColumnIntoView(int column)
{
    if (column < 0 || column >= GetColumnCount())
        return;
    // The column's left edge: the columns shown before it, from the row's left edge.
    int left = -horizontalOffset();
    for (int order = 0; order < GetColumnOrder(column); ++order)
        left += GetColumnWidth(OrderToIndex(order));
    if (left < 0 || left + GetColumnWidth(column) > viewport()->width()) {
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + left);
        viewport()->update();
    }
}

void CVornaGridCtrl::ScrollRowIntoView(int row)
{
    if (row < 0)
        return;
    const platform::Rect r = rowRect(row);
    const int height = std::max(1, m_rowModel->rowHeight());
    if (r.top < 0)
        verticalScrollBar()->setValue(verticalScrollBar()->value() - (-r.top + height - 1) / height);
    if (r.bottom > viewport()->height())
        verticalScrollBar()->setValue(verticalScrollBar()->value() +
                                      (r.bottom - viewport()->height() + height - 1) / height);
}

QString CVornaGridCtrl::FitTextToWidth(const QFontMetrics& metrics, const QString& text, int width, int margin)
{
    return treegrid::FitTextToWidth(metrics, text, width, margin);
}

// ---- capture and timer ----

bool CVornaGridCtrl::HasCapture() const
{
    return QWidget::mouseGrabber() == viewport();
}

void CVornaGridCtrl::SetCapture()
{
    viewport()->grabMouse();
}

void CVornaGridCtrl::ReleaseCapture()
{
    if (HasCapture())
        viewport()->releaseMouse();
}

bool CVornaGridCtrl::event(QEvent* event)
{
    if (event->type() == platform::WindowMessage::eventType()) {
        auto* message = static_cast<platform::WindowMessage*>(event);
        if (message->message() == platform::WM_TIMER) {
            OnTimer(int(message->wParam()));
            return true;
        }
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Keys the grid acts on are its own while it has the focus.
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Delete:
        case Qt::Key_Space:
        case Qt::Key_Asterisk:
        case Qt::Key_Plus:
        case Qt::Key_Minus:
            if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                event->accept();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QTreeView::event(event);
}
