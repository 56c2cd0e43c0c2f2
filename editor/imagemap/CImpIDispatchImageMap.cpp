#include "editor/CImpIDispatch.h"

#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "editor/imagemap/ImageMapAreas.h"
#include "editor/painters/CHTMLPainterImageMap.h"
#include "util/ImageMaps.h"
#include "util/PageDom.h"
#include "util/PageMarkup.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include <QHash>

// The image-map editor's model: the map of the pressed image read into one
// painter per area, the selection of an area, the deletion of one, and the
// steps the mouse handlers run for it.

namespace imagemap_detail {

using engine::Element;
using engine::Ref;

bool isTag(const Element* element, const char* tag)
{
    return element && element->hasTag(QLatin1String(tag));
}

QString withHash(const QString& usemap)
{
    return usemap.startsWith(QLatin1Char('#')) ? usemap : QLatin1Char('#') + usemap;
}

// Areas are found by their id without regard to case.
QString idKey(const QString& id)
{
    return id.toCaseFolded();
}

// The MAP elements of a page whose "#" + name is the usemap (case-blind), in
// document order.
std::vector<Ref<Element>> mapsNamedBy(engine::Document* doc, const QString& usemap)
{
    std::vector<Ref<Element>> found;
    if (!doc || usemap.isEmpty())
        return found;
    const QString wanted = withHash(usemap);
    for (Ref<Element>& map : doc->getElementsByTagName(QStringLiteral("map")).toVector()) {
        if ((QLatin1Char('#') + map->name()).compare(wanted, Qt::CaseInsensitive) == 0)
            found.push_back(std::move(map));
    }
    return found;
}

} // namespace imagemap_detail

using engine::Element;
using engine::Ref;

// The "#" of a usemap is the editor's bookkeeping while a map is edited: it
// leaves no undo step and does not mark the page changed.
void CImpIDispatch::SetUsemapQuietly(Element* image, const QString& usemap)
{
    engine::Document* doc = image ? image->document() : nullptr;
    if (!doc)
        return;
    doc->beginLoadScope();
    image->setAttribute(QStringLiteral("usemap"), engine::Variant(usemap));
    doc->endLoadScope();
}

bool CImpIDispatch::ReadImageBox(Element* image, QPoint& origin, platform::Rect& rect)
{
    engine::PageView* page = pageView();
    if (!page || !image)
        return false;
    // Differs from offsetLeft and offsetTop, which are relative to an image's
    // offset parent: the page box places images in cells and positioned
    // containers too.
    const QRect box = engine::Geometry(page->layout()).pageRect(image);
    if (!box.isValid())
        return false;
    origin = box.topLeft();
    rect = platform::Rect::fromQRect(box);
    return true;
}

QPoint CImpIDispatch::PagePointOf(QPoint client) const
{
    AddBodyScrollOffset(client);
    return client;
}

void CImpIDispatch::ReselectControlRange()
{
    engine::Document* doc = document();
    if (!doc || doc->selection().type() != engine::Selection::Type::Control)
        return;
    doc->selection().setControlRange(doc->selection().controlElements());
}

std::shared_ptr<CHTMLPainterImageMap> CImpIDispatch::SelectedAreaPainter() const
{
    if (!m_pView || m_pView->m_strSelectedAreaId == QLatin1String("none"))
        return nullptr;
    const QString& id = m_pView->m_strSelectedAreaId;
    for (const std::shared_ptr<CHTMLPainterImageMap>& painter : m_pView->m_areaPainters) {
        // An area written without an id keeps its painter by its element.
        const bool match = id.isEmpty() ? (m_pSelectedArea && painter->m_pArea == m_pSelectedArea)
                                        : painter->m_strId.compare(id, Qt::CaseInsensitive) == 0;
        if (match)
            return painter;
    }
    return nullptr;
}

std::shared_ptr<CHTMLPainterImageMap> CImpIDispatch::NewAreaPainter() const
{
    if (!m_pView || int(m_pView->m_areaPainters.size()) <= m_nMapAreaCount || m_pView->m_areaPainters.back()->m_pArea)
        return nullptr;
    return m_pView->m_areaPainters.back();
}

std::shared_ptr<CHTMLPainterImageMap> CImpIDispatch::AddAreaPainter(const QString& id, const QString& shape, int state,
                                                                    const std::vector<int>& coords)
{
    if (!m_pView)
        return nullptr;
    auto painter = std::make_shared<CHTMLPainterImageMap>();
    painter->m_strId = id;
    painter->m_strShape = shape;
    painter->m_nState = state;
    painter->m_coords = coords;
    painter->m_pView = m_pView;
    m_pView->m_areaPainters.push_back(painter);
    if (CMainFrame* frame = CMainFrame::instance())
        frame->AttachImageMapPainter(painter);
    return painter;
}

void CImpIDispatch::DropAreaPainter(const std::shared_ptr<CHTMLPainterImageMap>& painter)
{
    if (!m_pView || !painter)
        return;
    if (engine::PageView* page = pageView(); page && painter->m_pImage)
        page->removeBehavior(painter->m_pImage.get(), painter->m_lCookie);
    std::erase(m_pView->m_areaPainters, painter);
}

int CImpIDispatch::ImageMapMouseDown(Element* element)
{
    const auto ends = [](int result) { return result == -1 || result == 1; };
    // 1. The press.
    GetEventPoint(m_ptMouseDown);
    // 2. A drawing tool pressed outside its image ends.
    if (m_nEditMode == 3) {
        const int result = LeaveImageMapOnOutsidePress(element);
        if (ends(result))
            return result;
    }
    // 3. A handle of the selected area.
    if (m_nEditMode == 2) {
        const int result = BeginAreaHandleDrag(element);
        if (ends(result))
            return result;
    }
    // 4. The editing of the previous image ends.
    if (m_pMapImage && m_nEditMode != 3 && m_nEditMode != 5) {
        if (RemoveImageMapPainter(m_pMapImage.get()) == 0) {
            ResetImageMapMode();
            RemoveUsemapHash(m_pMapImage.get());
            ReselectControlRange();
        } else {
            ResetImageMapMode();
            m_pMapImage = nullptr;
        }
    }
    // 5. The pressed area is selected, the pressed image's map read.
    if (imagemap_detail::isTag(element, "AREA")) {
        const int result = SelectImageMapArea(element);
        if (ends(result))
            return result;
    } else if (imagemap_detail::isTag(element, "IMG")) {
        m_bAreaEdit = true;
        BeginImageMapEdit(element);
        if (m_nEditMode != 3 && m_nEditMode != 5)
            m_nEditMode = 1;
    } else {
        ResetImageMapMode();
    }
    // 6. The page keeps the mouse while an area is selected, drawn or dragged.
    if (m_nEditMode != 0 && m_nEditMode != 1)
        SetDocumentCapture();
    return 0;
}

int CImpIDispatch::ImageMapMouseMove()
{
    if (m_nEditMode == 5) {
        const int result = DragAreaHandle();
        if (result == -1 || result == 1)
            return result;
    }
    if (m_bNoMove)
        return MoveImageMapArea();
    return 0;
}

int CImpIDispatch::ImageMapMouseUp(Element* element)
{
    if (m_nEditMode != 0 && m_nEditMode != 1)
        ReleaseDocumentCapture();
    m_bAreaEdit = false;
    if (m_bNoMove || m_nEditMode == 5)
        return CommitAreaEdit(element);
    if (m_nEditMode == 3)
        return CommitNewArea(element);
    return 0;
}

int CImpIDispatch::BeginImageMapEdit(Element* element)
{
    // 1. The press.
    QPoint client;
    GetEventPoint(client);
    // 2. Nothing to do without an element or with several objects selected.
    if (!element || !m_pView || (m_pView->m_dwSelKind & 0x400))
        return 1;
    // 3. Only an image has a map.
    if (!imagemap_detail::isTag(element, "IMG"))
        return 0;
    // 4. Where the image is.
    ReadImageBox(element, m_ptImageOrigin, m_rcMapImage);
    // 5. Each press of the poly tool adds a vertex.
    if (m_nEditMode == 3 && AreaShapeOf(m_pView->m_strAreaShape) == AreaShape::Poly) {
        const QPoint vertex = PagePointOf(client) - m_ptImageOrigin;
        if (!m_bAreaDraw) {
            m_pView->m_areaWorkCoords.clear();
            m_bAreaDraw = true;
        }
        m_pView->m_areaWorkCoords.push_back(vertex.x());
        m_pView->m_areaWorkCoords.push_back(vertex.y());
    }
    // 6. The usemap, with its "#" while the map is edited.
    const engine::Variant read = element->getAttribute(QStringLiteral("usemap"));
    const QString usemap = read.isString() ? read.toString() : QString();
    // 7. No map.
    if (usemap.isEmpty())
        return 0;
    if (!usemap.startsWith(QLatin1Char('#')))
        SetUsemapQuietly(element, QLatin1Char('#') + usemap);
    // 8. Every area of every map of that name gets its painter: the one it
    // had (found by its id, or by the area itself when it has no id), else a
    // new one. One pass over the areas.
    std::vector<std::shared_ptr<CHTMLPainterImageMap>>& painters = m_pView->m_areaPainters;
    QHash<QString, std::shared_ptr<CHTMLPainterImageMap>> byId;
    QHash<const Element*, std::shared_ptr<CHTMLPainterImageMap>> byArea;
    for (auto it = painters.rbegin(); it != painters.rend(); ++it) {
        if (!(*it)->m_strId.isEmpty())
            byId.insert(imagemap_detail::idKey((*it)->m_strId), *it);
        else if ((*it)->m_pArea)
            byArea.insert((*it)->m_pArea.get(), *it);
    }
    // Differs from counting the map's areas: the count marks where the
    // painter of an area being drawn begins, so it counts the painters that
    // stand for areas (a "default" area or one of a second map of the name
    // would otherwise make each mouse move start another new area).
    std::vector<const CHTMLPainterImageMap*> standing;
    const auto counted = [&] {
        std::sort(standing.begin(), standing.end());
        m_nMapAreaCount = int(std::unique(standing.begin(), standing.end()) - standing.begin());
    };
    for (const Ref<Element>& map : imagemap_detail::mapsNamedBy(document(), usemap)) {
        for (const Ref<Element>& area : map->areas().toVector()) {
            const QString shape = area->getAttributeText(QStringLiteral("shape"));
            const QString id = area->getAttributeText(QStringLiteral("id"));
            const AreaShape kind = AreaShapeOf(shape);
            if (kind == AreaShape::Other)
                continue;
            std::vector<int> coords;
            ParseCoordinatePair(area->getAttributeText(QStringLiteral("coords")), coords);
            if (int(coords.size()) < AreaNumbersToRead(kind)) {
                counted();
                return 1;
            }
            std::shared_ptr<CHTMLPainterImageMap> painter =
                id.isEmpty() ? byArea.value(area.get()) : byId.value(imagemap_detail::idKey(id));
            if (painter) {
                painter->m_strId = id;
                painter->m_strShape = shape;
                painter->m_coords = std::move(coords);
                painter->m_nState = CHTMLPainterImageMap::Normal;
                painter->m_pArea = area;
                painter->InvalidatePainter();
            } else {
                painter = AddAreaPainter(id, shape, CHTMLPainterImageMap::Normal, coords);
                if (!painter)
                    continue;
                painter->m_pArea = area;
                if (id.isEmpty())
                    byArea.insert(area.get(), painter);
                else
                    byId.insert(imagemap_detail::idKey(id), painter);
            }
            standing.push_back(painter.get());
        }
    }
    counted();
    // 9.
    return 0;
}

void CImpIDispatch::GetImageOfArea(Element* area, Ref<Element>& image) const
{
    image = nullptr;
    Element* map = area ? area->parentElement() : nullptr;
    if (!imagemap_detail::isTag(area, "AREA") || !imagemap_detail::isTag(map, "MAP"))
        return;
    FindImagesUsingMap(QStringLiteral("IMG"), QStringLiteral("usemap"), map->name(), image);
}

int CImpIDispatch::LeaveImageMapOnOutsidePress(Element* element)
{
    // 1. The edited image.
    Ref<Element> image;
    if (imagemap_detail::isTag(m_pMapImage.get(), "IMG"))
        image = m_pMapImage;
    else if (imagemap_detail::isTag(m_pMapImage.get(), "AREA"))
        GetImageOfArea(m_pMapImage.get(), image);
    // 2. A press outside it ends the editing and the tool.
    if (image) {
        QPoint press;
        GetEventPoint(press);
        QPoint origin;
        platform::Rect box;
        if (ReadImageBox(image.get(), origin, box) && !box.contains(PagePointOf(press))) {
            if (RemoveImageMapPainter(image.get()) == 0)
                RemoveUsemapHash(image.get());
            ResetImageMapMode();
            CancelInsertMode();
            if (imagemap_detail::isTag(element, "IMG"))
                ReadImageBox(element, m_ptImageOrigin, m_rcMapImage);
            return -1;
        }
    }
    // 3. A press on an area gives up the tool; the press goes on to select it.
    if (imagemap_detail::isTag(element, "AREA")) {
        ResetImageMapMode();
        CancelInsertMode();
    }
    return 0;
}

int CImpIDispatch::SelectImageMapArea(Element* area)
{
    if (!m_pView || !area)
        return 0;
    // 1. The map of the area's image is read again.
    Element* map = area->parentElement();
    if (imagemap_detail::isTag(map, "MAP")) {
        Ref<Element> image;
        FindImagesUsingMap(QStringLiteral("IMG"), QStringLiteral("usemap"), QLatin1Char('#') + map->name(), image);
        if (image) {
            m_bAreaEdit = true;
            const QString usemap = image->getAttributeText(QStringLiteral("usemap"));
            if (!usemap.isEmpty() && !usemap.startsWith(QLatin1Char('#')))
                SetUsemapQuietly(image.get(), QLatin1Char('#') + usemap);
            m_nEditMode = 1;
            BeginImageMapEdit(image.get());
        }
    }
    // 2. The area is selected; a drag moves it.
    m_bAreaEdit = true;
    m_bNoMove = true;
    GetEventPoint(m_ptAreaDrag);
    m_nEditMode = 2;
    // 3.-4. Its numbers.
    const QString coords = area->getAttributeText(QStringLiteral("coords"));
    const QString shape = area->getAttributeText(QStringLiteral("shape"));
    const AreaShape kind = AreaShapeOf(shape);
    if (!coords.isEmpty()) {
        std::vector<int> list;
        ParseCoordinatePair(coords, list);
        if (kind != AreaShape::Other) {
            if (int(list.size()) < AreaNumbersToRead(kind))
                return -1;
            if (kind != AreaShape::Poly)
                list.resize(size_t(AreaNumbersToRead(kind)));
            m_pView->m_areaWorkCoords = std::move(list);
        }
    }
    // 5. Kept for an edit that is taken back.
    m_areaCoords = m_pView->m_areaWorkCoords;
    // 6.
    const QString id = area->getAttributeText(QStringLiteral("id"));
    m_pView->m_strAreaShape = shape;
    // 7. The painters of the new and of the old selection.
    std::shared_ptr<CHTMLPainterImageMap> newSelection, oldSelection = SelectedAreaPainter();
    for (const std::shared_ptr<CHTMLPainterImageMap>& painter : m_pView->m_areaPainters) {
        const bool match =
            id.isEmpty() ? painter->m_pArea.get() == area : painter->m_strId.compare(id, Qt::CaseInsensitive) == 0;
        if (match) {
            newSelection = painter;
            break;
        }
    }
    // 8. The old one goes back to normal, the new one shows its handles.
    if (oldSelection) {
        oldSelection->m_nState = CHTMLPainterImageMap::Normal;
        oldSelection->InvalidatePainter();
    }
    if (newSelection) {
        m_pView->m_strSelectedAreaId = id;
        m_pSelectedArea = area;
        newSelection->m_nState = CHTMLPainterImageMap::Selected;
        newSelection->InvalidatePainter();
    }
    // 9.
    return 0;
}

int CImpIDispatch::RemoveImageMapOfImage(Element* image, const QString& areaId)
{
    // 1. Only an image has a map.
    engine::Document* doc = document();
    if (!imagemap_detail::isTag(image, "IMG") || !doc || !m_pView)
        return 1;
    // 2. Its MAP.
    QString name = image->getAttributeText(QStringLiteral("usemap"));
    if (name.startsWith(QLatin1Char('#')))
        name.remove(0, 1);
    Ref<Element> map;
    if (FindImagesUsingMap(QStringLiteral("MAP"), QStringLiteral("name"), name, map) != S_OK)
        return 1;
    // 3. The area: by its id, or, without one, the area selected last.
    Ref<Element> target;
    if (areaId.isEmpty() && m_pSelectedArea && m_pSelectedArea->parentElement() == map.get()) {
        target = m_pSelectedArea;
    } else {
        for (const Ref<Element>& area : map->areas().toVector()) {
            if (area->id().compare(areaId, Qt::CaseInsensitive) == 0) {
                target = area;
                break;
            }
        }
    }
    if (!target)
        return 1;
    // 4. The area, its painter and, with the last area, the map and the
    // usemap, as one undo step.
    engine::UndoUnit unit(doc);
    if (RemoveElementTag(target.get(), m_pView) < 0)
        return 1;
    std::shared_ptr<CHTMLPainterImageMap> painter;
    for (const std::shared_ptr<CHTMLPainterImageMap>& candidate : m_pView->m_areaPainters) {
        const bool match = areaId.isEmpty() ? candidate->m_pArea == target
                                            : candidate->m_strId.compare(areaId, Qt::CaseInsensitive) == 0;
        if (match) {
            painter = candidate;
            break;
        }
    }
    bool detached = !painter;
    if (painter) {
        engine::PageView* page = pageView();
        detached = page && page->removeBehavior(image, painter->m_lCookie);
        if (detached) {
            std::erase(m_pView->m_areaPainters, painter);
            if (painter->m_pArea)
                m_nMapAreaCount = qMax(0, m_nMapAreaCount - 1);
        }
    }
    // Differs from going by the painters: the map goes when no area is left
    // in it, so that areas the editor does not paint are never taken out of
    // their map.
    if (map->areas().length() == 0) {
        RemoveElementTag(map.get(), m_pView);
        image->removeAttribute(QStringLiteral("usemap"));
    }
    return detached ? 0 : 1;
}
