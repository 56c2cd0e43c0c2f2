#include "source/VornaSourceTextView.h"

#include <QScrollBar>
#include <QSplitter>
#include <QWheelEvent>

#include <algorithm>

// Scrolling by lines and columns, the scroll bars, the wheel, and the panes
// of a splitter that scroll together.

void VornaSourceTextView::ScrollViewport(int dx, int dy, const QRect& area)
{
    viewport()->scroll(dx, dy, area);
    // The caret's pixels moved with the text.
    if (m_bCaretShown && area.intersects(m_rcCaret))
        m_rcCaret.translate(dx, dy);
}

void VornaSourceTextView::ScrollToLine(int line, bool trackScrollBar)
{
    if (m_nTopLine == line)
        return;
    const int dy = (m_nTopLine - line) * GetLineHeight();
    m_nTopLine = line;
    ScrollViewport(0, dy, viewport()->rect());
    if (trackScrollBar)
        UpdateVertScrollBar(true);
}

void VornaSourceTextView::ScrollToColumn(int column, bool trackScrollBar)
{
    if (m_nOffsetChar == column)
        return;
    const int dx = (m_nOffsetChar - column) * GetCharWidth();
    m_nOffsetChar = column;
    QRect area = viewport()->rect();
    area.setLeft(GetMarginWidth());
    ScrollViewport(dx, 0, area);
    if (trackScrollBar)
        UpdateHorzScrollBar(true);
}

void VornaSourceTextView::UpdateVertScrollBar(bool positionOnly)
{
    QScrollBar* bar = verticalScrollBar();
    m_bSettingScrollBars = true;
    if (!positionOnly) {
        const int visible = GetVisibleLines();
        const int count = GetLineCount();
        if (visible >= count && m_nTopLine > 0) {
            m_nTopLine = 0;
            viewport()->update();
            UpdateCaret();
        }
        bar->setSingleStep(1);
        bar->setPageStep(std::max(1, visible));
        bar->setRange(0, std::max({0, count - visible, m_nTopLine}));
        // Disabled rather than hidden while every line fits.
        bar->setEnabled(count > visible);
    } else if (m_nTopLine > bar->maximum()) {
        bar->setMaximum(m_nTopLine);
    }
    bar->setValue(m_nTopLine);
    m_bSettingScrollBars = false;
}

void VornaSourceTextView::UpdateHorzScrollBar(bool positionOnly)
{
    QScrollBar* bar = horizontalScrollBar();
    m_bSettingScrollBars = true;
    if (!positionOnly) {
        const int visible = GetVisibleColumns();
        const int widest = GetMaxLineColumns();
        if (visible >= widest && m_nOffsetChar > 0) {
            m_nOffsetChar = 0;
            viewport()->update();
            UpdateCaret();
        }
        bar->setSingleStep(1);
        bar->setPageStep(std::max(1, visible));
        bar->setRange(0, std::max({0, widest - visible, m_nOffsetChar}));
        bar->setEnabled(widest > visible);
    } else if (m_nOffsetChar > bar->maximum()) {
        bar->setMaximum(m_nOffsetChar);
    }
    bar->setValue(m_nOffsetChar);
    m_bSettingScrollBars = false;
}

void VornaSourceTextView::OnScrollBarAction(Qt::Orientation orientation, int action)
{
    // A page moves by one less than the visible lines or columns, so that one
    // line stays in view.
    QScrollBar* bar = orientation == Qt::Vertical ? verticalScrollBar() : horizontalScrollBar();
    const int page = bar->pageStep();
    if (action == QAbstractSlider::SliderPageStepAdd)
        bar->setSliderPosition(bar->value() + std::max(1, page - 1));
    else if (action == QAbstractSlider::SliderPageStepSub)
        bar->setSliderPosition(bar->value() - std::max(1, page - 1));
}

void VornaSourceTextView::ScrollCaretIntoView(QPoint pos)
{
    const int visibleLines = GetVisibleLines();
    int top = m_nTopLine;
    if (pos.y() >= m_nTopLine + visibleLines)
        top = pos.y() - visibleLines + 1;
    else if (pos.y() < m_nTopLine)
        top = pos.y();
    top = std::max(0, std::min(top, GetLineCount() - 1));
    if (top != m_nTopLine) {
        ScrollToLine(top, true);
        SyncSiblingPanes(true);
    }

    const int column = ColumnOfChar(pos.y(), pos.x());
    const int visibleColumns = GetVisibleColumns();
    int first = m_nOffsetChar;
    if (column > m_nOffsetChar + visibleColumns)
        first = column - visibleColumns;
    else if (column < m_nOffsetChar)
        first = column;
    first = std::max(0, std::min(first, GetMaxLineColumns() - 1));
    if (first != m_nOffsetChar) {
        ScrollToColumn(first, true);
        UpdateCaret();
        SyncSiblingPanes(false);
    }
}

void VornaSourceTextView::SyncSiblingPanes(bool vertical)
{
    auto* splitter = qobject_cast<QSplitter*>(parentWidget());
    if (!splitter)
        return;
    // Panes side by side form a row and share the top line; panes above one
    // another form a column and share the first column.
    const bool row = splitter->orientation() == Qt::Horizontal;
    if (row != vertical)
        return;
    for (int i = 0; i < splitter->count(); ++i) {
        auto* pane = qobject_cast<VornaSourceTextView*>(splitter->widget(i));
        if (pane && pane != this)
            pane->OnSiblingScrolled(this, vertical);
    }
}

void VornaSourceTextView::OnSiblingScrolled(VornaSourceTextView* source, bool vertical)
{
    if (!source || source == this)
        return;
    if (vertical) {
        if (source->GetTopLine() == m_nTopLine)
            return;
        ScrollToLine(source->GetTopLine(), true);
    } else {
        if (source->GetFirstColumn() == m_nOffsetChar)
            return;
        ScrollToColumn(source->GetFirstColumn(), true);
    }
    UpdateCaret();
}

void VornaSourceTextView::scrollContentsBy(int, int)
{
    // Scrolling is done by ScrollToLine and ScrollToColumn.
}

void VornaSourceTextView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    m_nScreenLines = -1;
    m_nScreenChars = -1;
    UpdateVertScrollBar(false);
    UpdateHorzScrollBar(false);
}

void VornaSourceTextView::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // One notch of 120 moves three lines.
    const int top = std::max(0, std::min(m_nTopLine - delta / 40, GetLineCount() - 1));
    if (top != m_nTopLine)
        ScrollToLine(top, false);
    UpdateVertScrollBar(true);
    event->accept();
}
