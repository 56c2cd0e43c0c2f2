#include "engine/layout/FontCatalog.h"

#include <QTextLayout>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QRawFont>
#include <QtEndian>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace engine {

namespace fontcatalog_detail {
// Looks text up by a view of it, without making a string of it first.
struct ViewHash
{
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
};
// The exact widths a thread measured, by font and text, for every catalog:
// the threads reading a long page's parts measure every word, and would
// take turns at the catalog's lock for each; the next page measures the
// same words in the same fonts again.
struct ThreadWidths
{
    unsigned long long catalog = 0;
    std::vector<int> fonts; // the fonts of that catalog's handles (0: not asked yet)
    std::unordered_map<std::string, qreal, ViewHash, std::equal_to<>> widths; // keyed by font and text
    std::string key;
};

// A number for each font (by its key), the same in every catalog.
int fontNumber(const QString& key)
{
    static std::mutex lock;
    static QHash<QString, int> numbers;
    const std::lock_guard guard(lock);
    const auto it = numbers.constFind(key);
    if (it != numbers.constEnd())
        return it.value();
    const int number = static_cast<int>(numbers.size()) + 1;
    numbers.insert(key, number);
    return number;
}

std::atomic<unsigned long long> lastCatalog{0};
constexpr size_t kWidthsKeptByAThread = 50000;

// The metrics of the fonts catalogs have made, by their key, for every
// catalog: each page makes its fonts anew, and their faces' headers need
// reading once.
struct KnownMetrics
{
    std::mutex lock;
    QHash<QString, FontMetricsPx> byKey;
};
KnownMetrics& knownMetrics()
{
    static KnownMetrics known;
    return known;
}
constexpr qsizetype kMetricsKept = 4096;
} // namespace fontcatalog_detail

struct FontCatalog::Entry
{
    QFont font;
    FontMetricsPx metrics;
    unsigned decoration = 0;
    std::unique_ptr<QFontMetrics> fm;
    std::unique_ptr<QFontMetricsF> exact;
    qreal scale = 1; // of the exact size to the font's whole pixels
    QString key;     // what the font is, the same in every catalog
    int number = 0;  // and its number (see fontNumber)
    mutable std::unordered_map<std::string, qreal, fontcatalog_detail::ViewHash, std::equal_to<>> widths;
};

namespace fontcatalog_detail {

// The texts catalogs have shaped, by font, resolution and text, for every
// catalog.
struct SharedShapes
{
    std::mutex lock;
    QHash<QString, FontCatalog::ShapedText> byKey;
};
SharedShapes& sharedShapes()
{
    static SharedShapes shapes;
    return shapes;
}

struct Substitution
{
    const char16_t* face;
    const char* family;
};

const Substitution* substitutionOf(const QString& face);

// Keys are compared after lower-casing and removing spaces, so "MS PGothic",
// "ms pgothic" and "ＭＳ Ｐゴシック" (whose spaces are ideographic) all match.
const Substitution kSubstitutions[] = {
    {u"ｍｓｐゴシック", "IPAPGothic"},  {u"mspゴシック", "IPAPGothic"},
    {u"mspgothic", "IPAPGothic"},       {u"ｍｓゴシック", "IPAGothic"},
    {u"msゴシック", "IPAGothic"},       {u"msgothic", "IPAGothic"},
    {u"msuigothic", "IPAPGothic"},      {u"ｍｓｕｉゴシック", "IPAPGothic"},
    {u"メイリオ", "IPAPGothic"},        {u"meiryo", "IPAPGothic"},
    {u"osaka", "IPAPGothic"},           {u"ヒラギノ角ゴpron", "IPAPGothic"},
    {u"ｍｓｐ明朝", "IPAPMincho"},      {u"msp明朝", "IPAPMincho"},
    {u"mspmincho", "IPAPMincho"},       {u"ｍｓ明朝", "IPAMincho"},
    {u"ms明朝", "IPAMincho"},           {u"msmincho", "IPAMincho"},
    {u"arial", "Liberation Sans"},      {u"helvetica", "Liberation Sans"},
    {u"sans-serif", "Liberation Sans"}, {u"timesnewroman", "Liberation Serif"},
    {u"times", "Liberation Serif"},     {u"serif", "Liberation Serif"},
    {u"couriernew", "Liberation Mono"}, {u"courier", "Liberation Mono"},
    {u"monospace", "DejaVu Sans Mono"},
};

QString faceKey(const QString& face)
{
    QString key;
    key.reserve(face.size());
    for (QChar c : face) {
        if (c.isSpace() || c == QChar(0x3000))
            continue;
        key.append(c.toLower());
    }
    // Full-width Latin letters of the Japanese faces ("ＭＳ") compare as typed.
    return key;
}

QString unquote(QString s)
{
    s = s.trimmed();
    if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
        s = s.mid(1, s.size() - 2);
    return s.trimmed();
}

// The line metrics browsers take from a face: the ascender, descender and
// line gap of its horizontal header, each scaled and rounded on its own.
// Qt reads the descent from the Windows metrics instead, which makes the
// line of the IPA faces a pixel taller than a browser's.
std::optional<FontMetricsPx> headerMetrics(const QFont& font, qreal pixelSize)
{
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray hhea = raw.isValid() ? raw.fontTable("hhea") : QByteArray();
    const qreal unitsPerEm = raw.isValid() ? raw.unitsPerEm() : 0;
    if (hhea.size() < 10 || unitsPerEm <= 0)
        return std::nullopt;
    const auto* d = reinterpret_cast<const uchar*>(hhea.constData());
    const int ascender = qFromBigEndian<qint16>(d + 4);
    const int descender = qFromBigEndian<qint16>(d + 6);
    const int lineGap = std::max(0, int(qFromBigEndian<qint16>(d + 8)));
    if (ascender <= 0 && descender == 0)
        return std::nullopt;
    const qreal scale = pixelSize / unitsPerEm;
    FontMetricsPx m;
    const int gap = qRound(lineGap * scale);
    // The line gap is shared out above and below, as half-leading is.
    m.ascent = qRound(ascender * scale) + gap / 2;
    m.descent = qRound(-descender * scale) + gap - gap / 2;
    m.height = m.ascent + m.descent;
    return m;
}

} // namespace fontcatalog_detail

namespace fontcatalog_detail {
const Substitution* substitutionOf(const QString& face)
{
    const QString key = faceKey(face);
    for (const auto& s : kSubstitutions) {
        if (key == QString::fromUtf16(s.face))
            return &s;
    }
    return nullptr;
}
} // namespace fontcatalog_detail

QString FontCatalog::substituteFace(const QString& face)
{
    const auto* s = fontcatalog_detail::substitutionOf(face);
    return s ? QString::fromLatin1(s->family) : face;
}

QString FontCatalog::defaultFamilyList()
{
    return QStringLiteral("\"ＭＳ Ｐゴシック\"");
}

namespace fontcatalog_detail {
QStringList familiesOf(const QString& familyList);
} // namespace fontcatalog_detail

QStringList FontCatalog::resolveFamilies(const QString& familyList)
{
    // Asking the font database whether a family is installed takes long
    // enough to weigh on every first layout of a page: the answers for
    // each list are kept for the program's life (fonts are not installed
    // into a running program), a few thousand lists at most.
    static std::mutex lock;
    static QHash<QString, QStringList> known;
    {
        const std::lock_guard guard(lock);
        const auto found = known.constFind(familyList);
        if (found != known.constEnd())
            return found.value();
    }
    QStringList families = fontcatalog_detail::familiesOf(familyList);
    const std::lock_guard guard(lock);
    if (known.size() >= 4096)
        known.clear();
    known.insert(familyList, families);
    return families;
}

QStringList fontcatalog_detail::familiesOf(const QString& familyList)
{
    QStringList families;
    bool installed = false;
    for (const QString& part : familyList.split(',', Qt::SkipEmptyParts)) {
        const QString face = unquote(part);
        if (face.isEmpty())
            continue;
        const QString family = FontCatalog::substituteFace(face);
        if (families.contains(family))
            continue;
        families << family;
        installed = installed || QFontDatabase::hasFamily(family);
    }
    // A list of faces none of which is here is shown, as a browser here shows
    // it, in the browser's standard face (Verdana, Georgia, Tahoma alone are
    // not replaced by faces of a similar look).
    if (!installed)
        families << QStringLiteral("Liberation Serif");
    // A character none of them has comes from the faces a browser here falls
    // back to: signs and other scripts from DejaVu Sans, Japanese from
    // IPAPGothic.
    for (const QString& fallback : {QStringLiteral("DejaVu Sans"), QStringLiteral("IPAPGothic")}) {
        if (!families.contains(fallback))
            families << fallback;
    }
    return families;
}

FontCatalog::FontCatalog() : m_serial(++fontcatalog_detail::lastCatalog) {}
FontCatalog::~FontCatalog() = default;

int FontCatalog::font(const QString& familyList, int pixelSize, int weight, bool italic, unsigned decoration)
{
    const std::lock_guard guard(m_lock);
    const QString key =
        QStringLiteral("%1|%2|%3|%4|%5").arg(familyList).arg(pixelSize).arg(weight).arg(italic ? 1 : 0).arg(decoration);
    const auto found = m_byKey.constFind(key);
    if (found != m_byKey.constEnd())
        return found.value();

    auto entry = std::make_unique<Entry>();
    QFont f;
    f.setFamilies(resolveFamilies(familyList));
    f.setPixelSize(std::max(1, pixelSize));
    f.setWeight(static_cast<QFont::Weight>(std::clamp(weight, 100, 900)));
    f.setItalic(italic);
    f.setUnderline(decoration & Underline);
    f.setStrikeOut(decoration & LineThrough);
    f.setOverline(decoration & Overline);
    // Pairs of letters are kerned, as browsers kern them.
    f.setKerning(true);
    f.setHintingPreference(QFont::PreferNoHinting);
    entry->font = f;
    entry->key = key;
    entry->number = fontcatalog_detail::fontNumber(key);
    entry->decoration = decoration;
    entry->fm = std::make_unique<QFontMetrics>(f);
    entry->exact = std::make_unique<QFontMetricsF>(f);
    fontcatalog_detail::KnownMetrics& known = fontcatalog_detail::knownMetrics();
    std::unique_lock knownLock(known.lock);
    if (const auto it = known.byKey.constFind(key); it != known.byKey.constEnd()) {
        entry->metrics = it.value();
    } else {
        knownLock.unlock();
        // Rounded as browsers round them (QFontMetrics rounds each one up).
        const QFontMetricsF exact(f);
        if (const auto header = fontcatalog_detail::headerMetrics(f, std::max(1, pixelSize))) {
            entry->metrics = *header;
        } else {
            entry->metrics.ascent = qRound(exact.ascent());
            entry->metrics.descent = qRound(exact.descent());
            entry->metrics.height = entry->metrics.ascent + entry->metrics.descent;
        }
        entry->metrics.xHeight = qRound(exact.xHeight());
        knownLock.lock();
        if (known.byKey.size() >= fontcatalog_detail::kMetricsKept)
            known.byKey.clear();
        known.byKey.insert(key, entry->metrics);
    }
    knownLock.unlock();
    m_entries.push_back(std::move(entry));
    const int handle = static_cast<int>(m_entries.size());
    m_byKey.insert(key, handle);
    return handle;
}

int FontCatalog::atExactSize(int handle, qreal pixelSize)
{
    const std::lock_guard guard(m_lock);
    const Entry& base = *m_entries.at(handle - 1);
    const int whole = base.font.pixelSize();
    if (base.scale != 1 || pixelSize <= 0 || qAbs(pixelSize - whole) < 0.01)
        return handle;
    const QString key = QStringLiteral("%1@%2").arg(handle).arg(pixelSize);
    const auto found = m_byKey.constFind(key);
    if (found != m_byKey.constEnd())
        return found.value();
    auto entry = std::make_unique<Entry>();
    entry->font = base.font;
    entry->decoration = base.decoration;
    entry->fm = std::make_unique<QFontMetrics>(base.font);
    entry->exact = std::make_unique<QFontMetricsF>(base.font);
    // Without hinting, advances grow with the size.
    entry->scale = pixelSize / whole;
    entry->key = base.key + QLatin1Char('@') + QString::number(pixelSize);
    entry->number = fontcatalog_detail::fontNumber(entry->key);
    entry->metrics = metricsAt(handle, pixelSize);
    m_entries.push_back(std::move(entry));
    const int exactHandle = static_cast<int>(m_entries.size());
    m_byKey.insert(key, exactHandle);
    return exactHandle;
}

const QFont& FontCatalog::qfont(int handle) const
{
    const std::lock_guard guard(m_lock);
    return m_entries.at(handle - 1)->font;
}

QFont FontCatalog::drawingFont(int handle, int dpi) const
{
    const std::lock_guard guard(m_lock);
    const Entry& e = *m_entries.at(handle - 1);
    if (e.scale == 1 || dpi <= 0)
        return e.font;
    QFont f = e.font;
    f.setPointSizeF(e.font.pixelSize() * e.scale * 72.0 / dpi);
    return f;
}

const FontCatalog::ShapedText& FontCatalog::shapedText(int handle, QPaintDevice* device, const QString& text) const
{
    const std::lock_guard guard(m_lock);
    const int dpi = device ? device->logicalDpiY() : 96;
    // (Pages repeat their words; a page of many different ones starts over.)
    constexpr qsizetype kMostTexts = 50000;
    const QPair<qint64, QString> key((qint64(handle) << 20) | qint64(dpi & 0xFFFFF), text);
    const auto it = m_shaped.constFind(key);
    if (it != m_shaped.constEnd())
        return *it;
    if (m_shaped.size() >= kMostTexts)
        m_shaped.clear();
    // Words shaped for another catalog (another page, or this one read
    // again) in the same font are not shaped again.
    fontcatalog_detail::SharedShapes& shared = fontcatalog_detail::sharedShapes();
    const QString sharedKey =
        m_entries.at(handle - 1)->key + QLatin1Char('\x1f') + QString::number(dpi) + QLatin1Char('\x1f') + text;
    {
        const std::lock_guard sharedGuard(shared.lock);
        if (const auto found = shared.byKey.constFind(sharedKey); found != shared.byKey.constEnd())
            return *m_shaped.insert(key, found.value());
    }
    QTextLayout layout(text, drawingFont(handle, dpi), device);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    ShapedText shaped;
    if (line.isValid()) {
        line.setLineWidth(1e6);
        line.setPosition(QPointF(0, 0));
        shaped.baseline = line.ascent();
    }
    layout.endLayout();
    shaped.runs = layout.glyphRuns();
    {
        const std::lock_guard sharedGuard(shared.lock);
        if (shared.byKey.size() >= kMostTexts)
            shared.byKey.clear();
        shared.byKey.insert(sharedKey, shaped);
    }
    return *m_shaped.insert(key, std::move(shaped));
}

void FontCatalog::takeShapedTextsOf(FontCatalog& other)
{
    const std::scoped_lock guard(m_lock, other.m_lock);
    if (other.m_shaped.isEmpty())
        return;
    // Handles are given in the order fonts are asked for: the same font may
    // have another handle here.
    std::vector<qint64> handleHere(other.m_entries.size() + 1, 0);
    for (size_t j = 0; j < other.m_entries.size(); ++j) {
        const Entry& theirs = *other.m_entries[j];
        for (size_t i = 0; i < m_entries.size(); ++i) {
            const Entry& mine = *m_entries[i];
            if (mine.scale == theirs.scale && mine.decoration == theirs.decoration && mine.font == theirs.font) {
                handleHere[j + 1] = qint64(i + 1);
                break;
            }
        }
    }
    for (auto it = other.m_shaped.cbegin(); it != other.m_shaped.cend(); ++it) {
        const qint64 handle = it.key().first >> 20;
        if (handle > 0 && handle < qint64(handleHere.size()) && handleHere[size_t(handle)] > 0)
            m_shaped.insert(qMakePair((handleHere[size_t(handle)] << 20) | (it.key().first & 0xFFFFF), it.key().second),
                            it.value());
    }
    other.m_shaped.clear();
}

FontMetricsPx FontCatalog::metricsAt(int handle, qreal pixelSize) const
{
    const std::lock_guard guard(m_lock);
    const Entry& e = *m_entries.at(handle - 1);
    if (const auto header = fontcatalog_detail::headerMetrics(e.font, pixelSize)) {
        FontMetricsPx m = *header;
        m.xHeight = e.metrics.xHeight;
        return m;
    }
    return e.metrics;
}

const FontMetricsPx& FontCatalog::metrics(int handle) const
{
    const std::lock_guard guard(m_lock);
    return m_entries.at(handle - 1)->metrics;
}

unsigned FontCatalog::decoration(int handle) const
{
    const std::lock_guard guard(m_lock);
    return m_entries.at(handle - 1)->decoration;
}

int FontCatalog::textWidth(int handle, const QString& text) const
{
    const QByteArray utf8 = text.toUtf8();
    return textWidth(handle, std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

int FontCatalog::textWidth(int handle, std::string_view utf8) const
{
    return qRound(exactTextWidth(handle, utf8));
}

qreal FontCatalog::exactTextWidth(int handle, std::string_view utf8) const
{
    using namespace fontcatalog_detail;
    thread_local ThreadWidths kept;
    if (kept.catalog != m_serial) {
        kept.fonts.clear();
        kept.catalog = m_serial;
    }
    if (kept.widths.size() >= kWidthsKeptByAThread)
        kept.widths.clear();
    if (handle <= 0 || static_cast<size_t>(handle) >= kept.fonts.size() || kept.fonts[size_t(handle)] == 0) {
        const std::lock_guard guard(m_lock);
        const int number = m_entries.at(static_cast<size_t>(handle) - 1)->number;
        if (kept.fonts.size() <= static_cast<size_t>(handle))
            kept.fonts.resize(static_cast<size_t>(handle) + 1, 0);
        kept.fonts[size_t(handle)] = number;
    }
    const int font = kept.fonts[size_t(handle)];
    kept.key.assign(reinterpret_cast<const char*>(&font), sizeof font);
    kept.key.append(utf8);
    if (const auto found = kept.widths.find(std::string_view(kept.key)); found != kept.widths.end())
        return found->second;
    const qreal w = measureExactTextWidth(handle, utf8);
    kept.widths.emplace(kept.key, w);
    return w;
}

qreal FontCatalog::measureExactTextWidth(int handle, std::string_view utf8) const
{
    const std::lock_guard guard(m_lock);
    const Entry& e = *m_entries.at(handle - 1);
    const auto found = e.widths.find(utf8);
    if (found != e.widths.end())
        return found->second;
    const qreal w =
        e.exact->horizontalAdvance(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))) * e.scale;
    if (e.widths.size() < 20000)
        e.widths.emplace(utf8, w);
    return w;
}

qreal FontCatalog::exactXHeight(int handle) const
{
    const std::lock_guard guard(m_lock);
    const Entry& e = *m_entries.at(handle - 1);
    return e.exact->xHeight() * e.scale;
}

std::vector<int> FontCatalog::prefixWidths(int handle, const QString& text) const
{
    const std::lock_guard guard(m_lock);
    const Entry& e = *m_entries.at(handle - 1);
    std::vector<int> result(text.size(), 0);
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A surrogate pair is measured as one character.
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()) {
            result[i] = i > 0 ? result[i - 1] : 0;
            continue;
        }
        result[i] = e.scale == 1 ? e.fm->horizontalAdvance(text.left(i + 1))
                                 : qRound(e.exact->horizontalAdvance(text.left(i + 1)) * e.scale);
    }
    return result;
}

} // namespace engine
