#include "source/VornaSourceTextView.h"

#include "platform/WindowTimer.h"
#include "source/SourceCaretMotion.h"
#include "source/VornaSourceTextBuffer.h"

#include <QApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QMimeData>
#include <QMouseEvent>

#include <algorithm>

// Selecting with the mouse: characters, words (a double click or Ctrl) and
// lines (the margin), scrolling while the mouse is outside the view, and
// dragging the selection away.

void VornaSourceTextView::StartDragSelection(bool words, bool lines)
{
    platform::setTimer(this, AutoScrollTimer, AutoScrollInterval);
    m_bWordSelection = words;
    m_bLineSelection = lines;
    m_bDragSelection = true;
}

void VornaSourceTextView::StopDragSelection()
{
    platform::killTimer(this, AutoScrollTimer);
    m_bDragSelection = false;
}

void VornaSourceTextView::LineSelectionTo(QPoint point, QPoint& start, QPoint& end, QPoint& caret)
{
    const int last = GetLineCount() - 1;
    auto lineAfter = [&](int line) { return line >= last ? QPoint(GetLineLength(last), last) : QPoint(0, line + 1); };
    const int line = PointToTextPos(point).y();
    caret = QPoint(0, line);
    if (line < m_ptAnchor.y()) {
        start = QPoint(0, line);
        end = lineAfter(m_ptAnchor.y());
    } else {
        start = QPoint(0, m_ptAnchor.y());
        end = lineAfter(line);
    }
}

void VornaSourceTextView::WordSelectionTo(QPoint pos, QPoint& start, QPoint& end, QPoint& caret)
{
    if (SourcePointBefore(pos, m_ptAnchor)) {
        start = WordStartFrom(pos);
        end = WordEndFrom(m_ptAnchor);
        caret = start;
    } else {
        start = WordStartFrom(m_ptAnchor);
        end = WordEndFrom(pos);
        caret = end;
    }
}

void VornaSourceTextView::OnLButtonDown(Qt::KeyboardModifiers modifiers, QPoint point)
{
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    m_ptLastMouse = point;
    m_ptMouseDown = point;
    if (point.x() < GetMarginWidth()) {
        if (ctrl) {
            SelectAllText();
        } else {
            m_ptCursorPos = QPoint(0, PointToTextPos(point).y());
            if (!shift)
                m_ptAnchor = m_ptCursorPos;
            const int last = GetLineCount() - 1;
            const QPoint start(0, m_ptCursorPos.y());
            const QPoint end =
                m_ptAnchor.y() >= last ? QPoint(GetLineLength(last), last) : QPoint(0, m_ptAnchor.y() + 1);
            m_nIdealCharPos = ColumnOfChar(m_ptCursorPos.y(), m_ptCursorPos.x());
            UpdateCaret();
            ScrollCaretIntoView(m_ptCursorPos);
            SetSelection(start, end);
            StartDragSelection(false, true);
        }
    } else {
        OrderSelection();
        if (IsInSelection(PointToTextPos(point))) {
            m_bPreparingToDrag = true;
        } else {
            m_ptCursorPos = ClickToTextPos(point);
            if (!shift)
                m_ptAnchor = m_ptCursorPos;
            QPoint start = m_ptAnchor;
            QPoint end = m_ptCursorPos;
            if (ctrl) {
                QPoint caret;
                WordSelectionTo(m_ptCursorPos, start, end, caret);
                m_ptCursorPos = caret;
            }
            m_nIdealCharPos = ColumnOfChar(m_ptCursorPos.y(), m_ptCursorPos.x());
            UpdateCaret();
            ScrollCaretIntoView(m_ptCursorPos);
            SetSelection(start, end);
            StartDragSelection(ctrl, false);
        }
    }
    if (hasFocus())
        QGuiApplication::inputMethod()->reset();
    ShowTextCaret();
}

void VornaSourceTextView::OnMouseMove(QPoint point)
{
    m_ptLastMouse = point;
    if (m_bDragSelection) {
        const bool onMargin = point.x() < GetMarginWidth();
        if (m_bLineSelection) {
            if (onMargin) {
                QPoint start;
                QPoint end;
                QPoint caret;
                LineSelectionTo(point, start, end, caret);
                m_ptCursorPos = caret;
                UpdateCaret();
                SetSelection(start, end);
                return;
            }
            viewport()->setCursor(Qt::IBeamCursor);
            m_bLineSelection = false;
            m_bWordSelection = false;
        }
        const QPoint pos = ClickToTextPos(point);
        QPoint start = m_ptAnchor;
        QPoint end = pos;
        QPoint caret = pos;
        if (m_bWordSelection)
            WordSelectionTo(pos, start, end, caret);
        m_ptCursorPos = caret;
        UpdateCaret();
        SetSelection(start, end);
        return;
    }
    if (m_bPreparingToDrag) {
        if ((point - m_ptMouseDown).manhattanLength() < QApplication::startDragDistance())
            return;
        m_bPreparingToDrag = false;
        std::unique_ptr<QMimeData> data = MakeDragData();
        if (!data)
            return;
        // A move within the view undoes as one step.
        SourceUndoGroup group(m_pTextBuffer, this);
        m_bDraggingText = true;
        const int effect = DoDragDrop(std::move(data), GetAllowedDropEffects());
        if (effect != DROPEFFECT_NONE)
            OnDragSourceDone(effect);
        m_bDraggingText = false;
    }
}

void VornaSourceTextView::OnLButtonUp(QPoint point)
{
    m_ptLastMouse = point;
    if (m_bDragSelection) {
        QPoint start = m_ptAnchor;
        QPoint end = m_ptCursorPos;
        QPoint caret = m_ptCursorPos;
        if (m_bLineSelection) {
            LineSelectionTo(point, start, end, caret);
            // Dragged downwards, the caret ends below the selected lines.
            if (!SourcePointBefore(caret, QPoint(0, m_ptAnchor.y())))
                caret = end;
        } else if (m_bWordSelection) {
            WordSelectionTo(ClickToTextPos(point), start, end, caret);
        }
        m_ptCursorPos = caret;
        m_nIdealCharPos = ColumnOfChar(caret.y(), caret.x());
        ScrollCaretIntoView(m_ptCursorPos);
        UpdateCaret();
        SetSelection(start, end);
        StopDragSelection();
    }
    if (m_bPreparingToDrag) {
        m_bPreparingToDrag = false;
        const QPoint pos = ClickToTextPos(point);
        m_ptCursorPos = pos;
        m_nIdealCharPos = ColumnOfChar(pos.y(), pos.x());
        ScrollCaretIntoView(pos);
        UpdateCaret();
        SetSelection(pos, pos);
    }
}

void VornaSourceTextView::OnLButtonDblClk(QPoint point)
{
    m_ptLastMouse = point;
    if (m_bDragSelection)
        return;
    m_ptCursorPos = ClickToTextPos(point);
    m_ptAnchor = m_ptCursorPos;
    const QPoint start = WordStartFrom(m_ptAnchor);
    const QPoint end = WordEndFrom(m_ptCursorPos);
    m_ptCursorPos = end;
    m_nIdealCharPos = ColumnOfChar(end.y(), end.x());
    UpdateCaret();
    ScrollCaretIntoView(m_ptCursorPos);
    SetSelection(start, end);
    StartDragSelection(true, false);
}

void VornaSourceTextView::OnRButtonDown(QPoint point)
{
    const QPoint pos = ClickToTextPos(point);
    OrderSelection();
    if (IsInSelection(pos))
        return;
    m_ptCursorPos = pos;
    m_ptAnchor = pos;
    m_nIdealCharPos = ColumnOfChar(pos.y(), pos.x());
    SetSelection(pos, pos);
    ScrollCaretIntoView(pos);
    UpdateCaret();
}

void VornaSourceTextView::OnTimer(int id)
{
    if (id != AutoScrollTimer)
        return;
    const QPoint point = m_ptLastMouse;
    const QRect client = viewport()->rect();
    const int lineHeight = GetLineHeight();
    bool scrolled = false;

    int top = m_nTopLine;
    if (point.y() < client.top()) {
        top -= point.y() < client.top() - lineHeight ? 3 : 1;
    } else if (point.y() > client.bottom()) {
        top += point.y() > client.bottom() + lineHeight - 1 ? 3 : 1;
    }
    top = std::max(0, std::min(top, GetLineCount() - 1));
    if (top != m_nTopLine) {
        ScrollToLine(top, true);
        SyncSiblingPanes(true);
        scrolled = true;
    }

    int first = m_nOffsetChar;
    if (point.x() < client.left())
        --first;
    else if (point.x() > client.right())
        ++first;
    first = std::max(0, std::min(first, GetMaxLineColumns() - 1));
    if (first != m_nOffsetChar) {
        ScrollToColumn(first, true);
        UpdateCaret();
        SyncSiblingPanes(false);
        scrolled = true;
    }

    if (scrolled) {
        const QPoint pos = ClickToTextPos(point);
        if (pos != m_ptCursorPos) {
            m_ptCursorPos = pos;
            UpdateCaret();
        }
        SetSelection(m_ptAnchor, m_ptCursorPos);
    }
}

Qt::CursorShape VornaSourceTextView::CursorShapeAt(QPoint point)
{
    if (point.x() < GetMarginWidth())
        return Qt::ArrowCursor;
    OrderSelection();
    return IsInSelection(PointToTextPos(point)) ? Qt::ArrowCursor : Qt::IBeamCursor;
}

void VornaSourceTextView::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(event->modifiers(), point);
    else if (event->button() == Qt::RightButton)
        OnRButtonDown(point);
    event->accept();
}
void VornaSourceTextView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    OnMouseMove(point);
    if (!m_bDragSelection && !(event->buttons() & Qt::LeftButton)) {
        const Qt::CursorShape shape = CursorShapeAt(point);
        if (viewport()->cursor().shape() != shape)
            viewport()->setCursor(shape);
    }
    event->accept();
}
void VornaSourceTextView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonUp(event->position().toPoint());
    event->accept();
}
void VornaSourceTextView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(event->position().toPoint());
    event->accept();
}
