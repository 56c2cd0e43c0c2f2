// What the mouse handlers show while a drag lasts: the insertion tool's
// rectangle, the area-selection rubber band and a table border's line on the
// child frame's overlay (each drawn a second time to remove it), and the
// cursors of the insertion tools.

#include "editor/CImpIDispatch.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "editor/objects/InsertSources.h"
#include "editor/sink/RubberBandOverlay.h"

#include "engine/dom/Document.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include "platform/ProgramCursors.h"

#include <QFileInfo>

namespace sinktracking_detail {

// The program's cursors of the insertion tools.
constexpr int kBoxToolCursor = 529;
constexpr int kImageToolCursor = 499;
constexpr int kPictureFrameCursor = 692;
constexpr int kTableToolCursor = 518;
constexpr int kRuleToolCursor = 553;

} // namespace sinktracking_detail

RubberBandOverlay* CImpIDispatch::FrameOverlay() const
{
    CChildFrame* frame = m_pView ? m_pView->GetParentFrame() : nullptr;
    return frame ? RubberBandOverlay::of(frame->widget()) : nullptr;
}

void CImpIDispatch::ToggleInsertRect(const QRect& rect)
{
    // Never above or left of the view.
    if (rect.left() < 0 || rect.top() < 0)
        return;
    platform::Rect r = platform::Rect::fromQRect(rect);
    ViewRectToFrameClient(r);
    if (RubberBandOverlay* overlay = FrameOverlay())
        overlay->toggleRect(r);
}

void CImpIDispatch::ToggleAreaRect(QPoint a, QPoint b)
{
    platform::Rect r;
    NormalizeRect(r, a, b);
    ViewRectToFrameClient(r);
    if (RubberBandOverlay* overlay = FrameOverlay())
        overlay->toggleRect(r);
}

void CImpIDispatch::ToggleBorderLine(QPoint at)
{
    engine::PageView* page = pageView();
    RubberBandOverlay* overlay = FrameOverlay();
    if (!page || !overlay || !m_pSizingTable)
        return;
    engine::Geometry geometry(page->layout());
    const QPoint scroll = page->scrollPosition();
    // A column's line runs down the table at the pointer; a row's across it,
    // two pixels high. Only where it starts inside the view.
    platform::Rect line;
    if (m_bOnColumnBorder) {
        const int top = geometry.offsetTop(m_pSizingTable.get()) - scroll.y();
        line = platform::Rect(at.x(), top, at.x(), top + geometry.offsetHeight(m_pSizingTable.get()));
    } else if (m_bOnRowBorder) {
        const int left = geometry.offsetLeft(m_pSizingTable.get()) - scroll.x();
        line = platform::Rect(left, at.y(), left + geometry.offsetWidth(m_pSizingTable.get()), at.y() + 2);
    } else {
        return;
    }
    if (line.left < 0 || line.top < 0)
        return;
    ViewRectToFrameClient(line);
    if (m_bOnColumnBorder)
        overlay->toggleLine(QPoint(line.left, line.top), QPoint(line.left, line.bottom));
    else
        overlay->toggleRect(line);
}

void CImpIDispatch::ClearOverlay()
{
    CChildFrame* frame = m_pView ? m_pView->GetParentFrame() : nullptr;
    if (RubberBandOverlay* overlay = frame ? RubberBandOverlay::of(frame->widget(), false) : nullptr)
        overlay->clear();
}

bool CImpIDispatch::InsertToolCursor(int tool, QPoint point, QCursor& cursor) const
{
    namespace detail = sinktracking_detail;
    int id = 0;
    switch (tool) {
    case 1:
    case 3:
    case 9:
    case 10:
        id = detail::kBoxToolCursor;
        break;
    case 2:
        id = PictureFrameTargetAt(point) ? detail::kPictureFrameCursor : detail::kImageToolCursor;
        break;
    case 6:
        id = detail::kImageToolCursor;
        break;
    case 4:
        id = detail::kTableToolCursor;
        break;
    case 7:
        id = detail::kRuleToolCursor;
        break;
    default:
        return false;
    }
    cursor = platform::ProgramCursors::cursor(id);
    return true;
}

bool CImpIDispatch::PictureFrameTargetAt(QPoint point) const
{
    // 1. Only while a picture frame is the image to insert.
    CMainFrame* frame = CMainFrame::instance();
    engine::PageView* page = pageView();
    if (!frame || !page || !IsPictureFrameFile(frame->m_strInsertImageSrc))
        return false;
    // 2. The page under the pointer: a frame page's pane, else this view.
    const QPoint screen = page->viewport()->mapToGlobal(page->clientToView(point));
    CZQView* target = frame->DropTargetView(screen);
    engine::PageView* targetPage = target ? target->GetPageView() : nullptr;
    engine::Document* doc = target ? target->GetHtmlDocument() : nullptr;
    if (!targetPage || !doc)
        return false;
    // 3. An image there whose picture is a file of this computer.
    const QPoint client = targetPage->viewToClient(targetPage->viewport()->mapFromGlobal(screen));
    engine::Ref<engine::Element> under(doc->elementFromPoint(client.x(), client.y()));
    if (!under || !under->hasTag(QLatin1String("IMG")) || !under->getAttribute(QStringLiteral("src")).isString())
        return false;
    const QString path = target->GetDocument() ? target->GetDocument()->pathName() : QString();
    const QString folder = path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
    return !LocalImageFile(under->getAttributeText(QStringLiteral("src")), folder).isEmpty();
}
