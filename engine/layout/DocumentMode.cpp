#include "engine/layout/DocumentMode.h"

#include <QRegularExpression>

#include <algorithm>
#include <iterator>

namespace engine {

namespace {

// The public identifiers that begin with one of these put a page in quirks
// mode (HTML, "the initial insertion mode").
const char* const kQuirksPublicPrefixes[] = {
    "+//silmaril//dtd html pro v0r11 19970101//",
    "-//as//dtd html 3.0 aswedit + extensions//",
    "-//advasoft ltd//dtd html 3.0 aswedit + extensions//",
    "-//ietf//dtd html 2.0 level 1//",
    "-//ietf//dtd html 2.0 level 2//",
    "-//ietf//dtd html 2.0 strict level 1//",
    "-//ietf//dtd html 2.0 strict level 2//",
    "-//ietf//dtd html 2.0 strict//",
    "-//ietf//dtd html 2.0//",
    "-//ietf//dtd html 2.1e//",
    "-//ietf//dtd html 3.0//",
    "-//ietf//dtd html 3.2 final//",
    "-//ietf//dtd html 3.2//",
    "-//ietf//dtd html 3//",
    "-//ietf//dtd html level 0//",
    "-//ietf//dtd html level 1//",
    "-//ietf//dtd html level 2//",
    "-//ietf//dtd html level 3//",
    "-//ietf//dtd html strict level 0//",
    "-//ietf//dtd html strict level 1//",
    "-//ietf//dtd html strict level 2//",
    "-//ietf//dtd html strict level 3//",
    "-//ietf//dtd html strict//",
    "-//ietf//dtd html//",
    "-//metrius//dtd metrius presentational//",
    "-//microsoft//dtd internet explorer 2.0 html strict//",
    "-//microsoft//dtd internet explorer 2.0 html//",
    "-//microsoft//dtd internet explorer 2.0 tables//",
    "-//microsoft//dtd internet explorer 3.0 html strict//",
    "-//microsoft//dtd internet explorer 3.0 html//",
    "-//microsoft//dtd internet explorer 3.0 tables//",
    "-//netscape comm. corp.//dtd html//",
    "-//netscape comm. corp.//dtd strict html//",
    "-//o'reilly and associates//dtd html 2.0//",
    "-//o'reilly and associates//dtd html extended 1.0//",
    "-//o'reilly and associates//dtd html extended relaxed 1.0//",
    "-//sq//dtd html 2.0 hotmetal + extensions//",
    "-//softquad software//dtd hotmetal pro 6.0::19990601::extensions to html 4.0//",
    "-//softquad//dtd hotmetal pro 4.0::19971010::extensions to html 4.0//",
    "-//spyglass//dtd html 2.0 extended//",
    "-//sun microsystems corp.//dtd hotjava html//",
    "-//sun microsystems corp.//dtd hotjava strict html//",
    "-//w3c//dtd html 3 1995-03-24//",
    "-//w3c//dtd html 3.2 draft//",
    "-//w3c//dtd html 3.2 final//",
    "-//w3c//dtd html 3.2//",
    "-//w3c//dtd html 3.2s draft//",
    "-//w3c//dtd html 4.0 frameset//",
    "-//w3c//dtd html 4.0 transitional//",
    "-//w3c//dtd html experimental 19960712//",
    "-//w3c//dtd html experimental 970421//",
    "-//w3c//dtd w3 html//",
    "-//w3o//dtd w3 html 3.0//",
    "-//webtechs//dtd mozilla html 2.0//",
    "-//webtechs//dtd mozilla html//",
};

bool startsWithAny(const QString& id, std::initializer_list<const char*> prefixes)
{
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](const char* p) { return id.startsWith(QLatin1String(p)); });
}

} // namespace

DocumentMode documentModeOf(const QString& doctype)
{
    // <!DOCTYPE name [PUBLIC "public id" ["system id"] | SYSTEM "system id"]>,
    // after any XML declaration and comments.
    static const QRegularExpression kDoctype(
        QStringLiteral("<!doctype(?:\\s+([^\\s>]+))?(?:\\s+(public|system)\\s*(?:\"([^\"]*)\"|'([^']*)')"
                       "(?:\\s*(?:\"([^\"]*)\"|'([^']*)'))?)?\\s*>"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = kDoctype.match(doctype);
    if (!m.hasMatch() || m.captured(1).compare(QLatin1String("html"), Qt::CaseInsensitive) != 0)
        return DocumentMode::Quirks;
    const bool isPublic = m.captured(2).compare(QLatin1String("public"), Qt::CaseInsensitive) == 0;
    const bool hasQuoted = m.capturedStart(3) >= 0 || m.capturedStart(4) >= 0;
    const QString first = (m.capturedStart(3) >= 0 ? m.captured(3) : m.captured(4)).toLower();
    const bool hasSecond = m.capturedStart(5) >= 0 || m.capturedStart(6) >= 0;
    const QString publicId = isPublic ? first : QString();
    const bool hasSystemId = isPublic ? hasSecond : hasQuoted;
    const QString systemId = (isPublic ? (m.capturedStart(5) >= 0 ? m.captured(5) : m.captured(6)) : first).toLower();
    if (publicId == QLatin1String("-//w3o//dtd w3 html strict 3.0//en//") ||
        publicId == QLatin1String("-/w3c/dtd html 4.0 transitional/en") || publicId == QLatin1String("html") ||
        systemId == QLatin1String("http://www.ibm.com/data/dtd/v11/ibmxhtml1-transitional.dtd") ||
        std::any_of(std::begin(kQuirksPublicPrefixes), std::end(kQuirksPublicPrefixes),
                    [&](const char* p) { return publicId.startsWith(QLatin1String(p)); }))
        return DocumentMode::Quirks;
    const bool html401Loose =
        startsWithAny(publicId, {"-//w3c//dtd html 4.01 frameset//", "-//w3c//dtd html 4.01 transitional//"});
    if (html401Loose && !hasSystemId)
        return DocumentMode::Quirks;
    if (html401Loose ||
        startsWithAny(publicId, {"-//w3c//dtd xhtml 1.0 frameset//", "-//w3c//dtd xhtml 1.0 transitional//"}))
        return DocumentMode::LimitedQuirks;
    return DocumentMode::NoQuirks;
}

} // namespace engine
