// Settings > 重ね順: the selected object brought to the front or sent to the
// back of the page, or one step past its nearest overlapping neighbour
// (commands/StackingOrder.h). Each is one undo step.
#include "app/CMainFrame.h"

#include "app/CZQView.h"
#include "app/CommandEnabling.h"
#include "commands/LayoutObjects.h"
#include "commands/SinkUndoUnit.h"
#include "commands/StackingOrder.h"
#include "util/ElementGeometry.h"
#include "util/PageDom.h"

#include "engine/css/Style.h"
#include "engine/dom/Document.h"

#include "platform/CmdUI.h"

namespace layoutstack_detail {

// The selected object of the view's page; null without a control selection.
engine::Ref<engine::Element> selectedObject(CZQView* view)
{
    engine::Ref<engine::Element> element;
    if (!view || GetPageSelection(&element, nullptr, nullptr, view) != S_OK)
        return nullptr;
    return element;
}

// Writes the z-index; true when it changed.
bool writeZIndex(engine::Element* element, int zIndex)
{
    const QString text = QString::number(zIndex);
    if (element->style().value(QStringLiteral("z-index")) == text)
        return false;
    element->style().setZIndex(engine::Variant(zIndex));
    return true;
}

enum class Direction { Front, Back, Forward, Backward };

void restack(CZQView* view, Direction direction)
{
    // 1.-2. The page and its selected object.
    const engine::Ref<engine::Element> element = selectedObject(view);
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    if (!element || !doc)
        return;
    int zIndex = 0;
    if (direction == Direction::Front || direction == Direction::Back) {
        // 3.-4. Beyond every index handed out on this page and every index
        // the page holds already. Differs from counting from the view's
        // counters alone: a reopened page starts them at 100 again.
        const std::optional<ZIndexRange> page = PageZIndexRange(doc);
        if (direction == Direction::Front) {
            zIndex = FrontZIndex(view->m_nMaxZIndex, page);
            view->m_nMaxZIndex = KeptZCounter(zIndex);
        } else {
            zIndex = BackZIndex(view->m_nMinZIndex, page);
            view->m_nMinZIndex = KeptZCounter(zIndex);
        }
    } else {
        // 2.-3. The object's box and index, and BODY's other objects.
        StackedObject selected;
        selected.zIndex = GetElementStylePixels(element.get(), selected.box);
        if (!doc->body() || doc->body()->children().length() == 0)
            return;
        // 5.-6. Just past the nearest overlapping neighbour.
        zIndex = SteppedZIndex(selected, BodyObjectsBeside(doc, element.get()), direction == Direction::Forward);
    }
    // 7. Written as one step, the page marked when it changed.
    SinkUndoUnit undo(view);
    if (writeZIndex(element.get(), zIndex))
        MarkPageChanged(view);
}

} // namespace layoutstack_detail

void CMainFrame::OnBringToFront()
{
    layoutstack_detail::restack(GetActiveView(), layoutstack_detail::Direction::Front);
}

void CMainFrame::OnSendToBack()
{
    layoutstack_detail::restack(GetActiveView(), layoutstack_detail::Direction::Back);
}

void CMainFrame::OnBringForward()
{
    layoutstack_detail::restack(GetActiveView(), layoutstack_detail::Direction::Forward);
}

void CMainFrame::OnSendBackward()
{
    layoutstack_detail::restack(GetActiveView(), layoutstack_detail::Direction::Backward);
}

void CMainFrame::OnUpdateStepOrder(platform::CmdUI& ui)
{
    const CZQView* view = GetActiveView();
    ui.enable(CommandEnabling::BringToFrontOrBack(IsEditMode() && view, view ? view->m_dwSelKind : 0));
}
