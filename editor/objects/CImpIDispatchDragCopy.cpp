// Copying the selected objects by dragging them with Ctrl held: outlines
// show where the copies will land, and at the release inside the view the
// objects' HTML goes to the page again with new positions, above every
// object of the page, as one undo step.

#include "editor/CImpIDispatch.h"

#include "app/CChildFrame.h"
#include "app/CZQView.h"
#include "editor/objects/FragmentText.h"
#include "editor/sink/RubberBandOverlay.h"
#include "effects/CScriptUtility.h"
#include "util/ImageMaps.h"
#include "util/PageDom.h"

#include "engine/dom/Document.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include "platform/ProgramCursors.h"

#include <algorithm>

namespace dragcopy_detail {

constexpr int kCopyCursorId = 270;

// The view's client rectangle.
QRect clientRect(engine::PageView& page)
{
    const QPoint size = page.viewToClient(QPoint(page.viewport()->width(), page.viewport()->height()));
    return QRect(QPoint(0, 0), QSize(size.x(), size.y()));
}

} // namespace dragcopy_detail

void CImpIDispatch::DrawDragPasteOutlines(QPoint point)
{
    namespace detail = dragcopy_detail;
    engine::PageView* page = pageView();
    if (!page)
        return;
    // 1. The copy cursor inside the view, "no" outside.
    const QRect client = detail::clientRect(*page);
    page->setPageCursor(client.contains(point) ? platform::ProgramCursors::cursor(detail::kCopyCursorId)
                                               : QCursor(Qt::ForbiddenCursor));
    // 2. The outlines at the point drawn before go, those at the new point come.
    const std::vector<engine::Ref<engine::Element>> selected = controlSelection();
    CChildFrame* frame = m_pView ? m_pView->GetParentFrame() : nullptr;
    RubberBandOverlay* overlay = frame ? RubberBandOverlay::of(frame->widget()) : nullptr;
    if (!selected.empty() && overlay) {
        engine::Geometry geometry(page->layout());
        const auto counts = [&](QPoint p) { return p != m_ptDragPasteStart && client.contains(p); };
        // Where each object would land, the group kept right of and below the page's edges.
        const auto clampAt = [&](QPoint p) {
            QPoint c(0, 0);
            for (const engine::Ref<engine::Element>& element : selected) {
                c.setX(std::min(c.x(), geometry.offsetLeft(element.get()) + p.x() - m_ptDragPasteStart.x()));
                c.setY(std::min(c.y(), geometry.offsetTop(element.get()) + p.y() - m_ptDragPasteStart.y()));
            }
            return c;
        };
        const auto outline = [&](engine::Element* element, QPoint p, QPoint c) {
            const int x = geometry.offsetLeft(element) + p.x() - m_ptDragPasteStart.x() - c.x();
            const int y = geometry.offsetTop(element) + p.y() - m_ptDragPasteStart.y() - c.y();
            platform::Rect r(x, y, x + geometry.clientWidth(element), y + geometry.clientHeight(element));
            SubtractBodyScrollOffsetFromRect(r);
            ViewRectToFrameClient(r);
            overlay->toggleRect(r);
        };
        const bool savedDrawn = counts(m_ptDragPasteSaved);
        const bool pointDrawn = counts(point);
        const QPoint savedClamp = clampAt(m_ptDragPasteSaved);
        const QPoint pointClamp = clampAt(point);
        for (const engine::Ref<engine::Element>& element : selected) {
            if (savedDrawn)
                outline(element.get(), m_ptDragPasteSaved, savedClamp);
            if (pointDrawn)
                outline(element.get(), point, pointClamp);
        }
    }
    // 3. Where the outlines stand now.
    m_ptDragPasteSaved = point;
}

void CImpIDispatch::DragPaste()
{
    // 1. Nothing dragged.
    if (m_ptDragPasteSaved == m_ptDragPasteStart)
        return;
    engine::Document* doc = document();
    engine::PageView* page = pageView();
    const std::vector<engine::Ref<engine::Element>> selected = controlSelection();
    if (!m_pView || !doc || !page || selected.empty())
        return;
    // 2. Each object's HTML (with the link around it) at its new place; the
    // outlines go.
    engine::Geometry geometry(page->layout());
    m_pastePoints.clear();
    QPoint c(0, 0);
    const QPoint delta = m_ptDragPasteSaved - m_ptDragPasteStart;
    for (const engine::Ref<engine::Element>& element : selected) {
        c.setX(std::min(c.x(), geometry.offsetLeft(element.get()) + delta.x()));
        c.setY(std::min(c.y(), geometry.offsetTop(element.get()) + delta.y()));
    }
    QString copyText;
    std::vector<QPoint> points;
    for (const engine::Ref<engine::Element>& element : selected) {
        points.emplace_back(geometry.offsetLeft(element.get()) + delta.x() - c.x(),
                            geometry.offsetTop(element.get()) + delta.y() - c.y());
    }
    const QPoint saved = m_ptDragPasteSaved;
    DrawDragPasteOutlines(m_ptDragPasteStart); // removes the outlines at the saved point
    m_ptDragPasteSaved = saved;
    for (size_t i = 0; i < selected.size(); ++i) {
        engine::Ref<engine::Element> link = selected[i];
        TwinText html(FindParentByTag(link, QStringLiteral("A")) == S_OK ? link->outerHTML()
                                                                         : selected[i]->outerHTML());
        MoveObjectHtml(html, points[i].x(), points[i].y());
        copyText += html.text();
        m_pastePoints.push_back(points[i]);
    }
    // 3. Z-INDEX values above every object of the page, in the same order.
    TwinText copy(copyText);
    const ZIndexBand band = FindZIndexBand(copy.twin());
    RenumberCopiedZIndexes(copy, band, m_pView->m_nMaxZIndex);
    m_pView->m_nMaxZIndex = RaisedTopZIndex(m_pView->m_nMaxZIndex, band);
    {
        // One undo step for the copies and their maps.
        engine::UndoUnit unit(doc);
        // 4. Roll-over images and image maps get names of their own; the maps
        // are copied too.
        RenameServices services;
        const QString rollName = CScriptUtility::MakeUniqueElementName(QStringLiteral("VornaRollImage"));
        services.rollNumber = std::max(1, rollName.mid(int(QStringLiteral("VornaRollImage").size())).toInt());
        services.newMapName = [](const QStringList& handedOut) {
            QString name;
            MakeUniqueMapName(name, handedOut);
            return name;
        };
        services.pageMapHtml = [](const QString& mapName) {
            engine::Ref<engine::Element> map;
            return FindImagesUsingMap(QStringLiteral("MAP"), QStringLiteral("name"), mapName, map) == S_OK && map
                       ? map->outerHTML()
                       : QString();
        };
        TwinText maps;
        const RenamedNames renamed = RenameRollOversAndMaps(copy, services, &maps);
        if (renamed.rollOvers > 0)
            CScriptUtility::EnsureRollOverScript(QStringLiteral("VornaRollImage"));
        if (!renamed.maps.isEmpty()) {
            RemoveImageMapPainter(selected.front().get());
            RemoveUsemapHash(selected.front().get());
            doc->selection().setControlRange(selected);
        }
        // 5. The copies, selected, then their maps.
        m_pView->AppendElementToBody(QString(QChar(0x18)), copy.text());
        SelectPastedElements();
        if (!maps.text().isEmpty())
            m_pView->AppendElementToBody(QString(QChar(0x18)), maps.text());
    }
}
