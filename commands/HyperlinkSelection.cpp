#include "commands/HyperlinkSelection.h"

#include "app/CZQView.h"
#include "commands/SelectionFormat.h"
#include "editor/CImpIDispatch.h"
#include "util/PageDom.h"
#include "util/PageMarkup.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/dom/Element.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/html/HtmlSerializer.h"
#include "engine/markup/MarkupServices.h"

#include <algorithm>
#include <vector>

namespace hyperlinkselection_detail {

using engine::Element;
using engine::Ref;

const QString kHref = QStringLiteral("href");
const QString kTarget = QStringLiteral("target");

bool hasKind(const QString& href, LinkKind kind)
{
    return !href.isEmpty() && LinkKindOfAddress(href) == kind;
}

// The A elements whose start tags lie inside the range, in page order (the
// first one only when `all` is not set).
std::vector<Element*> linksStartingIn(const engine::TextRange& range, bool all)
{
    std::vector<Element*> links;
    Element* scope = range.parentElement();
    if (!scope)
        return links;
    for (const Ref<Element>& a : scope->getElementsByTagName(QStringLiteral("A")).toVector()) {
        Element* parent = a->parentElement();
        if (!parent)
            continue;
        const int index = a->indexInParent();
        if (engine::LivePosition::compare(parent, index, range.start().node(), range.start().offset()) >= 0 &&
            engine::LivePosition::compare(parent, index, range.end().node(), range.end().offset()) < 0) {
            links.push_back(a.get());
            if (!all)
                break;
        }
    }
    return links;
}

// The first A whose start tag lies inside the range, in page order.
Element* firstLinkStartingIn(const engine::TextRange& range)
{
    const std::vector<Element*> links = linksStartingIn(range, false);
    return links.empty() ? nullptr : links.front();
}

// The start tag of an element with content, as the page writes it.
QString startTagOf(const Element* element)
{
    const QString outer = element->outerHTML();
    const qsizetype endTag = element->tagName().size() + 3;
    return outer.left(outer.size() - element->innerHTML().size() - endTag);
}

// The target when it is set, else no target.
void setOrRemoveTarget(Element* link, const QString& target)
{
    if (!target.isEmpty())
        link->setAttribute(kTarget, target);
    else
        link->removeAttribute(kTarget);
}

// The opening tag of a new link around a container's content.
QString linkStartTag(bool noUnderline, const QString& url, const QString& target)
{
    QString tag = QStringLiteral("<A ") + engine::HtmlSerializer::attributeText(kHref, url, true);
    if (!target.isEmpty())
        tag += QLatin1Char(' ') + engine::HtmlSerializer::attributeText(kTarget, target, true);
    if (noUnderline)
        tag += QStringLiteral(" style=\"text-decoration: none;\"");
    return tag + QLatin1Char('>');
}

// LinkTableCell and LinkMarquee: they differ only in the container's tag.
void linkContainer(Element* element, const QString& containerTag, bool noUnderline, const QString& url,
                   const QString& target)
{
    // 1. An A climbs to its container; anything else is the container.
    Ref<Element> container = element;
    if (!container)
        return;
    if (container->hasTag(QLatin1String("A")) && FindParentByTag(container, containerTag) != S_OK)
        return;
    if (!container->isConnected())
        return;
    engine::UndoUnit unit(container->document());
    // 2. The links inside go, their content stays.
    RemoveNestedTags(container.get(), QStringLiteral("A"));
    // 3. Without an address nothing more.
    if (url.isEmpty())
        return;
    // 4. The whole content in the new link.
    WrapElementContent(container.get(), linkStartTag(noUnderline, url, target) + QStringLiteral("</A>"));
}

// Reads the link element's address (when it is of the kind) and target.
bool readLinkElement(SelectionLink& link, Element* anchor, LinkKind kind)
{
    // 5. Address and target as text; the HTML of the link in every case.
    const QString href = anchor->getAttributeText(kHref);
    link.target = anchor->getAttributeText(kTarget);
    link.linkHtml = anchor->outerHTML();
    if (!hasKind(href, kind))
        return false;
    link.href = href;
    return true;
}

// The links written on text by the engine's link command: the A around the
// range, else those inside it (one in each block of a range over several).
std::vector<Element*> linksOfRange(const engine::TextRange& range)
{
    if (Element* parent = range.parentElement()) {
        if (Element* a = parent->closest(QLatin1String("A")))
            return {a};
    }
    // The link the range starts in, then those that start inside it.
    std::vector<Element*> links;
    if (Element* start = engine::elementAtOrAbove(range.start().node())) {
        if (Element* a = start->closest(QLatin1String("A")))
            links.push_back(a);
    }
    for (Element* a : linksStartingIn(range, true)) {
        if (std::find(links.begin(), links.end(), a) == links.end())
            links.push_back(a);
    }
    return links;
}

// One end of the selection: where it stood before links were taken apart.
struct SelectionEnd
{
    engine::Ref<engine::Node> node;
    int offset = 0;

    explicit SelectionEnd(const engine::LivePosition& place) : node(place.node()), offset(place.offset()) {}
    // An end inside a link that goes is kept when it lies in a text node,
    // which the link's removal moves whole; an end between the link's own
    // children would be lost.
    bool survivesUnlink() const
    {
        if (!node || node->isText())
            return true;
        Element* element = node->asElement();
        return !element || !element->closest(QLatin1String("A"));
    }
    // Where the end stands now: in its text node, else where the selection
    // followed the change.
    void restore(engine::Node*& at, int& atOffset, const engine::LivePosition& current) const
    {
        const bool kept = node && node->isText() && node->isConnected();
        at = kept ? node.get() : current.node();
        atOffset = kept ? offset : current.offset();
    }
};

// The engine's unlink over the selection, which then still covers the same
// text. The engine takes a link apart by moving its content out, and a
// selection inside it would collapse; its ends are put back in their text
// nodes. When an end cannot be kept, the links stay (the new link is then
// written over them, which takes the links inside it apart).
void UnlinkKeepingSelection(CZQView* view, engine::Selection& selection)
{
    const SelectionEnd start(selection.start()), end(selection.end());
    if (!start.survivesUnlink() || !end.survivesUnlink())
        return;
    view->ExecCommand(engine::CommandGroup::Unlink);
    engine::Node* startNode = nullptr;
    engine::Node* endNode = nullptr;
    int startOffset = 0, endOffset = 0;
    start.restore(startNode, startOffset, selection.start());
    end.restore(endNode, endOffset, selection.end());
    if (startNode && endNode)
        selection.setTextRange(startNode, startOffset, endNode, endOffset);
}

} // namespace hyperlinkselection_detail

using engine::Element;
using engine::Ref;

LinkKind LinkKindOfAddress(const QString& href)
{
    if (href.contains(QLatin1String("/BODR")))
        return kBoardLink;
    if (href.contains(QLatin1String(".GBODR")))
        return kGuestBookLink;
    return kPlainLink;
}

QString LinkAddressFromDialog(const QString& address)
{
    QString url = address;
    return url.replace(QLatin1String("%20"), QLatin1String(" "));
}

bool LinkHtmlHasNoUnderline(const QString& linkHtml)
{
    return linkHtml.contains(QLatin1String("TEXT-DECORATION: none"), Qt::CaseInsensitive);
}

bool GetSelectionLink(SelectionLink& link, LinkKind kind, CZQView* view)
{
    using namespace hyperlinkselection_detail;
    link.selectionKind = kLinkNothing;
    link.href.clear();
    link.linkHtml.clear();
    link.target.clear();
    // 1. The page selection, unless the caller gave what to link.
    if (!link.element && !link.range) {
        std::optional<engine::ControlRange> controls;
        GetPageSelection(&link.element, &controls, &link.range, view);
    }
    if (!link.element && !link.range)
        return false;
    // 2. BODY is never linked.
    if (link.element && link.element->hasTag(QLatin1String("BODY")))
        return false;
    Ref<Element> anchor;
    if (link.element && !link.range) {
        // 3. A control selection, by its tag.
        Element* element = link.element.get();
        if (element->hasTag(QLatin1String("TABLE")) || element->hasTag(QLatin1String("TD"))) {
            link.selectionKind = kLinkCell;
            if (FindChildByTag(link.element, QStringLiteral("TD"), 0) != S_OK)
                return false;
            link.linkHtml = link.element->innerHTML();
            anchor = link.element;
            if (FindChildByTag(anchor, QStringLiteral("A"), 0) != S_OK)
                anchor = nullptr;
        } else if (element->hasTag(QLatin1String("MARQUEE"))) {
            link.selectionKind = kLinkMarquee;
            anchor = link.element;
            if (FindChildByTag(anchor, QStringLiteral("A"), 0) != S_OK)
                anchor = nullptr;
        } else if (element->hasTag(QLatin1String("IMG"))) {
            link.selectionKind = kLinkImage;
            anchor = link.element;
            if (FindParentByTag(anchor, QStringLiteral("A")) != S_OK)
                anchor = nullptr;
        } else if (element->hasTag(QLatin1String("A"))) {
            link.selectionKind = kLinkAnchor;
            anchor = link.element;
        } else if (element->hasTag(QLatin1String("AREA"))) {
            link.selectionKind = kLinkArea;
            anchor = link.element;
        } else {
            link.element = nullptr;
            return false;
        }
    } else {
        // 4. Text, only inside a table, a marquee or the page's flowing
        // text (which takes links as a text box's text does).
        const engine::TextRange& range = *link.range;
        if (!IsTextRangeInTable(range) && !IsTextRangeInMarquee(range) && !IsTextRangeInFlow(range)) {
            link.element = nullptr;
            return false;
        }
        if (!range.isCollapsed()) {
            link.selectionKind = kLinkText;
            link.element = range.parentElement();
            if (!link.element)
                return false;
            anchor = link.element;
            if (FindParentByTag(anchor, QStringLiteral("A")) != S_OK) {
                // Differs from searching the range's HTML for "<A": the first
                // A element that starts in the range, its attributes as the
                // page holds them. Any kind of link counts.
                Element* inner = firstLinkStartingIn(range);
                if (!inner)
                    return false;
                link.href = inner->getAttributeText(kHref);
                link.target = inner->getAttributeText(kTarget);
                link.linkHtml = startTagOf(inner);
                return true;
            }
        } else {
            link.selectionKind = kLinkCaret;
            link.element = range.parentElement();
            if (link.element && FindParentByTag(link.element, QStringLiteral("A")) != S_OK)
                link.element = nullptr;
            anchor = link.element;
        }
    }
    // 5. The link found.
    return anchor && readLinkElement(link, anchor.get(), kind);
}

void ApplyLinkToSelection(const SelectionLink& link, const QString& url, const QString& target, bool noUnderline,
                          CZQView* view)
{
    using namespace hyperlinkselection_detail;
    // 1. Something to write and a page to write it on.
    if (url.isEmpty() && link.href.isEmpty())
        return;
    if (!view)
        view = ActiveFormatView();
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    if (!doc)
        return;
    Element* element = link.element.get();
    QString address = url;
    address.remove(QLatin1Char('"'));
    // Differs from linking an empty address: an address of nothing but
    // quotes changes nothing.
    if (!url.isEmpty() && address.isEmpty())
        return;
    {
        engine::UndoUnit unit(doc);
        if (!address.isEmpty()) {
            // 2. Linking, by what is selected.
            switch (link.selectionKind) {
            case kLinkText: {
                const engine::Variant href(address);
                if (link.range)
                    link.range->select();
                UnlinkKeepingSelection(view, doc->selection());
                if (view->ExecCommand(engine::CommandGroup::Hyperlink, &href) != S_OK)
                    break;
                for (Element* a : linksOfRange(doc->selection().createRange())) {
                    if (!target.isEmpty())
                        a->setAttribute(kTarget, target);
                    if (noUnderline)
                        a->style().setTextDecoration(QStringLiteral("none"));
                }
                break;
            }
            case kLinkImage: {
                if (!element)
                    break;
                // Differs from nesting a new link: an image already inside a
                // link of another kind has that link changed, not a second A
                // around it inside the first.
                Ref<Element> a = element;
                if (FindParentByTag(a, QStringLiteral("A")) == S_OK) {
                    a->setAttribute(kHref, address);
                    setOrRemoveTarget(a.get(), target);
                    break;
                }
                Ref<Element> newLink;
                if (CreatePageElement(newLink, QStringLiteral("A"), view) != S_OK)
                    break;
                newLink->setAttribute(kHref, address);
                if (InsertElementRelative(element, QStringLiteral("parent"), newLink) == 0 && !target.isEmpty())
                    newLink->setAttribute(kTarget, target);
                break;
            }
            case kLinkCell:
            case kLinkAnchor:
                LinkTableCell(element, noUnderline, link.linkHtml, address, target);
                break;
            case kLinkMarquee:
                LinkMarquee(element, noUnderline, link.linkHtml, address, target);
                break;
            case kLinkArea:
                if (!element)
                    break;
                element->setAttribute(kHref, address);
                setOrRemoveTarget(element, target);
                break;
            case kLinkCaret:
                if (!element || !element->hasTag(QLatin1String("A")))
                    break;
                element->setAttribute(kHref, address);
                setOrRemoveTarget(element, target);
                if (noUnderline)
                    element->style().setTextDecoration(QStringLiteral("none"));
                else
                    element->style().removeAttribute(QStringLiteral("text-decoration"));
                break;
            case kLinkNothing:
                break;
            }
        } else {
            // 3. Unlinking.
            switch (link.selectionKind) {
            case kLinkText:
                if (link.range)
                    link.range->select();
                UnlinkKeepingSelection(view, doc->selection());
                break;
            case kLinkImage:
                view->ExecCommand(engine::CommandGroup::Unlink);
                break;
            case kLinkCell:
                LinkTableCell(element, noUnderline, link.linkHtml, QString(), target);
                break;
            case kLinkMarquee:
                LinkMarquee(element, noUnderline, link.linkHtml, QString(), target);
                break;
            case kLinkCaret:
                if (element)
                    RemoveElementTag(element, view);
                break;
            case kLinkAnchor:
            case kLinkArea:
            case kLinkNothing:
                break;
            }
        }
    }
    // 4. The selection's kind flags follow.
    if (CImpIDispatch* sink = view->GetSink())
        sink->UpdateSelectionState();
}

void LinkTableCell(Element* element, bool noUnderline, const QString& linkHtml, const QString& url,
                   const QString& target)
{
    Q_UNUSED(linkHtml);
    hyperlinkselection_detail::linkContainer(element, QStringLiteral("TD"), noUnderline, url, target);
}

void LinkMarquee(Element* element, bool noUnderline, const QString& linkHtml, const QString& url, const QString& target)
{
    Q_UNUSED(linkHtml);
    hyperlinkselection_detail::linkContainer(element, QStringLiteral("MARQUEE"), noUnderline, url, target);
}

void RemoveNestedTags(Element* element, const QString& tag)
{
    if (!element)
        return;
    // Depth first: the children's descendants before the children.
    for (const Ref<Element>& child : element->children().toVector()) {
        RemoveNestedTags(child.get(), tag);
        if (child->hasTag(tag))
            engine::MarkupServices::removeElement(child.get());
    }
}

int InsertElementRelative(Element* reference, const QString& place, const Ref<Element>& element, Ref<Element>* result)
{
    if (result)
        *result = nullptr;
    if (!reference || !element || !reference->isConnected())
        return -1;
    engine::UndoUnit unit(reference->document());
    Element* placed = nullptr;
    if (place.compare(QLatin1String("PARENT"), Qt::CaseInsensitive) == 0)
        placed = reference->applyElement(element, QStringLiteral("outside"));
    else if (place.compare(QLatin1String("CHILD"), Qt::CaseInsensitive) == 0)
        placed = reference->applyElement(element, QStringLiteral("inside"));
    else if (place.compare(QLatin1String("BROTHER"), Qt::CaseInsensitive) == 0)
        placed = reference->insertAdjacentElement(QStringLiteral("afterEnd"), element);
    if (!placed)
        return -1;
    if (result)
        *result = placed;
    return 0;
}
