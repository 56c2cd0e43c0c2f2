// Selecting text by dragging in a text container (a cell, a MARQUEE, a
// CAPTION, or the page's flow as a whole): the selection never leaves the
// container the press was in, and a drag from one cell of an ordinary table
// into another turns into a cell range.

#include "editor/CImpIDispatch.h"

#include "util/PageDom.h"

#include "engine/dom/Document.h"
#include "engine/editing/Selection.h"
#include "engine/editing/TextRange.h"
#include "engine/layout/Geometry.h"
#include "engine/markup/MarkupPointer.h"
#include "engine/markup/MarkupServices.h"
#include "engine/view/DisplayPointer.h"
#include "engine/view/PageView.h"

HRESULT FindTextContainer(engine::Ref<engine::Element>& element)
{
    if (!element)
        return -1;
    for (const char* tag : {"TD", "MARQUEE", "CAPTION"}) {
        engine::Ref<engine::Element> found = element;
        if (FindParentByTag(found, QString::fromLatin1(tag)) == S_OK) {
            element = found;
            return S_OK;
        }
    }
    return -1;
}

HRESULT CImpIDispatch::MoveCaretToPoint(QPoint point, engine::Document* doc)
{
    engine::PageView* page = pageView();
    if (!doc || !page || page->document() != doc)
        return -1;
    engine::DisplayPointer pointer(*page);
    if (!pointer.moveToPoint(point))
        return -1;
    return page->moveCaretTo(pointer) ? S_OK : -1;
}

int CImpIDispatch::BeginTextDragSelection(int x, int y)
{
    engine::Document* doc = document();
    if (!doc || doc->selection().type() == engine::Selection::Type::Control)
        return 0;
    // 1.-2. A press on the text already selected leaves it to the engine.
    engine::TextRange range = doc->selection().createRange();
    for (const QRect& r : range.getClientRects()) {
        if (r.contains(x, y))
            return 0;
    }
    // 3. The caret at the press, which anchors the selections of the drag.
    m_bIsTextDragMode = true;
    range.moveToPoint(x, y);
    range.select();
    MoveCaretToPoint(QPoint(x, y), doc);
    m_pTextDragAnchor = std::make_unique<engine::MarkupPointer>();
    engine::PageView* page = pageView();
    if (!page || !page->moveMarkupPointerToCaret(*m_pTextDragAnchor))
        m_pTextDragAnchor->moveTo(range.start().node(), range.start().offset());
    SetDocumentCapture();
    return 0;
}

int CImpIDispatch::ExtendTextDragSelection()
{
    engine::Document* doc = document();
    engine::PageView* page = pageView();
    if (!doc || !page || !m_pTextDragAnchor || !m_pTextDragAnchor->isPositioned() ||
        doc->selection().type() == engine::Selection::Type::Control)
        return 0;
    // 1.-2. The selection and the caret of the press.
    engine::TextRange range = doc->selection().createRange();
    const engine::MarkupPointer& caret = *m_pTextDragAnchor;
    // 3. The container of the caret.
    engine::Ref<engine::Element> container(caret.currentScope());
    if (FindTextContainer(container) != S_OK) {
        // Text of the page's flow: the selection runs over the page's text.
        if (!IsTextEditContext())
            return 0;
        container = doc->body();
    }
    // 4. Its first and last places.
    engine::MarkupPointer first;
    engine::MarkupPointer last;
    if (!first.moveAdjacentToElement(container.get(), engine::MarkupPointer::Adjacency::AfterBegin) ||
        !last.moveAdjacentToElement(container.get(), engine::MarkupPointer::Adjacency::BeforeEnd))
        return 0;
    // 5. The place under the pointer.
    QPoint q;
    if (GetEventPoint(q) != S_OK)
        return 0;
    engine::DisplayPointer display(*page);
    engine::MarkupPointer mouse;
    if (!display.moveToPoint(q) || !display.positionMarkupPointer(mouse))
        return 0;
    // 6.-7. Inside the container: from the caret to the pointer.
    engine::Geometry geometry(page->layout());
    const QRect box = geometry.boundingClientRect(container.get());
    if (box.contains(q)) {
        if (caret.isLeftOf(mouse))
            engine::MarkupServices::moveRangeToPointers(caret, mouse, &range);
        else
            engine::MarkupServices::moveRangeToPointers(mouse, caret, &range);
        range.select();
        return 0;
    }
    // 8.1 Out of a cell of an ordinary table into another of its cells: a cell range.
    engine::Ref<engine::Element> table = container;
    engine::Ref<engine::Element> cell(mouse.currentScope());
    if (container->hasTag(QLatin1String("TD")) && FindParentByTag(table, QStringLiteral("TABLE")) == S_OK &&
        !HasTextId(table.get()) && FindParentByTag(cell, QStringLiteral("TD")) == S_OK &&
        !container->contains(cell.get()) && table->contains(cell.get())) {
        EndTextDragSelection();
        doc->selection().empty();
        m_pSelTable = table;
        m_pAnchorCell = container;
        int row = -1;
        int column = -1;
        GetCellGridPosition(container.get(), row, column, false);
        m_cellAnchor = CellPosition{row, column};
        m_bCellDragSelect = true;
        SetDocumentCapture();
        return 0;
    }
    // 8.2 Elsewhere: clamped to the container, before or after the caret by
    // the caret's line.
    engine::DisplayPointer atCaret(*page);
    if (!atCaret.moveToMarkupPointer(caret))
        return 0;
    const QRect location = atCaret.caretRect();
    const std::optional<engine::LineInfo> line = atCaret.lineInfo();
    if (!line)
        return 0;
    const int lineBottom = line->baseline + line->descent;
    const bool before = (q.x() < location.left() && q.y() < lineBottom) ||
                        (location.left() < q.x() && q.y() < lineBottom - line->height);
    if (before)
        engine::MarkupServices::moveRangeToPointers(first, caret, &range);
    else
        engine::MarkupServices::moveRangeToPointers(caret, last, &range);
    range.select();
    return 0;
}

int CImpIDispatch::EndTextDragSelection()
{
    m_bIsTextDragMode = false;
    m_pTextDragAnchor.reset();
    ReleaseDocumentCapture();
    return 0;
}
