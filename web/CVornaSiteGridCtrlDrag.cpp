// Rows of the site list dragged onto the page being edited: a page row makes
// a link, an image row is inserted, positioned, where it is dropped. The list
// keeps the mouse grabbed from the press to the release.
#include "web/CVornaSiteGridCtrl.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "editor/CImpIDispatch.h"
#include "editor/sink/RubberBandOverlay.h"
#include "frames/VornaFrameSet.h"
#include "images/ImageFiles.h"
#include "util/PageDom.h"
#include "web/SiteFileTexts.h"
#include "web/SitePageOperations.h"
#include "web/VornaDialogSiteManagerPage1.h"

#include "engine/dom/Document.h"
#include "engine/dom/Element.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"
#include "platform/ProgramCursors.h"

#include <QDir>

namespace sitegriddrag_detail {

constexpr int kPageCursor = 528;
constexpr int kImageCursor = 499;

CChildFrame* activeChild()
{
    CMainFrame* main = CMainFrame::instance();
    return main ? main->GetActiveChild() : nullptr;
}

CZQView* activePageView()
{
    CZQApp* app = CZQApp::instance();
    return app ? app->GetActiveView() : nullptr;
}

// A widget's rectangle in the client coordinates of the child frame, where the outline is drawn.
QRect rectInFrame(const QWidget* widget, const QWidget* client)
{
    if (!widget || !client)
        return QRect();
    return QRect(client->mapFromGlobal(widget->mapToGlobal(QPoint(0, 0))), widget->size());
}

// The page the outline may be drawn over: the frameset page's panes, else the active page.
QRect targetRect(CChildFrame* child)
{
    QWidget* client = child ? child->widget() : nullptr;
    if (!client)
        return QRect();
    if (CZQView* frameset = child->HasFrameset() ? child->GetFramesetView() : nullptr) {
        // The frameset page's own view stays hidden: its panes cover the editing area.
        QRect panes;
        QList<FramePane*> views;
        child->frameTree().root->CollectFrameViews(views);
        for (FramePane* pane : views) {
            if (auto* view = dynamic_cast<CZQView*>(pane))
                panes |= rectInFrame(view, client);
        }
        return panes.isEmpty() ? rectInFrame(frameset, client) : panes;
    }
    return rectInFrame(child->GetActiveView(), client);
}

// A view's point, in the engine's client coordinates of its page, of a screen point.
QPoint pageClientPoint(CZQView* view, QPoint screen)
{
    engine::PageView* page = view ? view->GetPageView() : nullptr;
    if (!page)
        return view ? view->mapFromGlobal(screen) : screen;
    return page->viewToClient(page->viewport()->mapFromGlobal(screen));
}

// The TABLE the range's parent element is or lies in, else its MARQUEE.
engine::Ref<engine::Element> containerOf(const engine::TextRange& range)
{
    engine::Ref<engine::Element> found = range.parentElement();
    if (found && FindParentByTag(found, QStringLiteral("TABLE")) == 0)
        return found;
    found = range.parentElement();
    if (found && FindParentByTag(found, QStringLiteral("MARQUEE")) == 0)
        return found;
    return nullptr;
}

} // namespace sitegriddrag_detail

// ---- the state of a drag ----

void CVornaSiteGridCtrl::CancelDragState()
{
    if (CMainFrame* main = CMainFrame::instance()) {
        main->m_strInsertImageSrc.clear();
        main->m_strLinkPath.clear();
        main->m_nInsertKind = 0;
    }
    eraseDragOutline();
    m_bDragging = false;
    ReleaseCapture();
    viewport()->unsetCursor();
}

void CVornaSiteGridCtrl::toggleDragOutline(const QRect& rect)
{
    CChildFrame* child = sitegriddrag_detail::activeChild();
    QWidget* client = child ? child->widget() : nullptr;
    if (!client || rect.isEmpty())
        return;
    RubberBandOverlay* overlay = RubberBandOverlay::of(client);
    const platform::Rect outline(rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height());
    overlay->toggleRect(outline);
    m_pOutlineClient = client;
    m_rcOutline = rect;
}

void CVornaSiteGridCtrl::eraseDragOutline()
{
    if (m_pOutlineClient && !m_rcOutline.isEmpty()) {
        if (RubberBandOverlay* overlay = RubberBandOverlay::of(m_pOutlineClient, false)) {
            const platform::Rect outline(m_rcOutline.left(), m_rcOutline.top(), m_rcOutline.right() + 1,
                                         m_rcOutline.bottom() + 1);
            overlay->toggleRect(outline);
        }
    }
    m_rcOutline = QRect();
    m_pOutlineClient = nullptr;
}

bool CVornaSiteGridCtrl::outlineMayShow(CChildFrame* child, QPoint corner) const
{
    QWidget* client = child ? child->widget() : nullptr;
    return client && sitegriddrag_detail::targetRect(child).contains(corner) &&
           !sitegriddrag_detail::rectInFrame(this, client).contains(corner);
}

void CVornaSiteGridCtrl::OnDragCancelled()
{
    endRowDrag(nullptr);
}

void CVornaSiteGridCtrl::endRowDrag(CZQView* target)
{
    // The text kept at the start is let go.
    if (CImpIDispatch* sink = m_pDragSourceView ? m_pDragSourceView->GetSink() : nullptr)
        sink->m_keptRange.reset();
    m_pDragSourceView = nullptr;
    m_strDragType.clear();
    ReleaseCapture();
    if (CImpIDispatch* sink = target ? target->GetSink() : nullptr)
        sink->ReleaseDocumentCapture();
    eraseDragOutline();
    m_bDragging = false;
    if (CMainFrame* main = CMainFrame::instance()) {
        main->m_strLinkPath.clear();
        main->m_strInsertImageSrc.clear();
        main->m_nInsertKind = 0;
        main->m_rcInsert = QRect(-1, -1, 0, 0);
    }
    m_sizeDrag = QSize();
    SelectActivePageRow();
    ResetDragMode();
    viewport()->unsetCursor();
}

void CVornaSiteGridCtrl::SelectActivePageRow()
{
    CChildFrame* child = sitegriddrag_detail::activeChild();
    CZQView* view = child ? child->GetActiveView() : nullptr;
    CZQDoc* document = view ? view->GetDocument() : nullptr;
    CMainFrame* main = CMainFrame::instance();
    auto* page = qobject_cast<VornaDialogSiteManagerPage1*>(parentWidget());
    if (!document || !main || !page)
        return;
    const QString path = document->pathName();
    if (path.isEmpty() || !main->IsPageInWeb(document->GetDisplayName()) ||
        path.left(path.lastIndexOf(QLatin1Char('/'))) != m_strFolder)
        return;
    const int row = page->FindFileRow(document->GetDisplayName());
    if (row < 0)
        return;
    ClearSelection();
    SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
}

// ---- begin ----

void CVornaSiteGridCtrl::OnBegindrag(int row, QPoint point)
{
    Q_UNUSED(row);
    Q_UNUSED(point);
    CMainFrame* main = CMainFrame::instance();
    // 1.
    if (GetSelectedCount() > 1) {
        ClearSelection();
        ResetDragMode();
        return;
    }
    // 2.-4.
    const int dragged = GetSelectedRow();
    if (dragged < 0 || dragged >= GetItemCount() || !main)
        return;
    if (GetItemText(dragged, 0).isEmpty() && GetItemPath(dragged).isEmpty())
        return;
    if (m_bJustEdited) {
        m_bJustEdited = false;
        return;
    }
    const QString type = GetRowType(dragged);
    m_strDragType = type;
    if (SiteSameText(type, TypePage())) {
        // 5. A link to the page: on the text selected now, or on what the drop hits.
        main->m_strLinkPath = GetItemPath(dragged);
        CZQView* view = sitegriddrag_detail::activePageView();
        CImpIDispatch* sink = view ? view->GetSink() : nullptr;
        if (!sink)
            return;
        sink->m_keptRange.reset();
        std::optional<engine::TextRange> range;
        engine::Ref<engine::Element> selected;
        std::optional<engine::ControlRange> controls;
        GetPageSelection(&selected, &controls, &range, view);
        if (range && HasTextRangeSelection(range) && !range->isCollapsed()) {
            sink->m_keptRange = range;
            m_pDragSourceView = view;
        } else if (selected)
            view->ExecCommand(engine::CommandGroup::ClearSelection);
    } else if (SiteSameText(type, TypeImage())) {
        // 6. The image waits for its place; its outline follows the mouse.
        const QString path = m_strFolder + QLatin1Char('/') + GetItemPath(dragged);
        main->m_strInsertImageSrc = QDir::fromNativeSeparators(path);
        main->m_nInsertKind = 2;
        main->m_nInsertImageFlag = 0;
        setFocus(Qt::MouseFocusReason);
        m_sizeDrag = GetImageFileSize(path);
        if (m_sizeDrag.isEmpty())
            m_sizeDrag = QSize(32, 32);
        main->m_rcInsert = QRect(QPoint(-1, -1), m_sizeDrag);
    } else {
        // 7. Folders and other files are not dragged.
        return;
    }
    main->m_bDragPending = true;
    SetCapture();
    m_bDragging = true;
}

// ---- moves ----

void CVornaSiteGridCtrl::OnMouseMove(unsigned flags, QPoint point)
{
    if (!m_bDragging) {
        CVornaGridCtrl::OnMouseMove(flags, point);
        return;
    }
    CMainFrame* main = CMainFrame::instance();
    CChildFrame* child = sitegriddrag_detail::activeChild();
    if (!main || !child)
        return;
    const QString& type = m_strDragType;
    if (SiteSameText(type, TypePage())) {
        viewport()->setCursor(platform::ProgramCursors::cursor(sitegriddrag_detail::kPageCursor));
        return;
    }
    if (!SiteSameText(type, TypeImage()) || main->m_nInsertKind != 2)
        return;
    // The outline at the mouse, over the page only.
    const QPoint at = child->widget()->mapFromGlobal(viewport()->mapToGlobal(point));
    eraseDragOutline();
    main->m_rcInsert = QRect(at, m_sizeDrag);
    if (outlineMayShow(child, at))
        toggleDragOutline(main->m_rcInsert);
    viewport()->setCursor(platform::ProgramCursors::cursor(sitegriddrag_detail::kImageCursor));
}

// ---- the drop ----

void CVornaSiteGridCtrl::OnLButtonUp(unsigned flags, QPoint point)
{
    if (!m_bDragging) {
        CVornaGridCtrl::OnLButtonUp(flags, point);
        return;
    }
    namespace detail = sitegriddrag_detail;
    // 1., 2. Back on the list, or outside the page window: nothing changes.
    CMainFrame* main = CMainFrame::instance();
    CChildFrame* child = detail::activeChild();
    const QPoint screen = viewport()->mapToGlobal(point);
    if (!main || !child || rect().contains(mapFromGlobal(screen)) ||
        !QRect(child->mapToGlobal(QPoint(0, 0)), child->size()).contains(screen)) {
        endRowDrag(detail::activePageView());
        return;
    }
    // 3. The page under the mouse: a frameset page's pane there.
    CZQView* target = nullptr;
    if (child->HasFrameset()) {
        VornaFrameSet* node = child->frameTree().root->FindFrameAtPoint(screen, true);
        target = node ? dynamic_cast<CZQView*>(node->m_pView) : nullptr;
        if (!target) {
            endRowDrag(detail::activePageView());
            return;
        }
        child->activatePane(target);
    } else {
        target = detail::activePageView();
        if (!target) {
            endRowDrag(nullptr);
            return;
        }
    }
    // 4. By the row dragged (the pane's activation selects the row of its page).
    if (SiteSameText(m_strDragType, TypePage()))
        DropPageLink(target, screen);
    else if (SiteSameText(m_strDragType, TypeImage()))
        DropImage(target, child, screen);
    // 5.
    endRowDrag(target);
}

void CVornaSiteGridCtrl::DropPageLink(CZQView* target, QPoint screen)
{
    namespace detail = sitegriddrag_detail;
    CMainFrame* main = CMainFrame::instance();
    CZQDoc* document = target->GetDocument();
    CImpIDispatch* sink = target->GetSink();
    if (!main || !document || !sink)
        return;
    // 1. Links go only into the web's own pages, relative to the page's folder.
    if (main->IsPageInWeb(document->GetDisplayName()) && !main->m_strLinkPath.isEmpty()) {
        const QString file = m_strFolder + QLatin1Char('/') + main->m_strLinkPath;
        const QString pagePath = document->pathName();
        const QString link = pagePath.isEmpty()
                                 ? main->m_strLinkPath
                                 : QDir(pagePath.left(pagePath.lastIndexOf(QLatin1Char('/')))).relativeFilePath(file);
        const QPoint client = detail::pageClientPoint(target, screen);
        QPoint pagePoint = client;
        sink->AddBodyScrollOffset(pagePoint);
        // 2. Dropped on the table or marquee that holds the selected text.
        std::optional<engine::TextRange> range = sink->m_keptRange;
        if (!range)
            GetPageSelection(nullptr, nullptr, &range, target);
        engine::Ref<engine::Element> container = range ? detail::containerOf(*range) : nullptr;
        bool onSelection = false;
        engine::PageView* page = target->GetPageView();
        if (container && page && !range->text().isEmpty())
            onSelection = engine::Geometry(page->layout()).pageRect(container.get()).contains(pagePoint);
        if (onSelection) {
            // 3.
            ApplyHyperlinkToFile(link, nullptr, &*range, target);
        } else {
            // 4. The image, marquee or table cell under the mouse.
            engine::Ref<engine::Element> element;
            sink->GetElementFromPoint(client, element);
            const QString tag = GetTagName(element.get());
            if (tag == QLatin1String("IMG") || tag == QLatin1String("MARQUEE")) {
                ApplyHyperlinkToFile(link, element.get(), nullptr, target);
                main->m_strLinkPath.clear();
                QPoint scroll(0, 0);
                sink->AddBodyScrollOffset(scroll);
                target->ExecCommand(engine::CommandGroup::ClearSelection);
                if (engine::PageView* page = target->GetPageView())
                    page->scrollToPage(scroll);
                sink->SelectElementAtPoint(pagePoint);
            } else if (element && tag != QLatin1String("BODY")) {
                engine::Ref<engine::Element> cell = element;
                if (FindParentByTag(cell, QStringLiteral("TD")) == 0) {
                    ApplyHyperlinkToFile(link, cell.get(), nullptr, target);
                    main->m_strLinkPath.clear();
                    engine::Ref<engine::Element> table = cell;
                    if (FindParentByTag(table, QStringLiteral("TABLE")) == 0)
                        sink->SelectControlElement(table.get());
                }
            }
        }
    }
    // 5.
    sink->m_keptRange.reset();
    document->m_bPageChanged = true;
    ResetDragMode();
}

void CVornaSiteGridCtrl::DropImage(CZQView* target, CChildFrame* child, QPoint screen)
{
    CMainFrame* main = CMainFrame::instance();
    if (!main || main->m_nInsertKind != 2)
        return;
    // 1.-3. The outline goes; the page may take the mouse again.
    const QPoint corner = main->m_rcInsert.topLeft();
    const bool placed = corner != QPoint(-1, -1) && outlineMayShow(child, corner);
    eraseDragOutline();
    ReleaseCapture();
    CImpIDispatch* sink = target->GetSink();
    if (sink)
        sink->ReleaseDocumentCapture();
    viewport()->unsetCursor();
    // 4. Inserted where the outline stood.
    if (sink && placed) {
        QPoint at = sitegriddrag_detail::pageClientPoint(target, screen);
        sink->InsertPositionedObject(at);
        target->setFocus(Qt::OtherFocusReason);
    }
    // 5.
    main->m_nInsertKind = 0;
    main->m_strInsertImageSrc.clear();
    m_sizeDrag = QSize(0, 0);
    main->m_rcInsert = QRect(-1, -1, 0, 0);
}
