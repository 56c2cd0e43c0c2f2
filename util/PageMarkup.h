#pragma once

#include "engine/dom/Ref.h"
#include "platform/Hresult.h"

#include <QString>

class CZQView;

namespace engine {
class Document;
class Element;
class Node;
} // namespace engine

// Structural changes of the live page through the engine's markup services:
// new elements at a place next to another, HTML around an element or as a
// last child, and removal of elements with or without their content.
// Places next to an element are adjacency values: 0 before its start tag,
// 1 after its start tag, 2 before its end tag, 3 after its end tag. Tags
// given by number are the identifiers of util/ElementTagIds.h. A change of
// more than one step is one undo step. Results: 0 success, -1 no page or
// nothing to work on, E_FAIL when the engine refused the change.

// A new element of the tag made by the view's page (the active page when none
// is given), not yet inserted.
HRESULT CreatePageElement(engine::Ref<engine::Element>& element, const QString& tagName, CZQView* view = nullptr);

// Removes the element's start and end tags and keeps its content in place.
HRESULT RemoveElementTag(engine::Element* element, CZQView* view = nullptr);

// Removes the element with everything inside it. False when an argument is
// missing, the element is not in a page, or the engine refused the removal.
// Callers that remove several elements open one undo unit around them all.
bool RemoveElementWithContent(engine::Document* document, CZQView* view, engine::Element* element);

// A new, empty element of the tag identifier with the attributes (written as
// inside a start tag, possibly empty) at the adjacency place of the anchor.
// The new element comes back in `element` (null when anything failed). The
// view is not used.
HRESULT InsertNewElement(engine::Ref<engine::Element>* element, int tagId, const QString& attributes,
                         engine::Element* anchor, engine::Document* document, CZQView* view, int adjacency);

// The same next to every element of the page whose tag is `tagName` (the
// elements there when the call begins). `element` receives the element made
// last; null when the page has none of the tag.
HRESULT InsertElementAtFirstTag(engine::Ref<engine::Element>* element, int tagId, const QString& tagName, CZQView* view,
                                const QString& attributes, int adjacency);

// Appends an element of the tag as the parent's last child and replaces it by
// the outer HTML; `element` receives the element that took its place (the
// HTML's own first element, whatever its tag). Without a document the
// active page's is used.
HRESULT AppendChildElementHtml(engine::Node* parent, const QString& tagName, const QString& outerHtml,
                               engine::Ref<engine::Element>* element, engine::Document* document = nullptr);

// Wraps the element in the HTML (an empty element such as "<A href=x.html></A>"):
// the element becomes the first content of the HTML's first element, where
// it stood before.
void InsertHtmlNextToElement(engine::Element* element, const QString& html);

// Removes the tags of every element of the tag inside BODY, keeping their content.
void RemoveTagsByName(engine::Document* document, const QString& tagName);

// Removes the attribute from every element of the tag inside BODY. The flags
// are accepted and not used.
void RemoveAttributeByTag(engine::Document* document, const QString& tagName, const QString& attributeName,
                          int flags = 0);
