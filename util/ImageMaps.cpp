#include "util/ImageMaps.h"

#include "util/AppContext.h"
#include "util/PageDom.h"
#include "util/PageMarkup.h"

#include "engine/dom/Document.h"
#include "engine/editing/TextRange.h"

#include <optional>

namespace imagemaps_detail {

using engine::Element;
using engine::Ref;

// A usemap value in its "#" form.
QString withHash(const QString& value)
{
    return value.startsWith(QLatin1Char('#')) ? value : QLatin1Char('#') + value;
}

// The map name an IMG's usemap gives, with or without its "#"; empty for
// other elements.
QString mapNameOf(const Element* element)
{
    if (!element->hasTag(QLatin1String("IMG")))
        return {};
    const QString usemap = element->getAttributeText(QStringLiteral("usemap"));
    return usemap.startsWith(QLatin1Char('#')) ? usemap.mid(1) : usemap;
}

// True when the only content of the link is the element (blank text aside).
bool isOnlyContent(const Element* link, const Element* element)
{
    for (const Ref<engine::Node>& child : link->childNodes()) {
        if (child.get() == element)
            continue;
        const engine::Text* text = child->asText();
        if (!text || !text->data().trimmed().isEmpty())
            return false;
    }
    return true;
}

} // namespace imagemaps_detail

using engine::Element;
using engine::Ref;

HRESULT FindImagesUsingMap(const QString& tagName, const QString& attributeName, const QString& value,
                           Ref<Element>& element)
{
    element = nullptr;
    // 1.-2. The elements of the tag.
    Ref<engine::Document> doc;
    if (tagName.isEmpty() || value.isEmpty() || GetHTMLDocument(doc) != S_OK)
        return -1;
    const engine::ElementCollection candidates = doc->getElementsByTagName(tagName);
    // 3. The first whose attribute equals the value.
    const bool usemap = attributeName.compare(QLatin1String("usemap"), Qt::CaseInsensitive) == 0;
    const QString wanted = usemap ? imagemaps_detail::withHash(value) : value;
    for (int i = 0; i < candidates.length(); ++i) {
        Element* candidate = candidates.item(i);
        QString found = candidate->getAttributeText(attributeName);
        if (usemap)
            found = imagemaps_detail::withHash(found);
        if (found.compare(wanted, Qt::CaseInsensitive) == 0) {
            element = candidate;
            return S_OK;
        }
    }
    // 4. None.
    return -1;
}

void MakeUniqueMapName(QString& name, const QStringList& reserved)
{
    // 1. The maps of the page.
    Ref<engine::Document> doc;
    if (GetHTMLDocument(doc) != S_OK)
        return;
    QStringList taken = reserved;
    for (const Ref<Element>& map : doc->getElementsByTagName(QStringLiteral("map")).toVector())
        taken.append(map->name());
    // 2.-3. The first free number.
    for (int k = 0;; ++k) {
        const QString candidate = QStringLiteral("ULOMap") + QString::number(k);
        if (!taken.contains(candidate, Qt::CaseInsensitive)) {
            name = candidate;
            return;
        }
    }
}

void RemoveImageMap()
{
    // 1. The page, in one undo unit.
    CZQView* view = AppContext::instance().activeView();
    Ref<engine::Document> doc;
    if (GetHTMLDocument(doc, view) != S_OK)
        return;
    engine::UndoUnit unit(doc.get());
    // 2. The selected objects.
    std::optional<engine::ControlRange> selected;
    if (GetPageSelection(nullptr, &selected, nullptr, view) != S_OK || !selected || selected->length() == 0)
        return;
    const std::vector<Ref<Element>> objects = selected->elements();
    // 3b. Each object, with the link it alone fills.
    // Differs from removing the whole link: a link that holds more than the
    // object keeps its other content.
    QStringList mapNames;
    for (const Ref<Element>& object : objects) {
        const QString mapName = imagemaps_detail::mapNameOf(object.get());
        if (!mapName.isEmpty())
            mapNames.append(mapName);
        Element* parent = object->parentElement();
        const bool wholeLink =
            parent && parent->hasTag(QLatin1String("A")) && imagemaps_detail::isOnlyContent(parent, object.get());
        RemoveElementWithContent(doc.get(), view, wholeLink ? parent : object.get());
    }
    // 3a. The maps of the deleted images.
    // Differs from deleting every such map: a map that an image left in the
    // page still uses stays.
    for (const QString& mapName : mapNames) {
        Ref<Element> user, map;
        if (FindImagesUsingMap(QStringLiteral("IMG"), QStringLiteral("usemap"), mapName, user) == S_OK)
            continue;
        while (FindImagesUsingMap(QStringLiteral("MAP"), QStringLiteral("name"), mapName, map) == S_OK &&
               RemoveElementWithContent(doc.get(), view, map.get())) {
        }
    }
}

void StripLinksAndImageMaps(engine::Document* document, CZQView* view)
{
    // 1. Only a page whose content comes from elsewhere.
    if (!view)
        view = AppContext::instance().activeView();
    if (!document || !view || !AppContext::instance().isImportedPage(view))
        return;
    // 2. Links, maps and areas lose their tags; images their usemap.
    engine::UndoUnit unit(document);
    RemoveTagsByName(document, QStringLiteral("A"));
    RemoveTagsByName(document, QStringLiteral("MAP"));
    RemoveTagsByName(document, QStringLiteral("AREA"));
    RemoveAttributeByTag(document, QStringLiteral("IMG"), QStringLiteral("USEMAP"), 0);
}
