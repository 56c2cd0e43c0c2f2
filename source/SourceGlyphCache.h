#pragma once

#include <QFont>
#include <QHash>
#include <QRawFont>

#include <array>
#include <cstdint>
#include <vector>

// The glyph of each character in one font, with the fallback font that draws
// it when the font itself has none. The source views place every glyph in its
// own character cell and draw runs of glyphs directly, so the lookup is done
// once per character and font.
class SourceGlyphCache
{
public:
    struct Glyph
    {
        int font = -1; // index into fonts(); -1 when nothing draws the character
        quint32 index = 0;
    };

    explicit SourceGlyphCache(const QFont& font);

    Glyph GlyphOf(char32_t codePoint);
    const QRawFont& Font(int index) const { return m_fonts[static_cast<size_t>(index)]; }
    int FontCount() const { return static_cast<int>(m_fonts.size()); }
    // The ascent of the main font, for placing the baseline in a cell.
    qreal Ascent() const { return m_ascent; }

private:
    Glyph Lookup(char32_t codePoint);
    int FontIndex(const QRawFont& font);

    QFont m_font;
    qreal m_ascent = 0;
    std::vector<QRawFont> m_fonts;
    std::array<Glyph, 128> m_ascii;
    std::array<bool, 128> m_asciiKnown{};
    QHash<char32_t, Glyph> m_others;
};
