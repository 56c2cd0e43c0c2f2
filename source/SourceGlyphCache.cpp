#include "source/SourceGlyphCache.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QTextLayout>

SourceGlyphCache::SourceGlyphCache(const QFont& font) : m_font(font)
{
    m_fonts.push_back(QRawFont::fromFont(font));
    m_ascent = QFontMetricsF(font).ascent();
}

SourceGlyphCache::Glyph SourceGlyphCache::GlyphOf(char32_t codePoint)
{
    if (codePoint < 128) {
        if (!m_asciiKnown[codePoint]) {
            m_ascii[codePoint] = Lookup(codePoint);
            m_asciiKnown[codePoint] = true;
        }
        return m_ascii[codePoint];
    }
    auto it = m_others.constFind(codePoint);
    if (it != m_others.constEnd())
        return *it;
    const Glyph glyph = Lookup(codePoint);
    m_others.insert(codePoint, glyph);
    return glyph;
}

SourceGlyphCache::Glyph SourceGlyphCache::Lookup(char32_t codePoint)
{
    const QString text = QString::fromUcs4(&codePoint, 1);
    const QRawFont& main = m_fonts.front();
    if (main.isValid() && main.supportsCharacter(static_cast<uint>(codePoint))) {
        const QList<quint32> indexes = main.glyphIndexesForString(text);
        if (!indexes.isEmpty() && indexes.front() != 0)
            return Glyph{0, indexes.front()};
    }
    // Let the text engine pick the fallback font that has the character.
    QTextLayout layout(text, m_font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QList<quint32> indexes = run.glyphIndexes();
        if (!indexes.isEmpty() && indexes.front() != 0)
            return Glyph{FontIndex(run.rawFont()), indexes.front()};
    }
    return Glyph{};
}

int SourceGlyphCache::FontIndex(const QRawFont& font)
{
    for (size_t i = 0; i < m_fonts.size(); ++i)
        if (m_fonts[i] == font)
            return static_cast<int>(i);
    m_fonts.push_back(font);
    return static_cast<int>(m_fonts.size()) - 1;
}
