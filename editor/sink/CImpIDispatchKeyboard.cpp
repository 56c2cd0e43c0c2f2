// The keys on the page, in two regimes. In the text of a text box (a TABLE)
// or a MARQUEE the engine types, and the editor keeps the caret inside the
// container, plays the typing sounds and adds a few keys of its own.
// Everywhere else the keys nudge, delete and scroll the objects and the
// page, and every other key is swallowed, so that no text is typed outside
// text boxes and marquees.

#include "editor/CImpIDispatch.h"

#include "app/CMainFrame.h"
#include "app/CZQApp.h"
#include "app/CZQView.h"
#include "util/PageDom.h"

#include "engine/dom/Document.h"
#include "engine/dom/Element.h"
#include "engine/dom/Text.h"
#include "engine/editing/CommandGroup.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/DocumentLayout.h"
#include "engine/layout/TextGeometry.h"
#include "engine/markup/MarkupPointer.h"
#include "engine/markup/MarkupServices.h"
#include "engine/view/DisplayPointer.h"
#include "engine/view/EventObject.h"
#include "engine/view/PageView.h"

#include "platform/CommandRegistry.h"

#include <algorithm>

namespace sinkkeys_detail {

// Virtual-key numbers.
enum Key : int {
    kBack = 8,
    kTab = 9,
    kReturn = 13,
    kShift = 16,
    kControl = 17,
    kMenu = 18,
    kCapital = 20,
    kEscape = 27,
    kPrior = 33,
    kNext = 34,
    kEnd = 35,
    kHome = 36,
    kLeft = 37,
    kUp = 38,
    kRight = 39,
    kDown = 40,
    kDelete = 46,
    kA = 65,
    kI = 73,
    kV = 86,
    kZ = 90,
    kF1 = 112,
    kF2 = 113,
    kF24 = 135,
};

// Insert > Image > Image file.
constexpr int kInsertImageFileCommand = 33169;

bool isArrow(int key)
{
    return key >= kLeft && key <= kDown;
}

// Sets a flag for as long as it lives.
class FlagScope
{
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

void sendCommand(int id)
{
    if (CZQApp* app = CZQApp::instance(); app && app->commands())
        app->commands()->sendCommand(id);
}

// Whether an insertion tool or an image drag waits.
bool insertionPending()
{
    const CMainFrame* frame = CMainFrame::instance();
    return frame && (frame->m_nInsertKind != 0 || frame->m_nImageDragMode != 0);
}

// Moves a place at an edge of a container into the content at that edge, as
// far in as an element can hold the caret: the end of the last paragraph
// rather than the place after it, so that what is typed there joins that
// paragraph instead of starting a line of its own.
void intoEdgeContent(engine::MarkupPointer& p, bool atEnd)
{
    engine::Node* node = p.container();
    int offset = p.offset();
    for (int guard = 0; node && guard < 10000; ++guard) {
        const int step = atEnd ? -1 : 1;
        int at = atEnd ? offset - 1 : offset;
        // White space between blocks shows nothing: past it, to the block.
        while (node->child(at) && node->child(at + step) && node->child(at)->asText() &&
               node->child(at)->asText()->data().trimmed().isEmpty())
            at += step;
        engine::Node* next = node->child(at);
        if (!next)
            break;
        if (const engine::Text* text = next->asText()) {
            node = next;
            offset = atEnd ? int(text->data().size()) : 0;
            break;
        }
        const engine::Element* element = next->asElement();
        if (!element || element->isVoid())
            break;
        node = next;
        offset = atEnd ? next->childCount() : 0;
    }
    p.moveTo(node, offset);
}

} // namespace sinkkeys_detail

QString TypingSoundOf(int keyCode, bool ctrl)
{
    namespace detail = sinkkeys_detail;
    if (keyCode == detail::kDelete || keyCode == detail::kBack)
        return QStringLiteral("delete.wav");
    if (keyCode == detail::kReturn)
        return QStringLiteral("newline.wav");
    const bool silent = keyCode == detail::kTab || keyCode == detail::kShift || keyCode == detail::kControl ||
                        keyCode == detail::kMenu || keyCode == detail::kCapital || keyCode == detail::kEscape ||
                        (keyCode >= detail::kF1 && keyCode <= detail::kF24) || ctrl;
    return silent ? QString() : QStringLiteral("typing.wav");
}

bool CImpIDispatch::OnKeyDown()
{
    namespace detail = sinkkeys_detail;
    const engine::EventObject* event = CurrentEvent();
    engine::Document* doc = document();
    if (!event || !doc || !m_pView)
        return false;
    const int key = event->keyCode;
    // 1. Delete takes the selected area of an image map.
    if (m_nEditMode == 2 && key == detail::kDelete && !m_pView->m_strSelectedAreaId.isEmpty()) {
        engine::Ref<engine::Element> image;
        std::optional<engine::ControlRange> range;
        GetPageSelection(&image, &range, nullptr, m_pView);
        if (image) {
            RemoveImageMapOfImage(image.get(), m_pView->m_strSelectedAreaId);
            if (range)
                range->select();
            ResetImageMapMode();
            return true;
        }
    }
    // 2. Delete empties a range of cells.
    if (key == detail::kDelete && HasCellSelection())
        ClearSelectedCells();
    // 3. The regime of the selection.
    return IsTextEditContext() ? TextEditKeyDown(*event) : ObjectKeyDown(*event);
}

bool CImpIDispatch::TextEditKeyDown(const engine::EventObject& event)
{
    namespace detail = sinkkeys_detail;
    const int key = event.keyCode;
    const bool ctrl = event.ctrlKey;
    const bool shift = event.shiftKey;
    bool cancel = false;
    if (key == detail::kEscape && detail::insertionPending())
        CancelInsertMode();
    if (ctrl && key == detail::kA) {
        SelectAllObjects();
        cancel = true;
    }
    // The caret keys keep the caret in its container.
    if (detail::isArrow(key) || key == detail::kHome || key == detail::kEnd) {
        if (HandleCaretKey(document(), key, shift, ctrl) == 0)
            return true;
    }
    // No page scrolling from a text box.
    if (key == detail::kPrior || key == detail::kNext)
        return true;
    // Tab in an ordinary table: the next cell.
    if (key == detail::kTab && (m_pView->m_dwSelKind & 0x10) && MoveCaretToNextCell(*this))
        cancel = true;
    if (const QString sound = TypingSoundOf(key, ctrl); !sound.isEmpty()) {
        if (CMainFrame* frame = CMainFrame::instance())
            frame->PlaySoundEffect(sound);
    }
    // F2: the text box or marquee around the caret as an object.
    if (key == detail::kF2 && !ctrl && !shift) {
        engine::PageView* page = pageView();
        const QRect caret = page ? page->caretLocation() : QRect();
        if (engine::Document* doc = document())
            doc->selection().empty();
        if (!caret.isNull())
            SelectObjectAtCaret(caret.left(), caret.top());
        cancel = true;
    }
    return cancel;
}

bool CImpIDispatch::ObjectKeyDown(const engine::EventObject& event)
{
    namespace detail = sinkkeys_detail;
    const int key = event.keyCode;
    const bool ctrl = event.ctrlKey;
    const bool shift = event.shiftKey;
    engine::Document* doc = document();
    engine::PageView* page = pageView();
    if (!doc || !page)
        return true;
    engine::Ref<engine::Element> selected;
    std::optional<engine::ControlRange> range;
    GetPageSelection(&selected, &range, nullptr, m_pView);
    // The selected objects: nudged, resized or deleted.
    if (selected && detail::isArrow(key)) {
        NudgeSelection(key, (ctrl ? 2 : 0) | (shift ? 4 : 0));
        return true;
    }
    if (selected && (key == detail::kDelete || key == detail::kBack)) {
        DeleteSelection();
        return true;
    }
    // Ctrl keys.
    if (ctrl && key != detail::kHome && key != detail::kEnd) {
        switch (key) {
        case detail::kV:
            return Paste();
        case detail::kA:
            SelectAllObjects();
            return false;
        case detail::kI:
            detail::sendCommand(detail::kInsertImageFileCommand);
            return false;
        case detail::kZ: {
            engine::Selection* selection = nullptr;
            if (GetSelectionType(&selection).compare(QLatin1String("Control"), Qt::CaseInsensitive) == 0 && selection)
                selection->empty();
            return false;
        }
        default:
            return false;
        }
    }
    if (key == detail::kEscape) {
        if (detail::insertionPending()) {
            CancelInsertMode();
        } else {
            engine::Selection* selection = nullptr;
            GetSelectionType(&selection);
            if (selection)
                selection->empty();
            if (CMainFrame* frame = CMainFrame::instance())
                frame->UpdateArrangeToolBar();
        }
        return true;
    }
    if (selected) {
        // F2: the caret at the start of the selected text box or marquee.
        if (key == detail::kF2 && range && range->length() == 1) {
            doc->selection().empty();
            PlaceCaretInObject(-1, -1, selected.get(), m_pView);
        }
        if (key == detail::kF2 || key == detail::kTab)
            return true;
        // An embedded object takes its keys.
        return !selected->hasTag(QLatin1String("OBJECT"));
    }
    // Nothing selected: the keys scroll the page.
    const QPoint scroll = page->scrollPosition();
    CMainFrame* frame = CMainFrame::instance();
    const int grid = frame ? std::clamp(frame->m_settings.gridSize, 1, 100) : 10;
    switch (key) {
    case detail::kPrior:
    case detail::kNext:
        page->scrollBy(0, key == detail::kPrior ? -m_pView->height() : m_pView->height());
        break;
    case detail::kHome:
        page->scrollToPage(ctrl ? QPoint(0, 0) : QPoint(scroll.x(), 0));
        break;
    case detail::kEnd: {
        // A page still being laid out has no end yet: the view goes to it
        // as the layout proceeds.
        if (page->layout().isLayingOutInBackground()) {
            page->scrollToBottom(scroll.x());
            break;
        }
        const QSize extent = GetContentExtent();
        page->scrollToPage(ctrl ? QPoint(extent.width(), extent.height()) : QPoint(scroll.x(), extent.height()));
        break;
    }
    case detail::kLeft:
        page->scrollBy(-grid, 0);
        break;
    case detail::kUp:
        page->scrollBy(0, -grid);
        break;
    case detail::kRight:
        page->scrollBy(grid, 0);
        break;
    case detail::kDown:
        page->scrollBy(0, grid);
        break;
    default:
        break;
    }
    return true;
}

HRESULT CImpIDispatch::MovePointerToCaret(engine::Document* doc, engine::MarkupPointer& pointer)
{
    engine::PageView* page = pageView();
    if (!doc || !page || page->document() != doc)
        return -1;
    return page->moveMarkupPointerToCaret(pointer) ? S_OK : -1;
}

int CImpIDispatch::HandleCaretKey(engine::Document* doc, int key, bool shift, bool ctrl)
{
    namespace detail = sinkkeys_detail;
    using engine::MarkupContext;
    using engine::MarkupPointer;
    using engine::MarkupServices;
    // 1. The other handlers stay out of the way meanwhile.
    detail::FlagScope busy(m_bIsTextDragMode);
    // 2. The selection and its text container.
    std::optional<engine::TextRange> range;
    GetPageSelection(nullptr, nullptr, &range, m_pView);
    if (!doc || !range)
        return 1;
    engine::Ref<engine::Element> container = range->parentElement();
    if (FindTextContainer(container) != S_OK)
        return 1;
    // 3. The selection's ends, the container's inside ends and the caret.
    MarkupPointer start, end, first, last, caret;
    if (!MarkupServices::movePointersToRange(*range, &start, &end) ||
        !first.moveAdjacentToElement(container.get(), MarkupPointer::Adjacency::AfterBegin) ||
        !last.moveAdjacentToElement(container.get(), MarkupPointer::Adjacency::BeforeEnd) ||
        MovePointerToCaret(doc, caret) != S_OK)
        return 1;
    // 4. The end that moves: the one the caret does not stand at.
    MarkupPointer& moving = start.isEqualTo(caret) ? end : start;
    const auto selectBetween = [&](const MarkupPointer& from, const MarkupPointer& to) {
        MarkupServices::moveRangeToPointers(from, to, &*range);
        range->select();
        // The key is the editor's, not the page's: the caret is brought into
        // view here (Ctrl+End in a long text box moved it out of sight).
        if (engine::PageView* page = pageView()) {
            if (const QRect caret = page->caretPageRect(); !caret.isNull())
                page->scrollIntoView(caret);
        }
    };
    // 5. Ctrl+Home and Ctrl+End: the container's ends.
    if (key == detail::kHome || key == detail::kEnd) {
        if (!ctrl)
            return 1;
        const bool home = key == detail::kHome;
        detail::intoEdgeContent(first, false);
        detail::intoEdgeContent(last, true);
        if (shift)
            selectBetween(home ? first : caret, home ? caret : last);
        else
            selectBetween(home ? first : last, home ? first : last);
        return 0;
    }
    // 6. Left and Right: over tags to the next text; 0 at the container's edge.
    int result = 1;
    if (key == detail::kLeft || key == detail::kRight) {
        const bool left = key == detail::kLeft;
        for (int guard = 0; result != 0 && guard < 100000; ++guard) {
            const engine::MarkupStep next = left ? moving.left(false) : moving.right(false);
            if (next.context == MarkupContext::Text || next.context == MarkupContext::NoScope) {
                if (shift) {
                    using Unit = MarkupPointer::Unit;
                    moving.moveUnit(left ? (ctrl ? Unit::PrevWordBegin : Unit::PrevChar)
                                         : (ctrl ? Unit::NextWordBegin : Unit::NextChar));
                    selectBetween(left ? moving : caret, left ? caret : moving);
                    result = 0;
                }
                break;
            }
            if (next.context == MarkupContext::None)
                break;
            if (left)
                moving.left(true);
            else
                moving.right(true);
            result = left ? first.isLeftOf(moving) : last.isRightOf(moving);
        }
        // 8. At the edge of a cell of an ordinary table: into the next cell.
        if (!shift && result == 0)
            result = NeighbourCellBeyond(container.get(), moving, left);
        return result;
    }
    // 7. Shift+Up and Shift+Down: to the line above or below, within the container.
    if ((key == detail::kUp || key == detail::kDown) && shift) {
        const bool up = key == detail::kUp;
        engine::PageView* page = pageView();
        engine::TextGeometry* text = page ? &page->textGeometry() : nullptr;
        // (Kept: the x of the caret on its line, not the line's start.)
        const std::optional<engine::LineInfo> line =
            text ? text->lineInfoAt(caret.container(), caret.offset()) : std::nullopt;
        const QRect at = line ? text->caretRectAt(caret.container(), caret.offset()) : QRect();
        const engine::TextPosition to = !at.isNull()
                                            ? text->moveLineAt(moving.container(), moving.offset(), up ? -1 : 1, at.x())
                                            : engine::TextPosition();
        // Differs from taking any line the move finds: the line above (below)
        // on the screen may hold text that comes later (earlier) in the page,
        // outside the container; the selection then runs to the container's
        // end, as when no line was found.
        if (!to.isNull())
            moving.moveTo(to.node, to.offset);
        if (up) {
            const bool beyond = to.isNull() || moving.isLeftOf(first) || !moving.isLeftOf(caret);
            selectBetween(beyond ? first : moving, caret);
        } else {
            const bool beyond = to.isNull() || moving.isRightOf(last) || !moving.isRightOf(caret);
            selectBetween(caret, beyond ? last : moving);
        }
        return 0;
    }
    return result;
}

int CImpIDispatch::NeighbourCellBeyond(engine::Element* container, engine::MarkupPointer& pointer, bool left)
{
    using engine::MarkupContext;
    engine::Ref<engine::Element> table(container);
    if (FindParentByTag(table, QStringLiteral("TABLE")) != S_OK || HasTextId(table.get()))
        return 0; // a text box never lets the caret out
    // Step by step in the key's direction while inside the table: the first
    // cell entered takes the caret.
    for (int guard = 0; guard < 100000; ++guard) {
        const engine::MarkupStep step = left ? pointer.left(true) : pointer.right(true);
        if (step.context == MarkupContext::None)
            return 0;
        engine::Element* scope = pointer.currentScope();
        if (!scope || !table->contains(scope))
            return 0;
        const bool entered =
            left ? step.context == MarkupContext::ExitScope : step.context == MarkupContext::EnterScope;
        if (entered && (scope->hasTag(QLatin1String("TD")) || scope->hasTag(QLatin1String("TH"))))
            return 1;
    }
    return 0;
}

void CImpIDispatch::SelectObjectAtCaret(int x, int y)
{
    // 1.-2. The element at the caret.
    if (m_pView)
        m_pView->ExecCommand(engine::CommandGroup::ClearSelection);
    engine::Ref<engine::Element> element;
    if (GetElementFromPoint(QPoint(x, y), element) != S_OK)
        return;
    // 3. Its text box (any TABLE), else its MARQUEE.
    engine::Ref<engine::Element> object = element;
    if (!object->hasTag(QLatin1String("TABLE")) && FindParentByTag(object, QStringLiteral("TABLE")) != S_OK) {
        object = element;
        if (FindParentByTag(object, QStringLiteral("MARQUEE")) != S_OK)
            return;
    }
    // 4. Selected as an object.
    if (engine::Document* doc = document())
        doc->selection().empty();
    SelectControlElement(object.get());
}

int MoveCaretToNextCell(CImpIDispatch& sink)
{
    using engine::MarkupContext;
    CZQView* view = sink.view();
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    // 1. The cell of the caret.
    std::optional<engine::TextRange> range;
    GetPageSelection(nullptr, nullptr, &range, view);
    if (!doc || !range || !doc->body())
        return 0;
    engine::Ref<engine::Element> cell = range->parentElement();
    if (FindParentByTag(cell, QStringLiteral("TD")) != S_OK)
        return 0;
    // 2.-3. From inside the cell to the right: the next cell takes the caret;
    // a nested table stops the walk; the end of the table selects it.
    engine::MarkupPointer walker, end;
    if (!walker.moveAdjacentToElement(cell.get(), engine::MarkupPointer::Adjacency::AfterBegin) ||
        !end.moveAdjacentToElement(doc->body(), engine::MarkupPointer::Adjacency::BeforeEnd))
        return 1;
    while (!walker.isEqualTo(end)) {
        const engine::MarkupStep step = walker.right(true);
        if (step.context == MarkupContext::None)
            break;
        if (step.context == MarkupContext::EnterScope && step.element && step.element->hasTag(QLatin1String("TD"))) {
            MoveCaretToCell(view, step.element);
            view->m_dwSelKind |= 0x10 | 0x20000;
            break;
        }
        if (step.context == MarkupContext::EnterScope && step.element && step.element->hasTag(QLatin1String("TABLE")))
            break;
        if (step.context == MarkupContext::ExitScope && step.element && step.element->hasTag(QLatin1String("TABLE"))) {
            sink.SelectControlElement(step.element);
            break;
        }
    }
    // 4.
    return 1;
}

void MoveCaretToCell(CZQView* view, engine::Element* cell)
{
    engine::PageView* page = view ? view->GetPageView() : nullptr;
    if (!page || !cell || !cell->hasTag(QLatin1String("TD")))
        return;
    view->ExecCommand(engine::CommandGroup::ClearSelection);
    engine::MarkupPointer pointer;
    if (!pointer.moveAdjacentToElement(cell, engine::MarkupPointer::Adjacency::AfterBegin))
        pointer.moveTo(cell, 0);
    engine::DisplayPointer display(*page);
    if (display.moveToMarkupPointer(pointer))
        page->moveCaretTo(display);
    page->setCaretVisible(true);
}
