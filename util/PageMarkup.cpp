#include "util/PageMarkup.h"

#include "util/ElementTagIds.h"
#include "util/PageDom.h"

#include "engine/dom/Document.h"
#include "engine/markup/MarkupPointer.h"
#include "engine/markup/MarkupServices.h"

namespace pagemarkup_detail {

using engine::Element;
using engine::MarkupPointer;
using engine::Ref;

// Makes an element of the tag identifier and puts it, empty, at the pointer.
// Null when the identifier names no element or the insertion failed.
Ref<Element> insertAt(engine::Document* doc, int tagId, const QString& attributes, const MarkupPointer& at)
{
    Ref<Element> made = engine::MarkupServices::createElement(doc, TagNameFromId(tagId), attributes);
    if (!made || !engine::MarkupServices::insertElement(made.get(), at, at))
        return nullptr;
    return made;
}

// The elements of the tag inside the page's BODY, as they stand now.
std::vector<Ref<Element>> bodyElementsByTag(engine::Document* doc, const QString& tagName)
{
    Element* body = doc ? doc->body() : nullptr;
    if (!body || tagName.isEmpty())
        return {};
    return body->getElementsByTagName(tagName).toVector();
}

} // namespace pagemarkup_detail

using engine::Element;
using engine::MarkupPointer;
using engine::MarkupServices;
using engine::Ref;

HRESULT CreatePageElement(Ref<Element>& element, const QString& tagName, CZQView* view)
{
    element = nullptr;
    Ref<engine::Document> doc;
    if (GetHTMLDocument(doc, view) != S_OK || tagName.isEmpty())
        return -1;
    element = doc->createElement(tagName);
    return S_OK;
}

HRESULT RemoveElementTag(Element* element, CZQView* view)
{
    Ref<engine::Document> doc;
    if (GetHTMLDocument(doc, view) != S_OK || !element)
        return -1;
    engine::UndoUnit unit(element->document());
    return MarkupServices::removeElement(element) ? S_OK : E_FAIL;
}

bool RemoveElementWithContent(engine::Document* document, CZQView* view, Element* element)
{
    if (!document || !view || !element)
        return false;
    // Differs from reporting every removal as done: an element that is not
    // in this page, or a removal the engine refuses, gives false.
    if (element->document() != document || !element->isConnected())
        return false;
    MarkupPointer start, end;
    if (!start.moveAdjacentToElement(element, MarkupPointer::Adjacency::BeforeBegin) ||
        !end.moveAdjacentToElement(element, MarkupPointer::Adjacency::AfterEnd))
        return false;
    return MarkupServices::remove(start, end);
}

HRESULT InsertNewElement(Ref<Element>* element, int tagId, const QString& attributes, Element* anchor,
                         engine::Document* document, CZQView*, int adjacency)
{
    if (element)
        *element = nullptr;
    // 1. The document.
    if (!document)
        return -1;
    // 2. The place.
    MarkupPointer at;
    if (!anchor || !at.moveAdjacentToElement(anchor, adjacency))
        return E_FAIL;
    // 3.-5. The element, in one undo unit.
    engine::UndoUnit unit(document);
    Ref<Element> made = pagemarkup_detail::insertAt(document, tagId, attributes, at);
    if (element)
        *element = made;
    return made ? S_OK : E_FAIL;
}

HRESULT InsertElementAtFirstTag(Ref<Element>* element, int tagId, const QString& tagName, CZQView* view,
                                const QString& attributes, int adjacency)
{
    if (element)
        *element = nullptr;
    // 1. The elements of the tag. Taken before inserting, so an element of
    // the same tag put next to them is not visited in turn.
    Ref<engine::Document> doc;
    if (GetHTMLDocument(doc, view) != S_OK)
        return -1;
    const std::vector<Ref<Element>> anchors = doc->getElementsByTagName(tagName).toVector();
    // 2. One new element next to each, all in one undo unit.
    engine::UndoUnit unit(doc.get());
    HRESULT hr = S_OK;
    for (const Ref<Element>& anchor : anchors) {
        MarkupPointer at;
        Ref<Element> made;
        if (at.moveAdjacentToElement(anchor.get(), adjacency))
            made = pagemarkup_detail::insertAt(doc.get(), tagId, attributes, at);
        hr = made ? S_OK : E_FAIL;
        // 3. The element made last.
        if (element)
            *element = made;
    }
    return hr;
}

HRESULT AppendChildElementHtml(engine::Node* parent, const QString& tagName, const QString& outerHtml,
                               Ref<Element>* element, engine::Document* document)
{
    if (element)
        *element = nullptr;
    // 1. The document.
    Ref<engine::Document> doc = document;
    if (!doc && GetHTMLDocument(doc) != S_OK)
        return -1;
    if (!parent || tagName.isEmpty())
        return -1;
    // 2.-4. In one undo unit: a new last child, replaced by the HTML.
    engine::UndoUnit unit(doc.get());
    Ref<Element> appended = doc->createElement(tagName);
    if (!parent->appendChild(appended) || appended->parentNode() != parent)
        return E_FAIL;
    // Differs from handing back the appended element: it left the page when
    // the HTML took its place, so the caller gets the element that stands there.
    const std::vector<Ref<Element>> placed = appended->setOuterHTML(outerHtml);
    if (element && !placed.empty())
        *element = placed.front();
    return S_OK;
}

void InsertHtmlNextToElement(Element* element, const QString& html)
{
    // 1. The page, in one undo unit.
    if (!element || !element->parentNode())
        return;
    engine::Document* doc = element->document();
    engine::UndoUnit unit(doc);
    // 2.-3. The HTML parsed and copied before the element.
    MarkupPointer target, start, end;
    if (!target.moveAdjacentToElement(element, MarkupPointer::Adjacency::BeforeBegin) ||
        !MarkupServices::parseString(doc, html, &start, &end) || !MarkupServices::copy(start, end, target))
        return;
    // 4. The element's bounds; the target steps into the HTML's first element.
    start.moveAdjacentToElement(element, MarkupPointer::Adjacency::BeforeBegin);
    end.moveAdjacentToElement(element, MarkupPointer::Adjacency::AfterEnd);
    target.right(true);
    // 5. The element moves in.
    MarkupServices::move(start, end, target);
}

void RemoveTagsByName(engine::Document* document, const QString& tagName)
{
    const auto elements = pagemarkup_detail::bodyElementsByTag(document, tagName);
    engine::UndoUnit unit(elements.empty() ? nullptr : document);
    for (const Ref<Element>& element : elements)
        MarkupServices::removeElement(element.get());
}

void RemoveAttributeByTag(engine::Document* document, const QString& tagName, const QString& attributeName, int)
{
    const auto elements = pagemarkup_detail::bodyElementsByTag(document, tagName);
    engine::UndoUnit unit(elements.empty() ? nullptr : document);
    for (const Ref<Element>& element : elements)
        element->removeAttribute(attributeName);
}
