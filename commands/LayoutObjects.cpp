#include "commands/LayoutObjects.h"

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CZQDoc.h"
#include "app/CZQView.h"
#include "commands/ObjectArrange.h"
#include "frames/VornaFrameSet.h"
#include "util/PageDom.h"

#include "engine/css/Style.h"
#include "engine/dom/Element.h"
#include "engine/editing/TextRange.h"

#include <optional>

std::vector<engine::Ref<engine::Element>> SelectedObjects(CZQView* view)
{
    std::optional<engine::ControlRange> range;
    if (!view || GetPageSelection(nullptr, &range, nullptr, view) != S_OK || !range)
        return {};
    return range->elements();
}

QString StylePositionText(const engine::Element* element, bool horizontal)
{
    const engine::Style* style = element ? element->styleIfAny() : nullptr;
    if (!style)
        return QString();
    return horizontal ? style->left() : style->top();
}

bool WriteStylePosition(engine::Element* element, bool horizontal, qint64 position)
{
    if (!element)
        return false;
    const QString text = PositionText(position);
    if (StylePositionText(element, horizontal) == text)
        return false;
    engine::Style& style = element->style();
    if (horizontal)
        style.setLeft(engine::Variant(text));
    else
        style.setTop(engine::Variant(text));
    return true;
}

void MarkPageChanged(CZQView* view)
{
    if (CZQDoc* document = view ? view->GetDocument() : nullptr)
        document->m_bPageChanged = true;
}

void ForEachFrameView(VornaFrameSet* node, const std::function<void(CZQView*)>& visit)
{
    VornaFrameSet::Walk(node, [&visit](VornaFrameSet* frame) {
        if (frame->IsFrame()) {
            if (auto* view = dynamic_cast<CZQView*>(frame->m_pView))
                visit(view);
        }
        return false;
    });
}

void ForEachActivePageView(CMainFrame& frame, const std::function<void(CZQView*)>& visit)
{
    CChildFrame* child = frame.GetActiveChild();
    if (child && child->HasFrameset())
        ForEachFrameView(child->frameTree().root.get(), visit);
    else if (CZQView* view = frame.GetActiveView())
        visit(view);
}
