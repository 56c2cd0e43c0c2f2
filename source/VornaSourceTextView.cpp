#include "source/VornaSourceTextView.h"

#include "source/CUpdateContext.h"
#include "source/SourceChars.h"
#include "source/SourceTextSearch.h"
#include "source/VornaSourceTextBuffer.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>

namespace {

bool sourcePointBefore(QPoint a, QPoint b)
{
    return a.y() < b.y() || (a.y() == b.y() && a.x() < b.x());
}

} // namespace

VornaSourceTextView::VornaSourceTextView(QWidget* parent) : QWidget(parent)
{
    QFont font(QStringLiteral("monospace"));
    font.setStyleHint(QFont::TypeWriter);
    setFont(font);
    setFocusPolicy(Qt::StrongFocus);
    ResetState();
}

VornaSourceTextView::~VornaSourceTextView()
{
    DetachBuffer();
}

void VornaSourceTextView::AttachBuffer(VornaSourceTextBuffer* buffer)
{
    if (m_pTextBuffer)
        m_pTextBuffer->DetachView(this);
    if (!buffer)
        buffer = FindTextBuffer();
    m_pTextBuffer = buffer;
    if (m_pTextBuffer)
        m_pTextBuffer->AttachView(this);
    ResetState();
}

void VornaSourceTextView::DetachBuffer()
{
    if (!m_pTextBuffer)
        return;
    m_pTextBuffer->DetachView(this);
    m_pTextBuffer = nullptr;
    ResetState();
}

void VornaSourceTextView::ResetState()
{
    m_nTopLine = 0;
    m_nFirstColumn = 0;
    m_nLineHeight = -1;
    m_nCharWidth = -1;
    m_nIdealCharPos = -1;
    m_nTabSize = 4;
    m_ptAnchor = QPoint(0, 0);
    m_ptCursorPos = QPoint(0, 0);
    m_ptSelStart = QPoint(0, 0);
    m_ptSelEnd = QPoint(0, 0);
    m_bHorzScrollBarLocked = false;
    m_bShowInactiveSelection = false;
    UpdateCaret();
}

void VornaSourceTextView::OnInitialUpdate()
{
    AttachBuffer(nullptr);
}

int VornaSourceTextView::GetLineCount()
{
    return m_pTextBuffer ? m_pTextBuffer->GetLineCount() : 1;
}

int VornaSourceTextView::GetLineLength(int line)
{
    return m_pTextBuffer ? m_pTextBuffer->GetLineLength(line) : 0;
}

const char* VornaSourceTextView::GetLineText(int line)
{
    return m_pTextBuffer ? m_pTextBuffer->GetLineText(line) : nullptr;
}

uint32_t VornaSourceTextView::GetLineFlags(int line)
{
    return m_pTextBuffer ? m_pTextBuffer->GetLineFlags(line) : 0;
}

std::string_view VornaSourceTextView::GetLine(int line)
{
    const char* text = GetLineText(line);
    return text ? std::string_view(text, static_cast<size_t>(GetLineLength(line))) : std::string_view();
}

void VornaSourceTextView::GetTextRange(QPoint start, QPoint end, std::string& text)
{
    text.clear();
    if (m_pTextBuffer)
        m_pTextBuffer->GetText(start.y(), start.x(), end.y(), end.x(), text);
}

bool VornaSourceTextView::IsClipboardTextAvailable()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

bool VornaSourceTextView::CopyTextToClipboard(const std::string& text)
{
    QString plain = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QGuiApplication::clipboard()->setText(plain);
    return true;
}

bool VornaSourceTextView::ReadTextFromClipboard(std::string& text)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return false;
    text = data->text().toStdString();
    return true;
}

bool VornaSourceTextView::OnDragSourceDone(int)
{
    return false;
}

LineState VornaSourceTextView::ParseLineColors(LineState, int, ColorRun*, int& count)
{
    count = 0;
    return 0;
}

void VornaSourceTextView::OnBufferChanged(SourceBufferView*, CUpdateContext* context, uint32_t flags, int)
{
    if (flags & VornaSourceTextBuffer::ViewUpdateReset) {
        ResetState();
        update();
        return;
    }
    if (context) {
        context->AdjustPoint(m_ptCursorPos);
        context->AdjustPoint(m_ptSelStart);
        context->AdjustPoint(m_ptSelEnd);
        context->AdjustPoint(m_ptAnchor);
        if (m_bDraggingText) {
            context->AdjustPoint(m_ptDraggedTextBegin);
            context->AdjustPoint(m_ptDraggedTextEnd);
        }
        QPoint top(0, m_nTopLine);
        context->AdjustPoint(top);
        m_nTopLine = top.y();
        UpdateCaret();
    }
    update();
}

void VornaSourceTextView::OnEditAction(int, const std::string&) {}

void VornaSourceTextView::GetSelection(QPoint& start, QPoint& end)
{
    if (sourcePointBefore(m_ptSelEnd, m_ptSelStart)) {
        start = m_ptSelEnd;
        end = m_ptSelStart;
    } else {
        start = m_ptSelStart;
        end = m_ptSelEnd;
    }
}

void VornaSourceTextView::SetCaretPosition(QPoint pos)
{
    m_ptCursorPos = pos;
    m_nIdealCharPos = ColumnOfChar(pos.y(), pos.x());
    UpdateCaret();
}

void VornaSourceTextView::SetSelection(QPoint start, QPoint end)
{
    m_ptSelStart = start;
    m_ptSelEnd = end;
    update();
}

bool VornaSourceTextView::IsPointSelected(QPoint pos)
{
    QPoint start;
    QPoint end;
    GetSelection(start, end);
    if (start == end)
        return false;
    return !sourcePointBefore(pos, start) && sourcePointBefore(pos, end);
}

void VornaSourceTextView::HideTextCaret()
{
    m_bCursorHidden = true;
    UpdateCaret();
}

void VornaSourceTextView::ShowTextCaret()
{
    m_bCursorHidden = false;
    UpdateCaret();
}

void VornaSourceTextView::UpdateCaret()
{
    update();
}

void VornaSourceTextView::ScrollCaretIntoView(QPoint pos)
{
    const int visibleLines = std::max(1, height() / std::max(1, GetLineHeight()));
    int top = m_nTopLine;
    if (pos.y() >= top + visibleLines)
        top = pos.y() - visibleLines + 1;
    else if (pos.y() < top)
        top = pos.y();
    m_nTopLine = std::clamp(top, 0, std::max(0, GetLineCount() - 1));
    update();
}

int VornaSourceTextView::ColumnOfChar(int line, int pos)
{
    return SourceChars::ColumnOfChar(GetLine(line), pos, m_nTabSize);
}

int VornaSourceTextView::CharOfColumn(int line, int column)
{
    return SourceChars::CharOfColumn(GetLine(line), column, m_nTabSize);
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

int VornaSourceTextView::GetLineHeight()
{
    if (m_nLineHeight < 0)
        m_nLineHeight = std::max(1, QFontMetrics(font()).height());
    return m_nLineHeight;
}

int VornaSourceTextView::GetCharWidth()
{
    if (m_nCharWidth < 0)
        m_nCharWidth = std::max(1, QFontMetrics(font()).horizontalAdvance(QLatin1Char('X')));
    return m_nCharWidth;
}

QPoint VornaSourceTextView::TextPosToPoint(QPoint pos)
{
    return QPoint((ColumnOfChar(pos.y(), pos.x()) - m_nFirstColumn) * GetCharWidth() + GetMarginWidth(),
                  (pos.y() - m_nTopLine) * GetLineHeight());
}

QPoint VornaSourceTextView::PointToTextPos(QPoint point)
{
    const int line = std::clamp(m_nTopLine + point.y() / GetLineHeight(), 0, std::max(0, GetLineCount() - 1));
    const int column = std::max(0, m_nFirstColumn + (point.x() - GetMarginWidth()) / GetCharWidth());
    return QPoint(CharOfColumn(line, column), line);
}

void VornaSourceTextView::UpdateHorzScrollBar(bool)
{
    update();
}

void VornaSourceTextView::SetShowInactiveSelection(bool show)
{
    m_bShowInactiveSelection = show;
    update();
}

void VornaSourceTextView::SetDraggedText(bool dragging, QPoint begin, QPoint end)
{
    m_bDraggingText = dragging;
    m_ptDraggedTextBegin = begin;
    m_ptDraggedTextEnd = end;
}

bool VornaSourceTextView::FindInText(const std::string& what, QPoint start, uint32_t flags, bool wrap, QPoint& found)
{
    return m_pTextBuffer && FindSourceTextInText(*m_pTextBuffer, what, start, flags, wrap, found);
}

bool VornaSourceTextView::FindInRange(const std::string& what, QPoint start, QPoint blockStart, QPoint blockEnd,
                                      uint32_t flags, bool wrap, QPoint& found)
{
    return m_pTextBuffer && FindSourceText(*m_pTextBuffer, what, start, blockStart, blockEnd, flags, wrap, found);
}

bool VornaSourceTextView::SelectFoundText(QPoint start, int length)
{
    const QPoint caret(start.x() + length, start.y());
    m_ptCursorPos = caret;
    m_ptAnchor = caret;
    SetSelection(start, caret);
    UpdateCaret();
    ScrollCaretIntoView(caret);
    return true;
}

void VornaSourceTextView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_bFocused = true;
    UpdateCaret();
}

void VornaSourceTextView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_bFocused = false;
    UpdateCaret();
}
