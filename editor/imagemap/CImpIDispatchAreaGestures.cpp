#include "editor/CImpIDispatch.h"

#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "editor/imagemap/ImageMapAreas.h"
#include "editor/painters/CHTMLPainterImageMap.h"

#include "engine/dom/Element.h"
#include "engine/editing/CommandGroup.h"
#include "engine/view/PageView.h"

#include "platform/ProgramCursors.h"

// The mouse on the areas of an image map: pressing and dragging the handles
// of the selected area, moving an area as a whole and drawing a new one with
// a drawing tool. Only the painters change here; the page changes at the
// mouse-up.

namespace areagestures_detail {

// The cursor of a rect's or circle's handle: top-left and bottom-right share
// one diagonal, the others the other.
Qt::CursorShape handleCursor(int handle)
{
    return handle == 0 || handle == 3 ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
}

// The program's crosshair for drawing areas.
constexpr int kAreaToolCursor = 529;

} // namespace areagestures_detail

int CImpIDispatch::BeginAreaHandleDrag(engine::Element* element)
{
    Q_UNUSED(element);
    if (!m_pView)
        return 0;
    // The handles of the selected area, and the press among them.
    const AreaShape kind = AreaShapeOf(m_pView->m_strAreaShape);
    if (kind == AreaShape::Other)
        return 0;
    // Differs from ending the press (-1) when the area's list is too short:
    // such an area has no handles, and every later press would end there,
    // so that the user could never leave the area. The press goes on.
    if (int(m_pView->m_areaWorkCoords.size()) < AreaNumbersToEdit(kind))
        return 0;
    QPoint press;
    GetEventPoint(press);
    const int handle =
        HitAreaHandle(AreaHandles(kind, m_pView->m_areaWorkCoords), PagePointOf(press) - m_ptImageOrigin);
    if (handle < 0)
        return 0;
    m_nEditMode = 5;
    m_areaCoords = m_pView->m_areaWorkCoords;
    m_nAreaHandle = handle;
    return 1;
}

int CImpIDispatch::SetAreaHandleCursor()
{
    if (!m_pView)
        return 0;
    const AreaShape kind = AreaShapeOf(m_pView->m_strAreaShape);
    if (kind != AreaShape::Rect && kind != AreaShape::Circle)
        return 0;
    if (int(m_pView->m_areaWorkCoords.size()) < AreaNumbersToEdit(kind))
        return -1;
    QPoint point;
    GetEventPoint(point);
    const int handle =
        HitAreaHandle(AreaHandles(kind, m_pView->m_areaWorkCoords), PagePointOf(point) - m_ptImageOrigin);
    engine::PageView* page = pageView();
    if (handle >= 0 && page)
        page->setPageCursor(QCursor(areagestures_detail::handleCursor(handle)));
    return 0;
}

int CImpIDispatch::DragAreaHandle()
{
    if (!m_pView)
        return -1;
    // The mouse in image coordinates reshapes the area.
    QPoint point;
    GetEventPoint(point);
    const QPoint mouse = PagePointOf(point) - m_ptImageOrigin;
    const AreaShape kind = AreaShapeOf(m_pView->m_strAreaShape);
    std::vector<int>& coords = m_pView->m_areaWorkCoords;
    if (kind == AreaShape::Other || int(coords.size()) < AreaNumbersToEdit(kind))
        return -1;
    const bool recognised = DragAreaHandlePoint(kind, coords, m_nAreaHandle, mouse);
    // The cursor of the handle, kept by the engine while it is ours.
    if (engine::PageView* page = pageView(); page && recognised) {
        page->setPageCursor(kind == AreaShape::Poly ? QCursor(Qt::SizeAllCursor)
                                                    : QCursor(areagestures_detail::handleCursor(m_nAreaHandle)));
    }
    const engine::Variant override(recognised);
    m_pView->ExecCommand(engine::CommandGroup::OverrideCursor, &override);
    // The selected area's painter shows it.
    std::shared_ptr<CHTMLPainterImageMap> painter = SelectedAreaPainter();
    if (!painter)
        return -1;
    painter->m_nState = CHTMLPainterImageMap::Reshaped;
    painter->m_coords = coords;
    painter->InvalidatePainter();
    return 1;
}

int CImpIDispatch::MoveImageMapArea()
{
    if (!m_pView)
        return -1;
    // 1. The area pressed.
    QPoint point;
    GetEventPoint(point);
    engine::Ref<engine::Element> area;
    if (GetElementFromPoint(m_ptMouseDown, area) != S_OK)
        return -1;
    // 2. The step since the last one (client points: the same step on the page).
    const QString shape = area->getAttributeText(QStringLiteral("shape"));
    const QString id = area->getAttributeText(QStringLiteral("id"));
    const QPoint step = point - m_ptAreaDrag;
    // 3. The area moves.
    std::vector<int>& coords = m_pView->m_areaWorkCoords;
    if (!MoveAreaBy(AreaShapeOf(shape), coords, step))
        return -1;
    // 4.
    m_ptAreaDrag = point;
    // 5. Its painter follows; without any painter, one is made for it.
    std::vector<std::shared_ptr<CHTMLPainterImageMap>>& painters = m_pView->m_areaPainters;
    if (painters.empty()) {
        if (std::shared_ptr<CHTMLPainterImageMap> painter =
                AddAreaPainter(id, shape, CHTMLPainterImageMap::Constructed, coords))
            painter->m_pArea = area;
        return 1;
    }
    for (const std::shared_ptr<CHTMLPainterImageMap>& painter : painters) {
        const bool match =
            id.isEmpty() ? painter->m_pArea == area : painter->m_strId.compare(id, Qt::CaseInsensitive) == 0;
        if (!match)
            continue;
        painter->m_strId = id;
        painter->m_strShape = shape;
        painter->m_nState = CHTMLPainterImageMap::Moved;
        painter->m_coords = coords;
        painter->InvalidatePainter();
        break;
    }
    // 6.
    return 1;
}

int CImpIDispatch::TrackNewArea()
{
    if (!m_pView)
        return 0;
    // 1. The mouse and the press on the page.
    QPoint point;
    GetEventPoint(point);
    const QPoint current = PagePointOf(point);
    const QPoint start = PagePointOf(m_ptMouseDown);
    // 2. The crosshair over the image while a tool draws.
    if (engine::PageView* page = pageView()) {
        const bool drawing = m_nEditMode == 3 && m_rcMapImage.contains(current);
        page->setPageCursor(drawing ? platform::ProgramCursors::cursor(areagestures_detail::kAreaToolCursor)
                                    : QCursor(Qt::ArrowCursor));
    }
    // 3. Nothing more before a press on the image.
    if (!m_bAreaEdit)
        return 0;
    // 4. The area follows the mouse.
    const QPoint from = start - m_ptImageOrigin;
    const QPoint to = current - m_ptImageOrigin;
    std::vector<int>& coords = m_pView->m_areaWorkCoords;
    switch (AreaShapeOf(m_pView->m_strAreaShape)) {
    case AreaShape::Circle:
        // Differs from a literal reading, which gives a negative radius to
        // a circle dragged up or left of its press.
        coords = CircleFromDrag(from, to, &m_rcAreaRubber);
        break;
    case AreaShape::Poly:
        if (m_bAreaDraw)
            m_pView->m_ptPolyRubber = to;
        break;
    case AreaShape::Rect:
        m_rcAreaRubber = platform::Rect(from.x(), from.y(), to.x(), to.y());
        coords = {from.x(), from.y(), to.x(), to.y()};
        break;
    case AreaShape::Other:
        break;
    }
    // 5. The painter of the new area, made at the first move.
    if (std::shared_ptr<CHTMLPainterImageMap> painter = NewAreaPainter()) {
        painter->m_nState = CHTMLPainterImageMap::Drawn;
        painter->m_coords = coords;
        painter->InvalidatePainter();
    } else {
        AddAreaPainter(QString(), m_pView->m_strAreaShape, CHTMLPainterImageMap::Drawn, coords);
    }
    // 6. The image stays selected, so its painters keep being drawn.
    ReselectControlRange();
    // 7.
    return 0;
}
