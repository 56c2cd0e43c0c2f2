#include "app/CMainFrame.h"

#include "app/CZQView.h"
#include "editor/CImpIDispatch.h"
#include "editor/painters/CHTMLPainterImageMap.h"
#include "res/resource.h"
#include "util/ImageMaps.h"
#include "util/PageDom.h"

#include "engine/dom/Document.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include "platform/CmdUI.h"

// The image toolbar's tools for the map of a selected image: select areas,
// and draw a rectangle, a circle or a polygon, which hand the mouse to the
// image-map editor of the page's event sink; and the service with which that
// editor hangs its painters on the image.

namespace mainframeimagemap_detail {

using engine::Element;
using engine::Ref;

bool isTag(const Element* element, const char* tag)
{
    return element && element->hasTag(QLatin1String(tag));
}

// The IMG of an AREA's map, or the IMG itself; null for anything else.
Ref<Element> imageOf(Element* element)
{
    if (isTag(element, "IMG"))
        return Ref<Element>(element);
    Element* map = element ? element->parentElement() : nullptr;
    Ref<Element> image;
    if (isTag(element, "AREA") && isTag(map, "MAP"))
        FindImagesUsingMap(QStringLiteral("IMG"), QStringLiteral("usemap"), map->name(), image);
    return image;
}

constexpr int kAreaTools[] = {ID_AREA_SELECT, ID_AREA_RECT, ID_AREA_CIRCLE, ID_AREA_POLY};

} // namespace mainframeimagemap_detail

void CMainFrame::AddImageMapCommands()
{
    onCommand(ID_AREA_SELECT, [this] { OnAreaSelect(); });
    onCommand(ID_AREA_RECT, [this] { OnAreaRect(); });
    onCommand(ID_AREA_CIRCLE, [this] { OnAreaCircle(); });
    onCommand(ID_AREA_POLY, [this] { OnAreaPoly(); });
    // Each tool is checked while it is the active one and usable while an
    // image is selected in the editing view.
    for (int tool = 0; tool < 4; ++tool) {
        onUpdate(mainframeimagemap_detail::kAreaTools[tool], [this, tool](platform::CmdUI& ui) {
            const CZQView* view = GetActiveView();
            if (!view || !IsEditMode()) {
                ui.enable(false);
                return;
            }
            ui.setCheck(m_nAreaTool == tool ? 1 : 0);
            ui.enable((view->m_dwSelKind & 0x8) != 0);
        });
    }
}

void CMainFrame::OnAreaSelect()
{
    CZQView* view = GetActiveView();
    CImpIDispatch* sink = view ? view->GetSink() : nullptr;
    if (!sink)
        return;
    sink->ResetImageMapMode();
    sink->CancelInsertMode();
}

namespace mainframeimagemap_detail {

// A drawing tool: the selected image's place for the editor, the shape to
// draw, and the mouse handed over as insertion tool 8.
void beginAreaTool(CMainFrame& frame, int tool, const QString& shape)
{
    // 1.-2. A page view with an image selected.
    CZQView* view = frame.GetActiveView();
    CImpIDispatch* sink = view ? view->GetSink() : nullptr;
    engine::PageView* page = view ? view->GetPageView() : nullptr;
    Ref<Element> selected;
    if (!sink || !page || GetPageSelection(&selected, nullptr, nullptr, view) != S_OK || !isTag(selected.get(), "IMG"))
        return;
    // 3. Where the image is: its box on the page, in a cell or a positioned
    // container too.
    const QRect box = engine::Geometry(page->layout()).pageRect(selected.get());
    sink->m_ptImageOrigin = box.topLeft();
    sink->m_rcMapImage = platform::Rect::fromQRect(box);
    // 4. The tool and its shape.
    frame.m_nAreaTool = tool;
    view->m_strAreaShape = shape;
    sink->m_nEditMode = 3;
    if (tool == 3)
        sink->m_bAreaDraw = false;
    // 5. The editor takes the next press.
    frame.BeginInsertObject(8);
}

} // namespace mainframeimagemap_detail

void CMainFrame::OnAreaRect()
{
    mainframeimagemap_detail::beginAreaTool(*this, 1, QStringLiteral("rect"));
}

void CMainFrame::OnAreaCircle()
{
    mainframeimagemap_detail::beginAreaTool(*this, 2, QStringLiteral("circle"));
}

void CMainFrame::OnAreaPoly()
{
    mainframeimagemap_detail::beginAreaTool(*this, 3, QStringLiteral("poly"));
}

bool CMainFrame::AttachImageMapPainter(std::shared_ptr<CHTMLPainterImageMap> painter)
{
    using mainframeimagemap_detail::imageOf;
    // 1. The active page.
    CZQView* view = GetActiveView();
    CImpIDispatch* sink = view ? view->GetSink() : nullptr;
    engine::PageView* page = view ? view->GetPageView() : nullptr;
    if (!sink || !page)
        return false;
    // 2.-3. The image under the event point.
    QPoint point;
    engine::Ref<engine::Element> under;
    if (sink->GetEventPoint(point) == S_OK)
        sink->GetElementFromPoint(point, under);
    engine::Ref<engine::Element> image = imageOf(under.get());
    // Differs from giving up when the point is off the image (a rubber band
    // dragged past its edge): the image being edited takes the painter, so
    // that its area is drawn.
    if (!image)
        image = imageOf(sink->m_pMapImage.get());
    if (!image)
        return false;
    // 4. A new painter when none is given.
    if (!painter) {
        painter = std::make_shared<CHTMLPainterImageMap>();
        painter->m_pView = view;
        // Painters whose page let them go are not kept.
        std::erase_if(m_arrImageMapPainters, [](const auto& held) { return held.use_count() == 1; });
        m_arrImageMapPainters.push_back(painter);
    }
    // 5.-6. Attached as a behaviour of the image, and drawn.
    if (painter->Attach(page, image.get()) == 0)
        return false;
    painter->m_pImage = image;
    painter->InvalidatePainter();
    return true;
}

void CMainFrame::ReleaseImageMapPainters(const CZQView* view)
{
    std::erase_if(m_arrImageMapPainters, [view](const std::shared_ptr<CHTMLPainterImageMap>& painter) {
        return !painter->m_pView || painter->m_pView == view;
    });
}
