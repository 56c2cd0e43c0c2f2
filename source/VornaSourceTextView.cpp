#include "source/VornaSourceTextView.h"

#include "platform/WindowMessage.h"
#include "source/CUpdateContext.h"
#include "source/SourceCaretMotion.h"
#include "source/SourceChars.h"
#include "source/SourceTextRenderer.h"
#include "source/SourceTextSearch.h"
#include "source/VornaSourceTextBuffer.h"

#include <QClipboard>
#include <QDrag>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMimeData>
#include <QScrollBar>
#include <QSplitter>
#include <QStyleHints>
#include <QTimerEvent>

#include <algorithm>

// The view's work is split by concern: this file holds its state, buffer,
// clipboard, caret and selection; the commands and keys, painting, caret
// movement, mouse selection, scrolling, bookmarks and indicators, and
// printing each have a file of their own (VornaSourceTextView<Concern>.cpp).

VornaSourceTextView::VornaSourceTextView(QWidget* parent)
    : QAbstractScrollArea(parent), m_renderer(std::make_unique<SourceTextRenderer>(*this))
{
    m_lfBaseFont.setFamilies(
        {QStringLiteral("IPAGothic"), QStringLiteral("DejaVu Sans Mono"), QStringLiteral("monospace")});
    m_lfBaseFont.setStyleHint(QFont::TypeWriter);
    m_lfBaseFont.setPixelSize(14);
    setFont(m_lfBaseFont);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::IBeamCursor);

    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollBarAction(Qt::Vertical, action); });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { OnScrollBarAction(Qt::Horizontal, action); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_bSettingScrollBars)
            ScrollToLine(std::clamp(value, 0, std::max(0, GetLineCount() - 1)), false);
    });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (m_bSettingScrollBars)
            return;
        ScrollToColumn(std::clamp(value, 0, std::max(0, GetMaxLineColumns() - 1)), false);
        UpdateCaret();
    });

    RegisterCommands();
    ResetState();
}

VornaSourceTextView::~VornaSourceTextView()
{
    DetachBuffer();
}

// ---------------------------------------------------------------------------
// Buffer attachment and state

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
    UpdateVertScrollBar(false);
    UpdateHorzScrollBar(false);
    viewport()->update();
}

void VornaSourceTextView::DetachBuffer()
{
    if (!m_pTextBuffer)
        return;
    m_pTextBuffer->DetachView(this);
    m_pTextBuffer = nullptr;
    ResetState();
}

void VornaSourceTextView::ResetFonts()
{
    for (auto& font : m_apFonts)
        font.reset();
    m_renderer->ResetFonts();
}

void VornaSourceTextView::ResetState()
{
    m_nTopLine = 0;
    m_nOffsetChar = 0;
    m_nLineHeight = -1;
    m_nCharWidth = -1;
    m_nMaxLineLength = -1;
    m_nScreenLines = -1;
    m_nScreenChars = -1;
    m_nIdealCharPos = -1;
    m_nTabSize = 4;
    m_ptAnchor = QPoint(0, 0);
    ResetFonts();
    m_pdwParseCookies.clear();
    m_pnActualLineLength.clear();
    m_ptCursorPos = QPoint(0, 0);
    m_ptSelStart = QPoint(0, 0);
    m_ptSelEnd = QPoint(0, 0);
    m_ptDrawSelStart = QPoint(0, 0);
    m_ptDrawSelEnd = QPoint(0, 0);
    if (m_bDragSelection)
        StopDragSelection();
    m_bHorzScrollBarLocked = false;
    UpdateCaret();
    m_bShowInactiveSelection = false;
    m_bPrintHeader = false;
    m_bPrintFooter = true;
    m_bBookmarkExist = false;
}

void VornaSourceTextView::OnInitialUpdate()
{
    AttachBuffer(nullptr);
    // A later pane of a splitter starts where the first pane stands.
    auto* splitter = qobject_cast<QSplitter*>(parentWidget());
    if (!splitter || splitter->indexOf(this) <= 0)
        return;
    auto* first = qobject_cast<VornaSourceTextView*>(splitter->widget(0));
    if (!first || first == this)
        return;
    if (splitter->orientation() == Qt::Vertical)
        ScrollToColumn(first->GetFirstColumn(), true);
    else
        ScrollToLine(first->GetTopLine(), true);
}
// ---------------------------------------------------------------------------
// Buffer access

int VornaSourceTextView::GetLineCount()
{
    return m_pTextBuffer ? m_pTextBuffer->GetLineCount() : 1;
}

int VornaSourceTextView::GetLineLength(int line)
{
    return m_pTextBuffer ? m_pTextBuffer->GetLineLength(line) : 0;
}

int VornaSourceTextView::GetLineColumns(int line)
{
    const int count = GetLineCount();
    if (line < 0 || line >= count)
        return 0;
    if (m_pnActualLineLength.empty())
        m_pnActualLineLength.assign(static_cast<size_t>(count), -1);
    if (line >= static_cast<int>(m_pnActualLineLength.size()))
        return SourceChars::LineColumns(GetLine(line), m_nTabSize);
    int& width = m_pnActualLineLength[static_cast<size_t>(line)];
    if (width < 0)
        width = SourceChars::LineColumns(GetLine(line), m_nTabSize);
    return width;
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
// ---------------------------------------------------------------------------
// Clipboard and drag data

bool VornaSourceTextView::IsClipboardTextAvailable()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

bool VornaSourceTextView::CopyTextToClipboard(const std::string& text)
{
    if (text.empty())
        return false;
    QString plain = QString::fromStdString(text);
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

std::unique_ptr<QMimeData> VornaSourceTextView::MakeDragData()
{
    OrderSelection();
    if (m_ptDrawSelStart == m_ptDrawSelEnd)
        return nullptr;
    std::string text;
    GetTextRange(m_ptDrawSelStart, m_ptDrawSelEnd, text);
    QString plain = QString::fromStdString(text);
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    auto data = std::make_unique<QMimeData>();
    data->setText(plain);
    m_ptDraggedTextBegin = m_ptDrawSelStart;
    m_ptDraggedTextEnd = m_ptDrawSelEnd;
    return data;
}

bool VornaSourceTextView::OnDragSourceDone(int)
{
    return false;
}

int VornaSourceTextView::DoDragDrop(std::unique_ptr<QMimeData> data, int allowedEffects)
{
    Qt::DropActions actions;
    if (allowedEffects & DROPEFFECT_COPY)
        actions |= Qt::CopyAction;
    if (allowedEffects & DROPEFFECT_MOVE)
        actions |= Qt::MoveAction;
    QDrag drag(this);
    drag.setMimeData(data.release());
    const Qt::DropAction result =
        drag.exec(actions, (allowedEffects & DROPEFFECT_MOVE) ? Qt::MoveAction : Qt::CopyAction);
    if (result == Qt::MoveAction)
        return DROPEFFECT_MOVE;
    if (result == Qt::CopyAction)
        return DROPEFFECT_COPY;
    return DROPEFFECT_NONE;
}

void VornaSourceTextView::SetDraggedText(bool dragging, QPoint begin, QPoint end)
{
    m_bDraggingText = dragging;
    m_ptDraggedTextBegin = begin;
    m_ptDraggedTextEnd = end;
}
// ---------------------------------------------------------------------------
// Cell grid
void VornaSourceTextView::MeasureCharCell()
{
    const QFontMetrics metrics(GetTextFont(false, false));
    m_nLineHeight = std::max(1, metrics.height());
    m_nCharWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('X')));
}

int VornaSourceTextView::GetLineHeight()
{
    if (m_nLineHeight < 0)
        MeasureCharCell();
    return m_nLineHeight;
}

int VornaSourceTextView::GetCharWidth()
{
    if (m_nCharWidth < 0)
        MeasureCharCell();
    return m_nCharWidth;
}

int VornaSourceTextView::GetVisibleLines()
{
    if (m_nScreenLines < 0)
        m_nScreenLines = viewport()->height() / GetLineHeight();
    return m_nScreenLines;
}

int VornaSourceTextView::GetVisibleColumns()
{
    if (m_nScreenChars < 0)
        m_nScreenChars = std::max(0, viewport()->width() - GetMarginWidth()) / GetCharWidth();
    return m_nScreenChars;
}

int VornaSourceTextView::GetMaxLineColumns()
{
    if (m_nMaxLineLength < 0) {
        m_nMaxLineLength = 0;
        const int count = GetLineCount();
        for (int line = 0; line < count; ++line)
            m_nMaxLineLength = std::max(m_nMaxLineLength, GetLineColumns(line));
    }
    return m_nMaxLineLength;
}
// ---------------------------------------------------------------------------
// Caret and selection

void VornaSourceTextView::GetSelection(QPoint& start, QPoint& end)
{
    OrderSelection();
    start = m_ptDrawSelStart;
    end = m_ptDrawSelEnd;
}

void VornaSourceTextView::OrderSelection()
{
    if (SourcePointBefore(m_ptSelEnd, m_ptSelStart)) {
        m_ptDrawSelStart = m_ptSelEnd;
        m_ptDrawSelEnd = m_ptSelStart;
    } else {
        m_ptDrawSelStart = m_ptSelStart;
        m_ptDrawSelEnd = m_ptSelEnd;
    }
}

bool VornaSourceTextView::IsInSelection(QPoint pos) const
{
    const QPoint start = m_ptDrawSelStart;
    const QPoint end = m_ptDrawSelEnd;
    if (pos.y() < start.y() || pos.y() > end.y())
        return false;
    if (start.y() == end.y())
        return start.x() <= pos.x() && pos.x() < end.x();
    if (pos.y() == start.y())
        return pos.x() >= start.x();
    if (pos.y() == end.y())
        return pos.x() < end.x();
    return true;
}

void VornaSourceTextView::SetCaretPosition(QPoint pos)
{
    m_ptCursorPos = pos;
    m_nIdealCharPos = ColumnOfChar(pos.y(), pos.x());
    UpdateCaret();
}

void VornaSourceTextView::SetSelection(QPoint start, QPoint end)
{
    if (start != m_ptSelStart) {
        InvalidateLineRange(start.y(), end.y());
        InvalidateLineRange(m_ptSelStart.y(), m_ptSelEnd.y());
    } else if (end != m_ptSelEnd) {
        InvalidateLineRange(end.y(), m_ptSelEnd.y());
    }
    m_ptSelStart = start;
    m_ptSelEnd = end;
}

bool VornaSourceTextView::IsPointSelected(QPoint pos)
{
    OrderSelection();
    return IsInSelection(pos);
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
    bool show = false;
    QRect rect;
    if (m_bFocused && !m_bCursorHidden && ColumnOfChar(m_ptCursorPos.y(), m_ptCursorPos.x()) >= m_nOffsetChar) {
        rect = QRect(TextPosToPoint(m_ptCursorPos), QSize(2, GetLineHeight()));
        show = true;
    }
    if (show == m_bCaretShown && rect == m_rcCaret)
        return;
    if (m_bCaretShown)
        viewport()->update(m_rcCaret);
    m_bCaretShown = show;
    m_rcCaret = rect;
    if (show)
        viewport()->update(rect);
    RestartCaretBlink();
}

void VornaSourceTextView::RestartCaretBlink()
{
    m_bCaretBlinkOn = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (m_bCaretShown && flash > 0)
        m_caretBlink.start(flash / 2, this);
    else
        m_caretBlink.stop();
}

void VornaSourceTextView::InvalidateLineRange(int first, int last)
{
    const int lineHeight = GetLineHeight();
    const QRect client = viewport()->rect();
    if (last == -1) {
        const int top = std::max(client.top(), (first - m_nTopLine) * lineHeight);
        if (top <= client.bottom())
            viewport()->update(QRect(0, top, client.width(), client.bottom() + 1 - top));
        return;
    }
    if (last < first)
        std::swap(first, last);
    const int top = std::max(client.top(), (first - m_nTopLine) * lineHeight);
    const int bottom = std::min(client.bottom() + 1, (last - m_nTopLine + 1) * lineHeight);
    if (bottom > top)
        viewport()->update(QRect(0, top, client.width(), bottom - top));
}

void VornaSourceTextView::SetShowInactiveSelection(bool show)
{
    m_bShowInactiveSelection = show;
    if (HasSelection())
        InvalidateLineRange(m_ptSelStart.y(), m_ptSelEnd.y());
}
// ---------------------------------------------------------------------------
// Buffer notifications

void VornaSourceTextView::OnBufferChanged(SourceBufferView*, CUpdateContext* context, uint32_t flags, int line)
{
    if (flags & VornaSourceTextBuffer::ViewUpdateReset) {
        ResetState();
        UpdateVertScrollBar(false);
        UpdateHorzScrollBar(false);
        viewport()->update();
        return;
    }
    const int count = GetLineCount();
    if (flags & VornaSourceTextBuffer::ViewUpdateOneLine) {
        if (line >= 0) {
            if (line < static_cast<int>(m_pdwParseCookies.size()))
                std::fill(m_pdwParseCookies.begin() + line, m_pdwParseCookies.end(), UnknownLineState);
            if (line < static_cast<int>(m_pnActualLineLength.size()))
                m_pnActualLineLength[static_cast<size_t>(line)] = -1;
            InvalidateLineRange(line, -1);
        }
    } else {
        line = std::max(0, line);
        // Colouring states from the line down are unknown.
        if (!m_pdwParseCookies.empty()) {
            m_pdwParseCookies.resize(static_cast<size_t>(count), UnknownLineState);
            if (line < count)
                std::fill(m_pdwParseCookies.begin() + line, m_pdwParseCookies.end(), UnknownLineState);
        }
        // A line's width is its own: the widths below the changed lines move
        // with their lines.
        if (!m_pnActualLineLength.empty()) {
            const int delta = count - static_cast<int>(m_pnActualLineLength.size());
            std::vector<int> widths(static_cast<size_t>(std::max(0, count)), -1);
            for (int i = 0; i < count; ++i) {
                const int old = i < line ? i : (i > line + std::max(0, delta) ? i - delta : -1);
                if (old >= 0 && old < static_cast<int>(m_pnActualLineLength.size()))
                    widths[static_cast<size_t>(i)] = m_pnActualLineLength[static_cast<size_t>(old)];
            }
            m_pnActualLineLength = std::move(widths);
        }
        InvalidateLineRange(line, -1);
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
        if (top.y() != m_nTopLine) {
            m_nTopLine = top.y();
            viewport()->update();
        }
        UpdateCaret();
    }
    if (flags & VornaSourceTextBuffer::ViewUpdateHeight)
        UpdateVertScrollBar(false);
    if (flags & VornaSourceTextBuffer::ViewUpdateWidth) {
        m_nMaxLineLength = -1;
        if (!m_bHorzScrollBarLocked)
            UpdateHorzScrollBar(false);
    }
}

void VornaSourceTextView::OnEditAction(int, const std::string&) {}
// ---------------------------------------------------------------------------
// Text search

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
// ---------------------------------------------------------------------------
// Qt events

bool VornaSourceTextView::event(QEvent* event)
{
    if (event->type() == platform::WindowMessage::eventType()) {
        auto* message = static_cast<platform::WindowMessage*>(event);
        if (message->message() == platform::WM_TIMER) {
            OnTimer(static_cast<int>(message->wParam()));
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void VornaSourceTextView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    m_bFocused = true;
    if (HasSelection())
        InvalidateLineRange(m_ptSelStart.y(), m_ptSelEnd.y());
    UpdateCaret();
}

void VornaSourceTextView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    // A popup menu over the view does not take the caret and selection away.
    if (event->reason() == Qt::PopupFocusReason)
        return;
    m_bFocused = false;
    UpdateCaret();
    if (HasSelection())
        InvalidateLineRange(m_ptSelStart.y(), m_ptSelEnd.y());
    if (m_bDragSelection)
        StopDragSelection();
}

void VornaSourceTextView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        viewport()->update();
}

void VornaSourceTextView::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_caretBlink.timerId()) {
        m_bCaretBlinkOn = !m_bCaretBlinkOn;
        if (m_bCaretShown)
            viewport()->update(m_rcCaret);
        return;
    }
    QAbstractScrollArea::timerEvent(event);
}
