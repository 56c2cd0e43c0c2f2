#include "effects/CScriptUtility.h"

#include "editor/objects/PositionedObjectHtml.h"
#include "effects/ScriptLiteral.h"

#include "util/AppContext.h"
#include "util/FileHelpers.h"
#include "util/PageDom.h"

#include "engine/dom/Document.h"
#include "engine/markup/MarkupPointer.h"
#include "engine/markup/MarkupServices.h"

#include "platform/DataRoot.h"
#include "platform/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <functional>
#include <limits>

namespace scriptutility_detail {

using engine::Element;
using engine::MarkupPointer;
using engine::Ref;

const QLatin1String kCallFunction("VornaScriptCall");
const QLatin1String kMarkerName("VornaScriptTemp");
const QLatin1String kRollOverName("VornaRollImage");
const QLatin1String kRollOverFunction("VornaChangeImage");

QString markerBlock()
{
    return QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\" name=\"VornaScriptTemp\"></SCRIPT>");
}

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The SCRIPT elements of the page in document order, as they stand now.
std::vector<Ref<Element>> scripts(const engine::Document* document)
{
    return document ? document->getElementsByTagName(QStringLiteral("SCRIPT")).toVector() : std::vector<Ref<Element>>{};
}

QString srcOf(const Element* script)
{
    return script->getAttributeText(QStringLiteral("src"));
}

// Inline scripts: SCRIPT elements without a src (a browser ignores the text
// of an include).
bool isInline(const Element* script)
{
    return !script->hasAttribute(QStringLiteral("src"));
}

// A script's text exactly as it stands in the page.
QString scriptText(const Element* script)
{
    return script->innerHTML();
}

void setScriptText(Element* script, const QString& text)
{
    if (scriptText(script) != text)
        script->setInnerText(text);
}

// The page's BODY; null for a page without one (a frameset page's FRAMESET
// is no BODY).
Element* bodyOf(const engine::Document* document)
{
    Element* body = document ? document->body() : nullptr;
    return body && body->hasTag(QLatin1String("BODY")) ? body : nullptr;
}

Ref<engine::Document> activeDocument()
{
    Ref<engine::Document> document;
    GetHTMLDocument(document);
    return document;
}

// Removes a SCRIPT element with its text: removing only its tags would
// leave the script as page text.
void removeScriptElement(Element* script)
{
    if (script && script->parentNode())
        script->remove();
}

// --- a small scanner of JavaScript text

// The position of the "}" that closes the block opened by the "{" at `open`,
// passing over strings, template literals and comments; -1 when the block is
// not closed. A quote left open ends at its line's end.
int matchingBrace(const QString& text, int open)
{
    int depth = 0;
    for (int i = open; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"' || c == u'\'' || c == u'`') {
            for (++i; i < text.size() && text[i] != c; ++i) {
                if (text[i] == u'\\')
                    ++i;
                else if (c != u'`' && isLineBreak(text[i]))
                    break;
            }
            continue;
        }
        if (c == u'/' && i + 1 < text.size() && text[i + 1] == u'/') {
            while (i < text.size() && !isLineBreak(text[i]))
                ++i;
            continue;
        }
        if (c == u'/' && i + 1 < text.size() && text[i + 1] == u'*') {
            const int end = text.indexOf(QLatin1String("*/"), i + 2);
            if (end < 0)
                return -1;
            i = end + 1;
            continue;
        }
        if (c == u'{')
            ++depth;
        else if (c == u'}' && --depth == 0)
            return i;
    }
    return -1;
}

// Where a function definition stands in a script text: the start of
// "function", its "{" and its "}". A function that is not closed counts as
// none.
struct FunctionSpan
{
    int start = -1;
    int open = -1;
    int close = -1;
    bool found() const { return close >= 0; }
};

FunctionSpan findFunction(const QString& text, const QString& name)
{
    const QRegularExpression definition(QStringLiteral("\\bfunction\\s+%1\\s*\\([^)]*\\)\\s*\\{").arg(name));
    FunctionSpan span;
    const QRegularExpressionMatch match = definition.match(text);
    if (!match.hasMatch())
        return span;
    span.open = int(match.capturedEnd()) - 1;
    span.close = matchingBrace(text, span.open);
    if (span.close >= 0)
        span.start = int(match.capturedStart());
    return span;
}

bool definesFunction(const QString& text, const QString& name)
{
    return findFunction(text, name).found();
}

// The text without the whole lines between `from` and `to` (each with its
// line break) whose text, leading blanks aside, matches. A line cut by
// `from` counts from there; one cut by `to` ends there.
QString removeLines(const QString& text, int from, int to, const std::function<bool(QStringView)>& matches)
{
    QString result = text.left(from);
    int at = from;
    while (at < to) {
        int end = at;
        while (end < to && !isLineBreak(text[end]))
            ++end;
        int next = end;
        if (next < to && text[next] == u'\r')
            ++next;
        if (next < to && text[next] == u'\n')
            ++next;
        int first = at;
        while (first < end && isBlank(text[first]))
            ++first;
        if (!matches(QStringView(text).mid(first, end - first)))
            result += QStringView(text).mid(at, next - at);
        at = next;
    }
    result += QStringView(text).mid(to);
    return result;
}

// A line as it may stand in a script: on one line, and unable to end the
// SCRIPT element or open an HTML comment inside it ("<\/" is "</" to JavaScript).
QString scriptSafe(const QString& line)
{
    QString safe = line;
    for (QChar& c : safe) {
        if (isLineBreak(c))
            c = u' ';
    }
    safe.replace(QLatin1String("</"), QLatin1String("<\\/"));
    safe.replace(QLatin1String("<!--"), QLatin1String("<\\!--"));
    return safe;
}

QString joinedLines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += scriptSafe(line) + QLatin1String(";\n");
    return text;
}

// The family's call lines taken out of VornaScriptCall's body (a family's
// call line begins with the family and "_").
QString removeCallLines(const QString& text, const QString& family)
{
    const FunctionSpan span = findFunction(text, kCallFunction);
    if (!span.found() || family.isEmpty())
        return text;
    const QString key = family + QLatin1Char('_');
    return removeLines(text, span.open + 1, span.close, [&](QStringView line) { return line.startsWith(key); });
}

// The family of a call line: its text before the first "_".
QString callFamily(const QString& callLine)
{
    const QString line = callLine.trimmed();
    const int underscore = line.indexOf(u'_');
    return underscore > 0 ? line.left(underscore) : QString();
}

QString decodeHtmlAttribute(const QString& value)
{
    QString text = value;
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

// An address with a scheme other than file: ("http://...", "//host/...").
bool isRemoteAddress(const QString& src)
{
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]+):"));
    const QString text = src.trimmed();
    if (text.startsWith(QLatin1String("//")))
        return true;
    const QRegularExpressionMatch match = scheme.match(text);
    return match.hasMatch() && match.captured(1).compare(QLatin1String("file"), Qt::CaseInsensitive) != 0;
}

// The elements of the page whose name or id is the text (without regard to
// case, as the old engine's getElementsByName found them).
std::vector<Ref<Element>> elementsNamed(const engine::Document* document, const QString& name)
{
    std::vector<Ref<Element>> found;
    if (!document || name.isEmpty())
        return found;
    for (const Ref<Element>& element : document->all().toVector()) {
        if (element->getAttributeText(QStringLiteral("name")).compare(name, Qt::CaseInsensitive) == 0 ||
            element->id().compare(name, Qt::CaseInsensitive) == 0)
            found.push_back(element);
    }
    return found;
}

bool copyFileContent(const QString& source, const QString& destination)
{
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(destination).canonicalFilePath() &&
        QFileInfo::exists(destination))
        return true;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    // Written beside the destination and renamed over it: a failed copy
    // leaves the file that was there.
    platform::SafeFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
            return false;
        if (out.write(chunk) != chunk.size())
            return false;
    }
    return out.commit();
}

QString withSlash(const QString& folder)
{
    QString text = CScriptUtility::PathToSlashes(folder);
    if (!text.endsWith(u'/'))
        text += u'/';
    return text;
}

// The file a variable's value (read back from its string) names: its
// backslashes turned into "/", the characters a src escapes back, and, for
// the mouse effects, without a leading "./".
QString imagePath(const QString& value, bool dropDotSlash)
{
    QString path = SrcAsLocalPath(value);
    path.replace(u'\\', u'/');
    if (dropDotSlash && path.startsWith(QLatin1String("./")))
        path.remove(0, 2);
    return path;
}

// Appends the values of name1, name2, ... up to the first that is missing.
void appendSeries(QStringList& list, const QString& block, const QString& name, bool dropDotSlash)
{
    for (int n = 1;; ++n) {
        const QString value = CScriptUtility::GetScriptVariable(name + QString::number(n), block);
        if (value == CScriptUtility::NotFoundMark())
            return;
        list.append(imagePath(value, dropDotSlash));
    }
}

} // namespace scriptutility_detail

using engine::Element;
using engine::MarkupPointer;
using engine::MarkupServices;
using engine::Ref;
using namespace scriptutility_detail;

// ---- effect files

QString CScriptUtility::CopyScriptFile(const QString& destinationFolder, const QString& fileName)
{
    const QString folder = withSlash(destinationFolder);
    CreateFolderPath(folder);
    const QString source =
        platform::resolveCaseBlind(AppContext::instance().installFolder(), QStringLiteral("Other/script/") + fileName);
    const QString destination = folder + fileName;
    if (fileName.isEmpty() || !QFileInfo(source).isFile() || !copyFileContent(source, destination))
        return {};
    return destination;
}

QString CScriptUtility::CopyFileToFolder(const QString& destinationFolder, const QString& sourcePath)
{
    const QString destination = withSlash(destinationFolder) + GetFileNamePart(sourcePath);
    if (!QFileInfo(sourcePath).isFile() || !copyFileContent(sourcePath, destination))
        return {};
    return destination;
}

QString CScriptUtility::EffectFolder(bool inWeb)
{
    const AppContext& app = AppContext::instance();
    if (inWeb && !app.webFolder().isEmpty())
        return withSlash(app.webFolder()) + QStringLiteral("other/");
    return withSlash(app.installFolder()) + QStringLiteral("Work/");
}

// ---- includes, onload and the script-call block

void CScriptUtility::IncludeScriptFiles(engine::Document* document, Element* body, const QString& fileOrFamily,
                                        bool inWeb, const QStringList* files)
{
    // 1. The family of the file or family text.
    const QString family = GetEffectFamily(fileOrFamily);
    if (!document || !body || !body->hasTag(QLatin1String("BODY")))
        return;
    engine::UndoUnit unit(document);
    // 2.-4. The family's includes go, with whatever text they hold. A text
    // without a family names no include.
    if (!family.isEmpty()) {
        for (const Ref<Element>& script : scripts(document)) {
            const QString src = srcOf(script.get());
            if (!src.isEmpty() && GetEffectFamily(GetFileNamePart(src)) == family)
                removeScriptElement(script.get());
        }
    }
    // 5. The new includes at the end of BODY.
    InsertScriptIncludes(body, fileOrFamily, inWeb, files);
}

void CScriptUtility::InsertScriptIncludes(Element* body, const QString& file, bool inWeb, const QStringList* files)
{
    const auto include = [&](const QString& path) {
        if (path.isEmpty())
            return;
        const QString src =
            inWeb ? QStringLiteral("other/") + GetFileNamePart(path) : LocalPathAsSrc(PathToSlashes(path));
        InsertHtmlAtBodyEnd(
            body, QStringLiteral("<script language=javascript src=\"%1\"></script>").arg(HtmlAttributeText(src)));
    };
    if (!body || !body->hasTag(QLatin1String("BODY")))
        return;
    engine::UndoUnit unit(body->document());
    if (!files) {
        include(file);
        return;
    }
    for (const QString& path : *files)
        include(path);
}

void CScriptUtility::AddBodyOnLoadCall(Element* body)
{
    // 1. The onload of BODY, read without regard to the case it was written in.
    if (!body || !body->hasTag(QLatin1String("BODY")))
        return;
    const QString onload = QStringLiteral("onload");
    const QString call = QStringLiteral("VornaScriptCall();");
    // 2. A BODY without onload gets the call alone.
    if (!body->hasAttribute(onload)) {
        body->setAttribute(onload, call);
        return;
    }
    // 3. An onload that calls it already stays.
    // Differs from reading the start tag's "onload" with its case: an
    // "onLoad" the page was written with would be replaced and lost.
    const QString value = body->getAttributeText(onload);
    if (value.contains(QLatin1String("VornaScriptCall()")))
        return;
    // 4. The call after what onload called before.
    body->setAttribute(onload, value.endsWith(u';') ? value + call : value + u';' + call);
}

QString CScriptUtility::BuildScriptCallBlock(const QStringList& callLines, const QStringList& variableLines)
{
    return QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">\n<!--\n") + joinedLines(variableLines) +
           QStringLiteral("\nfunction VornaScriptCall()\n{\n") + joinedLines(callLines) +
           QStringLiteral("}\n-->\n</SCRIPT>\n");
}

void CScriptUtility::AddScriptCallLines(engine::Document* document, const QStringList& callLines,
                                        const QStringList& variableLines)
{
    if (!document)
        return;
    engine::UndoUnit unit(document);
    // 1.-2. Every script-call block takes the lines. A block is an inline
    // script that defines VornaScriptCall: one that only names it (in a
    // string, a comment, a call) is the user's and stays as it is.
    bool merged = false;
    for (const Ref<Element>& script : scripts(document)) {
        const QString text = scriptText(script.get());
        if (!isInline(script.get()) || !definesFunction(text, kCallFunction))
            continue;
        setScriptText(script.get(), MergeVariableLines(MergeCallLines(text, callLines), variableLines));
        merged = true;
    }
    // 3. A page without one gets a new block.
    if (!merged)
        InsertScriptCallBlock(callLines, variableLines, document);
}

void CScriptUtility::InsertScriptCallBlock(const QStringList& callLines, const QStringList& variableLines,
                                           engine::Document* document)
{
    // 1. The block's text.
    const QString block = BuildScriptCallBlock(callLines, variableLines);
    // 2. The page's BODY.
    Element* body = bodyOf(document);
    if (!body)
        return;
    // 3. The marker at the end of BODY, then the block in its place.
    engine::UndoUnit unit(document);
    InsertHtmlAtBodyEnd(body, QString());
    ReplaceScriptMarker(block, document);
}

QString CScriptUtility::MergeCallLines(const QString& script, const QStringList& callLines)
{
    if (callLines.isEmpty() || !definesFunction(script, kCallFunction))
        return script;
    // 1.-2. The family's old call lines leave the function.
    // Differs from cutting from the family's first occurrence after the
    // function's name to its last: that took the other families' lines
    // between them, and the function's "}" with a call of the family after it.
    QString text = removeCallLines(script, callFamily(callLines.first()));
    // 3. The new ones go last in the function.
    const FunctionSpan span = findFunction(text, kCallFunction);
    const bool lineStart = isLineBreak(text[span.close - 1]);
    text.insert(span.close, (lineStart ? QString() : QStringLiteral("\n")) + joinedLines(callLines));
    return text;
}

QString CScriptUtility::MergeVariableLines(const QString& script, const QStringList& variableLines)
{
    if (variableLines.isEmpty() || !definesFunction(script, kCallFunction))
        return script;
    // 1.-2. Every old line of the family goes, each with its line break.
    // Differs from cutting up to the next carriage return, which took the
    // rest of the block when none followed.
    QString text = RemoveVariableLines(script, {GetVariableFamily(variableLines.first())});
    // 3. The new ones before the function.
    const FunctionSpan span = findFunction(text, kCallFunction);
    text.insert(span.start, joinedLines(variableLines));
    return text;
}

void CScriptUtility::InsertHtmlAtBodyEnd(Element* element, const QString& html)
{
    // 1. A place just before the element's end tag.
    engine::Document* document = element ? element->document() : nullptr;
    MarkupPointer target;
    if (!document || !target.moveAdjacentToElement(element, MarkupPointer::Adjacency::BeforeEnd))
        return;
    // 2.-3. The text, or the marker block, parsed and copied there.
    MarkupPointer start, end;
    if (!MarkupServices::parseString(document, html.isEmpty() ? markerBlock() : html, &start, &end))
        return;
    MarkupServices::copy(start, end, target);
}

void CScriptUtility::ReplaceScriptMarker(const QString& html, engine::Document* document)
{
    Ref<engine::Document> page = document ? Ref<engine::Document>(document) : activeDocument();
    std::vector<Ref<Element>> markers;
    for (const Ref<Element>& script : scripts(page.get())) {
        if (script->hasAttribute(QStringLiteral("name")) &&
            script->getAttributeText(QStringLiteral("name")) == kMarkerName)
            markers.push_back(script);
    }
    if (markers.empty())
        return;
    // Differs from giving every marker the text: markers left from an
    // insertion that did not finish would each get a copy. The newest one
    // stands last, at the end of BODY.
    engine::UndoUnit unit(page.get());
    for (size_t i = 0; i + 1 < markers.size(); ++i)
        removeScriptElement(markers[i].get());
    if (html.isEmpty())
        removeScriptElement(markers.back().get());
    else
        markers.back()->setOuterHTML(html);
}

void CScriptUtility::ReplaceElementHtml(engine::Document* document, Element* element, const QString& html)
{
    // 1. Pointers around the element.
    if (!document || !element || element->document() != document || !element->isConnected())
        return;
    MarkupPointer start, end;
    if (!start.moveAdjacentToElement(element, MarkupPointer::Adjacency::BeforeBegin) ||
        !end.moveAdjacentToElement(element, MarkupPointer::Adjacency::AfterEnd))
        return;
    // 2. One undo unit: the element goes.
    engine::UndoUnit unit(document);
    if (!MarkupServices::remove(start, end))
        return;
    // 3. What the text parses to takes its place.
    MarkupPointer parsedStart, parsedEnd;
    if (!html.isEmpty() && MarkupServices::parseString(document, html, &parsedStart, &parsedEnd))
        MarkupServices::move(parsedStart, parsedEnd, start);
}

// ---- texts

QString CScriptUtility::GetFileNamePart(const QString& path)
{
    const int last = qMax(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    return last < 0 ? path : path.mid(last + 1);
}

QString CScriptUtility::GetEffectFamily(const QString& text)
{
    const QString name = text.contains(u'/') || text.contains(u'\\') ? GetFileNamePart(text) : text;
    const int underscore = name.indexOf(u'_');
    if (underscore > 0)
        return name.left(underscore);
    const int dot = name.indexOf(u'.');
    return dot < 0 ? QString() : name.left(dot);
}

QString CScriptUtility::PathToSlashes(const QString& path)
{
    return QString(path).replace(u'\\', u'/');
}

QString CScriptUtility::GetVariableName(const QString& variableLine)
{
    const int equals = variableLine.indexOf(u'=');
    if (equals < 0)
        return {};
    int end = equals;
    while (end > 0 && isBlank(variableLine[end - 1]))
        --end;
    return variableLine.left(end);
}

QString CScriptUtility::GetVariableFamily(const QString& variableLine)
{
    const QString name = GetVariableName(variableLine).mid(4);
    const int underscore = name.indexOf(u'_');
    return underscore < 0 ? name : name.left(underscore);
}

QString CScriptUtility::GetTagAttributeValue(const QString& startTag, const QString& attributeName)
{
    // 1. A tag, cut after its first ">".
    const int lt = startTag.indexOf(u'<');
    const int gt = startTag.indexOf(u'>');
    if (lt < 0 || lt > 2 || gt < 0)
        return {};
    const QString tag = startTag.left(gt + 1);
    // 2. The attribute and its "=".
    const QString key = attributeName.endsWith(u'=') ? attributeName : attributeName + u'=';
    const int at = tag.indexOf(key);
    if (at < 0 || key.size() < 2)
        return {};
    // 3. The value: quoted up to its closing quote (or the ">"), else up to a blank or ">".
    int from = at + int(key.size());
    if (from < tag.size() && tag[from] == u'"') {
        ++from;
        int end = tag.indexOf(u'"', from);
        if (end < 0 || end > gt)
            end = gt;
        return tag.mid(from, end - from);
    }
    int end = from;
    while (end < tag.size() && tag[end] != u' ' && tag[end] != u'>')
        ++end;
    return tag.mid(from, end - from);
}

// ---- listing and removal

void CScriptUtility::GetScriptSourceList(QString& list)
{
    list.clear();
    // 1. The active page and its BODY.
    const Ref<engine::Document> document = activeDocument();
    if (!document || !document->body())
        return;
    // 2. Each include's family once, in order.
    // Differs from testing whether the family occurs anywhere in the list:
    // a family whose key lies inside another's would be left out.
    QStringList families;
    for (const Ref<Element>& script : scripts(document.get())) {
        const QString family = GetEffectFamily(GetFileNamePart(srcOf(script.get())));
        if (!family.isEmpty() && !families.contains(family)) {
            families.append(family);
            list += family + u'\t';
        }
    }
}

void CScriptUtility::RemoveEffectCalls(engine::Document* document, Element* body, const QStringList& families)
{
    if (!document)
        return;
    engine::UndoUnit unit(document);
    bool functionRemoved = false;
    for (const Ref<Element>& script : scripts(document)) {
        const QString before = scriptText(script.get());
        if (!isInline(script.get()) || !definesFunction(before, kCallFunction))
            continue;
        // 1. The families' call lines.
        QString text = before;
        for (const QString& family : families)
            text = removeCallLines(text, family);
        // 2. Their variable lines.
        text = RemoveVariableLines(text, families);
        // 3. A function left with nothing to call.
        const QString withoutFunction = RemoveEmptyCallFunction(text);
        functionRemoved = functionRemoved || withoutFunction != text;
        text = withoutFunction;
        // 4.-5. The text back, or the SCRIPT element gone when nothing is left of it.
        if (IsEmptyScriptText(text))
            removeScriptElement(script.get());
        else
            setScriptText(script.get(), text);
    }
    // The onload call goes with the last function it could call.
    if (!functionRemoved)
        return;
    for (const Ref<Element>& script : scripts(document)) {
        if (isInline(script.get()) && definesFunction(scriptText(script.get()), kCallFunction))
            return;
    }
    RemoveBodyOnLoadCall(body);
}

void CScriptUtility::RemoveEffectIncludes(engine::Document* document, Element*, const QStringList& families)
{
    if (!document)
        return;
    engine::UndoUnit unit(document);
    for (const Ref<Element>& script : scripts(document)) {
        const QString family = GetEffectFamily(GetFileNamePart(srcOf(script.get())));
        // Differs from removing the tags only: the include's text would
        // stay behind as page text.
        if (!family.isEmpty() && families.contains(family))
            removeScriptElement(script.get());
    }
}

QString CScriptUtility::RemoveVariableLines(const QString& script, const QStringList& families)
{
    QStringList keys;
    for (const QString& family : families) {
        if (!family.isEmpty())
            keys.append(QStringLiteral("var ") + family + u'_');
    }
    if (keys.isEmpty())
        return script;
    return removeLines(script, 0, int(script.size()), [&](QStringView line) {
        for (const QString& key : keys) {
            if (line.startsWith(key))
                return true;
        }
        return false;
    });
}

QString CScriptUtility::RemoveEmptyCallFunction(const QString& script)
{
    const FunctionSpan span = findFunction(script, kCallFunction);
    if (!span.found())
        return script;
    // A body of nothing but blanks, line breaks and semicolons calls nothing.
    for (int i = span.open + 1; i < span.close; ++i) {
        const QChar c = script[i];
        if (!c.isSpace() && c != u';')
            return script;
    }
    int end = span.close + 1;
    if (end < script.size() && script[end] == u'\r')
        ++end;
    if (end < script.size() && script[end] == u'\n')
        ++end;
    return script.left(span.start) + script.mid(end);
}

bool CScriptUtility::IsEmptyScriptText(const QString& script)
{
    // "/" too: the roll-over block closes its comment with "//-->".
    for (const QChar c : script) {
        if (!c.isSpace() && c != u'<' && c != u'!' && c != u'-' && c != u'>' && c != u'/')
            return false;
    }
    return true;
}

void CScriptUtility::RemoveBodyOnLoadCall(Element* body)
{
    // 1.-2. BODY's onload.
    const QString onload = QStringLiteral("onload");
    if (!body || !body->hasTag(QLatin1String("BODY")) || !body->hasAttribute(onload))
        return;
    const QString value = body->getAttributeText(onload);
    // 3.-4. Only the call goes, with its semicolon; an onload that calls
    // nothing else goes too.
    // Differs from clearing every value shorter than 21 characters, which
    // took the page's own "init();" with it.
    static const QRegularExpression call(QStringLiteral("VornaScriptCall\\(\\)\\s*;?"));
    QString rest = value;
    rest.remove(call);
    if (rest == value)
        return;
    bool nothingLeft = true;
    for (const QChar c : rest)
        nothingLeft = nothingLeft && (c.isSpace() || c == u';');
    if (nothingLeft)
        body->removeAttribute(onload);
    else
        body->setAttribute(onload, rest.trimmed());
}

// ---- roll-over images

QString CScriptUtility::MakeUniqueElementName(const QString& baseName)
{
    // 1. The active page.
    const Ref<engine::Document> document = activeDocument();
    if (!document)
        return {};
    // 2. The largest number after the base in the names of the elements of
    // that name or id.
    qint64 largest = 0;
    for (const Ref<Element>& element : elementsNamed(document.get(), baseName)) {
        const QString name = GetElementName(element.get());
        int digits = int(baseName.size());
        while (digits < name.size() && name[digits].isDigit() && name[digits].unicode() < 128)
            ++digits;
        bool ok = false;
        const qint64 number = name.mid(baseName.size(), digits - baseName.size()).toLongLong(&ok);
        if (ok && number < std::numeric_limits<qint64>::max())
            largest = qMax(largest, number);
    }
    // 3. One more, with no bound on the name's length.
    return baseName + QString::number(largest + 1);
}

QString CScriptUtility::GetElementName(const Element* element)
{
    return element ? element->getAttributeText(QStringLiteral("name")) : QString();
}

QString CScriptUtility::GetScriptFunctionName(const QString& scriptElementName)
{
    return scriptElementName.compare(kRollOverName, Qt::CaseInsensitive) == 0 ? QString(kRollOverFunction) : QString();
}

QString CScriptUtility::GetRollOverScriptText(const QString& scriptElementName)
{
    if (GetScriptFunctionName(scriptElementName).isEmpty())
        return {};
    return QStringLiteral("<SCRIPT LANGUAGE=\"JavaScript\">\n<!--\n\nfunction VornaChangeImage(imageName, imagesrc) "
                          "{\n\tdocument.images[imageName].src = imagesrc;\n}\n//-->\n</SCRIPT>\n");
}

void CScriptUtility::EnsureRollOverScript(const QString& scriptElementName)
{
    // 1. The active page.
    const Ref<engine::Document> document = activeDocument();
    const QString function = GetScriptFunctionName(scriptElementName);
    if (!document || function.isEmpty())
        return;
    // 2.-3. Nothing to do when a script of the page defines the function.
    for (const Ref<Element>& script : scripts(document.get())) {
        if (isInline(script.get()) && definesFunction(scriptText(script.get()), function))
            return;
    }
    InsertRollOverScript(document.get(), scriptElementName);
}

void CScriptUtility::InsertRollOverScript(engine::Document* document, const QString& scriptElementName)
{
    const QString text = GetRollOverScriptText(scriptElementName);
    Element* body = bodyOf(document);
    if (!body || text.isEmpty())
        return;
    engine::UndoUnit unit(document);
    InsertHtmlAtBodyEnd(body, QString());
    ReplaceScriptMarker(text, document);
}

void CScriptUtility::RemoveRollOverScriptIfUnused(const QString& scriptElementName)
{
    // 1. The active page.
    const Ref<engine::Document> document = activeDocument();
    if (!document)
        return;
    // 2. No element of the name or id left: the script goes.
    if (elementsNamed(document.get(), scriptElementName).empty())
        RemoveRollOverScripts(document.get(), scriptElementName);
}

void CScriptUtility::RemoveRollOverScripts(engine::Document* document, const QString& scriptElementName)
{
    const QString function = GetScriptFunctionName(scriptElementName);
    if (!document || function.isEmpty())
        return;
    engine::UndoUnit unit(document);
    for (const Ref<Element>& script : scripts(document)) {
        // Differs from removing every script that names the function (its
        // tags only): a script of the user's that calls it, and the text of
        // the one that defines it, would be lost or left as page text. The
        // function goes, and with it a SCRIPT that held nothing else.
        const QString text = scriptText(script.get());
        const FunctionSpan span = findFunction(text, function);
        if (!isInline(script.get()) || !span.found())
            continue;
        const QString rest = text.left(span.start) + text.mid(span.close + 1);
        if (IsEmptyScriptText(rest))
            removeScriptElement(script.get());
        else
            setScriptText(script.get(), rest);
    }
}

// ---- files that a page's effects use

QString CScriptUtility::GetScriptVariable(const QString& variableName, const QString& script)
{
    // 1. The first occurrence of the name as a whole word.
    if (variableName.isEmpty())
        return NotFoundMark();
    const auto isNamePart = [](QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; };
    int at = -1;
    for (int from = 0;; from = at + 1) {
        at = int(script.indexOf(variableName, from));
        if (at < 0)
            return NotFoundMark();
        const int after = at + int(variableName.size());
        if ((at == 0 || !isNamePart(script[at - 1])) && (after >= script.size() || !isNamePart(script[after])))
            break;
    }
    // 2. Its line.
    int end = at;
    while (end < script.size() && !isLineBreak(script[end]))
        ++end;
    const QString line = script.mid(at, end - at);
    // 3. From the "=" on: a quoted value.
    const int equals = line.indexOf(u'=');
    if (equals < 0)
        return QString();
    // Differs from preferring a single quote wherever it stands: a quote of
    // the other kind inside a quoted value ("it's.gif") would cut it.
    const QString assigned = line.mid(equals + 1);
    const int single = assigned.indexOf(u'\'');
    const int dbl = assigned.indexOf(u'"');
    const int open = single < 0 ? dbl : (dbl < 0 ? single : qMin(single, dbl));
    if (open >= 0) {
        // Differs from stopping at the next quote of its kind: an escaped one
        // ("it\'s.gif") is part of the value, which is read back unescaped.
        for (int close = open + 1; close < assigned.size(); ++close) {
            if (assigned[close] == u'\\')
                ++close;
            else if (assigned[close] == assigned[open])
                return UnescapeScriptString(assigned.mid(open + 1, close - open - 1));
        }
        return QString();
    }
    // 4. An unquoted value, up to a blank or the statement's end.
    int from = 0;
    while (from < assigned.size() && isBlank(assigned[from]))
        ++from;
    int to = from;
    while (to < assigned.size() && !isBlank(assigned[to]) && assigned[to] != u';')
        ++to;
    return assigned.mid(from, to - from);
}

void CScriptUtility::GetScriptImageFiles(QStringList& list, const QString& html, bool wholeText)
{
    // 1. Each SCRIPT block: from "<SCRIPT" to the "<" of the next "</SCRIPT".
    const QLatin1String open("<SCRIPT");
    const QLatin1String close("</SCRIPT");
    int at = wholeText ? 0 : int(html.indexOf(open, 0, Qt::CaseInsensitive));
    bool whole = wholeText;
    while (at >= 0) {
        QString block;
        if (whole) {
            block = html;
        } else {
            const int end = int(html.indexOf(close, at, Qt::CaseInsensitive));
            if (end >= 0)
                block = html.mid(at, end - at + 1);
        }
        whole = false;
        // 2. The image variables of the block, in order.
        appendSeries(list, block, QStringLiteral("screen_ImgName"), false);
        appendSeries(list, block, QStringLiteral("mouse_Bomb"), true);
        const QString transparent = GetScriptVariable(QStringLiteral("mouse_TransparentImageSrc"), block);
        if (transparent != NotFoundMark())
            list.append(imagePath(transparent, true));
        appendSeries(list, block, QStringLiteral("mouse_Multi"), true);
        // 3. The next block.
        at = int(html.indexOf(open, at + 1, Qt::CaseInsensitive));
    }
}

void CScriptUtility::GetRollOverCallArgs(QStringList& list, const QString& html)
{
    const QLatin1String call("onmouseover=\"vornachangeimage(");
    for (int at = int(html.indexOf(call, 0, Qt::CaseInsensitive)); at >= 0;
         at = int(html.indexOf(call, at + 1, Qt::CaseInsensitive))) {
        // The call runs to the attribute's closing quote (a ")" in the
        // picture's name does not end it); the picture is its quoted
        // second argument.
        const int valueStart = at + int(QLatin1String("onmouseover=\"").size());
        int end = int(html.indexOf(u'"', valueStart));
        if (end < 0)
            end = int(html.size());
        const QString text = html.mid(valueStart, end - valueStart);
        const int comma = text.indexOf(u',');
        const int first = comma < 0 ? -1 : text.indexOf(u'\'', comma);
        const int last = text.lastIndexOf(u'\'');
        if (first >= 0 && last > first)
            list.append(decodeHtmlAttribute(text.mid(first + 1, last - first - 1)));
    }
}

void CScriptUtility::GetScriptFilePaths(QStringList& paths, CZQView* view)
{
    // 1. The view's page.
    Ref<engine::Document> document;
    if (GetHTMLDocument(document, view) != S_OK)
        return;
    // 2. Each local include's file in the effect folder.
    // Differs from mapping every include there: an address of another
    // server names no file of ours.
    const QString folder = EffectFolder(AppContext::instance().isActivePageInWeb());
    for (const Ref<Element>& script : scripts(document.get())) {
        const QString src = srcOf(script.get());
        if (!src.isEmpty() && !isRemoteAddress(src))
            paths.append(folder + GetFileNamePart(src));
    }
}
