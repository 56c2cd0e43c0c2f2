#pragma once

#include "source/ColorRun.h"

#include <array>
#include <memory>

class QPainter;
class QRect;
class SourceGlyphCache;
class VornaSourceTextView;

// Paints the rows and margin marks of a source view from its text and state
// (first column, cell size, tab size, selection, colours and fonts, all as the
// view gives them). Every character is drawn in its own cell at its column
// times the cell width, so painting and the caret never drift apart whatever
// the font's own advances are. Glyphs are looked up once per character and
// font, and the glyphs of one colour and font in a row are drawn at once.
class SourceTextRenderer
{
public:
    explicit SourceTextRenderer(VornaSourceTextView& view);
    ~SourceTextRenderer();
    SourceTextRenderer(const SourceTextRenderer&) = delete;
    SourceTextRenderer& operator=(const SourceTextRenderer&) = delete;

    // A line with text, coloured by the runs (each from its byte on).
    void PaintRow(QPainter& painter, const QRect& rect, int line, const ColorRun* runs, int runCount);
    // An empty line: its line break's cell when selected, then white space.
    void PaintEmptyRow(QPainter& painter, const QRect& rect, int line);
    // The selection margin beside a line (-1: below the text) with the mark
    // of the line's first flag that has one.
    void PaintMarginMarks(QPainter& painter, const QRect& rect, int line);

    // The view's fonts changed: the glyphs are looked up again.
    void ResetFonts();

private:
    SourceGlyphCache& GlyphCache(bool italic, bool bold);
    // The selected bytes of the line, [from, to), the line break included
    // when `to` lies beyond it; none (INT_MAX) when nothing shows selected.
    void SelectedBytes(int line, int& from, int& to);

    VornaSourceTextView& m_view;
    std::array<std::unique_ptr<SourceGlyphCache>, 4> m_glyphCaches;
};
