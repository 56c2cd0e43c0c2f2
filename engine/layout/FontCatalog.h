#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QPaintDevice>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

namespace engine {

// Metrics of one font as the layout needs them, in pixels.
struct FontMetricsPx
{
    int ascent = 0;
    int descent = 0;
    int height = 0;
    int xHeight = 0;
};

// The fonts of the layout: a CSS font-family list, size, weight, style and
// decoration become a QFont whose metrics and word widths are cached.
// Face names found in old Japanese pages ("ＭＳ Ｐゴシック", "ＭＳ 明朝", ...)
// and the common Windows Latin faces resolve to the installed IPA fonts and
// to the faces a browser here takes for them (Arial, Times New Roman and
// Courier New: their metric twins of the Liberation family). Handles are small positive integers, stable for the
// catalog's life. The parts of a long page are read on several threads at
// once into one catalog: its calls may come from any thread.
class FontCatalog
{
public:
    enum Decoration { Underline = 1, LineThrough = 2, Overline = 4 };

    FontCatalog();
    ~FontCatalog();

    // Returns the handle of the font (the same one for the same request).
    int font(const QString& familyList, int pixelSize, int weight, bool italic, unsigned decoration);

    // The same font at a size of a fraction of a pixel (a heading of
    // 1.17em, text of 90%): its text is measured and its lines are as high
    // as at that size.
    int atExactSize(int handle, qreal pixelSize);

    const QFont& qfont(int handle) const;
    // The font to draw text of the handle with on a device of `dpi` dots
    // per inch (of its exact size).
    QFont drawingFont(int handle, int dpi) const;
    const FontMetricsPx& metrics(int handle) const;
    // The line metrics of a font's face at a size of a fraction of a pixel
    // (a heading of 1.17em): the font itself is of whole pixels.
    FontMetricsPx metricsAt(int handle, qreal pixelSize) const;
    unsigned decoration(int handle) const;

    // Width of a run of text (cached per font), in whole pixels.
    int textWidth(int handle, const QString& text) const;
    // The same for text in UTF-8, and its width to the fraction of a pixel
    // (what the glyphs' advances add up to, before any rounding).
    int textWidth(int handle, std::string_view utf8) const;
    qreal exactTextWidth(int handle, std::string_view utf8) const;
    // The height of the face's small letters at the font's exact size, as
    // the face gives it (what a length of 1ex is).
    qreal exactXHeight(int handle) const;
    // Advance from the start of text to the end of each of its characters
    // (UTF-16 positions; the value at i covers text[0..i]).
    std::vector<int> prefixWidths(int handle, const QString& text) const;

    // A piece of text shaped for drawing with the font of the handle on
    // `device` (a screen, or a printer of other dots per inch): its glyphs,
    // placed with the baseline at `baseline` below the top. Kept per font,
    // resolution and text, so that painting a page again does not shape its
    // words again.
    struct ShapedText
    {
        QList<QGlyphRun> runs;
        qreal baseline = 0;
    };
    const ShapedText& shapedText(int handle, QPaintDevice* device, const QString& text) const;
    // Takes the texts another catalog shaped, for the fonts both hold (the
    // layout of a page laid out again elsewhere shows the same words).
    void takeShapedTextsOf(FontCatalog& other);

    // The installed families a CSS family list resolves to, most wanted first.
    static QStringList resolveFamilies(const QString& familyList);
    // The installed family one face name stands for, or the name itself.
    static QString substituteFace(const QString& face);

    static QString defaultFamilyList();

private:
    // exactTextWidth at the catalog's lock.
    qreal measureExactTextWidth(int handle, std::string_view utf8) const;

    struct Entry;
    std::vector<std::unique_ptr<Entry>> m_entries;
    QHash<QString, int> m_byKey;
    mutable QHash<QPair<qint64, QString>, ShapedText> m_shaped;
    // (Recursive: a call may ask another; the fonts' own objects are used
    // by one thread at a time.)
    mutable std::recursive_mutex m_lock;
    // Tells this catalog's widths kept by each thread from those of others
    // (never the number of another catalog).
    const unsigned long long m_serial;
};

} // namespace engine
