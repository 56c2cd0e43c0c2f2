#include "source/VornaSourceTextView.h"

#include "source/SourceTextRenderer.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

// The source view's colours, fonts and painting: the view walks the rows of
// the damaged area and colours each line; SourceTextRenderer paints it.

// ---------------------------------------------------------------------------
// Colours and fonts

platform::ColorRef VornaSourceTextView::GetColorByIndex(int colorIndex)
{
    switch (colorIndex) {
    case COLORINDEX_WHITESPACE:
    case COLORINDEX_BKGND:
    case COLORINDEX_SELMARGIN:
        return platform::fromQColor(palette().color(QPalette::Base));
    case COLORINDEX_NORMALTEXT:
        return platform::fromQColor(palette().color(QPalette::Text));
    case COLORINDEX_SELBKGND:
        return platform::rgb(0, 0, 0);
    case COLORINDEX_SELTEXT:
        return platform::rgb(255, 255, 255);
    case COLORINDEX_TAG:
        return platform::rgb(0, 0, 255);
    case COLORINDEX_ATTRIBUTE:
        return platform::rgb(255, 0, 0);
    case COLORINDEX_VALUE:
        return platform::rgb(255, 0, 255);
    case COLORINDEX_COMMENT:
        return platform::rgb(0, 128, 0);
    case 10:
    case 11:
        return platform::rgb(128, 128, 128);
    case 12:
        return platform::rgb(255, 204, 204);
    case 13:
        return platform::rgb(128, 0, 0);
    case 14:
        return platform::rgb(0, 0, 0);
    case 16:
        return platform::rgb(0, 128, 192);
    default:
        return platform::rgb(255, 0, 0);
    }
}

void VornaSourceTextView::GetLineColorOverride(int, platform::ColorRef& background, platform::ColorRef& text,
                                               bool& paintWhitespace)
{
    background = ColorNone;
    text = ColorNone;
    paintWhitespace = false;
}

bool VornaSourceTextView::IsItalicColor(int)
{
    return false;
}

bool VornaSourceTextView::IsBoldColor(int)
{
    return false;
}

QFont VornaSourceTextView::GetTextFont(bool italic, bool bold)
{
    const size_t index = (italic ? 2 : 0) + (bold ? 1 : 0);
    if (!m_apFonts[index]) {
        auto font = std::make_unique<QFont>(m_lfBaseFont);
        font->setWeight(bold ? QFont::Bold : QFont::Normal);
        font->setItalic(italic);
        m_apFonts[index] = std::move(font);
    }
    return *m_apFonts[index];
}
// ---------------------------------------------------------------------------
// Painting

LineState VornaSourceTextView::ParseLineColors(LineState, int, ColorRun*, int& count)
{
    count = 0;
    return 0;
}

LineState VornaSourceTextView::GetLineStateBefore(int line)
{
    if (line < 0)
        return 0;
    const int count = GetLineCount();
    if (m_pdwParseCookies.empty())
        m_pdwParseCookies.assign(static_cast<size_t>(count), UnknownLineState);
    line = std::min(line, static_cast<int>(m_pdwParseCookies.size()) - 1);
    if (line < 0)
        return 0;
    if (m_pdwParseCookies[static_cast<size_t>(line)] != UnknownLineState)
        return m_pdwParseCookies[static_cast<size_t>(line)];
    int known = line;
    while (known >= 0 && m_pdwParseCookies[static_cast<size_t>(known)] == UnknownLineState)
        --known;
    LineState state = known >= 0 ? m_pdwParseCookies[static_cast<size_t>(known)] : 0;
    for (int i = known + 1; i <= line; ++i) {
        int runs = 0;
        state = ParseLineColors(state, i, nullptr, runs);
        m_pdwParseCookies[static_cast<size_t>(i)] = state;
    }
    return state;
}

void VornaSourceTextView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect client = viewport()->rect();
    const QRect paint = event->rect();
    OrderSelection();
    const int lineHeight = GetLineHeight();
    const int margin = GetMarginWidth();
    const int count = GetLineCount();
    const int firstRow = std::max(0, paint.top() / lineHeight);
    int y = firstRow * lineHeight;
    int line = m_nTopLine + firstRow;
    while (y <= paint.bottom()) {
        const QRect marginRect(0, y, margin, lineHeight);
        const QRect textRect(margin, y, std::max(0, client.width() - margin), lineHeight);
        const int shown = line < count ? line : -1;
        if (paint.left() < margin)
            PaintMargin(painter, marginRect, shown);
        if (paint.right() >= margin)
            PaintLine(painter, textRect, shown);
        ++line;
        y += lineHeight;
    }
    PaintOverlay(painter);
    if (m_bCaretShown && m_bCaretBlinkOn && paint.intersects(m_rcCaret)) {
        // An inverting caret stays visible on the selection too.
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.fillRect(m_rcCaret, Qt::white);
    }
}

void VornaSourceTextView::PaintOverlay(QPainter&) {}

void VornaSourceTextView::PaintMargin(QPainter& painter, const QRect& rect, int line)
{
    if (!m_bSelMargin) {
        painter.fillRect(rect, platform::toQColor(GetColorByIndex(COLORINDEX_BKGND)));
        return;
    }
    m_renderer->PaintMarginMarks(painter, rect, line);
}

void VornaSourceTextView::PaintLine(QPainter& painter, const QRect& rect, int line)
{
    if (line < 0) {
        painter.fillRect(rect, platform::toQColor(GetColorByIndex(COLORINDEX_WHITESPACE)));
        return;
    }
    const int length = GetLineLength(line);
    if (length == 0) {
        m_renderer->PaintEmptyRow(painter, rect, line);
        return;
    }
    const LineState before = GetLineStateBefore(line - 1);
    // The colouring makes at most one run per byte.
    m_aRunBuffer.resize(static_cast<size_t>(length + 1));
    int runCount = 0;
    const LineState after = ParseLineColors(before, line, m_aRunBuffer.data(), runCount);
    if (line < static_cast<int>(m_pdwParseCookies.size()))
        m_pdwParseCookies[static_cast<size_t>(line)] = after;
    m_renderer->PaintRow(painter, rect, line, m_aRunBuffer.data(), std::clamp(runCount, 0, length + 1));
}
