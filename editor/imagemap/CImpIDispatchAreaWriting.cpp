#include "editor/CImpIDispatch.h"
#include "editor/sink/SinkModalScope.h"

#include "app/CMainFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "dialogs/VornaDialogHyperlink.h"
#include "editor/imagemap/ImageMapAreas.h"
#include "editor/painters/CHTMLPainterImageMap.h"
#include "res/resource.h"
#include "util/ElementTagIds.h"
#include "util/MessageBox.h"
#include "util/PageDom.h"
#include "util/PageMarkup.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/view/PageView.h"

#include "platform/ModalRunner.h"

#include <QSet>

// The moment an image-map gesture becomes page content: a new area with its
// link (and a new map when the image has none), the coords of a dragged
// area, or its deletion when it was dragged off the image.

namespace areawriting_detail {

using engine::Element;
using engine::Ref;

bool isTag(const Element* element, const char* tag)
{
    return element && element->hasTag(QLatin1String(tag));
}

// The first MAP whose "#" + name is the usemap (case-blind).
Ref<Element> firstMapNamedBy(engine::Document* doc, const QString& usemap)
{
    if (!doc || usemap.isEmpty())
        return nullptr;
    const QString wanted = usemap.startsWith(QLatin1Char('#')) ? usemap : QLatin1Char('#') + usemap;
    for (const Ref<Element>& map : doc->getElementsByTagName(QStringLiteral("map")).toVector()) {
        if ((QLatin1Char('#') + map->name()).compare(wanted, Qt::CaseInsensitive) == 0)
            return map;
    }
    return nullptr;
}

// While a dialog of the editor waits for the user, the page has no capture
// and its events do not reach the sink.
} // namespace areawriting_detail

using engine::Element;
using engine::Ref;

bool CImpIDispatch::AskForAreaLink(QString& url, QString& target)
{
    // The hyperlink dialog without its underline option; the pages of the
    // open web are offered when the page is one of them.
    VornaDialogHyperlink dialog;
    dialog.m_bEnableRemoveUnderline = false;
    CMainFrame* frame = CMainFrame::instance();
    CZQDoc* doc = m_pView ? m_pView->GetDocument() : nullptr;
    dialog.m_bPageInWeb = frame && doc && frame->IsPageInWeb(doc->GetDisplayName());
    int result = platform::IDCANCEL;
    {
        SinkModalScope modal(*this);
        result = dialog.DoModal();
    }
    if (result != platform::IDOK)
        return false;
    url = dialog.m_strURL;
    target = dialog.m_strTargetFrame;
    return true;
}

QString CImpIDispatch::NextMapName()
{
    // The numbers only grow while the page's sink lives: a deleted map's
    // name is not handed out again.
    QSet<QString> taken;
    if (engine::Document* doc = document()) {
        for (const Ref<Element>& map : doc->getElementsByTagName(QStringLiteral("map")).toVector())
            taken.insert(map->name().toCaseFolded());
    }
    for (;;) {
        const QString candidate = QStringLiteral("ULOMap") + QString::number(m_nNextMapNumber);
        ++m_nNextMapNumber;
        if (!taken.contains(candidate.toCaseFolded()))
            return candidate;
    }
}

void CImpIDispatch::EndAreaTool(int editMode)
{
    m_nEditMode = editMode;
    if (CMainFrame* frame = CMainFrame::instance())
        frame->m_nAreaTool = 0;
    if (m_pView)
        m_pView->m_strAreaShape = QStringLiteral("none");
    CancelInsertMode();
}

int CImpIDispatch::WriteNewArea(Element* image, AreaShape shape, const QString& url, const QString& target)
{
    engine::Document* doc = document();
    if (!m_pView || !doc)
        return 0;
    std::vector<int>& coords = m_pView->m_areaWorkCoords;
    std::vector<std::shared_ptr<CHTMLPainterImageMap>>& painters = m_pView->m_areaPainters;
    const std::shared_ptr<CHTMLPainterImageMap> painter = NewAreaPainter();
    const QString usemap = image->getAttributeText(QStringLiteral("usemap"));
    // A rect needs 4 numbers, a circle 3; a polygon is written as drawn.
    const auto tooShort = [&] { return shape != AreaShape::Poly && int(coords.size()) < AreaNumbersToRead(shape); };
    Ref<Element> area;
    QString id;
    if (usemap.isEmpty()) {
        // A new map: its name first (used up even when nothing is written),
        // the area's id is the number of painters.
        const QString name = NextMapName();
        if (tooShort())
            return -1;
        id = QString::number(painters.size());
        Element* body = doc->body();
        if (!body)
            return 0;
        // Differs from setting the usemap first and making each element an
        // undo step of its own: the map, its area and the usemap are one
        // step, and the usemap names a map that exists.
        engine::UndoUnit unit(doc);
        Ref<Element> map;
        InsertNewElement(&map, TAGID_MAP, QStringLiteral("name=") + QuotedAttributeValue(name), body, doc, m_pView, 1);
        if (!map)
            return 0;
        InsertNewElement(&area, TAGID_AREA, NewAreaAttributeText(shape, url, AreaCoordsText(shape, coords), id, target),
                         map.get(), doc, m_pView, 1);
        if (!area) {
            RemoveElementWithContent(doc, m_pView, map.get());
            return 0;
        }
        image->setAttribute(QStringLiteral("usemap"), engine::Variant(QLatin1Char('#') + name));
    } else {
        // The image's map: the area goes in first, with the first free id
        // from the number of painters on.
        // Differs from writing into every MAP of the name: browsers use the
        // first, and a copy in each would leave twin areas.
        const Ref<Element> map = areawriting_detail::firstMapNamedBy(doc, usemap);
        if (!map)
            return 0;
        if (tooShort())
            return -1;
        // Differs from looking at the painters only: the ids of the map's own
        // areas count too, so the new id is unique in the map.
        QSet<QString> taken;
        for (const std::shared_ptr<CHTMLPainterImageMap>& p : painters)
            taken.insert(p->m_strId.toCaseFolded());
        for (const Ref<Element>& existing : map->areas().toVector())
            taken.insert(existing->id().toCaseFolded());
        for (size_t k = painters.size();; ++k) {
            id = QString::number(k);
            if (!taken.contains(id))
                break;
        }
        engine::UndoUnit unit(doc);
        InsertNewElement(&area, TAGID_AREA, QString(), map.get(), doc, m_pView, 1);
        if (!area)
            return 0;
        area->setAttribute(QStringLiteral("href"), engine::Variant(url));
        area->setAttribute(QStringLiteral("shape"), engine::Variant(AreaShapeText(shape)));
        area->setAttribute(QStringLiteral("coords"), engine::Variant(AreaCoordsText(shape, coords)));
        if (!target.isEmpty())
            area->setAttribute(QStringLiteral("target"), engine::Variant(target));
        area->setAttribute(QStringLiteral("id"), engine::Variant(id));
    }
    // The new area's painter now stands for it.
    if (painter) {
        painter->m_strId = id;
        painter->m_pArea = area;
        ++m_nMapAreaCount;
    }
    return 0;
}

int CImpIDispatch::CommitNewArea(Element* element)
{
    // 1. Not on an image: the tool ends.
    if (!areawriting_detail::isTag(element, "IMG") || !m_pView) {
        CancelInsertMode();
        return 0;
    }
    // 2. A polygon goes on after each press.
    const AreaShape shape = AreaShapeOf(m_pView->m_strAreaShape);
    if (shape == AreaShape::Poly) {
        m_bAreaEdit = true;
        return 1;
    }
    // Differs from asking at once: a click that drew nothing (the mouse did
    // not move) leaves the tool as it was, instead of writing the numbers of
    // whatever area was edited before.
    if (!NewAreaPainter())
        return 0;
    // 3.-4. The link; cancelled, the new area is gone.
    QString url, target;
    if (!AskForAreaLink(url, target)) {
        DropAreaPainter(NewAreaPainter());
        EndAreaTool(1);
        return 0;
    }
    // 5. Written into the image's map, or a new one.
    if (WriteNewArea(element, shape, url, target) == -1)
        return -1;
    // 6.
    EndAreaTool(2);
    return 0;
}

int CImpIDispatch::ClosePolygonArea(Element* image)
{
    // 1. Only a polygon with a first vertex is written.
    if (!m_pView || !areawriting_detail::isTag(image, "IMG") || !m_bAreaDraw ||
        m_pView->m_strAreaShape.compare(QLatin1String("poly"), Qt::CaseInsensitive) != 0) {
        EndAreaTool(2);
        return 0;
    }
    // 2. Its link.
    m_bAreaEdit = false;
    m_bAreaDraw = false;
    // A polygon double-clicked without a move since its first press has no
    // painter yet: it gets one, so that no area's painter takes its place.
    if (!NewAreaPainter())
        AddAreaPainter(QString(), m_pView->m_strAreaShape, CHTMLPainterImageMap::Drawn, m_pView->m_areaWorkCoords);
    QString url, target;
    if (!AskForAreaLink(url, target)) {
        // 4. Cancelled: the polygon is gone.
        DropAreaPainter(NewAreaPainter());
        EndAreaTool(1);
        return 0;
    }
    // 3. Written, its painter selected.
    if (std::shared_ptr<CHTMLPainterImageMap> painter = NewAreaPainter()) {
        painter->m_nState = CHTMLPainterImageMap::Selected;
        painter->m_coords = m_pView->m_areaWorkCoords;
        painter->InvalidatePainter();
    }
    WriteNewArea(image, AreaShape::Poly, url, target);
    // 5.
    EndAreaTool(2);
    return 0;
}

int CImpIDispatch::CommitAreaEdit(Element* element)
{
    if (!element || !m_pView)
        return 0;
    // 1.-2. The area: the one pressed for a whole-area drag; for a handle
    // drag the selected area of the image's map.
    // Differs from taking an AREA under the press of a handle drag: a handle
    // of the selected area may lie over another area.
    Ref<Element> area(element);
    if (m_nEditMode == 5) {
        Ref<Element> image(element);
        if (areawriting_detail::isTag(element, "AREA"))
            GetImageOfArea(element, image);
        if (!areawriting_detail::isTag(image.get(), "IMG"))
            return 0;
        const QString usemap = image->getAttributeText(QStringLiteral("usemap"));
        if (usemap.isEmpty())
            return -1;
        area = nullptr;
        const QString& selectedId = m_pView->m_strSelectedAreaId;
        if (const Ref<Element> map = areawriting_detail::firstMapNamedBy(document(), usemap)) {
            if (selectedId.isEmpty() && m_pSelectedArea && m_pSelectedArea->parentElement() == map.get()) {
                area = m_pSelectedArea;
            } else {
                for (const Ref<Element>& child : map->children().toVector()) {
                    if (child->id() == selectedId) {
                        area = child;
                        break;
                    }
                }
            }
        }
        if (!area)
            return 0;
    } else if (areawriting_detail::isTag(element, "IMG")) {
        return 0;
    }
    // 3.-4. Its shape and the numbers of the drag.
    const QString id = area->getAttributeText(QStringLiteral("id"));
    const QString shapeText = area->getAttributeText(QStringLiteral("shape"));
    const AreaShape shape = AreaShapeOf(shapeText);
    if (shape != AreaShape::Other) {
        if (int(m_pView->m_areaWorkCoords.size()) < AreaNumbersToRead(shape))
            return -1;
        // 5. Written while the area still touches its image; otherwise the
        // user says whether it goes.
        // Differs from writing after every press: a click that moved nothing
        // leaves the page, and its undo history, alone.
        if (m_pView->m_areaWorkCoords == m_areaCoords) {
        } else if (AreaTouchesImage(shapeText)) {
            area->setAttribute(QStringLiteral("coords"),
                               engine::Variant(AreaCoordsText(shape, m_pView->m_areaWorkCoords)));
        } else {
            int answer = platform::IDNO;
            {
                SinkModalScope modal(*this);
                answer = MessageBoxById(IDS_DELETE_IMAGE_MAP_AREA, 0, 0x40, 4);
            }
            Ref<Element> selected;
            GetPageSelection(&selected, nullptr, nullptr, m_pView);
            // An area without an id is the one selected.
            const bool found = !id.isEmpty() || area == m_pSelectedArea;
            if (answer == platform::IDYES && found && areawriting_detail::isTag(selected.get(), "IMG") &&
                RemoveImageMapOfImage(selected.get(), id) == 0) {
                if (m_pSelectedArea == area)
                    m_pSelectedArea = nullptr;
            } else {
                // The page keeps the area where it was: so do its painter and
                // the numbers a next drag starts from.
                RestoreAreaCoords(m_areaCoords);
                m_pView->m_areaWorkCoords = m_areaCoords;
            }
        }
    }
    // 6. The drag is over; the engine shows the selection again.
    m_bNoMove = false;
    m_nEditMode = 2;
    ReselectControlRange();
    return 0;
}

bool CImpIDispatch::AreaTouchesImage(const QString& shape) const
{
    return m_pView &&
           AreaTouchesImageRect(AreaShapeOf(shape), m_pView->m_areaWorkCoords, m_ptImageOrigin, m_rcMapImage);
}

bool CImpIDispatch::RestoreAreaCoords(const std::vector<int>& list)
{
    std::shared_ptr<CHTMLPainterImageMap> painter = SelectedAreaPainter();
    if (!painter)
        return false;
    const int n = int(list.size());
    bool fits = false;
    switch (AreaShapeOf(painter->m_strShape)) {
    case AreaShape::Circle:
        fits = n == 3;
        break;
    case AreaShape::Rect:
        fits = n == 4;
        break;
    case AreaShape::Poly:
        fits = n > 2;
        break;
    case AreaShape::Other:
        break;
    }
    if (!fits)
        return false;
    painter->m_coords = list;
    painter->InvalidatePainter();
    return true;
}
