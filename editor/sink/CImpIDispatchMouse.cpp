// The mouse on the page: the press, the moves and the release become the
// editor's own drags (an insertion tool's rectangle, the area selection, the
// drag and the Ctrl+drag copy of the selection, a resize by a handle, a
// table border, a cell range, a text selection, the image-map areas). Every
// mode lives in the sink's fields and in the main frame's insertion state.
// The press tests the modes in this order: the image-map steps, the armed
// insertion tool, Ctrl (the drag copy), the border drag, the cell range and
// the press on the page's body, and last the drags that the cursor shown at
// the press chooses. The release ends every mode whose flag is set.

#include "editor/CImpIDispatch.h"

#include "app/CMainFrame.h"
#include "app/CZQView.h"
#include "editor/sink/RubberBandOverlay.h"
#include "editor/sink/SinkModalScope.h"
#include "util/PageDom.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/Geometry.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

#include <QCursor>

namespace sinkmouse_detail {

bool isSizingCursor(Qt::CursorShape shape)
{
    return shape == Qt::SizeFDiagCursor || shape == Qt::SizeBDiagCursor || shape == Qt::SizeHorCursor ||
           shape == Qt::SizeVerCursor;
}

bool hasTag(const engine::Element* element, const char* tag)
{
    return element && element->hasTag(QLatin1String(tag));
}

// The tools whose object is drawn by dragging a rectangle.
bool dragsRectangle(int tool)
{
    return tool == 1 || tool == 3 || tool == 4 || tool == 6 || tool == 7 || tool == 9 || tool == 10;
}

// The tools whose object's rectangle follows the pointer before the press.
bool followsPointer(int tool)
{
    return tool == 2 || tool == 4 || tool == 6 || tool == 7 || tool == 9;
}

// An object a click selects: an element the control selection takes, but a
// DIV only when it is positioned.
bool isObject(const engine::Element* element)
{
    if (!engine::ControlRange::accepts(element))
        return false;
    const engine::Style* style = element->styleIfAny();
    return !element->hasTag(QLatin1String("DIV")) ||
           (style && style->position().trimmed().compare(QLatin1String("absolute"), Qt::CaseInsensitive) == 0);
}

bool isUnplaced(const QRect& rect)
{
    return rect.topLeft() == QPoint(-1, -1);
}

QRect normalized(QPoint a, QPoint b)
{
    platform::Rect r;
    return CImpIDispatch::NormalizeRect(r, a, b).toQRect();
}

// The result of an image-map step for the handler: -1 cancels, 1 passes,
// anything else goes on.
bool endsHandler(int result)
{
    return result == -1 || result == 1;
}

} // namespace sinkmouse_detail

const engine::EventObject* CImpIDispatch::CurrentEvent() const
{
    engine::PageView* page = pageView();
    return page ? page->windowEvent() : nullptr;
}

void CImpIDispatch::SetCursorOverride(bool on)
{
    if (!m_pView)
        return;
    const engine::Variant value(on);
    m_pView->ExecCommand(engine::CommandGroup::OverrideCursor, &value);
}

void CImpIDispatch::ShowOwnCursor(const QCursor& cursor)
{
    if (engine::PageView* page = pageView())
        page->setPageCursor(cursor);
}

// ---------------------------------------------------------------- press

bool CImpIDispatch::OnMouseDown()
{
    namespace detail = sinkmouse_detail;
    const engine::EventObject* event = CurrentEvent();
    engine::PageView* page = pageView();
    if (!event || !page)
        return true;
    // The cursor shown as the button went down chooses the drag (step 7).
    const Qt::CursorShape cursor = page->pageCursor().shape();
    // Differs from starting over on top of a drag under way: a second press
    // during a drag (another button, a release that never came) first ends
    // that drag as a lost capture does, so that no mode stays half set and
    // no undo unit stays open.
    if (DragUnderWay())
        OnLoseCapture();
    // 1. The press and the element under it; nothing there: cancelled.
    m_bMoving = true;
    const QPoint p = event->point();
    m_ptDragEnter = p;
    engine::Ref<engine::Element> element;
    if (GetElementFromPoint(p, element) != S_OK)
        return true;
    m_ptMouseDown = p;
    // 2. The image-map steps.
    if (const int result = ImageMapMouseDown(element.get()); detail::endsHandler(result))
        return result == -1;
    // 3. Several objects can be selected.
    const engine::Variant on(true);
    m_pView->ExecCommand(engine::CommandGroup::MultipleSelection, &on);
    // 4. An armed insertion tool: a drag draws the object's rectangle, the
    // image tool places its picture at once.
    CMainFrame* frame = CMainFrame::instance();
    const int tool = frame ? frame->m_nInsertKind : 0;
    if (detail::dragsRectangle(tool)) {
        m_bInserting = true;
        m_bHrDefaultWidth = m_bMarqueeDefaultWidth = true;
        m_ptInsert = p;
        return false;
    }
    if (tool == 2) {
        // The picture's rectangle that followed the pointer goes from the frame.
        ClearOverlay();
        QPoint at = p;
        SinkModalScope modal(*this);
        InsertPositionedObject(at);
        return false;
    }
    // 5. Ctrl: a copy of the selection is dragged. Otherwise the click
    // selects the positioned object under it.
    const bool shift = event->shiftKey;
    if (event->ctrlKey) {
        if (BeginDragMove(p.x(), p.y())) {
            m_ptDragPasteSaved = m_ptDragPasteStart = p;
            m_bIsDragPasteMode = true;
            SetDocumentCapture();
        }
        return true;
    }
    SelectObjectUnderPress(element.get(), p, shift);
    // 6. The table border, the cell range and the page's body.
    StartBorderDrag(p);
    m_bRightClickInCells = false;
    if (KeepsCellRangeAtPress(element.get(), p, event->button))
        return false;
    if (detail::hasTag(element.get(), "BODY") && m_pView->IsEditMode()) {
        // The anchor of an area selection, which the selection change starts.
        if (GetVisibleRect().contains(p) && event->button == engine::LeftButton)
            m_ptLast = m_ptDown = p;
        return false;
    }
    m_pView->ExecCommand(engine::CommandGroup::Position2D, &on);
    // 7. The drags of the selection, chosen by the cursor shown at the press.
    if (event->button != engine::LeftButton || m_bLButtonDown || (m_nEditMode != 0 && m_nEditMode != 1))
        return false;
    if (cursor == Qt::SizeAllCursor) {
        if (!shift && BeginDragMove(p.x(), p.y())) {
            m_bIsDragMoveMode = true;
            SetDocumentCapture();
            m_bUndoUnitOpen = false;
        }
        return false;
    }
    if (detail::isSizingCursor(cursor)) {
        if (BeginHandleResize(p.x(), p.y())) {
            SetDocumentCapture();
            m_bUndoUnitOpen = false;
        }
        return false;
    }
    if (!shift && cursor == Qt::IBeamCursor)
        BeginTextDragSelection(p.x(), p.y());
    // 8.
    return false;
}

void CImpIDispatch::SelectObjectUnderPress(engine::Element* element, QPoint p, bool shift)
{
    namespace detail = sinkmouse_detail;
    engine::PageView* page = pageView();
    if (shift || !page || (m_pView->m_dwSelKind & 0x400) || detail::hasTag(element, "BODY") ||
        detail::hasTag(element, "MARQUEE") || detail::hasTag(element, "TD"))
        return;
    // The element's box from its offsets and client size, in the view.
    engine::Geometry geometry(page->layout());
    const int left = geometry.offsetLeft(element);
    const int top = geometry.offsetTop(element);
    platform::Rect box(left, top, left + geometry.clientWidth(element), top + geometry.clientHeight(element));
    SubtractBodyScrollOffsetFromRect(box);
    // Differs from selecting whatever element the click falls on: only an
    // object is selected. A division of the page's flow would otherwise be
    // selected (and so positioned) by any click on its text, and selecting
    // an element that is no object only empties the selection.
    if (box.contains(p) && sinkmouse_detail::isObject(element))
        SelectControlElement(element);
}

void CImpIDispatch::StartBorderDrag(QPoint p)
{
    // 6.1 A press in the band of the hovered column border, else of the
    // hovered row border, takes hold of it.
    const bool column = m_bOnColumnBorder && m_borderZone.xFrom <= p.x() && p.x() <= m_borderZone.xTo;
    const bool row = !column && m_bOnRowBorder && m_borderZone.yFrom <= p.y() && p.y() <= m_borderZone.yTo;
    if (!m_bOnColumnBorder && !m_bOnRowBorder)
        m_bIsRowSelectionMode = false;
    if (!column && !row)
        return;
    m_ptDown2 = m_ptMove2 = p;
    m_bLButtonDown = true;
    ToggleBorderLine(p);
    ShowOwnCursor(QCursor(column ? Qt::SizeHorCursor : Qt::SizeVerCursor));
    SetCursorOverride(true);
}

bool CImpIDispatch::KeepsCellRangeAtPress(engine::Element* element, QPoint p, int button)
{
    // 6.3 Without a range: no current cell. A right press on a cell inside
    // the range keeps it for the context menu; anything else drops it.
    if (!HasCellSelection()) {
        ResetCellPosition(m_cellCurrent);
        return false;
    }
    if (button == engine::RightButton && sinkmouse_detail::hasTag(element, "TD") && m_pSelTable) {
        engine::Ref<engine::Element> cell;
        GetElementFromPoint(p, cell);
        int left = -1, top = -1, right = -1, bottom = -1;
        if (!GetSelectedCellIndices(left, top, right, bottom))
            left = top = right = bottom = -1;
        int row = -1, column = -1;
        if (FindParentByTag(cell, QStringLiteral("TD")) == S_OK && m_pSelTable->contains(cell.get()) &&
            GetCellGridPosition(element, row, column, false) == S_OK && left <= column && column <= right &&
            top <= row && row <= bottom) {
            m_bRightClickInCells = true;
            return true;
        }
    }
    ClearCellRange();
    return false;
}

// ---------------------------------------------------------------- moves

bool CImpIDispatch::OnMouseMove()
{
    namespace detail = sinkmouse_detail;
    const engine::EventObject* event = CurrentEvent();
    // 1. A drag move: the move cursor, one undo unit from the first step.
    if (m_bIsDragMoveMode) {
        if (!event)
            return false;
        ShowOwnCursor(QCursor(Qt::SizeAllCursor));
        SetCursorOverride(true);
        OpenDragUndoUnit();
        DragMoveSelection(event->x, event->y);
        return false;
    }
    // 2. A handle resize, the same way.
    if (m_nSizeHandle >= 2) {
        OpenDragUndoUnit();
        if (event)
            ResizeByHandle(event->x, event->y);
        return false;
    }
    // 3.1 The image-map drags.
    if (m_nEditMode == 5 || m_bNoMove) {
        if (const int result = ImageMapMouseMove(); detail::endsHandler(result))
            return result == -1;
    }
    // 3.2
    CMainFrame* frame = CMainFrame::instance();
    if (frame)
        frame->m_nImageDragMode = 0;
    const bool havePoint = event != nullptr;
    const QPoint p = event ? event->point() : QPoint();
    // 3.3-3.4 The cursor: the tool's, a border's, or the engine's.
    int result = 0;
    const bool own = ChooseMoveCursor(p, result);
    if (detail::endsHandler(result))
        return result == -1;
    SetCursorOverride(own);
    // 3.5 What follows the pointer.
    if (havePoint) {
        const int tool = frame ? frame->m_nInsertKind : 0;
        if (tool == 5)
            return false;
        if (detail::followsPointer(tool) || m_bInserting) {
            TrackInsertRect(p);
            return false;
        }
        if (m_bIsAreaSelectMode) {
            if (m_ptDown != m_ptLast)
                ToggleAreaRect(m_ptDown, m_ptLast);
            m_ptLast = p;
            if (m_ptDown != m_ptLast)
                ToggleAreaRect(m_ptDown, m_ptLast);
            return false;
        }
        if (m_bCellDragSelect)
            ExtendCellRange(p);
        m_ptMousePrev = m_ptMouse;
        m_ptMouse = p;
        if (m_bLButtonDown) {
            SetDocumentCapture();
            ToggleBorderLine(m_ptMove2);
            m_ptMove2 = p;
            ToggleBorderLine(m_ptMove2);
            return false;
        }
    }
    // 3.6 A text drag selects; the engine's own selection is cancelled.
    if (m_bIsTextDragMode) {
        ExtendTextDragSelection();
        return true;
    }
    return false;
}

void CImpIDispatch::OpenDragUndoUnit()
{
    if (m_bUndoUnitOpen)
        return;
    BeginUndoUnit();
    m_bUndoUnitOpen = true;
}

bool CImpIDispatch::ChooseMoveCursor(QPoint p, int& result)
{
    CMainFrame* frame = CMainFrame::instance();
    const int tool = frame ? frame->m_nInsertKind : 0;
    // The insertion tools show their own cursors.
    QCursor cursor;
    if (InsertToolCursor(tool, p, cursor)) {
        ShowOwnCursor(cursor);
        return true;
    }
    // A cell range or a text being dragged: the text cursor.
    if (m_bCellDragSelect || m_bIsTextDragMode) {
        ShowOwnCursor(QCursor(Qt::IBeamCursor));
        return true;
    }
    // Over a table's border, in its band: the sizing cursor.
    if (m_bOnColumnBorder || m_bOnRowBorder) {
        const bool inBand = m_bOnColumnBorder ? m_borderZone.xFrom <= p.x() && p.x() <= m_borderZone.xTo
                                              : m_borderZone.yFrom <= p.y() && p.y() <= m_borderZone.yTo;
        if (inBand)
            ShowOwnCursor(QCursor(m_bOnColumnBorder ? Qt::SizeHorCursor : Qt::SizeVerCursor));
        return inBand;
    }
    if (m_bIsRowSelectionMode || m_bIsColSelectionMode)
        return false;
    // A copy being dragged: its outlines follow, and the engine does nothing.
    if (m_bIsDragPasteMode) {
        DrawDragPasteOutlines(p);
        result = -1;
        return true;
    }
    if (IsOnBodyElement()) {
        ShowOwnCursor(QCursor(Qt::ArrowCursor));
        return true;
    }
    // The image-map tools. The drawing tool sets its own cursor; the area's
    // handles show theirs where the pointer is over one.
    if (tool == 8) {
        result = TrackNewArea();
        return true;
    }
    if (m_nEditMode == 2) {
        engine::PageView* page = pageView();
        const Qt::CursorShape before = page ? page->pageCursor().shape() : Qt::ArrowCursor;
        result = SetAreaHandleCursor();
        const Qt::CursorShape after = page ? page->pageCursor().shape() : Qt::ArrowCursor;
        return after != before || after == Qt::SizeFDiagCursor || after == Qt::SizeBDiagCursor;
    }
    return false;
}

void CImpIDispatch::TrackInsertRect(QPoint p)
{
    CMainFrame* frame = CMainFrame::instance();
    if (!frame)
        return;
    // The rectangle drawn last goes; the new one follows the pointer (before
    // the press, at the object's size) or spans the drag.
    if (!sinkmouse_detail::isUnplaced(frame->m_rcInsert))
        ToggleInsertRect(frame->m_rcInsert);
    if (!m_bInserting) {
        frame->m_rcInsert.moveTopLeft(p);
        m_bHrDefaultWidth = m_bMarqueeDefaultWidth = true;
    } else {
        frame->m_rcInsert = sinkmouse_detail::normalized(m_ptInsert, p);
        m_bHrDefaultWidth = m_bMarqueeDefaultWidth = false;
    }
    ToggleInsertRect(frame->m_rcInsert);
}

void CImpIDispatch::ExtendCellRange(QPoint p)
{
    // The cell under the pointer, when it is one of the range's table.
    engine::Ref<engine::Element> cell;
    if (GetElementFromPoint(p, cell) == S_OK && FindParentByTag(cell, QStringLiteral("TD")) == S_OK && m_pSelTable &&
        m_pSelTable->contains(cell.get())) {
        m_pCurrentCell = cell;
        int row = -1, column = -1;
        GetCellGridPosition(cell.get(), row, column, false);
        m_cellCurrent = CellPosition{row, column};
        UpdateCellHighlight();
    }
    HideCaret();
}

// ---------------------------------------------------------------- release

bool CImpIDispatch::OnMouseUp()
{
    namespace detail = sinkmouse_detail;
    // 1. The release.
    m_bMoving = false;
    const engine::EventObject* event = CurrentEvent();
    const bool havePoint = event != nullptr;
    const QPoint p = event ? event->point() : QPoint();
    // 2.-3. The element pressed, and the image-map commits (which also let
    // go of the mouse for the image-map modes).
    engine::Ref<engine::Element> pressed;
    GetElementFromPoint(m_ptMouseDown, pressed);
    if (const int result = ImageMapMouseUp(pressed.get()); detail::endsHandler(result))
        return result == -1;
    // 4. The area selection or the insertion ends.
    if (m_bIsAreaSelectMode)
        EndAreaSelection(true);
    else if (m_bInserting && havePoint)
        CommitInsertion(p);
    // 5.
    m_ptInsert = QPoint(-1, -1);
    m_ptDown = QPoint(-1, -1);
    // 6. A cell range dragged stays held.
    if (m_bCellDragSelect) {
        m_bCellDragSelect = false;
        HideCaret();
        ReleaseDocumentCapture();
    }
    // 7. A border drag sizes the columns or rows, or selects the table.
    if (!m_bLButtonDown)
        m_pSizingCell = nullptr;
    else if (havePoint)
        EndBorderDrag(p, true);
    // 8. A copy dragged into the view lands there.
    if (m_bIsDragPasteMode) {
        HideCaret();
        if (havePoint && GetVisibleRect().contains(p))
            DragPaste();
        m_bIsDragPasteMode = false;
        ReleaseDocumentCapture();
    }
    // 9. The selection's kind and format.
    UpdateSelectionState();
    UpdateFormatState();
    // 10. With several objects selected, the pressed image's map is no
    // longer edited.
    if (m_pView && (m_pView->m_dwSelKind & 0x400) && pressed && RemoveImageMapPainter(pressed.get()) == 0) {
        ResetImageMapMode();
        RemoveUsemapHash(pressed.get());
    }
    // 11.
    if (CMainFrame* frame = CMainFrame::instance()) {
        frame->UpdateArrangeToolBar();
        frame->UpdateTableToolBar();
    }
    // 12. An empty cell keeps no blank.
    ClearBlankCellAtCaret();
    // 13. The end of a drag move or of a handle resize.
    EndDragMoveOrResize(havePoint ? std::optional<QPoint>(p) : std::nullopt);
    // 14. The end of a text drag.
    if (m_bIsTextDragMode)
        EndTextDragSelection();
    // 15.
    return false;
}

void CImpIDispatch::EndAreaSelection(bool select)
{
    // The rubber band goes; the objects wholly inside it are selected.
    if (m_ptDown != m_ptLast) {
        ToggleAreaRect(m_ptDown, m_ptLast);
        if (select) {
            platform::Rect area;
            NormalizeRect(area, m_ptDown, m_ptLast);
            AddBodyScrollOffsetToRect(area);
            SelectObjectsInRect(area);
        }
    }
    if (select)
        HideCaret();
    ReleaseDocumentCapture();
    m_bIsAreaSelectMode = false;
}

void CImpIDispatch::CommitInsertion(QPoint p)
{
    CMainFrame* frame = CMainFrame::instance();
    if (!frame)
        return;
    const int tool = frame->m_nInsertKind;
    const QPoint a = m_ptInsert;
    QRect& rect = frame->m_rcInsert;
    // The rectangle shown goes from the frame.
    if (!sinkmouse_detail::isUnplaced(rect))
        ToggleInsertRect(rect);
    const bool dragged = !sinkmouse_detail::isUnplaced(rect) && rect.width() >= 10 && rect.height() >= 10;
    if (dragged) {
        // A rule is at most 100 pixels high, from where the drag began.
        if (tool == 7 && rect.height() > 100) {
            rect = QRect(QPoint(std::min(a.x(), p.x()), a.y() < p.y() ? a.y() : a.y() - 100),
                         QPoint(std::max(a.x(), p.x()) - 1, (a.y() < p.y() ? a.y() + 100 : a.y()) - 1));
        } else if (tool != 2) {
            rect = sinkmouse_detail::normalized(a, p);
        }
    } else if (tool == 1) {
        rect = QRect(a, QSize(100, 25));
    } else if (tool == 10 || tool == 3) {
        rect = QRect(a, QSize(400, 300));
    } else if (tool == 9) {
        m_bMarqueeDefaultWidth = true;
    } else if (tool == 7 && rect.width() < 10) {
        const int width = m_pView ? int((m_pView->width() - 37) * 0.8) : 0;
        rect = QRect(a, QSize(width, 3));
        m_bHrDefaultWidth = true;
    }
    // Differs from placing the object at the rectangle's top-left whatever
    // it holds: a rectangle the pointer never placed (a press without a move
    // before it) has no top-left, and the object goes where it was pressed.
    QPoint at = sinkmouse_detail::isUnplaced(rect) ? a : rect.topLeft();
    ClearOverlay();
    {
        SinkModalScope modal(*this);
        InsertPositionedObject(at);
    }
    m_bInserting = false;
}

void CImpIDispatch::EndBorderDrag(QPoint p, bool apply)
{
    ReleaseDocumentCapture();
    // The line goes from the frame.
    ToggleBorderLine(m_ptMove2);
    ClearOverlay();
    ShowOwnCursor(QCursor(Qt::ArrowCursor));
    if (apply && m_pSizingCell && (m_bOnColumnBorder || m_bOnRowBorder)) {
        const int d = m_bOnColumnBorder ? p.x() - m_ptDown2.x() : p.y() - m_ptDown2.y();
        if (d == 0) {
            // Pressed and released in one place: the table is selected.
            m_bAllowControlSelect = true;
            SelectControlElement(m_pSizingTable.get());
        } else {
            if (m_bOnColumnBorder)
                ResizeColumnByDrag(d);
            else
                ResizeRowByDrag(d);
            if (engine::Document* doc = document())
                doc->selection().empty();
        }
    }
    SetCursorOverride(true);
    m_bLButtonDown = false;
    m_bOnColumnBorder = false;
    m_bOnRowBorder = false;
    m_borderZone = BorderZone{-1, -1, -1, -1};
}

void CImpIDispatch::ClearBlankCellAtCaret()
{
    engine::Document* doc = document();
    if (!doc || doc->selection().type() == engine::Selection::Type::Control)
        return;
    engine::Ref<engine::Element> parent = doc->selection().createRange().parentElement();
    if (parent && parent->hasTag(QLatin1String("TD")) &&
        parent->innerHTML().compare(QLatin1String("&nbsp;"), Qt::CaseInsensitive) == 0)
        parent->setInnerText(QString());
}

void CImpIDispatch::EndDragMoveOrResize(std::optional<QPoint> p)
{
    if (!m_bIsDragMoveMode) {
        if (m_nSizeHandle >= 2) {
            m_nSizeHandle = 0;
            ReleaseDocumentCapture();
            OnResizeEnd();
            if (m_bUndoUnitOpen)
                EndUndoUnit();
            m_bUndoUnitOpen = false;
            m_dAspectRatio = -1.0;
        }
        return;
    }
    ReleaseDocumentCapture();
    m_bIsDragMoveMode = false;
    KillAutoScrollTimer();
    // A click that moved nothing enters the text of a text box.
    if (!m_bUndoUnitOpen && !m_bPressedMarquee && p)
        EnterTextAtClick(*p);
    else if (m_bUndoUnitOpen)
        EndUndoUnit();
    m_bUndoUnitOpen = false;
}

void CImpIDispatch::EnterTextAtClick(QPoint point)
{
    // The caret where the click fell, when that is the text of a text
    // container and one object is selected.
    engine::Document* doc = document();
    if (!doc || controlSelection().size() != 1)
        return;
    engine::Ref<engine::Element> element;
    if (GetElementFromPoint(point, element) != S_OK || FindTextContainer(element) != S_OK)
        return;
    doc->selection().empty();
    engine::TextRange range = doc->selection().createRange();
    range.moveToPoint(point.x(), point.y());
    range.select();
    MoveCaretToPoint(point, doc);
}

// ---------------------------------------------------------------- capture lost

bool CImpIDispatch::DragUnderWay() const
{
    return m_bIsDragMoveMode || m_nSizeHandle >= 2 || m_bIsTextDragMode || m_bIsAreaSelectMode || m_bInserting ||
           m_bLButtonDown || m_bIsDragPasteMode || m_bCellDragSelect;
}

bool CImpIDispatch::OnLoseCapture()
{
    // The mouse went elsewhere in the middle of a drag (a window came up, the
    // view hid): every drag ends as its release would end it, but what the
    // release would add to the page (an object, a copy, a resize of cells,
    // a selection) is not made. What the drag moved stays, as one undo step.
    if (m_bIsAreaSelectMode)
        EndAreaSelection(false);
    if (m_bInserting) {
        if (CMainFrame* frame = CMainFrame::instance(); frame && !sinkmouse_detail::isUnplaced(frame->m_rcInsert))
            ToggleInsertRect(frame->m_rcInsert);
        m_bInserting = false;
    }
    m_ptInsert = QPoint(-1, -1);
    m_ptDown = QPoint(-1, -1);
    m_bCellDragSelect = false;
    if (m_bLButtonDown)
        EndBorderDrag(m_ptMove2, false);
    m_bIsDragPasteMode = false;
    if ((m_nEditMode == 5 || m_bNoMove) && m_pView) {
        // The area dragged goes back to where it stood.
        m_pView->m_areaWorkCoords = m_areaCoords;
        RestoreAreaCoords(m_areaCoords);
        m_nEditMode = 2;
        m_bNoMove = false;
    }
    m_bAreaEdit = false;
    EndDragMoveOrResize(std::nullopt);
    if (m_bIsTextDragMode)
        EndTextDragSelection();
    m_bMoving = false;
    ClearOverlay();
    ReleaseDocumentCapture();
    SetCursorOverride(false);
    return false;
}
