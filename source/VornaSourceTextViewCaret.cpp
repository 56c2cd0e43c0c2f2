#include "source/VornaSourceTextView.h"

#include "source/SourceCaretMotion.h"
#include "source/SourceChars.h"

#include <algorithm>

// Columns, text positions and caret movement. Where the caret goes is worked
// out by the functions of SourceCaretMotion.h over the buffer's lines; the
// view moves it there, scrolls it into view and extends the selection.

// ---------------------------------------------------------------------------
// Columns and text positions

int VornaSourceTextView::ColumnOfChar(int line, int pos)
{
    return SourceChars::ColumnOfChar(GetLine(line), pos, m_nTabSize);
}

int VornaSourceTextView::CharOfColumn(int line, int column)
{
    return SourceCharOfColumn(GetLine(line), column, m_nTabSize);
}

bool VornaSourceTextView::IsDoubleByteAt(QPoint pos)
{
    return SourceChars::IsMultiByteAt(GetLine(pos.y()), pos.x());
}

int VornaSourceTextView::CharLengthAt(QPoint pos)
{
    return SourceChars::CharLengthAt(GetLine(pos.y()), pos.x());
}

int VornaSourceTextView::CharLengthBefore(QPoint pos)
{
    return SourceChars::CharLengthBefore(GetLine(pos.y()), pos.x());
}

QPoint VornaSourceTextView::TextPosToPoint(QPoint pos)
{
    return QPoint((ColumnOfChar(pos.y(), pos.x()) - m_nOffsetChar) * GetCharWidth() + GetMarginWidth(),
                  (pos.y() - m_nTopLine) * GetLineHeight());
}

QPoint VornaSourceTextView::PointToTextPos(QPoint point)
{
    const int line = std::clamp(m_nTopLine + point.y() / GetLineHeight(), 0, std::max(0, GetLineCount() - 1));
    const int column = std::max(0, m_nOffsetChar + (point.x() - GetMarginWidth()) / GetCharWidth());
    return QPoint(SourceChars::CharOfColumn(GetLine(line), column, m_nTabSize), line);
}

QPoint VornaSourceTextView::ClickToTextPos(QPoint point)
{
    const int line = std::clamp(m_nTopLine + point.y() / GetLineHeight(), 0, std::max(0, GetLineCount() - 1));
    const int cw = GetCharWidth();
    const int x = std::max(0, m_nOffsetChar * cw + point.x() - GetMarginWidth());
    return QPoint(SourceCharAtPixel(GetLine(line), x, cw, m_nTabSize), line);
}

// ---------------------------------------------------------------------------
// Caret movement

void VornaSourceTextView::FinishMove(bool extend, bool keepIdealColumn)
{
    if (!keepIdealColumn)
        m_nIdealCharPos = ColumnOfChar(m_ptCursorPos.y(), m_ptCursorPos.x());
    ScrollCaretIntoView(m_ptCursorPos);
    UpdateCaret();
    if (!extend)
        m_ptAnchor = m_ptCursorPos;
    SetSelection(m_ptAnchor, m_ptCursorPos);
}

bool VornaSourceTextView::CollapseSelection(bool extend, bool toStart)
{
    OrderSelection();
    if (extend || m_ptDrawSelStart == m_ptDrawSelEnd)
        return false;
    m_ptCursorPos = toStart ? m_ptDrawSelStart : m_ptDrawSelEnd;
    FinishMove(extend);
    return true;
}

void VornaSourceTextView::MoveCharLeft(bool extend)
{
    if (CollapseSelection(extend, true))
        return;
    m_ptCursorPos = SourceCharLeft(SourceLines(m_pTextBuffer), m_ptCursorPos);
    FinishMove(extend);
}

void VornaSourceTextView::MoveCharRight(bool extend)
{
    if (CollapseSelection(extend, false))
        return;
    m_ptCursorPos = SourceCharRight(SourceLines(m_pTextBuffer), m_ptCursorPos);
    FinishMove(extend);
}

void VornaSourceTextView::MoveWordLeft(bool extend)
{
    if (CollapseSelection(extend, true))
        return;
    const std::optional<QPoint> to = SourceWordLeft(SourceLines(m_pTextBuffer), m_ptCursorPos);
    if (!to)
        return;
    m_ptCursorPos = *to;
    FinishMove(extend);
}

void VornaSourceTextView::MoveWordRight(bool extend)
{
    if (CollapseSelection(extend, false))
        return;
    const std::optional<QPoint> to = SourceWordRight(SourceLines(m_pTextBuffer), m_ptCursorPos);
    if (!to)
        return;
    m_ptCursorPos = *to;
    FinishMove(extend);
}

void VornaSourceTextView::MoveLineUp(bool extend)
{
    OrderSelection();
    if (!extend && m_ptDrawSelStart != m_ptDrawSelEnd)
        m_ptCursorPos = m_ptDrawSelStart;
    if (m_ptCursorPos.y() > 0) {
        if (m_nIdealCharPos == -1)
            m_nIdealCharPos = ColumnOfChar(m_ptCursorPos.y(), m_ptCursorPos.x());
        const int line = m_ptCursorPos.y() - 1;
        m_ptCursorPos = QPoint(std::min(CharOfColumn(line, m_nIdealCharPos), GetLineLength(line)), line);
    }
    FinishMove(extend, true);
}

void VornaSourceTextView::MoveLineDown(bool extend)
{
    OrderSelection();
    if (!extend && m_ptDrawSelStart != m_ptDrawSelEnd)
        m_ptCursorPos = m_ptDrawSelEnd;
    if (m_ptCursorPos.y() < GetLineCount() - 1) {
        if (m_nIdealCharPos == -1)
            m_nIdealCharPos = ColumnOfChar(m_ptCursorPos.y(), m_ptCursorPos.x());
        const int line = m_ptCursorPos.y() + 1;
        m_ptCursorPos = QPoint(std::min(CharOfColumn(line, m_nIdealCharPos), GetLineLength(line)), line);
    }
    FinishMove(extend, true);
}

void VornaSourceTextView::MoveLineHome(bool extend)
{
    m_ptCursorPos.setX(SourceSmartHome(GetLine(m_ptCursorPos.y()), m_ptCursorPos.x()));
    FinishMove(extend);
}

void VornaSourceTextView::MoveLineEnd(bool extend)
{
    m_ptCursorPos.setX(GetLineLength(m_ptCursorPos.y()));
    FinishMove(extend);
}

void VornaSourceTextView::MovePageUp(bool extend)
{
    // A page is the visible lines less one; at least one line, however small the view.
    const int step = std::max(1, GetVisibleLines() - 1);
    const int top = std::max(0, m_nTopLine - step);
    if (top != m_nTopLine) {
        ScrollToLine(top, true);
        SyncSiblingPanes(true);
    }
    const int line = std::max(0, m_ptCursorPos.y() - step);
    m_ptCursorPos = QPoint(SourceCharBoundaryAtOrBefore(GetLine(line), m_ptCursorPos.x()), line);
    FinishMove(extend);
}

void VornaSourceTextView::MovePageDown(bool extend)
{
    const int step = std::max(1, GetVisibleLines() - 1);
    const int top = std::min(std::max(0, GetLineCount() - 1), m_nTopLine + step);
    if (top != m_nTopLine) {
        ScrollToLine(top, true);
        SyncSiblingPanes(true);
    }
    const int line = std::min(GetLineCount() - 1, m_ptCursorPos.y() + step);
    m_ptCursorPos = QPoint(SourceCharBoundaryAtOrBefore(GetLine(line), m_ptCursorPos.x()), line);
    FinishMove(extend);
}

void VornaSourceTextView::MoveTextStart(bool extend)
{
    m_ptCursorPos = QPoint(0, 0);
    FinishMove(extend);
}

void VornaSourceTextView::MoveTextEnd(bool extend)
{
    const int last = GetLineCount() - 1;
    m_ptCursorPos = QPoint(GetLineLength(last), last);
    FinishMove(extend);
}

void VornaSourceTextView::ScrollLineUp()
{
    if (m_nTopLine > 0) {
        ScrollToLine(m_nTopLine - 1, true);
        SyncSiblingPanes(true);
    }
}

void VornaSourceTextView::ScrollLineDown()
{
    if (m_nTopLine < GetLineCount() - 1) {
        ScrollToLine(m_nTopLine + 1, true);
        SyncSiblingPanes(true);
    }
}

void VornaSourceTextView::SelectAllText()
{
    const int last = GetLineCount() - 1;
    m_ptCursorPos = QPoint(GetLineLength(last), last);
    SetSelection(QPoint(0, 0), m_ptCursorPos);
    UpdateCaret();
}

void VornaSourceTextView::CopySelection()
{
    if (m_ptSelStart == m_ptSelEnd)
        return;
    OrderSelection();
    std::string text;
    GetTextRange(m_ptDrawSelStart, m_ptDrawSelEnd, text);
    CopyTextToClipboard(text);
}

QPoint VornaSourceTextView::WordStartFrom(QPoint pos)
{
    return QPoint(SourceWordStart(GetLine(pos.y()), pos.x()), pos.y());
}

QPoint VornaSourceTextView::WordEndFrom(QPoint pos)
{
    return QPoint(SourceWordEnd(GetLine(pos.y()), pos.x()), pos.y());
}
