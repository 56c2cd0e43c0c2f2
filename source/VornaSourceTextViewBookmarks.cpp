#include "source/VornaSourceTextView.h"

#include "res/resource.h"
#include "source/SourceChars.h"
#include "source/VornaSourceTextBuffer.h"

#include <algorithm>

// Bookmarks (plain and numbered) and the status bar's indicators.

void VornaSourceTextView::GoToLine(int line)
{
    const QPoint point(0, line);
    SetCaretPosition(point);
    SetSelection(point, point);
    SetAnchor(point);
    ScrollCaretIntoView(point);
}

void VornaSourceTextView::OnToggleBookmark()
{
    if (!m_pTextBuffer)
        return;
    const int line = m_ptCursorPos.y();
    const bool marked = m_pTextBuffer->GetLineFlags(line) & VornaSourceTextBuffer::LineFlagBookmark;
    m_pTextBuffer->SetLineFlag(line, VornaSourceTextBuffer::LineFlagBookmark, !marked, false);
    m_bBookmarkExist = m_pTextBuffer->GetLineWithFlag(VornaSourceTextBuffer::LineFlagBookmark) >= 0;
}

void VornaSourceTextView::OnNextBookmark()
{
    if (!m_pTextBuffer)
        return;
    const int line = m_pTextBuffer->FindNextMarkedLine(m_ptCursorPos.y());
    if (line >= 0)
        GoToLine(line);
}

void VornaSourceTextView::OnPrevBookmark()
{
    if (!m_pTextBuffer)
        return;
    const int line = m_pTextBuffer->FindPrevMarkedLine(m_ptCursorPos.y());
    if (line >= 0)
        GoToLine(line);
}

void VornaSourceTextView::OnClearAllBookmarks()
{
    if (!m_pTextBuffer)
        return;
    const int count = m_pTextBuffer->GetLineCount();
    for (int line = 0; line < count; ++line)
        if (m_pTextBuffer->GetLineFlags(line) & VornaSourceTextBuffer::LineFlagBookmark)
            m_pTextBuffer->SetLineFlag(line, VornaSourceTextBuffer::LineFlagBookmark, false, true);
    m_bBookmarkExist = false;
}

void VornaSourceTextView::OnToggleNumberedBookmark(int id)
{
    if (!m_pTextBuffer)
        return;
    const uint32_t flag = 1u << (id - ID_EDIT_TOGGLE_BOOKMARK0);
    const int line = m_ptCursorPos.y();
    const bool marked = m_pTextBuffer->GetLineFlags(line) & flag;
    m_pTextBuffer->SetLineFlag(line, flag, !marked, true);
}

void VornaSourceTextView::OnGoNumberedBookmark(int id)
{
    if (!m_pTextBuffer)
        return;
    const int line = m_pTextBuffer->GetLineWithFlag(1u << (id - ID_EDIT_GO_BOOKMARK0));
    if (line >= 0)
        GoToLine(line);
}

void VornaSourceTextView::OnClearNumberedBookmarks()
{
    if (!m_pTextBuffer)
        return;
    for (int n = 0; n <= 9; ++n) {
        const uint32_t flag = 1u << n;
        const int line = m_pTextBuffer->GetLineWithFlag(flag);
        if (line >= 0)
            m_pTextBuffer->SetLineFlag(line, flag, false, true);
    }
}

QString VornaSourceTextView::GetPositionIndicatorText()
{
    // The column counts a wide character as two and anything else (a tab
    // too) as one, as the page's Japanese encoding counts its bytes.
    const std::string_view text = GetLine(m_ptCursorPos.y());
    const int end = std::min(m_ptCursorPos.x(), static_cast<int>(text.size()));
    int column = 0;
    for (int i = 0; i < end;) {
        const bool tab = text[static_cast<size_t>(i)] == '\t';
        column += tab ? 1 : SourceChars::CharColumns(text, i);
        i += tab ? 1 : std::max(1, SourceChars::CharLengthAt(text, i));
    }
    return QStringLiteral("Ln %1, Col %2").arg(m_ptCursorPos.y() + 1).arg(column + 1);
}

QString VornaSourceTextView::GetLineEndingIndicatorText()
{
    if (!m_pTextBuffer)
        return QString();
    switch (m_pTextBuffer->GetLineEndingMode()) {
    case VornaSourceTextBuffer::CrLf:
        return QStringLiteral("DOS");
    case VornaSourceTextBuffer::Lf:
        return QStringLiteral("UNIX");
    case VornaSourceTextBuffer::LfCr:
        return QStringLiteral("MAC");
    default:
        return QString();
    }
}
