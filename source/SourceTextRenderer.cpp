#include "source/SourceTextRenderer.h"

#include "source/SourceChars.h"
#include "source/SourceGlyphCache.h"
#include "source/VornaSourceTextView.h"

#include <QGlyphRun>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>

namespace sourcerenderer_detail {

// The line flags that show a mark in the margin, in the order of their marks.
const uint32_t kMarginFlags[] = {0x10000, 0x20000, 0x40000, 0x2,   0x4, 0x8,     0x10,    0x20,
                                 0x40,    0x80,    0x100,   0x200, 0x1, 0x80000, 0x100000};

// Glyphs of one colour in one font, collected over a row and drawn at once.
struct GlyphGroup
{
    QRgb color;
    SourceGlyphCache* cache;
    int font;
    QList<quint32> glyphs;
    QList<QPointF> positions;
};

QColor colorOf(platform::ColorRef color)
{
    return platform::toQColor(color);
}

} // namespace sourcerenderer_detail

SourceTextRenderer::SourceTextRenderer(VornaSourceTextView& view) : m_view(view) {}

SourceTextRenderer::~SourceTextRenderer() = default;

void SourceTextRenderer::ResetFonts()
{
    for (auto& cache : m_glyphCaches)
        cache.reset();
}

// The glyphs of a colour's font (regular, italic, bold).
SourceGlyphCache& SourceTextRenderer::GlyphCache(bool italic, bool bold)
{
    const size_t index = (italic ? 2 : 0) + (bold ? 1 : 0);
    if (!m_glyphCaches[index])
        m_glyphCaches[index] = std::make_unique<SourceGlyphCache>(m_view.GetTextFont(italic, bold));
    return *m_glyphCaches[index];
}

void SourceTextRenderer::SelectedBytes(int line, int& from, int& to)
{
    from = INT_MAX;
    to = INT_MAX;
    QPoint start;
    QPoint end;
    m_view.GetSelection(start, end);
    if ((m_view.IsFocused() || m_view.GetShowInactiveSelection()) && start != end && line >= start.y() &&
        line <= end.y()) {
        from = line == start.y() ? start.x() : 0;
        to = line == end.y() ? end.x() : INT_MAX;
    }
}

void SourceTextRenderer::PaintEmptyRow(QPainter& painter, const QRect& rect, int line)
{
    using sourcerenderer_detail::colorOf;
    int from = 0;
    int to = 0;
    SelectedBytes(line, from, to);
    QRect rest = rect;
    if (0 >= from && 0 < to) {
        const int cw = m_view.GetCharWidth();
        painter.fillRect(QRect(rest.left(), rest.top(), cw, rest.height()),
                         colorOf(m_view.GetColorByIndex(COLORINDEX_SELBKGND)));
        rest.setLeft(rest.left() + cw);
    }
    if (rest.width() > 0)
        painter.fillRect(rest, colorOf(m_view.GetColorByIndex(COLORINDEX_WHITESPACE)));
}

void SourceTextRenderer::PaintRow(QPainter& painter, const QRect& rect, int line, const ColorRun* runs, int runCount)
{
    using sourcerenderer_detail::colorOf;
    using sourcerenderer_detail::GlyphGroup;
    const std::string_view text = m_view.GetLine(line);
    const int length = static_cast<int>(text.size());
    const int cw = m_view.GetCharWidth();
    const int tabSize = m_view.GetTabSize();
    const int origin = rect.left() - m_view.GetFirstColumn() * cw;
    const int right = rect.left() + rect.width();

    platform::ColorRef overrideBack = VornaSourceTextView::ColorNone;
    platform::ColorRef overrideText = VornaSourceTextView::ColorNone;
    bool paintWhitespace = false;
    m_view.GetLineColorOverride(line, overrideBack, overrideText, paintWhitespace);
    const QColor background = colorOf(
        overrideBack != VornaSourceTextView::ColorNone ? overrideBack : m_view.GetColorByIndex(COLORINDEX_BKGND));
    const QColor whitespace = colorOf(m_view.GetColorByIndex(COLORINDEX_WHITESPACE));
    const QColor selBack = colorOf(m_view.GetColorByIndex(COLORINDEX_SELBKGND));
    const QRgb selText = colorOf(m_view.GetColorByIndex(COLORINDEX_SELTEXT)).rgb();
    int selFrom = 0;
    int selTo = 0;
    SelectedBytes(line, selFrom, selTo);

    // 1. The glyphs of the visible characters, grouped by colour and font;
    //    every style sits on the regular font's baseline.
    const qreal baseline = rect.top() + std::round(GlyphCache(false, false).Ascent());
    SourceGlyphCache* glyphs = nullptr;
    const int firstVisible = std::max(0, (rect.left() - origin) / cw - 2);
    const int lastVisible = (right - origin + cw - 1) / cw;
    std::vector<GlyphGroup> groups;
    int selColumnFrom = -1;
    int selColumnTo = -1;
    int column = 0;
    int run = 0;
    int colorIndex = COLORINDEX_NORMALTEXT;
    int lastColorIndex = -1;
    QRgb color = 0;
    for (int i = 0; i < length && column < lastVisible;) {
        while (run < runCount && runs[run].pos <= i)
            colorIndex = runs[run++].color;
        const bool tab = text[static_cast<size_t>(i)] == '\t';
        const int bytes = tab ? 1 : std::max(1, SourceChars::CharLengthAt(text, i));
        const int width = tab ? tabSize - column % tabSize : SourceChars::CharColumns(text, i);
        const bool selected = i >= selFrom && i < selTo;
        if (selected) {
            if (selColumnFrom < 0)
                selColumnFrom = column;
            selColumnTo = column + width;
        }
        if (!tab && column + width > firstVisible) {
            int codePoint = SourceChars::CodePointAt(text, i);
            if (codePoint < 0)
                codePoint = 0xFFFD;
            if (codePoint >= 0x20 && codePoint != 0x7F) {
                if (colorIndex != lastColorIndex) {
                    lastColorIndex = colorIndex;
                    color = colorOf(overrideText != VornaSourceTextView::ColorNone ? overrideText
                                                                                   : m_view.GetColorByIndex(colorIndex))
                                .rgb();
                    glyphs = &GlyphCache(m_view.IsItalicColor(colorIndex), m_view.IsBoldColor(colorIndex));
                }
                const SourceGlyphCache::Glyph glyph = glyphs->GlyphOf(static_cast<char32_t>(codePoint));
                if (glyph.font >= 0) {
                    const QRgb use = selected ? selText : color;
                    GlyphGroup* group = nullptr;
                    for (GlyphGroup& g : groups)
                        if (g.color == use && g.cache == glyphs && g.font == glyph.font)
                            group = &g;
                    if (!group) {
                        groups.push_back(GlyphGroup{use, glyphs, glyph.font, {}, {}});
                        group = &groups.back();
                    }
                    group->glyphs.append(glyph.index);
                    group->positions.append(QPointF(origin + column * cw, baseline));
                }
            }
        }
        column += width;
        i += bytes;
    }

    // 2. Backgrounds: the text's cells, the selected cells, the selected line
    //    break, and what is left of the row.
    const int textEnd = origin + m_view.GetLineColumns(line) * cw;
    const int textLeft = std::max(rect.left(), origin);
    if (std::min(right, textEnd) > textLeft)
        painter.fillRect(QRect(textLeft, rect.top(), std::min(right, textEnd) - textLeft, rect.height()), background);
    if (selColumnFrom >= 0) {
        const int left = std::max(rect.left(), origin + selColumnFrom * cw);
        const int end = std::min(right, origin + selColumnTo * cw);
        if (end > left)
            painter.fillRect(QRect(left, rect.top(), end - left, rect.height()), selBack);
    }
    int rest = std::max(textEnd, rect.left());
    if (rest < right) {
        if (length >= selFrom && length < selTo) {
            painter.fillRect(QRect(rest, rect.top(), std::min(cw, right - rest), rect.height()), selBack);
            rest += cw;
        }
        if (rest < right)
            painter.fillRect(QRect(rest, rect.top(), right - rest, rect.height()), whitespace);
    }

    // 3. The glyphs over them.
    if (groups.empty())
        return;
    painter.save();
    painter.setClipRect(rect);
    for (const GlyphGroup& group : groups) {
        QGlyphRun glyphRun;
        glyphRun.setRawFont(group.cache->Font(group.font));
        glyphRun.setGlyphIndexes(group.glyphs);
        glyphRun.setPositions(group.positions);
        painter.setPen(QColor::fromRgb(group.color));
        painter.drawGlyphRun(QPointF(0, 0), glyphRun);
    }
    painter.restore();
}

void SourceTextRenderer::PaintMarginMarks(QPainter& painter, const QRect& rect, int line)
{
    using sourcerenderer_detail::kMarginFlags;
    painter.fillRect(rect, sourcerenderer_detail::colorOf(m_view.GetColorByIndex(COLORINDEX_SELMARGIN)));
    if (line < 0)
        return;
    const uint32_t flags = m_view.GetLineFlags(line);
    if (flags == 0)
        return;
    int image = -1;
    for (size_t i = 0; i < std::size(kMarginFlags); ++i) {
        if (flags & kMarginFlags[i]) {
            image = static_cast<int>(i);
            break;
        }
    }
    if (image < 0)
        return;
    // Marks are drawn in code: the plain bookmark as a bar, a numbered one as
    // its digit in a box, any other mark as a grey bar.
    const QRect mark = rect.adjusted(1, 2, -1, -2);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (image == 13) {
        painter.fillRect(mark, QColor(0, 96, 192));
    } else if (image >= 3 && image <= 12) {
        const int digit = image == 12 ? 0 : image - 2;
        painter.fillRect(mark, QColor(255, 224, 96));
        painter.setPen(QColor(0, 0, 0));
        QFont digitFont = m_view.GetTextFont(false, true);
        digitFont.setPixelSize(std::max(6, std::min(mark.height(), 10)));
        painter.setFont(digitFont);
        painter.drawText(mark, Qt::AlignCenter, QString::number(digit));
    } else {
        painter.fillRect(mark, QColor(128, 128, 128));
    }
    painter.restore();
}
