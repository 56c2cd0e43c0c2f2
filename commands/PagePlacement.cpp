#include "commands/PagePlacement.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "commands/FramesetExtent.h"
#include "commands/LayoutObjects.h"
#include "commands/ObjectArrange.h"
#include "editor/CImpIDispatch.h"
#include "res/resource.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace pageplacement_detail {

// A length of the style, else the layout's.
qint64 lengthOr(const QString& text, int layoutValue)
{
    return text.isEmpty() ? layoutValue : StylePixels(text);
}

bool isVertical(unsigned id)
{
    return id == ID_PLACE_TOP || id == ID_PLACE_MIDDLE || id == ID_PLACE_BOTTOM;
}

// The extent a page operation was handed, or the page-size guide for 0 x 0.
// Differs from taking the chosen size as it is: with none chosen the page
// shows (and the objects are placed in) the guide of 800 x 600.
QSize pageOrGuide(int width, int height)
{
    if (width != 0 || height != 0)
        return QSize(std::max(0, width), std::max(0, height));
    const CMainFrame* frame = CMainFrame::instance();
    return frame ? frame->PageGuideSize() : QSize();
}

int clampToInt(qint64 value)
{
    return int(std::clamp(value, qint64(0), qint64(std::numeric_limits<int>::max())));
}

// The active frame's share of the guide, when the active view shows a frame
// of the active page window's frame tree.
std::optional<QSize> activeFrameExtent()
{
    CMainFrame* frame = CMainFrame::instance();
    CChildFrame* child = frame ? frame->GetActiveChild() : nullptr;
    CZQView* view = frame ? frame->GetActiveView() : nullptr;
    if (!child || !child->HasFrameset() || !view)
        return std::nullopt;
    return FrameExtentInGuide(child->frameTree().root.get(), view, frame->PagePlacementExtent());
}

bool isFramesetPage()
{
    CMainFrame* frame = CMainFrame::instance();
    CChildFrame* child = frame ? frame->GetActiveChild() : nullptr;
    return child && child->HasFrameset();
}

} // namespace pageplacement_detail

ObjectBox GetObjectBox(engine::Element* element, engine::Geometry& geometry)
{
    using pageplacement_detail::lengthOr;
    ObjectBox box;
    if (!element)
        return box;
    const engine::Style* style = element->styleIfAny();
    // Differs from reading only the style: an object without a left or top
    // of its own stands where the layout put it.
    box.left = lengthOr(style ? style->left() : QString(), geometry.offsetLeft(element));
    box.top = lengthOr(style ? style->top() : QString(), geometry.offsetTop(element));
    box.width = lengthOr(style ? style->width() : QString(), geometry.offsetWidth(element));
    box.height = lengthOr(style ? style->height() : QString(), geometry.offsetHeight(element));
    return box;
}

bool GetSelectionBounds(const std::vector<engine::Ref<engine::Element>>& objects, engine::Geometry& geometry,
                        SelectionBounds& bounds)
{
    if (objects.empty())
        return false;
    SelectionBounds united;
    bool first = true;
    for (const engine::Ref<engine::Element>& object : objects) {
        const ObjectBox box = GetObjectBox(object.get(), geometry);
        if (first) {
            united.left = box.left;
            united.top = box.top;
            united.right = box.left + box.width;
            united.bottom = box.top + box.height;
            first = false;
        }
        united.left = std::min(united.left, box.left);
        united.top = std::min(united.top, box.top);
        united.right = std::max(united.right, box.left + box.width);
        united.bottom = std::max(united.bottom, box.top + box.height);
        united.totalWidth += box.width;
        united.totalHeight += box.height;
    }
    bounds = united;
    return true;
}

qint64 PlacedPosition(unsigned id, qint64 position, const SelectionBounds& bounds, qint64 pageWidth, qint64 pageHeight)
{
    const qint64 width = bounds.right - bounds.left;
    const qint64 height = bounds.bottom - bounds.top;
    switch (id) {
    case ID_PLACE_LEFT:
        return position - bounds.left;
    case ID_PLACE_CENTER:
        return position + (pageWidth / 2 - (bounds.left + width / 2));
    case ID_PLACE_RIGHT:
        return position + (pageWidth - bounds.right);
    case ID_PLACE_TOP:
        return position - bounds.top;
    case ID_PLACE_MIDDLE:
        return position + (pageHeight / 2 - (bounds.top + height / 2));
    case ID_PLACE_BOTTOM:
        return position + (pageHeight - bounds.bottom);
    default:
        return position;
    }
}

int AlignPositionedElements(unsigned id)
{
    if (pageplacement_detail::isFramesetPage())
        return AlignPositionedElementsInFrame(id);
    const CMainFrame* frame = CMainFrame::instance();
    const QSize extent = frame ? frame->PagePlacementExtent() : QSize();
    return AlignPositionedElementsInPage(id, extent.width(), extent.height());
}

int AlignPositionedElementsInFrame(unsigned id)
{
    if (const std::optional<QSize> extent = pageplacement_detail::activeFrameExtent())
        AlignPositionedElementsInPage(id, extent->width(), extent->height());
    return 0;
}

int AlignPositionedElementsInPage(unsigned id, int width, int height)
{
    using namespace pageplacement_detail;
    if (id < ID_PLACE_LEFT || id > ID_PLACE_BOTTOM)
        return -1;
    CMainFrame* frame = CMainFrame::instance();
    CZQView* view = frame ? frame->GetActiveView() : nullptr;
    // 1. The page.
    const QSize pageSize = pageOrGuide(width, height);
    // 2. The block's bounds, in one undo step.
    const std::vector<engine::Ref<engine::Element>> objects = SelectedObjects(view);
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    engine::PageView* page = view ? view->GetPageView() : nullptr;
    if (objects.empty() || !doc || !page)
        return -1;
    engine::Geometry geometry(page->layout());
    SelectionBounds bounds;
    GetSelectionBounds(objects, geometry, bounds);
    engine::UndoUnit unit(doc);
    // 4. The height of the page's objects counts for the vertical places:
    // a page longer than the guide centres the block in all of it.
    const bool vertical = isVertical(id);
    qint64 pageHeight = pageSize.height();
    if (vertical && view->GetSink())
        pageHeight = std::max<qint64>(pageHeight, view->GetSink()->GetContentExtent().height());
    // 3. Each object moves with the block; none leaves the page at the left
    // or top (the block may then lose its shape).
    bool wrote = false;
    for (const engine::Ref<engine::Element>& object : objects) {
        const ObjectBox box = GetObjectBox(object.get(), geometry);
        const qint64 position = PlacedPosition(id, vertical ? box.top : box.left, bounds, pageSize.width(), pageHeight);
        wrote |= WriteStylePosition(object.get(), !vertical, position);
    }
    // 5. Differs from marking the page changed in any case: only a write
    // changes it.
    if (wrote)
        MarkPageChanged(view);
    return 0;
}

int SpacePositionedElements(unsigned id)
{
    if (pageplacement_detail::isFramesetPage())
        return SpacePositionedElementsInFrame(id);
    const CMainFrame* frame = CMainFrame::instance();
    const QSize extent = frame ? frame->PagePlacementExtent() : QSize();
    return SpacePositionedElementsInPage(id, extent.width(), extent.height());
}

int SpacePositionedElementsInFrame(unsigned id)
{
    if (const std::optional<QSize> extent = pageplacement_detail::activeFrameExtent())
        SpacePositionedElementsInPage(id, extent->width(), extent->height());
    return 0;
}

int SpacePositionedElementsInPage(unsigned id, int width, int height)
{
    using namespace pageplacement_detail;
    if (id != ID_SPACE_HORIZONTALLY && id != ID_SPACE_VERTICALLY)
        return -1;
    CMainFrame* frame = CMainFrame::instance();
    CZQView* view = frame ? frame->GetActiveView() : nullptr;
    // 1. The page.
    const QSize pageSize = pageOrGuide(width, height);
    // 2. The block's bounds.
    const std::vector<engine::Ref<engine::Element>> objects = SelectedObjects(view);
    engine::PageView* page = view ? view->GetPageView() : nullptr;
    if (objects.empty() || !page)
        return -1;
    engine::Geometry geometry(page->layout());
    SelectionBounds bounds;
    GetSelectionBounds(objects, geometry, bounds);
    // 3. Spread over the page, or over the block when it reaches further. The
    // distribution is the undo step and marks the page when it writes.
    if (id == ID_SPACE_HORIZONTALLY) {
        const int extent = clampToInt(std::max<qint64>(pageSize.width(), bounds.right));
        frame->DistributeObjects(ID_DISTRIBUTE_HORIZONTALLY, true, {0, extent});
    } else {
        const int extent = clampToInt(std::max<qint64>(pageSize.height(), bounds.bottom));
        frame->DistributeObjects(ID_DISTRIBUTE_VERTICALLY, true, {0, extent});
    }
    return 0;
}
