#include "util/PageDom.h"

#include "util/AppContext.h"
#include "util/FileHelpers.h"
#include "util/HtmlTextScan.h"
#include "util/MessageBox.h"
#include "util/PathText.h"

#include "res/resource.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"

#include <QElapsedTimer>

namespace pagedom_detail {

using engine::Element;
using engine::Ref;

bool rangeParentHasAncestor(const engine::TextRange& range, QLatin1String tag, Ref<Element>* found = nullptr)
{
    Ref<Element> element = range.parentElement();
    if (!element || FindParentByTag(element, tag) != S_OK)
        return false;
    if (found)
        *found = element;
    return true;
}

// The kind of a service link by its address.
int boardKindOfHref(const QString& href)
{
    if (href.contains(QLatin1String("/BODR")))
        return 2;
    if (href.contains(QLatin1String(".GBODR")))
        return 3;
    return 1;
}

// The first start tag of an A element in the HTML text (not AREA, ABBR or
// ADDRESS, which begin with the same letter); empty when there is none.
QString firstAnchorTag(const QString& html)
{
    QString tag;
    for (int from = 0; (from = ExtractTagText(html, QStringLiteral("A"), tag, from)) >= 0; ++from) {
        const QChar next = from + 2 < html.size() ? html.at(from + 2) : QChar();
        if (!tag.isEmpty() && (next.isSpace() || next == QLatin1Char('>')))
            return tag;
    }
    return {};
}

} // namespace pagedom_detail

using engine::Element;
using engine::Ref;

HRESULT GetHTMLDocument(Ref<engine::Document>& document, CZQView* view)
{
    AppContext& app = AppContext::instance();
    document = nullptr;
    if (!view)
        view = app.activeView();
    if (!view)
        return -1;
    document = app.viewDocument(view);
    return document ? S_OK : -1;
}

HRESULT GetPageSelection(Ref<Element>* element, std::optional<engine::ControlRange>* controlRange,
                         std::optional<engine::TextRange>* textRange, CZQView* view)
{
    // 1. The document and its selection type.
    Ref<engine::Document> doc;
    if (GetHTMLDocument(doc, view) != S_OK)
        return -1;
    const engine::Selection& selection = doc->selection();
    switch (selection.type()) {
    case engine::Selection::Type::Control: {
        // 2. The control range and its first element, as asked.
        if (!controlRange && !element)
            return -1;
        engine::ControlRange range = selection.createControlRange();
        HRESULT hr = S_OK;
        if (element) {
            *element = range.item(0);
            hr = *element ? S_OK : -1;
        }
        if (controlRange)
            controlRange->emplace(std::move(range));
        return hr;
    }
    case engine::Selection::Type::Text:
        // 3. A text range only where text is edited.
        if (textRange) {
            engine::TextRange range = selection.createRange();
            if (IsTextRangeInTable(range) || IsTextRangeInMarquee(range) || IsTextRangeInFlow(range))
                textRange->emplace(std::move(range));
            else
                textRange->reset();
        }
        return S_OK;
    case engine::Selection::Type::None:
        // 4. The caret's collapsed range.
        if (!textRange)
            return -1;
        textRange->emplace(selection.createRange());
        return S_OK;
    }
    return -1;
}

QString GetSelectionType(engine::Selection** selection)
{
    if (selection)
        *selection = nullptr;
    Ref<engine::Document> doc;
    if (GetHTMLDocument(doc) != S_OK)
        return {};
    if (selection)
        *selection = &doc->selection();
    return doc->selection().typeText();
}

bool HasTextRangeSelection(std::optional<engine::TextRange>& range)
{
    range.reset();
    GetPageSelection(nullptr, nullptr, &range);
    return range.has_value();
}

QString GetTagName(const Element* element)
{
    return element ? element->tagName() : QString();
}

HRESULT FindParentByTag(Ref<Element>& element, const QString& tag)
{
    for (;;) {
        if (!element)
            return -1;
        if (element->hasTag(QLatin1String("BODY")))
            return -1;
        if (element->hasTag(tag))
            return S_OK;
        element = element->parentElement();
    }
}

HRESULT FindChildByTag(Ref<Element>& element, const QString& tag, int index)
{
    if (element && element->hasTag(tag))
        return S_OK;
    while (element) {
        element = element->children().item(index);
        if (element && element->hasTag(tag))
            return S_OK;
    }
    return -1;
}

HRESULT GetSelectedCell(Ref<Element>& cell)
{
    Ref<Element> element;
    std::optional<engine::TextRange> range;
    GetPageSelection(&element, nullptr, &range);
    cell = nullptr;
    if (element) {
        cell = element;
        return FindChildByTag(cell, QStringLiteral("TD"), 0);
    }
    if (!range)
        return -1;
    cell = range->parentElement();
    return FindParentByTag(cell, QStringLiteral("TD"));
}

bool IsTextRangeInTable(const engine::TextRange& range, bool* isTextBox)
{
    Ref<Element> table;
    if (!pagedom_detail::rangeParentHasAncestor(range, QLatin1String("TABLE"), &table))
        return false;
    if (isTextBox)
        *isTextBox = HasTextId(table.get());
    return true;
}

bool IsTextRangeInMarquee(const engine::TextRange& range)
{
    return pagedom_detail::rangeParentHasAncestor(range, QLatin1String("MARQUEE"));
}

bool IsTextRangeInFlow(const engine::TextRange& range)
{
    Element* element = range.parentElement();
    if (!element || element->hasTag(QLatin1String("BODY")))
        return false;
    for (; element; element = element->parentElement()) {
        if (element->hasTag(QLatin1String("BODY")))
            return true;
        const engine::Style* style = element->styleIfAny();
        if (style && style->position().trimmed().compare(QLatin1String("absolute"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return false;
}

bool HasFlowTextRange(CZQView* view)
{
    Ref<engine::Document> doc;
    if (GetHTMLDocument(doc, view) != S_OK || doc->selection().type() != engine::Selection::Type::Text)
        return false;
    return IsTextRangeInFlow(doc->selection().createRange());
}

Element* FindFlowAlignBlock(engine::Node* node)
{
    static const char* const kBlocks[] = {"P", "DIV", "H1", "H2", "H3", "H4", "H5", "H6"};
    static const char* const kStops[] = {"TD", "TH", "TABLE", "MARQUEE", "BODY"};
    for (Element* e = engine::elementAtOrAbove(node); e; e = e->parentElement()) {
        for (const char* tag : kBlocks) {
            if (e->hasTag(QLatin1String(tag)))
                return e;
        }
        for (const char* tag : kStops) {
            if (e->hasTag(QLatin1String(tag)))
                return nullptr;
        }
    }
    return nullptr;
}

bool IsTextRangeInCaption(const engine::TextRange& range)
{
    return pagedom_detail::rangeParentHasAncestor(range, QLatin1String("CAPTION"));
}

bool HasTextId(const Element* element)
{
    if (!element || !element->hasAttribute(QStringLiteral("id")))
        return false;
    return element->id().compare(QLatin1String("text"), Qt::CaseInsensitive) == 0;
}

QString UnwrapElement(Element* element)
{
    if (!element)
        return {};
    const QString html = element->innerHTML();
    element->setOuterHTML(html);
    return html;
}

void ApplyHyperlinkToFile(const QString& pagePath, Element* element, engine::TextRange* range, CZQView* view)
{
    AppContext& app = AppContext::instance();
    // 1. The view.
    if (!view)
        view = app.activeView();
    // 2. A page without a file name is saved first; it is linked by the
    // saved file's name.
    QString address = pagePath;
    if (!IsHtmlFileName(pagePath) && MessageBoxById(IDS_HYPERLINK_NEEDS_FILE_NAME, 0, 0x40, 4) == 6) {
        if (CZQDoc* open = FindOpenDocument(pagePath)) {
            const QString saved = app.saveDocument(open);
            // Differs from linking the name the page had before: a page left
            // unsaved has no file to link to, so nothing is linked.
            if (saved.isEmpty())
                return;
            address = GetFileNamePart(saved);
        }
    }
    // 3. The page.
    Ref<engine::Document> doc;
    if (GetHTMLDocument(doc, view) != S_OK)
        return;
    // 4. The link, written as Insert > Hyperlink writes it.
    app.applyLinkToSelection(view, element, range, address);
}

bool GetBoardLinkKind(const Element* element, int& kind)
{
    if (!element || !element->hasTag(QLatin1String("A")))
        return false;
    const QString href = element->getAttributeText(QStringLiteral("href"));
    if (href.isEmpty())
        return false;
    kind = pagedom_detail::boardKindOfHref(href);
    return true;
}

bool FindBoardLinkInSelection(Element* selected, int& kind)
{
    Ref<Element> link = selected;
    if (!selected)
        return false;
    HRESULT hr = -1;
    if (selected->hasTag(QLatin1String("TABLE")) || selected->hasTag(QLatin1String("TD")) ||
        selected->hasTag(QLatin1String("MARQUEE")))
        hr = FindChildByTag(link, QStringLiteral("A"), 0);
    else if (selected->hasTag(QLatin1String("IMG")))
        hr = FindParentByTag(link, QStringLiteral("A"));
    return hr == S_OK && GetBoardLinkKind(link.get(), kind);
}

bool IsBoardLinkElement(const engine::TextRange& range, int& kind)
{
    // 1. The range's parent element.
    Ref<Element> link = range.parentElement();
    if (!link)
        return false;
    // 2. The link around the range.
    if (FindParentByTag(link, QStringLiteral("A")) == S_OK)
        return GetBoardLinkKind(link.get(), kind);
    // 3. The first link written in the range.
    const QString tag = pagedom_detail::firstAnchorTag(range.htmlText());
    QString href;
    if (tag.isEmpty() || GetTagAttribute(tag, QStringLiteral("HREF"), href) < 0 || href.isEmpty())
        return false;
    kind = pagedom_detail::boardKindOfHref(href);
    return true;
}

engine::Node* VisitPageElements(engine::Document* document, engine::Node* from, int budgetMs,
                                const std::function<void(engine::Element*)>& visit)
{
    QElapsedTimer clock;
    if (budgetMs >= 0)
        clock.start();
    int sinceLook = 0;
    for (engine::Node* node = from; node; node = node->nextInTree(document)) {
        if (budgetMs >= 0 && ++sinceLook == 2048) {
            sinceLook = 0;
            if (clock.elapsed() >= budgetMs)
                return node;
        }
        if (engine::Element* element = node->isText() ? nullptr : node->asElement())
            visit(element);
    }
    return nullptr;
}
