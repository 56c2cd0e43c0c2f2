// Settings > 整列 and the align toolbar (604): the selected positioned objects
// lined up at their own left, centre, right, top, middle or bottom, or spread
// with equal gaps across their own span; the spreading over the page serves
// the spacing commands of the place toolbar.
#include "app/CMainFrame.h"

#include "app/CZQView.h"
#include "commands/LayoutObjects.h"
#include "commands/ObjectArrange.h"
#include "res/resource.h"

#include "engine/dom/Document.h"
#include "engine/layout/Geometry.h"
#include "engine/view/PageView.h"

#include "platform/CmdUI.h"

#include <optional>

namespace layoutalign_detail {

// Selection kinds of the view: two or more selected objects, three or more.
constexpr quint32 kTwoOrMoreObjects = 0x400;
constexpr quint32 kThreeOrMoreObjects = 0x800;

struct AlignCommand
{
    bool horizontal;
    AlignEdge edge;
};

std::optional<AlignCommand> alignCommand(unsigned id)
{
    switch (id) {
    case ID_ALIGN_LEFT:
        return AlignCommand{true, AlignEdge::Start};
    case ID_ALIGN_CENTER:
        return AlignCommand{true, AlignEdge::Middle};
    case ID_ALIGN_RIGHT:
        return AlignCommand{true, AlignEdge::End};
    case ID_ALIGN_TOP:
        return AlignCommand{false, AlignEdge::Start};
    case ID_ALIGN_MIDDLE:
        return AlignCommand{false, AlignEdge::Middle};
    case ID_ALIGN_BOTTOM:
        return AlignCommand{false, AlignEdge::End};
    default:
        return std::nullopt;
    }
}

// Each object's place from its style and, when asked, its client size along
// the axis, as the page lays it out.
std::vector<ObjectSpan> spansOf(const std::vector<engine::Ref<engine::Element>>& objects, engine::PageView& page,
                                bool horizontal, bool withExtent)
{
    engine::Geometry geometry(page.layout());
    std::vector<ObjectSpan> spans;
    spans.reserve(objects.size());
    for (const engine::Ref<engine::Element>& object : objects) {
        ObjectSpan span;
        span.position = StylePixels(StylePositionText(object.get(), horizontal));
        if (withExtent)
            span.extent = horizontal ? geometry.clientWidth(object.get()) : geometry.clientHeight(object.get());
        spans.push_back(span);
    }
    return spans;
}

} // namespace layoutalign_detail

void CMainFrame::AlignObjects(unsigned id)
{
    using namespace layoutalign_detail;
    // 1. The property and the edge.
    const std::optional<AlignCommand> command = alignCommand(id);
    CZQView* view = GetActiveView();
    if (!command || !view)
        return;
    // 2. The control range.
    const std::vector<engine::Ref<engine::Element>> objects = SelectedObjects(view);
    engine::Document* doc = view->GetHtmlDocument();
    engine::PageView* page = view->GetPageView();
    if (objects.empty() || !doc || !page)
        return;
    // 3. One undo step.
    engine::UndoUnit unit(doc);
    // 4.-5. The reference from the objects' places and, for the far edges
    // and the middle, their sizes.
    const std::vector<ObjectSpan> spans =
        spansOf(objects, *page, command->horizontal, command->edge != AlignEdge::Start);
    // 6. Every object at the reference.
    const std::vector<qint64> positions = AlignedPositions(spans, command->edge);
    bool wrote = false;
    for (size_t i = 0; i < objects.size(); ++i)
        wrote |= WriteStylePosition(objects[i].get(), command->horizontal, positions[i]);
    // 7. Differs from marking the page changed in any case: only a write
    // changes it.
    if (wrote)
        MarkPageChanged(view);
}

void CMainFrame::DistributeObjects(unsigned id, bool overPage, std::pair<int, int> range)
{
    using namespace layoutalign_detail;
    // 1. The property.
    if (id != ID_DISTRIBUTE_HORIZONTALLY && id != ID_DISTRIBUTE_VERTICALLY)
        return;
    const bool horizontal = id == ID_DISTRIBUTE_HORIZONTALLY;
    CZQView* view = GetActiveView();
    // 2. The control range and one undo step.
    const std::vector<engine::Ref<engine::Element>> objects = SelectedObjects(view);
    engine::Document* doc = view ? view->GetHtmlDocument() : nullptr;
    engine::PageView* page = view ? view->GetPageView() : nullptr;
    if (objects.empty() || !doc || !page)
        return;
    engine::UndoUnit unit(doc);
    // 3. Places and sizes.
    const std::vector<ObjectSpan> spans = spansOf(objects, *page, horizontal, true);
    // 4.-6. In order of their places, end to end with equal gaps.
    bool wrote = false;
    for (const DistributedPlace& place : DistributedPlaces(spans, overPage, range.second))
        wrote |= WriteStylePosition(objects[size_t(place.index)].get(), horizontal, place.position);
    // 7. Marked only after a write.
    if (wrote)
        MarkPageChanged(view);
}

bool CMainFrame::CanArrangeObjects(unsigned id) const
{
    using namespace layoutalign_detail;
    const CZQView* view = GetActiveView();
    if (!view || !IsEditMode())
        return false;
    if (alignCommand(id))
        return view->m_dwSelKind & kTwoOrMoreObjects;
    if (id == ID_DISTRIBUTE_HORIZONTALLY || id == ID_DISTRIBUTE_VERTICALLY)
        return view->m_dwSelKind & kThreeOrMoreObjects;
    return false;
}

void CMainFrame::OnAlignLeft()
{
    AlignObjects(ID_ALIGN_LEFT);
}

void CMainFrame::OnAlignCenter()
{
    AlignObjects(ID_ALIGN_CENTER);
}

void CMainFrame::OnAlignRight()
{
    AlignObjects(ID_ALIGN_RIGHT);
}

void CMainFrame::OnAlignTop()
{
    AlignObjects(ID_ALIGN_TOP);
}

void CMainFrame::OnAlignMiddle()
{
    AlignObjects(ID_ALIGN_MIDDLE);
}

void CMainFrame::OnAlignBottom()
{
    AlignObjects(ID_ALIGN_BOTTOM);
}

void CMainFrame::OnDistributeHorizontally()
{
    DistributeObjects(ID_DISTRIBUTE_HORIZONTALLY, false, {0, 0});
}

void CMainFrame::OnDistributeVertically()
{
    DistributeObjects(ID_DISTRIBUTE_VERTICALLY, false, {0, 0});
}

void CMainFrame::OnArrangeToolBar()
{
    m_settings.showArrange = m_settings.showArrange ? 0 : 1;
    UpdateArrangeToolBar();
}

void CMainFrame::OnUpdateArrangeToolBar(platform::CmdUI& ui)
{
    ui.enable(!GetActiveView() || IsEditMode());
    ui.setCheck(m_settings.showArrange ? 1 : 0);
}
