// The small handlers of the page's events: the engine's move and resize
// gates, the key-up end of a Ctrl+drag copy, copy and paste, the refreshes
// before the caret comes and after the selection changed, drops and drag
// entries, control selection on table borders, the sizing cursor over table
// borders and the double click that opens an object's properties.

#include "editor/CImpIDispatch.h"

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQView.h"
#include "dialogs/VornaDlgSymbol.h"
#include "editor/sink/SinkModalScope.h"
#include "util/ColorText.h"
#include "util/PageDom.h"
#include "util/TextHelpers.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/Geometry.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

#include "platform/CommandRegistry.h"

#include <QCursor>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <exception>

namespace smallevents_detail {

// The property command of a control selection by its selection-kind bits,
// the first match winning; 0 for none. Images and areas are decided apart.
int propertyCommandOf(quint32 kind)
{
    if (kind & 0x100)
        return 33143; // counter
    if (kind & 0x100000)
        return 33303; // roll-over image
    if (kind & (0x8 | 0x2000))
        return -1; // image or area: by the element under the pointer
    if (kind & (0x10 | 0x8000))
        return 33241; // table
    if (kind & (0x400000 | 0x800000))
        return 33343; // rule
    if (kind & (0x2000000 | 0x4000000))
        return 33146; // marquee
    return 0;
}

bool inBand(int v, int from, int to)
{
    return from <= v && v <= to;
}

} // namespace smallevents_detail

bool CImpIDispatch::OnMove()
{
    // The engine moves objects only while the button is down.
    return !m_bMoving;
}

bool CImpIDispatch::OnResizeStart()
{
    return false;
}

bool CImpIDispatch::OnKeyUp()
{
    // Ctrl let go during a Ctrl+drag: the copy is abandoned, its outlines go
    // and the pointer returns to where the drag began.
    const engine::EventObject* event = CurrentEvent();
    if (!event || event->ctrlKey || !m_bIsDragPasteMode)
        return false;
    m_ptDragPasteSaved = m_ptDragPasteStart;
    DrawDragPasteOutlines(event->point());
    ClearOverlay();
    if (engine::PageView* page = pageView())
        QCursor::setPos(page->viewport()->mapToGlobal(page->clientToView(m_ptDragPasteStart)));
    m_bIsDragPasteMode = false;
    ReleaseDocumentCapture();
    return false;
}

bool CImpIDispatch::OnCopy()
{
    // The program's Copy command copies; the copy it makes in the engine is
    // let through.
    if (m_bInCopy) {
        m_bInCopy = false;
        return false;
    }
    CZQApp* app = CZQApp::instance();
    platform::CommandRegistry* commands = app ? app->commands() : nullptr;
    if (!commands)
        return false;
    m_bInCopy = true;
    // Differs from waiting for the next copy event to clear the mark: the
    // command may copy nothing (nothing selected, the view gone), and the
    // mark would then let the next copy skip the program's Copy.
    QPointer<CZQView> view(m_pView);
    QTimer::singleShot(0, commands, [commands, view] {
        commands->sendCommand(33465);
        if (CImpIDispatch* sink = view ? view->GetSink() : nullptr)
            sink->m_bInCopy = false;
    });
    return true;
}

bool CImpIDispatch::Paste()
{
    // The editor pastes itself: the engine's own paste is cancelled when it did.
    try {
        return DoPaste();
    } catch (const std::exception&) {
        return false;
    }
}

bool CImpIDispatch::OnBeforeEditFocus()
{
    if (m_bIsTextDragMode)
        return false;
    // 1. The page's design aids, the overwrite mode and the page's colours.
    CMainFrame* frame = CMainFrame::instance();
    engine::Document* doc = document();
    if (doc && m_pView) {
        if (frame && frame->m_settings.gridVisible)
            frame->SetGridBehavior(m_pView);
        if (frame)
            frame->SetElementBordersBehavior(m_pView);
        if (frame && doc->commands().queryCommandState(QStringLiteral("OverWrite")) != frame->m_bOverwrite)
            m_pView->ExecCommand(engine::CommandGroup::Overwrite);
        if (engine::Element* body = doc->body()) {
            const QString bg = body->getAttributeText(QStringLiteral("bgColor"));
            const QString text = body->getAttributeText(QStringLiteral("text"));
            m_pView->m_crPageBgColor = bg.isEmpty() ? platform::rgb(255, 255, 255) : HtmlToColorRef(bg);
            m_pView->m_crPageTextColor = text.isEmpty() ? platform::rgb(0, 0, 0) : HtmlToColorRef(text);
        }
    }
    // 2. The selection's kind and format.
    UpdateSelectionState();
    UpdateFormatState();
    if (frame)
        frame->UpdateTableToolBar();
    // 3. No caret outside text boxes and marquees.
    if (!IsTextEditContext())
        HideCaret();
    return false;
}

void CImpIDispatch::KeepPlaceAsPositioned(engine::Element* element)
{
    engine::PageView* page = pageView();
    if (!page) {
        element->style().setAttribute(QStringLiteral("position"), engine::Variant(QStringLiteral("absolute")));
        return;
    }
    // Positioned without offsets, a box of the text would leave its line for the start of the next one; it takes
    // offsets that keep it where it stood.
    engine::Geometry geometry(page->layout());
    page->layout().ensureLayout();
    const QRect before = geometry.pageRect(element);
    element->style().setAttribute(QStringLiteral("position"), engine::Variant(QStringLiteral("absolute")));
    page->layout().ensureLayout();
    const QRect after = geometry.pageRect(element);
    if (before.isNull() || after.isNull())
        return;
    // Offsets are of the nearest positioned ancestor's padding box, else of the page.
    const engine::Element* parent = geometry.offsetParent(element);
    const engine::LayoutBox* parentBox = parent ? page->layout().box(parent) : nullptr;
    const bool ofAncestor = parentBox && parentBox->positioned;
    const int left = ofAncestor ? geometry.offsetLeft(element) + before.x() - after.x() : before.x();
    const int top = ofAncestor ? geometry.offsetTop(element) + before.y() - after.y() : before.y();
    element->style().setAttribute(QStringLiteral("left"), engine::Variant(QStringLiteral("%1px").arg(left)));
    element->style().setAttribute(QStringLiteral("top"), engine::Variant(QStringLiteral("%1px").arg(top)));
}

bool CImpIDispatch::OnSelectionChange()
{
    if (m_bIsTextDragMode)
        return false;
    engine::Document* doc = document();
    // 1. An object selected as a control becomes absolutely positioned.
    engine::Ref<engine::Element> selected;
    GetPageSelection(&selected, nullptr, nullptr, m_pView);
    if (selected && doc) {
        static const char* const kObjects[] = {"TABLE", "IMG", "DIV", "OBJECT", "HR", "MARQUEE"};
        bool object = false;
        for (const char* tag : kObjects)
            object = object || selected->hasTag(QLatin1String(tag));
        const engine::Style* style = selected->styleIfAny();
        const bool absolute = style && style->position().compare(QLatin1String("absolute"), Qt::CaseInsensitive) == 0;
        if (object && !absolute) {
            engine::UndoUnit unit(doc);
            KeepPlaceAsPositioned(selected.get());
        }
    }
    // 2. The symbol palette inserts only where text is typed.
    if (CMainFrame* frame = CMainFrame::instance(); frame && frame->m_pDlgSymbol && frame->m_pDlgSymbol->isVisible())
        frame->m_pDlgSymbol->m_btnInsert->setEnabled(IsTextEditContext());
    // 3. The image whose map may be edited.
    m_pMapImage = selected && selected->hasTag(QLatin1String("IMG")) ? selected : nullptr;
    // 4. A dropped object goes where it was dropped.
    if (m_bDropPending) {
        PositionDroppedControl();
        m_bDropPending = false;
    }
    // 5. The selection's kind and format.
    UpdateSelectionState();
    UpdateFormatState();
    // 6. Text boxes and marquees keep the engine's selection.
    if (IsTextEditContext())
        return false;
    // 7. A press of the editor's own on the body starts an area selection.
    if (!m_bIsAreaSelectMode && m_ptDown != QPoint(-1, -1)) {
        engine::Ref<engine::Element> now;
        GetPageSelection(&now, nullptr, nullptr, m_pView);
        if (!now || now->hasTag(QLatin1String("BODY"))) {
            m_bIsAreaSelectMode = true;
            SetDocumentCapture();
        }
    }
    // 8.-9. No selection of the engine's in a cell drag or outside text boxes
    // and marquees, but a text selection made without a press of the editor's.
    // Differs from clearing every other selection: a control selection (the
    // objects the user selected) stays.
    if (m_bCellDragSelect)
        return true;
    const QString type = GetSelectionType();
    if (type.compare(QLatin1String("Control"), Qt::CaseInsensitive) == 0 ||
        (type.compare(QLatin1String("Text"), Qt::CaseInsensitive) == 0 && m_ptDown == QPoint(-1, -1)))
        return false;
    if (m_pView)
        m_pView->ExecCommand(engine::CommandGroup::ClearSelection);
    return true;
}

bool CImpIDispatch::OnDrop()
{
    const engine::EventObject* event = CurrentEvent();
    m_bDropPending = true;
    if (event)
        m_ptDrop = event->point();
    CMainFrame* frame = CMainFrame::instance();
    // An image of the image browser goes in where it was dropped.
    if (frame && frame->m_nImageDragMode == 2) {
        frame->m_nInsertKind = 2;
        if (m_pMapImage && m_pMapImage->hasTag(QLatin1String("IMG")) && RemoveImageMapPainter(m_pMapImage.get()) >= 0) {
            ResetImageMapMode();
            RemoveUsemapHash(m_pMapImage.get());
        }
        QPoint at = m_ptDrop;
        {
            SinkModalScope modal(*this);
            InsertPositionedObject(at);
        }
        frame->m_nImageDragMode = 0;
        if (m_pView)
            m_pView->setFocus();
        return true;
    }
    // Other data: the engine drops it; a cell range being dragged is dropped.
    if (m_bCellDragSelect) {
        ResetCellPosition(m_cellAnchor);
        ResetCellPosition(m_cellCurrent);
        m_pSelTable = nullptr;
        m_pAnchorCell = nullptr;
        m_pCurrentCell = nullptr;
    }
    return false;
}

bool CImpIDispatch::OnDragEnter()
{
    CMainFrame* frame = CMainFrame::instance();
    const int mode = frame ? frame->m_nImageDragMode : 0;
    if (mode == 1) {
        frame->m_nImageDragMode = 2;
        return false;
    }
    if (mode != 0)
        return false;
    // Another drag: allowed on the page's body.
    if (GetEventPoint(m_ptDragEnter) != S_OK)
        return false;
    engine::Ref<engine::Element> element;
    GetElementFromPoint(m_ptDragEnter, element);
    return element && element->hasTag(QLatin1String("BODY"));
}

bool CImpIDispatch::OnControlSelect()
{
    namespace detail = smallevents_detail;
    const engine::EventObject* event = CurrentEvent();
    if (event && event->ctrlKey)
        m_bOnColumnBorder = m_bOnRowBorder = false;
    if (!m_bOnColumnBorder && !m_bOnRowBorder)
        return false;
    // A press on a cell border starts the editor's drag of the border, not a
    // selection of the table; the release where it was pressed selects it.
    if (!event)
        return true;
    const QPoint p = event->point();
    const bool onBand = m_bOnColumnBorder ? detail::inBand(p.x(), m_borderZone.xFrom, m_borderZone.xTo)
                                          : detail::inBand(p.y(), m_borderZone.yFrom, m_borderZone.yTo);
    if (!onBand)
        return false;
    if (m_bAllowControlSelect) {
        m_bAllowControlSelect = false;
        return false;
    }
    return true;
}

bool CImpIDispatch::OnMouseOver()
{
    // Not while the selection is dragged or resized.
    if (m_bIsDragMoveMode || m_nSizeHandle >= 2)
        return false;
    const engine::EventObject* event = CurrentEvent();
    const bool ctrl = event && event->ctrlKey;
    if (m_bLButtonDown || m_bIsAreaSelectMode || m_bCellDragSelect || ctrl || m_bIsTextDragMode)
        return false;
    // 1. The text box tool shows its own cursor.
    CMainFrame* frame = CMainFrame::instance();
    if (frame && frame->m_nInsertKind == 1)
        return false;
    // 2. Which border of which table lies under the pointer.
    QPoint p;
    engine::Ref<engine::Element> element;
    if (GetEventPoint(p) == S_OK)
        GetElementFromPoint(p, element);
    bool overCell = false;
    if (element && element->hasTag(QLatin1String("TABLE"))) {
        if (HasTextId(element.get()))
            return true;
        m_pSizingTable = element;
        const QString border = element->getAttributeText(QStringLiteral("border"));
        const QString spacing = element->getAttributeText(QStringLiteral("cellSpacing"));
        m_nTableBorder = border.isEmpty() ? 1 : LeadingInteger(border);
        m_nTableCellSpacing = spacing.isEmpty() ? 2 : LeadingInteger(spacing);
        m_bOnColumnBorder = m_bOnRowBorder = m_bOnTableEdge = false;
        HitTestCellBorder(p.x(), p.y());
    } else if (element && element->hasTag(QLatin1String("TD"))) {
        overCell = true;
    } else {
        m_bOnColumnBorder = m_bOnRowBorder = m_bOnTableEdge = false;
        m_bIsRowSelectionMode = m_bIsColSelectionMode = false;
    }
    // 3.-4. The sizing cursor over a border; on the table's outer edge only
    // while the pointer moves outward.
    bool own = false;
    if (m_bOnColumnBorder || m_bOnRowBorder) {
        own = true;
        const bool outward = m_bOnColumnBorder ? m_ptMousePrev.x() < m_ptMouse.x() : m_ptMousePrev.y() < m_ptMouse.y();
        if (!m_bOnTableEdge || outward)
            ShowOwnCursor(QCursor(m_bOnColumnBorder ? Qt::SizeHorCursor : Qt::SizeVerCursor));
        if (!m_bOnTableEdge && overCell)
            own = false;
    }
    SetCursorOverride(own);
    return false;
}

bool CImpIDispatch::OnDblClick()
{
    engine::Document* doc = document();
    if (!doc || !m_pView)
        return false;
    if (IsTextEditContext()) {
        // In the text of a text box or marquee: the word.
        std::optional<engine::TextRange> range;
        GetPageSelection(nullptr, nullptr, &range, m_pView);
        if (!range)
            return false;
        engine::TextRange whole = range->duplicate();
        whole.moveToElementText(range->parentElement());
        if (!whole.text().isEmpty()) {
            range->expand(QStringLiteral("word"));
            range->select();
        }
        return false;
    }
    // On an object: its properties.
    engine::Selection* selection = nullptr;
    const QString type = GetSelectionType(&selection);
    if (type.compare(QLatin1String("None"), Qt::CaseInsensitive) == 0) {
        if (selection)
            selection->empty();
        return false;
    }
    if (type.compare(QLatin1String("Control"), Qt::CaseInsensitive) != 0)
        return false;
    UpdateSelectionState();
    int command = smallevents_detail::propertyCommandOf(m_pView->m_dwSelKind);
    if (command == -1) {
        // An image, or an area of its map: the area being drawn is closed,
        // an area's link or the image's properties open.
        QPoint p;
        engine::Ref<engine::Element> element;
        if (GetEventPoint(p) == S_OK)
            GetElementFromPoint(p, element);
        if (m_nEditMode == 3 && element && element->hasTag(QLatin1String("IMG"))) {
            ClosePolygonArea(element.get());
            return false;
        }
        command = element && element->hasTag(QLatin1String("AREA")) ? 33135 : 33141;
    }
    CZQApp* app = CZQApp::instance();
    if (command > 0 && app && app->commands())
        app->commands()->sendCommand(command);
    return false;
}
