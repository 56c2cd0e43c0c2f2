#include "editor/objects/FragmentText.h"

#include "util/HtmlTextScan.h"

#include <algorithm>
#include <climits>
#include <map>

namespace fragmenttext_detail {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_');
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// The end of a number run: blanks, a sign, digits and a fraction.
int numberRunEnd(const QString& text, int from)
{
    int i = from;
    while (i < text.size()) {
        const QChar c = text[i];
        if (!(isBlank(c) || c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLatin1Char('.')))
            break;
        ++i;
    }
    return i;
}

int clampToInt(qint64 value)
{
    return int(std::clamp<qint64>(value, INT_MIN, INT_MAX));
}

// A whole token: not inside a longer name or number.
bool isTokenAt(const QString& text, int pos, int length)
{
    const auto word = [](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); };
    if (pos > 0 && word(text[pos - 1]) && word(text[pos]))
        return false;
    const int end = pos + length;
    return !(end < text.size() && word(text[end]) && word(text[end - 1]));
}

// Every whole-token occurrence of `from` in `text` replaced by `to`.
QString replaceTokens(const QString& text, const QString& from, const QString& to)
{
    if (from.isEmpty())
        return text;
    QString out;
    int pos = 0;
    for (int at = text.indexOf(from); at >= 0; at = text.indexOf(from, at + int(from.size()))) {
        if (!isTokenAt(text, at, int(from.size())))
            continue;
        out += QStringView(text).mid(pos, at - pos);
        out += to;
        pos = at + int(from.size());
    }
    out += QStringView(text).mid(pos);
    return out;
}

// Renames the first MAP of the text whose NAME is `mapName`. Returns where
// the text changed and by how much (pos -1 when nothing changed).
std::pair<int, int> renameMap(TwinText& text, const QString& mapName, const QString& newName)
{
    int pos = 0;
    int first = -1;
    QString tag;
    for (int at = ExtractTagText(text.text(), QStringLiteral("MAP"), tag, pos); at >= 0 && !tag.isEmpty();
         at = ExtractTagText(text.text(), QStringLiteral("MAP"), tag, pos)) {
        if (first == -1)
            first = at;
        else if (at == first)
            break;
        const std::optional<QString> name = TagAttributeValue(tag, QStringLiteral("name"));
        if (name && !name->isEmpty() && name->compare(mapName, Qt::CaseInsensitive) == 0) {
            const int q = int(text.text().indexOf(*name, at));
            if (q < 0)
                return {-1, 0};
            text.remove(q, int(name->size()));
            text.insert(q, newName);
            return {q, int(newName.size() - name->size())};
        }
        pos = at + 1;
    }
    return {-1, 0};
}

} // namespace fragmenttext_detail

QString UpperTwin(const QString& text)
{
    QString twin = text;
    for (QChar& c : twin) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return twin;
}

TwinText::TwinText(const QString& text) : m_text(text), m_twin(UpperTwin(text)) {}

void TwinText::insert(int pos, const QString& s)
{
    m_text.insert(pos, s);
    m_twin.insert(pos, UpperTwin(s));
}

void TwinText::remove(int pos, int count)
{
    m_text.remove(pos, count);
    m_twin.remove(pos, count);
}

void TwinText::overwrite(int pos, const QString& s)
{
    Q_ASSERT(pos >= 0 && pos + s.size() <= m_text.size());
    m_text.replace(pos, s.size(), s);
    m_twin.replace(pos, s.size(), UpperTwin(s));
}

std::optional<int> ReadSlotNumber(QStringView slot)
{
    namespace detail = fragmenttext_detail;
    int i = 0;
    const int n = int(slot.size());
    while (i < n && detail::isBlank(slot[i]))
        ++i;
    bool negative = false;
    if (i < n && (slot[i] == QLatin1Char('-') || slot[i] == QLatin1Char('+')))
        negative = slot[i++] == QLatin1Char('-');
    qint64 value = 0;
    int digits = 0;
    for (; i < n && slot[i].isDigit(); ++i, ++digits)
        value = std::min<qint64>(value * 10 + slot[i].digitValue(), qint64(INT_MAX) + 1);
    if (digits == 0)
        return std::nullopt;
    if (i < n && slot[i] == QLatin1Char('.')) {
        for (++i; i < n && slot[i].isDigit(); ++i) {
        }
    }
    while (i < n && detail::isBlank(slot[i]))
        ++i;
    if (i != n)
        return std::nullopt;
    return detail::clampToInt(negative ? -value : value);
}

ValueSlot FindLengthSlot(const QString& twin, QLatin1String key, int from, SlotSearch* result)
{
    namespace detail = fragmenttext_detail;
    const auto report = [result](SlotSearch r) {
        if (result)
            *result = r;
    };
    const int keyLength = int(key.size());
    int pos = std::max(0, from);
    for (;;) {
        const int at = int(twin.indexOf(key, pos));
        if (at < 0)
            break;
        // The whole property name, not the end of MARGIN-LEFT.
        if (at > 0 && detail::isNameChar(twin[at - 1])) {
            pos = at + keyLength;
            continue;
        }
        const int colon = int(twin.indexOf(QLatin1Char(':'), at + keyLength));
        if (colon < 0)
            break;
        bool blanksOnly = true;
        for (int i = at + keyLength; i < colon && blanksOnly; ++i)
            blanksOnly = detail::isBlank(twin[i]);
        if (!blanksOnly) {
            pos = colon;
            continue;
        }
        // The number, then its unit.
        const int run = detail::numberRunEnd(twin, colon + 1);
        if (QStringView(twin).mid(run, 2) == QLatin1String("PX")) {
            if (const std::optional<int> value = ReadSlotNumber(QStringView(twin).mid(colon + 1, run - colon - 1))) {
                report(SlotSearch::Found);
                return ValueSlot{at, colon + 1, run, *value};
            }
        }
        if (twin.indexOf(QLatin1String("PX"), colon + 1) < 0) {
            report(SlotSearch::NoUnit);
            return ValueSlot{at, -1, -1, 0};
        }
        pos = colon + 1;
    }
    report(SlotSearch::NoKey);
    return ValueSlot();
}

ValueSlot FindZIndexSlot(const QString& twin, int from, bool keyOnly)
{
    namespace detail = fragmenttext_detail;
    static const QLatin1String key("Z-INDEX");
    int pos = std::max(0, from);
    for (;;) {
        const int at = int(twin.indexOf(key, pos));
        if (at < 0)
            return ValueSlot();
        pos = at + int(key.size());
        if (at > 0 && detail::isNameChar(twin[at - 1]))
            continue;
        int colon = pos;
        while (colon < twin.size() && detail::isBlank(twin[colon]))
            ++colon;
        if (colon >= twin.size() || twin[colon] != QLatin1Char(':'))
            continue;
        if (keyOnly)
            return ValueSlot{at, colon + 1, colon + 1, 0};
        // The value ends at the nearer of ";" and '"' (or the "'" of a style
        // written in single quotes).
        const int run = detail::numberRunEnd(twin, colon + 1);
        if (run >= twin.size())
            continue;
        const QChar end = twin[run];
        if (end != QLatin1Char(';') && end != QLatin1Char('"') && end != QLatin1Char('\''))
            continue;
        if (const std::optional<int> value = ReadSlotNumber(QStringView(twin).mid(colon + 1, run - colon - 1)))
            return ValueSlot{at, colon + 1, run, *value};
    }
}

ZIndexBand FindZIndexBand(const QString& twin)
{
    ZIndexBand band;
    for (ValueSlot slot = FindZIndexSlot(twin, 0); slot.found(); slot = FindZIndexSlot(twin, slot.end)) {
        band.zMin = band.found ? std::min(band.zMin, slot.value) : slot.value;
        band.zMax = band.found ? std::max(band.zMax, slot.value) : slot.value;
        band.found = true;
    }
    return band;
}

int RewriteSlot(TwinText& text, ValueSlot& slot, int value)
{
    Q_ASSERT(slot.found() && slot.end >= slot.start);
    const QString number = QString::number(value);
    int length = slot.end - slot.start;
    int inserted = 0;
    if (number.size() > length) {
        inserted = int(number.size()) - length;
        text.insert(slot.start, QString(inserted, QLatin1Char(' ')));
        slot.end += inserted;
        length = int(number.size());
    }
    text.overwrite(slot.start, number.rightJustified(length, QLatin1Char(' ')));
    return inserted;
}

int RenumberedZIndex(int topZIndex, int z, int zMin)
{
    return fragmenttext_detail::clampToInt(qint64(topZIndex) + (qint64(z) - zMin) + 1);
}

int RaisedTopZIndex(int topZIndex, const ZIndexBand& band)
{
    if (!band.found)
        return topZIndex;
    return int(std::min<qint64>(qint64(topZIndex) + (qint64(band.zMax) - band.zMin) + 1, kMaxTopZIndex));
}

PastedObjects PlacePastedObjects(TwinText& text, const ZIndexBand& band, int topZIndex,
                                 const std::function<bool(int, int)>& occupied)
{
    namespace detail = fragmenttext_detail;
    PastedObjects result;
    // The walk reads the text as copied; the new numbers are written
    // afterwards, from the end backwards, each slot once.
    std::map<int, std::pair<ValueSlot, int>> rewrites;
    const auto rewrite = [&rewrites](const ValueSlot& slot, int value) {
        rewrites.try_emplace(slot.start, slot, value);
    };
    const QString& twin = text.twin();
    // The first Z-INDEX at or after a keyword; keywords come in order and the
    // text does not change during the walk, so an answer holds until the
    // walk passes it.
    ValueSlot nextZ;
    ValueSlot nextZKey;
    const auto zAfter = [&twin](ValueSlot& cached, int from, bool keyOnly) {
        if (cached.key == -2 || (cached.key >= from && cached.found()))
            return cached;
        cached = FindZIndexSlot(twin, from, keyOnly);
        if (!cached.found())
            cached.key = -2; // none from here on
        return cached;
    };
    int left = 0;
    int top = 0;
    bool leftGone = false;
    for (int pos = 0;;) {
        const int style = int(twin.indexOf(QLatin1String("STYLE"), pos));
        if (style < 0)
            break;
        // 1. LEFT (once none is found, no later keyword looks for one).
        ValueSlot leftSlot;
        int topFrom = style;
        bool last = false;
        if (!leftGone) {
            SlotSearch found = SlotSearch::NoKey;
            leftSlot = FindLengthSlot(twin, QLatin1String("LEFT"), style, &found);
            if (found == SlotSearch::NoKey)
                leftGone = true;
            else if (found == SlotSearch::NoUnit)
                last = true;
            else {
                left = leftSlot.value;
                topFrom = leftSlot.end;
            }
        }
        // 2.-3. TOP after it, and the first Z-INDEX after the keyword.
        ValueSlot topSlot;
        ValueSlot zSlot;
        if (!last) {
            topSlot = FindLengthSlot(twin, QLatin1String("TOP"), topFrom);
            if (topSlot.found())
                top = topSlot.value;
            zSlot = zAfter(nextZ, style, false);
        }
        const bool positioned = leftSlot.found() || topSlot.found() || (!last && zAfter(nextZKey, style, true).found());
        result.positioned = result.positioned || positioned;
        // 4.-8. On the page: shifted off the objects there and placed before it.
        if (occupied && positioned) {
            qint64 d = 0;
            while (occupied(detail::clampToInt(left + d), detail::clampToInt(top + d)) && d < qint64(INT_MAX))
                d += 10;
            for (const QPoint& p : result.points) {
                if (p == QPoint(detail::clampToInt(left + d), detail::clampToInt(top + d)))
                    d += 10;
            }
            if (d > 0) {
                if (leftSlot.found())
                    rewrite(leftSlot, detail::clampToInt(left + d));
                if (topSlot.found())
                    rewrite(topSlot, detail::clampToInt(top + d));
            }
            if (zSlot.found() && band.found)
                rewrite(zSlot, RenumberedZIndex(topZIndex, zSlot.value, band.zMin));
            result.points.emplace_back(detail::clampToInt(left + d), detail::clampToInt(top + d));
        }
        // 9. The next keyword after this one's TOP.
        if (last || !topSlot.found())
            break;
        pos = topSlot.end;
    }
    for (auto it = rewrites.rbegin(); it != rewrites.rend(); ++it)
        RewriteSlot(text, it->second.first, it->second.second);
    return result;
}

void MoveObjectHtml(TwinText& html, int x, int y)
{
    ValueSlot left = FindLengthSlot(html.twin(), QLatin1String("LEFT"), 0);
    ValueSlot top = FindLengthSlot(html.twin(), QLatin1String("TOP"), 0);
    // The later slot first, so the earlier one keeps its place.
    if (left.found() && top.found() && left.start > top.start) {
        RewriteSlot(html, left, x);
        RewriteSlot(html, top, y);
        return;
    }
    if (top.found())
        RewriteSlot(html, top, y);
    if (left.found())
        RewriteSlot(html, left, x);
}

void RenumberCopiedZIndexes(TwinText& text, const ZIndexBand& band, int topZIndex)
{
    if (!band.found)
        return;
    for (int pos = 0;;) {
        const int style = int(text.twin().indexOf(QLatin1String("STYLE"), pos));
        if (style < 0)
            return;
        ValueSlot slot = FindZIndexSlot(text.twin(), style);
        if (!slot.found())
            return;
        RewriteSlot(text, slot, RenumberedZIndex(topZIndex, slot.value, band.zMin));
        pos = slot.end;
    }
}

std::optional<QString> TagAttributeValue(const QString& tagText, const QString& name)
{
    namespace detail = fragmenttext_detail;
    const int n = int(tagText.size());
    int i = 0;
    // Past "<" and the tag name.
    if (i < n && tagText[i] == QLatin1Char('<'))
        ++i;
    while (i < n && !detail::isBlank(tagText[i]) && tagText[i] != QLatin1Char('>'))
        ++i;
    while (i < n) {
        while (i < n && (detail::isBlank(tagText[i]) || tagText[i] == QLatin1Char('/')))
            ++i;
        if (i >= n || tagText[i] == QLatin1Char('>'))
            break;
        const int nameStart = i;
        while (i < n && !detail::isBlank(tagText[i]) && tagText[i] != QLatin1Char('=') &&
               tagText[i] != QLatin1Char('>'))
            ++i;
        const QStringView attribute = QStringView(tagText).mid(nameStart, i - nameStart);
        int j = i;
        while (j < n && detail::isBlank(tagText[j]))
            ++j;
        QString value;
        if (j < n && tagText[j] == QLatin1Char('=')) {
            ++j;
            while (j < n && detail::isBlank(tagText[j]))
                ++j;
            if (j < n && (tagText[j] == QLatin1Char('"') || tagText[j] == QLatin1Char('\''))) {
                const QChar quote = tagText[j];
                int close = int(tagText.indexOf(quote, j + 1));
                if (close < 0)
                    close = n;
                value = tagText.mid(j + 1, close - j - 1);
                i = std::min(n, close + 1);
            } else {
                int end = j;
                while (end < n && !detail::isBlank(tagText[end]) && tagText[end] != QLatin1Char('>'))
                    ++end;
                value = tagText.mid(j, end - j);
                i = end;
            }
        }
        if (attribute.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

RenamedNames RenameRollOversAndMaps(TwinText& text, const RenameServices& services, TwinText* mapText)
{
    namespace detail = fragmenttext_detail;
    static const QString rollBase = QStringLiteral("VornaRollImage");
    RenamedNames result;
    int number = services.rollNumber;
    QString tagText;
    for (int pos = 0;;) {
        const int at = ExtractTagText(text.text(), QStringLiteral("IMG"), tagText, pos);
        if (at < 0 || tagText.isEmpty())
            break;
        QString tag = tagText;
        // 1. A roll-over image: its next free name, in every reference of its own tag.
        const std::optional<QString> id = TagAttributeValue(tag, QStringLiteral("id"));
        const std::optional<QString> name = TagAttributeValue(tag, QStringLiteral("name"));
        if (id && id->compare(rollBase, Qt::CaseInsensitive) == 0 && name && !name->isEmpty()) {
            tag = detail::replaceTokens(tag, *name, rollBase + QString::number(number++));
            ++result.rollOvers;
        }
        // 2. An image map: a new name in its usemap and in its MAP.
        int mapShift = 0;
        const std::optional<QString> usemap = TagAttributeValue(tag, QStringLiteral("usemap"));
        const bool renameMap = usemap && !usemap->isEmpty() && services.newMapName;
        QString mapName;
        QString newName;
        if (renameMap) {
            mapName = usemap->startsWith(QLatin1Char('#')) ? usemap->mid(1) : *usemap;
            if (mapText && services.pageMapHtml)
                mapText->prepend(services.pageMapHtml(mapName));
            newName = services.newMapName(result.maps);
            result.maps.append(newName);
            tag = detail::replaceTokens(tag, *usemap, newName);
        }
        if (tag != tagText) {
            text.remove(at, int(tagText.size()));
            text.insert(at, tag);
        }
        if (renameMap) {
            if (mapText) {
                detail::renameMap(*mapText, mapName, newName);
            } else {
                const auto [where, delta] = detail::renameMap(text, mapName, newName);
                if (where >= 0 && where < at)
                    mapShift = delta;
            }
        }
        // 3. On after the tag as it now stands.
        pos = at + mapShift + int(tag.size());
    }
    return result;
}

QString PlainTextAsHtml(const QString& text)
{
    QString html;
    html.reserve(text.size() + text.size() / 8);
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('&'))
            html += QLatin1String("&amp;");
        else if (c == QLatin1Char('<'))
            html += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            html += QLatin1String("&gt;");
        else if (c == QLatin1Char('\r')) {
            html += QLatin1String("<BR>");
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n'))
            html += QLatin1String("<BR>");
        else
            html += c;
    }
    return html;
}

QString PasteTextBoxHtml(const QString& content, int zIndex)
{
    return QStringLiteral("<TABLE width=200 border=0 style='Z-INDEX: %1; LEFT: 10px; POSITION: absolute; TOP: 10px' "
                          "id=\"text\"><TBODY><TR><TD>")
               .arg(zIndex) +
           content + QStringLiteral("</TD></TR></TBODY></TABLE>");
}
