#include "engine/dom/HtmlTags.h"

#include "engine/dom/SharedTexts.h"

#include <QHash>
#include <QSet>
#include <mutex>

namespace engine::tags {

namespace tags_detail {
QSet<QString> makeSet(std::initializer_list<const char*> names)
{
    QSet<QString> s;
    for (const char* n : names)
        s.insert(QString::fromLatin1(n));
    return s;
}
} // namespace tags_detail

bool isVoid(const QString& t)
{
    static const QSet<QString> s = tags_detail::makeSet(
        {"AREA",  "BASE",    "BASEFONT", "BGSOUND", "BR",   "COL",   "EMBED",  "FRAME",  "HR",    "IMG",
         "INPUT", "ISINDEX", "KEYGEN",   "LINK",    "META", "PARAM", "SOURCE", "SPACER", "TRACK", "WBR"});
    return s.contains(t);
}

bool isRawText(const QString& t)
{
    return t == QLatin1String("SCRIPT") || t == QLatin1String("STYLE") || t == QLatin1String("XMP") ||
           t == QLatin1String("NOEMBED") || t == QLatin1String("NOFRAMES") || t == QLatin1String("IFRAME") ||
           t == QLatin1String("PLAINTEXT");
}

bool startsLineInFile(const QString& t)
{
    static const QSet<QString> s = tags_detail::makeSet(
        {"HTML",  "HEAD",    "BODY",  "TITLE", "META",   "LINK",       "SCRIPT",   "STYLE", "P",       "DIV",
         "TABLE", "CAPTION", "TBODY", "THEAD", "TFOOT",  "TR",         "TD",       "TH",    "UL",      "OL",
         "LI",    "DL",      "DT",    "DD",    "H1",     "H2",         "H3",       "H4",    "H5",      "H6",
         "HR",    "FORM",    "MAP",   "AREA",  "CENTER", "BLOCKQUOTE", "FRAMESET", "FRAME", "NOFRAMES"});
    return s.contains(t);
}

bool isBlock(const QString& t)
{
    static const QSet<QString> s = tags_detail::makeSet(
        {"ADDRESS",  "BLOCKQUOTE", "BODY",     "CAPTION", "CENTER", "DD", "DIR", "DIV",      "DL",    "DT",
         "FIELDSET", "FORM",       "FRAMESET", "H1",      "H2",     "H3", "H4",  "H5",       "H6",    "HR",
         "HTML",     "LI",         "LISTING",  "MARQUEE", "MENU",   "OL", "P",   "PRE",      "TABLE", "TBODY",
         "TD",       "TFOOT",      "TH",       "THEAD",   "TR",     "UL", "XMP", "NOFRAMES", "MAP",   "AREA"});
    return s.contains(t);
}

bool isInlineFormatting(const QString& t)
{
    static const QSet<QString> s = tags_detail::makeSet(
        {"FONT", "B",    "STRONG", "I",   "EM",   "U",   "STRIKE", "S", "SUB",  "SUP",     "SPAN",  "BIG", "SMALL",
         "TT",   "CODE", "KBD",    "VAR", "CITE", "DFN", "SAMP",   "A", "ABBR", "ACRONYM", "BLINK", "NOBR"});
    return s.contains(t);
}

bool isBooleanAttribute(const QString& name)
{
    static const QSet<QString> s =
        tags_detail::makeSet({"nowrap", "noshade", "checked", "disabled", "selected", "readonly", "multiple", "compact",
                              "ismap", "declare", "defer", "nohref", "noresize", "autoplay", "controls", "hidden"});
    return s.contains(name.toLower());
}

bool isColorAttribute(const QString& name)
{
    static const QSet<QString> s = tags_detail::makeSet(
        {"bgcolor", "color", "text", "link", "vlink", "alink", "bordercolor", "bordercolorlight", "bordercolordark"});
    return s.contains(name.toLower());
}

QString intern(const QString& t)
{
    static std::mutex lock;
    static QHash<QString, QString> names;
    std::lock_guard<std::mutex> guard(lock);
    auto it = names.constFind(t);
    if (it != names.constEnd())
        return *it;
    if (names.size() < 4096)
        names.insert(t, t);
    return t;
}

} // namespace engine::tags

namespace engine::tags {

namespace {
// Texts of up to twelve characters.
SharedTexts<char16_t, 12, 512>& shortTexts()
{
    thread_local SharedTexts<char16_t, 12, 512> table;
    return table;
}
} // namespace

QString internShort(const QString& text)
{
    return shortTexts().get(reinterpret_cast<const char16_t*>(text.utf16()), text.size(), [&text] { return text; });
}

QString internShort(QStringView text)
{
    return shortTexts().get(reinterpret_cast<const char16_t*>(text.utf16()), text.size(),
                            [text] { return text.toString(); });
}

} // namespace engine::tags
