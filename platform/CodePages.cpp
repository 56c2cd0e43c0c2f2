#include "platform/CodePages.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/ucsdet.h>

#include <cctype>
#include <cstring>
#include <memory>

namespace platform {

namespace codepages_detail {

struct ConverterCloser
{
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

struct DetectorCloser
{
    void operator()(UCharsetDetector* d) const { ucsdet_close(d); }
};
using DetectorPtr = std::unique_ptr<UCharsetDetector, DetectorCloser>;

constexpr char kWindows31jInternal[] = "ibm-943_P15A-2003";

// ICU's converter name for a charset name or alias, or null when ICU does not
// know the name.
const char* internalName(const QByteArray& name)
{
    if (name.isEmpty())
        return nullptr;
    UErrorCode err = U_ZERO_ERROR;
    const char* internal = ucnv_getAlias(name.constData(), 0, &err);
    if (U_FAILURE(err))
        return nullptr;
    return internal;
}

// Opens a converter for a charset name; null when the name is unknown. A
// page labelled ISO-8859-1 or US-ASCII (latin1, ascii...) is windows-1252 to
// every browser: its bytes 0x80 to 0x9F are quotes, dashes and the euro
// sign, not controls. It is read and written so, and keeps its label.
ConverterPtr openConverter(const QString& charset)
{
    QString canonical = canonicalCharset(charset);
    if (canonical.isEmpty())
        return nullptr;
    if (canonical == QLatin1String("ISO-8859-1") || canonical == QLatin1String("US-ASCII"))
        canonical = QStringLiteral("windows-1252");
    UErrorCode err = U_ZERO_ERROR;
    ConverterPtr conv(ucnv_open(canonical.toLatin1().constData(), &err));
    if (U_FAILURE(err))
        return nullptr;
    return conv;
}

bool isIso2022Escape(const QByteArray& bytes, qsizetype i)
{
    // ESC $ @, ESC $ B (JIS X 0208), ESC ( J (JIS Roman), ESC ( I (half-width kana)
    if (i + 2 >= bytes.size() || bytes[i] != '\x1b')
        return false;
    const char a = bytes[i + 1];
    const char b = bytes[i + 2];
    return (a == '$' && (b == '@' || b == 'B')) || (a == '(' && (b == 'J' || b == 'I'));
}

// ISO-2022-JP is 7-bit and so also valid UTF-8: recognise it by its escapes.
bool looksLikeIso2022Jp(const QByteArray& bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x80)
            return false;
    }
    for (qsizetype i = 0; i + 2 < bytes.size(); ++i) {
        if (isIso2022Escape(bytes, i))
            return true;
    }
    return false;
}

bool isValidUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        unsigned int cp = 0;
        unsigned int minimum = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
            minimum = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
            minimum = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
            minimum = 0x10000;
        } else {
            return false;
        }
        if (n - i - 1 < extra)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char cc = p[i + k];
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

// Reads the value of one attribute in the text of a tag (between "<meta" and
// ">"), lower-cased names; empty when absent.
QByteArray attributeValue(const QByteArray& tag, const QByteArray& name)
{
    qsizetype i = 0;
    const qsizetype n = tag.size();
    while (i < n) {
        while (i < n && (QChar::isSpace(uchar(tag[i])) || tag[i] == '/'))
            ++i;
        const qsizetype nameStart = i;
        while (i < n && !QChar::isSpace(uchar(tag[i])) && tag[i] != '=' && tag[i] != '/')
            ++i;
        const QByteArray attr = tag.mid(nameStart, i - nameStart).toLower();
        while (i < n && QChar::isSpace(uchar(tag[i])))
            ++i;
        QByteArray value;
        if (i < n && tag[i] == '=') {
            ++i;
            while (i < n && QChar::isSpace(uchar(tag[i])))
                ++i;
            if (i < n && (tag[i] == '"' || tag[i] == '\'')) {
                const char quote = tag[i++];
                const qsizetype start = i;
                while (i < n && tag[i] != quote)
                    ++i;
                value = tag.mid(start, i - start);
                if (i < n)
                    ++i;
            } else {
                const qsizetype start = i;
                while (i < n && !QChar::isSpace(uchar(tag[i])))
                    ++i;
                value = tag.mid(start, i - start);
            }
        }
        if (attr.isEmpty() && i == nameStart)
            ++i; // stray character; move on
        if (attr == name)
            return value;
    }
    return {};
}

// An attribute value with its character references read, as the page's
// parser reads them (numeric ones, and the named ones for the characters a
// charset's name or a Content-Type value is written with).
QByteArray withReferencesRead(const QByteArray& value)
{
    if (!value.contains('&'))
        return value;
    static const struct
    {
        const char* name;
        char c;
    } kNamed[] = {{"amp;", '&'},      {"quot;", '"'},   {"apos;", '\''},    {"lowbar;", '_'},
                  {"UnderBar;", '_'}, {"period;", '.'}, {"colon;", ':'},    {"semi;", ';'},
                  {"equals;", '='},   {"Tab;", '\t'},   {"NewLine;", '\n'}, {"sol;", '/'}};
    QByteArray out;
    out.reserve(value.size());
    const qsizetype n = value.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (value[i] != '&') {
            out.append(value[i]);
            continue;
        }
        qsizetype k = i + 1;
        if (k < n && value[k] == '#') {
            const bool hex = k + 1 < n && (value[k + 1] == 'x' || value[k + 1] == 'X');
            k += hex ? 2 : 1;
            const qsizetype digits = k;
            char32_t code = 0;
            while (k < n && (hex ? std::isxdigit(uchar(value[k])) : std::isdigit(uchar(value[k])))) {
                if (code <= 0x10FFFF)
                    code = code * (hex ? 16 : 10) +
                           char32_t(std::isdigit(uchar(value[k])) ? value[k] - '0' : (value[k] | 0x20) - 'a' + 10);
                ++k;
            }
            if (k == digits) {
                out.append(value[i]); // no digits: the '&' is text
                continue;
            }
            if (k < n && value[k] == ';')
                ++k;
            if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                code = 0xFFFD;
            out.append(QString::fromUcs4(&code, 1).toUtf8());
            i = k - 1;
            continue;
        }
        bool named = false;
        for (const auto& r : kNamed) {
            const qsizetype length = qsizetype(std::strlen(r.name));
            if (value.mid(k, length) == r.name) {
                out.append(r.c);
                i = k + length - 1;
                named = true;
                break;
            }
        }
        if (!named)
            out.append(value[i]);
    }
    return out;
}

// The charset named in a Content-Type value ("text/html; charset=Shift_JIS").
QByteArray charsetFromContentType(const QByteArray& content)
{
    const QByteArray lower = content.toLower();
    const qsizetype at = lower.indexOf("charset");
    if (at < 0)
        return {};
    qsizetype i = at + 7;
    while (i < content.size() && QChar::isSpace(uchar(content[i])))
        ++i;
    if (i >= content.size() || content[i] != '=')
        return {};
    ++i;
    while (i < content.size() && (QChar::isSpace(uchar(content[i])) || content[i] == '"' || content[i] == '\''))
        ++i;
    const qsizetype start = i;
    while (i < content.size() && !QChar::isSpace(uchar(content[i])) && content[i] != ';' && content[i] != '"' &&
           content[i] != '\'')
        ++i;
    return content.mid(start, i - start);
}

} // namespace codepages_detail

QString canonicalCharset(const QString& name)
{
    using namespace codepages_detail;
    const QByteArray latin = name.trimmed().toLatin1();
    // (A label of windows-1252 that browsers know and the converters do not.)
    if (latin.compare("x-cp1252", Qt::CaseInsensitive) == 0)
        return QStringLiteral("windows-1252");
    const char* internal = internalName(latin);
    if (!internal)
        return {};
    if (qstrcmp(internal, kWindows31jInternal) == 0)
        return QStringLiteral("windows-31j");
    UErrorCode err = U_ZERO_ERROR;
    const char* standard = ucnv_getStandardName(internal, "MIME", &err);
    if (!standard || U_FAILURE(err)) {
        err = U_ZERO_ERROR;
        standard = ucnv_getStandardName(internal, "IANA", &err);
    }
    // (TIS-620 has neither: browsers read it as windows-874.)
    if (!standard || U_FAILURE(err)) {
        err = U_ZERO_ERROR;
        standard = ucnv_getStandardName(internal, "WINDOWS", &err);
    }
    if (!standard || U_FAILURE(err))
        standard = internal;
    return QString::fromLatin1(standard);
}

QString decodeText(const QByteArray& bytes, const QString& charset, bool* ok)
{
    using namespace codepages_detail;
    if (ok)
        *ok = false;
    ConverterPtr conv = openConverter(charset);
    if (!conv)
        return {};
    QByteArray input = bytes;
    // A byte-order mark is not part of the text.
    if (canonicalCharset(charset) == QLatin1String("UTF-8") && input.startsWith("\xEF\xBB\xBF"))
        input.remove(0, 3);
    if (input.isEmpty()) {
        if (ok)
            *ok = true;
        return {};
    }

    // First strictly, to learn whether every byte decoded; then, on failure,
    // with substitution so the caller still gets what could be read.
    for (int pass = 0; pass < 2; ++pass) {
        UErrorCode err = U_ZERO_ERROR;
        if (pass == 0)
            ucnv_setToUCallBack(conv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
        else
            ucnv_setToUCallBack(conv.get(), UCNV_TO_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &err);
        ucnv_reset(conv.get());
        // Every byte yields at most two UTF-16 units.
        QString out(input.size() * 2 + 2, Qt::Uninitialized);
        err = U_ZERO_ERROR;
        const int32_t len = ucnv_toUChars(conv.get(), reinterpret_cast<UChar*>(out.data()), int32_t(out.size()),
                                          input.constData(), int32_t(input.size()), &err);
        if (U_SUCCESS(err)) {
            out.truncate(len);
            if (ok && pass == 0)
                *ok = true;
            return out;
        }
    }
    return {};
}

QByteArray encodeText(const QString& text, const QString& charset, bool* ok)
{
    using namespace codepages_detail;
    if (ok)
        *ok = false;
    ConverterPtr conv = openConverter(charset);
    if (!conv)
        return {};
    if (text.isEmpty()) {
        if (ok)
            *ok = true;
        return {};
    }
    // One-way best fits (the wave dash to the full-width tilde, ...) are what
    // users expect when saving in a Japanese code page.
    ucnv_setFallback(conv.get(), true);
    const int32_t maxBytes = UCNV_GET_MAX_BYTES_FOR_STRING(text.size(), ucnv_getMaxCharSize(conv.get())) + 8;
    for (int pass = 0; pass < 2; ++pass) {
        UErrorCode err = U_ZERO_ERROR;
        if (pass == 0) {
            ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
        } else {
            ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr, &err);
            err = U_ZERO_ERROR;
            ucnv_setSubstChars(conv.get(), "?", 1, &err);
        }
        ucnv_reset(conv.get());
        QByteArray out(maxBytes, Qt::Uninitialized);
        err = U_ZERO_ERROR;
        const int32_t len =
            ucnv_fromUChars(conv.get(), out.data(), int32_t(out.size()),
                            reinterpret_cast<const UChar*>(text.constData()), int32_t(text.size()), &err);
        if (U_SUCCESS(err)) {
            out.truncate(len);
            if (ok && pass == 0)
                *ok = true;
            return out;
        }
    }
    return {};
}

QByteArray encodeHtmlText(const QString& text, const QString& charset)
{
    using namespace codepages_detail;
    ConverterPtr conv = openConverter(charset);
    if (!conv || text.isEmpty())
        return {};
    ucnv_setFallback(conv.get(), true);
    UErrorCode err = U_ZERO_ERROR;
    ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_ESCAPE, UCNV_ESCAPE_XML_DEC, nullptr, nullptr, &err);
    if (U_FAILURE(err))
        return {};
    // Room for the text as it is; more when references make it longer.
    QByteArray out(UCNV_GET_MAX_BYTES_FOR_STRING(text.size(), ucnv_getMaxCharSize(conv.get())) + 8, Qt::Uninitialized);
    for (int pass = 0; pass < 2; ++pass) {
        ucnv_reset(conv.get());
        err = U_ZERO_ERROR;
        const int32_t len =
            ucnv_fromUChars(conv.get(), out.data(), int32_t(out.size()),
                            reinterpret_cast<const UChar*>(text.constData()), int32_t(text.size()), &err);
        if (U_SUCCESS(err)) {
            out.truncate(len);
            return out;
        }
        if (err != U_BUFFER_OVERFLOW_ERROR)
            break;
        out = QByteArray(len + 8, Qt::Uninitialized);
    }
    return {};
}

QString charsetFromMeta(const QByteArray& bytes)
{
    using namespace codepages_detail;
    // The META belongs in the head; a page's head is small, but some carry long
    // scripts before their META, so look well past the first kilobyte.
    constexpr qsizetype kScanLimit = 64 * 1024;
    const QByteArray head = bytes.left(kScanLimit);
    const QByteArray lower = head.toLower();
    qsizetype from = 0;
    // A META in a comment names nothing, as for the page's parser (pages
    // keep their old charset so): the next comment's start, looked for
    // again once passed.
    qsizetype comment = -1;
    while (true) {
        const qsizetype at = lower.indexOf("<meta", from);
        if (at < 0)
            break;
        if (comment < from)
            comment = lower.indexOf("<!--", from);
        if (comment >= 0 && comment < at) {
            // ("<!-->" is a whole comment; one not closed holds the rest.)
            const qsizetype close = lower.indexOf("-->", comment + 2);
            if (close < 0)
                break;
            from = close + 3;
            continue;
        }
        const qsizetype afterName = at + 5;
        if (afterName < lower.size() && !QChar::isSpace(uchar(lower[afterName])) && lower[afterName] != '/') {
            from = afterName;
            continue;
        }
        const qsizetype end = lower.indexOf('>', afterName);
        if (end < 0)
            break;
        const QByteArray tag = head.mid(afterName, end - afterName);
        from = end + 1;

        // (The values as the page's parser reads them, its META then naming
        // the same charset as here.)
        QByteArray name = withReferencesRead(attributeValue(tag, "charset"));
        if (name.isEmpty() &&
            withReferencesRead(attributeValue(tag, "http-equiv")).trimmed().toLower() == "content-type")
            name = charsetFromContentType(withReferencesRead(attributeValue(tag, "content")));
        name = name.trimmed();
        if (name.isEmpty())
            continue;
        // A charset the converters do not know is no answer: browsers read
        // on, and so does this.
        const QString canonical = canonicalCharset(QString::fromLatin1(name));
        if (!canonical.isEmpty())
            return canonical;
    }
    return {};
}

QString detectCharset(const QByteArray& bytes)
{
    using namespace codepages_detail;
    // A byte-order mark names the encoding for certain: no Japanese code page
    // starts a text with these bytes, and a META inside UTF-16 cannot be read
    // as bytes at all.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QStringLiteral("UTF-8");
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return QStringLiteral("UTF-16"); // the converter reads the mark and drops it
    // Without a mark, a page in UTF-16 still starts its markup with a '<'
    // (after spaces, if any) that holds a zero byte: read as bytes, its
    // markup would show as text.
    for (qsizetype k = 0; k + 3 < bytes.size(); k += 2) {
        const char lo = bytes[k];
        const char hi = bytes[k + 1];
        const bool little = hi == 0 && bytes[k + 3] == 0;
        const bool big = lo == 0 && bytes[k + 2] == 0;
        const char c = little ? lo : big ? hi : '\x01';
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f')
            continue;
        if (c == '<')
            return little ? QStringLiteral("UTF-16LE") : QStringLiteral("UTF-16BE");
        break;
    }
    // A META read as plain bytes cannot be telling the truth about UTF-16 (or
    // UTF-32): the page is not in it, so its content decides.
    const QString meta = canonicalCharset(charsetFromMeta(bytes));
    if (!meta.isEmpty() && !meta.startsWith(QLatin1String("UTF-16"), Qt::CaseInsensitive) &&
        !meta.startsWith(QLatin1String("UTF-32"), Qt::CaseInsensitive))
        return meta;
    if (looksLikeIso2022Jp(bytes))
        return QStringLiteral("ISO-2022-JP");
    if (isValidUtf8(bytes))
        return QStringLiteral("UTF-8");

    QString likeliest; // the detector's first guess
    UErrorCode err = U_ZERO_ERROR;
    DetectorPtr detector(ucsdet_open(&err));
    if (U_SUCCESS(err)) {
        ucsdet_enableInputFilter(detector.get(), true);
        // The statistics settle long before the end of a large page.
        constexpr qsizetype kDetectorSample = 64 * 1024;
        ucsdet_setText(detector.get(), bytes.constData(), int32_t(qMin(bytes.size(), kDetectorSample)), &err);
        int32_t count = 0;
        const UCharsetMatch** matches = U_SUCCESS(err) ? ucsdet_detectAll(detector.get(), &count, &err) : nullptr;
        if (U_SUCCESS(err) && matches) {
            for (int32_t i = 0; i < count; ++i) {
                UErrorCode nameErr = U_ZERO_ERROR;
                const char* name = ucsdet_getName(matches[i], &nameErr);
                if (U_FAILURE(nameErr) || !name)
                    continue;
                if (likeliest.isEmpty())
                    likeliest = canonicalCharset(QString::fromLatin1(name));
                if (qstrcmp(name, "Shift_JIS") == 0)
                    return QStringLiteral("windows-31j");
                if (qstrcmp(name, "EUC-JP") == 0)
                    return QStringLiteral("EUC-JP");
                if (qstrcmp(name, "ISO-2022-JP") == 0)
                    return QStringLiteral("ISO-2022-JP");
            }
        }
    }
    // Not UTF-8 and nothing Japanese recognised: the program's own code page,
    // unless the page is no text in it (a Western page without META, whose
    // quotes and dashes it would lose): then the detector's first guess.
    bool readable = false;
    decodeText(bytes, QStringLiteral("windows-31j"), &readable);
    if (!readable && !likeliest.isEmpty())
        return likeliest;
    return QStringLiteral("windows-31j");
}

} // namespace platform
