#include "app/PageContent.h"

#include "app/CZQView.h"
#include "editor/CImpIDispatch.h"
#include "source/HtmlNames.h"
#include "util/ElementTagIds.h"
#include "util/PageMarkup.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/html/HtmlParser.h"
#include "engine/markup/MarkupPointer.h"
#include "engine/markup/MarkupServices.h"

namespace pagecontent_detail {

using engine::MarkupContext;
using engine::MarkupPointer;

bool isBlankText(const QString& text)
{
    for (QChar ch : text) {
        if (!ch.isSpace())
            return false;
    }
    return true;
}

// The text of the run the pointer stands before (it does not move).
QString textAhead(const MarkupPointer& at, int length)
{
    engine::Node* node = at.container();
    if (!node)
        return QString();
    if (const engine::Text* text = node->asText())
        return text->data().mid(at.offset(), length);
    const engine::Node* next = node->child(at.offset());
    const engine::Text* text = next ? next->asText() : nullptr;
    return text ? text->data().left(length) : QString();
}

// The first charset a META tag of the text names ("" when none): the
// characters after "CHARSET" up to the tag's end, without blanks, quotes,
// "=" and ">", in upper case.
QString metaCharset(const QString& upper)
{
    for (qsizetype meta = upper.indexOf(QLatin1String("<META")); meta >= 0;
         meta = upper.indexOf(QLatin1String("<META"), meta + 5)) {
        qsizetype end = upper.indexOf(QLatin1Char('>'), meta);
        if (end < 0)
            end = upper.size() - 1;
        const qsizetype name = upper.indexOf(QLatin1String("CHARSET"), meta);
        if (name < 0 || name > end)
            continue;
        QString charset;
        for (qsizetype i = name + 7; i <= end; ++i) {
            const QChar ch = upper.at(i);
            if (!ch.isSpace() && ch != QLatin1Char('"') && ch != QLatin1Char('\'') && ch != QLatin1Char('=') &&
                ch != QLatin1Char('>'))
                charset += ch;
        }
        // Differs from the text walk it stands for: the charsets of several
        // META tags made one name that no codec knows; the first one counts.
        if (!charset.isEmpty())
            return charset;
    }
    return QString();
}

bool isAbsolutelyPositioned(const engine::Element* element)
{
    const engine::Style* style = element ? element->styleIfAny() : nullptr;
    return style && style->position().trimmed().compare(QLatin1String("absolute"), Qt::CaseInsensitive) == 0;
}

} // namespace pagecontent_detail

bool IsPlacedObject(const engine::Node* node)
{
    const engine::Element* element = node ? node->asElement() : nullptr;
    if (!element)
        return false;
    if (pagecontent_detail::isAbsolutelyPositioned(element))
        return true;
    if (!element->hasTag(QLatin1String("A")))
        return false;
    bool placed = false;
    for (const engine::Node* child = element->firstChild(); child; child = child->nextSibling()) {
        if (IsPlacedObject(child))
            placed = true;
        else if (!child->asText() || !pagecontent_detail::isBlankText(child->asText()->data()))
            return false;
    }
    return placed;
}

bool IsObjectTagName(const QString& tagName)
{
    static const char* const kObjectTags[] = {"TABLE", "IMG", "EMBED",   "DIV",    "A", "SCRIPT",
                                              "MAP",   "HR",  "MARQUEE", "APPLET", "!"};
    for (const char* tag : kObjectTags) {
        if (tagName.compare(QLatin1String(tag), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool HasLooseBodyText(engine::Document* document)
{
    using namespace pagecontent_detail;
    engine::Element* body = document ? document->body() : nullptr;
    if (!body || !body->hasTag(QLatin1String("BODY")))
        return false;
    // 1. Pointers at the start and end of BODY's content; the walker at the start.
    MarkupPointer walker;
    MarkupPointer end;
    if (!walker.moveAdjacentToElement(body, MarkupPointer::Adjacency::AfterBegin) ||
        !end.moveAdjacentToElement(body, MarkupPointer::Adjacency::BeforeEnd))
        return false;
    // 2. The walk.
    while (walker.isLeftOf(end)) {
        const engine::MarkupStep ahead = walker.right(false);
        switch (ahead.context) {
        case MarkupContext::EnterScope:
            if (IsObjectTagName(ahead.element->tagName()))
                walker.moveAdjacentToElement(ahead.element, MarkupPointer::Adjacency::AfterEnd);
            else
                walker.right();
            break;
        case MarkupContext::ExitScope:
            walker.moveAdjacentToElement(ahead.element, MarkupPointer::Adjacency::AfterEnd);
            break;
        case MarkupContext::NoScope:
            walker.right();
            break;
        case MarkupContext::Text:
            // Differs from the walk it stands for, which stops at the first
            // run of more than one character: here the white space between
            // tags comes as text runs too, and is not text to wrap.
            if (!isBlankText(textAhead(walker, ahead.textLength)))
                return true;
            walker.right();
            break;
        case MarkupContext::None:
            return false;
        }
    }
    return false;
}

int WrapLooseContent(engine::Document* document, CZQView* view, std::optional<bool> holdsPlacedObjects)
{
    // 1. The document and BODY.
    engine::Element* body = document ? document->body() : nullptr;
    if (!view || !body || !body->hasTag(QLatin1String("BODY")))
        return 1;
    engine::UndoUnit unit(document);

    // 2. The box one above the highest z-index in use.
    ++view->m_nMaxZIndex;
    const QString attributes = QStringLiteral("id=text style=\"LEFT: 20px; POSITION: absolute; TOP: 20px; z-index:%1\"")
                                   .arg(view->m_nMaxZIndex);

    // 3. TABLE, TBODY, TR and TD. The TABLE is made last in BODY and the
    // content moves in from before it, which leaves it first: made first, it
    // would number every node of a long BODY anew once more.
    engine::Ref<engine::Element> table;
    engine::Ref<engine::Element> tbody;
    engine::Ref<engine::Element> row;
    engine::Ref<engine::Element> cell;
    InsertNewElement(&table, TAGID_TABLE, attributes, body, document, view, 2);
    if (table)
        InsertNewElement(&tbody, TAGID_TBODY, QString(), table.get(), document, view, 1);
    if (tbody)
        InsertNewElement(&row, TAGID_TR, QString(), tbody.get(), document, view, 1);
    if (row)
        InsertNewElement(&cell, TAGID_TD, QString(), row.get(), document, view, 1);
    if (!cell) {
        if (table)
            RemoveElementWithContent(document, view, table.get());
        --view->m_nMaxZIndex;
        return 1;
    }

    // 4.-6. The placed objects go before the box in page order, everything
    // else into its cell in its order. Without placed objects everything
    // before the box goes into the cell at once (while the page loads, one
    // change however long the page); with them, in one pass over BODY, each
    // node taken from the end and put at an end, so that a long page costs
    // no more than its length.
    // Differs from the wrapping it stands for, which takes every element of
    // an object tag out of the flowing content, wherever it stands: a link
    // or a picture in a sentence, a table or a rule between paragraphs was
    // torn out of its text and the page's content lost its order. Only the
    // objects the editor places (absolutely positioned, standing outside the
    // flow) leave it; they keep their places on the page.
    const int tableIndex = table->indexInParent();
    bool anyPlaced = holdsPlacedObjects.value_or(false);
    for (int i = 0; !holdsPlacedObjects && i < tableIndex && !anyPlaced; ++i)
        anyPlaced = IsPlacedObject(body->child(i));
    if (!anyPlaced) {
        body->moveChildrenTo(0, cell.get(), tableIndex);
    } else {
        const std::vector<engine::Ref<engine::Node>> rest(body->childNodes().begin(),
                                                          body->childNodes().begin() + tableIndex);
        for (int i = tableIndex - 1; i >= 0; --i)
            body->removeChildAt(i);
        int objectCount = 0;
        for (const engine::Ref<engine::Node>& node : rest) {
            if (IsPlacedObject(node.get()))
                body->insertChildAt(objectCount++, node);
            else
                cell->insertChildAt(cell->childCount(), node);
        }
    }

    // 7. A box without text goes again (one with nothing but white space and
    // line breaks: the box's text is not written out to see it, which on a
    // long page would keep the window).
    if (!cell->hasInnerText(true)) {
        // Differs from the wrapping it stands for, which removes the box with
        // what it holds: pictures, form controls or comments without text
        // around them would be lost. They go back where they stood.
        cell->moveChildrenTo(0, body);
        RemoveElementWithContent(document, view, table.get());
        --view->m_nMaxZIndex;
    }
    // 8.
    return 0;
}

void SplitTagAttributes(const QString& tagName, const QString& tagText, QStringList& attributes)
{
    // 1. The attribute text: after the tag name and one separator, through the first ">".
    const QString upper = tagText.toUpper();
    const qsizetype name = upper.indexOf(tagName.toUpper());
    if (name < 0)
        return;
    const qsizetype close = upper.indexOf(QLatin1Char('>'), name);
    const qsizetype from = name + tagName.size() + 1;
    const QString text = close < 0 ? tagText.mid(from) : tagText.mid(from, close - from + 1);

    // 2.-3. The tokens.
    QString token;
    QChar quote; // the quote a value is in, or null
    bool nameExpected = true;
    bool nameTaken = false;
    bool equalsSeen = false;
    const auto endToken = [&](QChar ending) {
        if (!token.isEmpty()) {
            const QByteArray bytes = token.toUtf8();
            if (nameExpected && IsHtmlAttributeName(bytes.constData(), int(bytes.size()))) {
                attributes.append(token);
                nameTaken = true;
                nameExpected = false;
                equalsSeen = ending == QLatin1Char('=');
            } else if (nameTaken && equalsSeen) {
                attributes.append(token);
                nameTaken = false;
                equalsSeen = false;
                nameExpected = true;
            }
        }
        token.clear();
    };
    for (QChar ch : text) {
        if (!quote.isNull()) {
            // Differs from the reading it stands for, which drops every
            // single quote and takes either quote for the end: a script
            // value such as "alert('x')" keeps its inner quotes.
            if (ch == quote)
                quote = QChar();
            else
                token += ch;
            continue;
        }
        switch (ch.unicode()) {
        case '\t':
        case '\n':
        case '\r':
        case ' ':
            endToken(ch);
            break;
        case '"':
        case '\'':
            if (equalsSeen)
                quote = ch;
            break;
        case '=':
            if (nameTaken)
                equalsSeen = true;
            endToken(ch);
            break;
        case '>':
            endToken(ch);
            break;
        default:
            token += ch;
            break;
        }
    }
    endToken(QChar());
}

void ReplacePageTitle(const QString& html, CZQView* view)
{
    using engine::MarkupPointer;
    // 1. A broken TITLE end tag is mended.
    // Differs from the replacement it stands for, which refuses a text
    // without a TITLE end tag (the user's source would be dropped).
    QString text = html;
    if (text.indexOf(QLatin1String("</TITLE>"), 0, Qt::CaseInsensitive) < 0) {
        const qsizetype broken = text.indexOf(QLatin1String("/TITLE>"), 0, Qt::CaseInsensitive);
        if (broken >= 0)
            text.insert(broken, QLatin1Char('<'));
    }
    const QString upper = text.toUpper();

    // 2. The document, its HTML element and BODY.
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    engine::Element* htmlElement = doc ? doc->documentElement() : nullptr;
    if (!htmlElement)
        return;

    // 3. Around the HTML element, in one undo step.
    MarkupPointer before;
    MarkupPointer after;
    if (!before.moveAdjacentToElement(htmlElement, MarkupPointer::Adjacency::BeforeBegin) ||
        !after.moveAdjacentToElement(htmlElement, MarkupPointer::Adjacency::AfterEnd))
        return;
    engine::UndoUnit unit(doc);

    // 4. The old content goes, the parsed text takes its place. The text is
    // read as a whole page even when something stands before its HTML tag.
    int rest = 0;
    if (engine::HtmlParser::splitDoctype(text, &rest).isEmpty() &&
        !text.trimmed().startsWith(QLatin1String("<HTML"), Qt::CaseInsensitive))
        text.prepend(QLatin1String("<HTML>"));
    engine::MarkupServices::remove(before, after);
    MarkupPointer parsedStart;
    MarkupPointer parsedEnd;
    engine::MarkupServices::parseString(doc, text, &parsedStart, &parsedEnd);
    engine::MarkupServices::move(parsedStart, parsedEnd, before);

    // 5.-6. The BODY start tag of the text and its attributes.
    const qsizetype bodyTag = upper.indexOf(QLatin1String("<BODY"));
    const qsizetype bodyEnd = bodyTag < 0 ? -1 : upper.indexOf(QLatin1Char('>'), bodyTag);
    engine::Element* body = doc->body();
    if (bodyEnd < 0 || !body)
        return;
    QStringList attributes;
    SplitTagAttributes(QStringLiteral("BODY"), text.mid(bodyTag, bodyEnd - bodyTag + 1), attributes);

    // 7. The charset the text's META names.
    const QString charset = pagecontent_detail::metaCharset(upper);
    if (!charset.isEmpty())
        doc->setCharset(charset);

    // 8.-9. BODY keeps every attribute of its start tag as written, its
    // onload handler included. The parser already gave them, entities read
    // and quotes kept; an attribute it left out is written from the tag.
    for (qsizetype i = 0; i + 1 < attributes.size(); i += 2) {
        if (!body->hasAttribute(attributes.at(i)))
            body->setAttribute(attributes.at(i), engine::Variant(attributes.at(i + 1)));
    }

    // 10. The loose text into its box.
    // Differs from the replacement it stands for, which wraps every page: a
    // page without loose text keeps its objects in their order.
    if (HasLooseBodyText(doc))
        WrapLooseContent(doc, view);

    // 11. Image maps as the editor keeps them.
    if (CImpIDispatch* sink = view->GetSink()) {
        const std::vector<engine::Ref<engine::Element>> images = doc->images().toVector();
        for (const engine::Ref<engine::Element>& image : images)
            sink->RemoveUsemapHash(image.get());
    }
    // 12. The undo unit closes.
}
