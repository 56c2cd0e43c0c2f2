// Settings > 配置 and the place toolbar (605): the selected objects moved as
// one block to an edge or the middle of the page, or spread across it
// (commands/PagePlacement.h).
#include "app/CMainFrame.h"

#include "app/CZQView.h"
#include "commands/PagePlacement.h"
#include "res/resource.h"

#include "platform/CmdUI.h"

#include <algorithm>

namespace layoutplace_detail {

// Selection kind of the view: two or more selected objects.
constexpr quint32 kTwoOrMoreObjects = 0x400;
// The room a browser's vertical scroll bar takes from the page's width.
constexpr int kScrollBarRoom = 25;
// The guide drawn while no size is chosen.
constexpr int kDefaultGuideWidth = 800;
constexpr int kDefaultGuideHeight = 600;

} // namespace layoutplace_detail

QSize CMainFrame::PageGuideSize() const
{
    using namespace layoutplace_detail;
    const QSize chosen = m_settings.pageSize;
    return QSize(chosen.width() > 0 ? chosen.width() : kDefaultGuideWidth,
                 chosen.height() > 0 ? chosen.height() : kDefaultGuideHeight);
}

QSize CMainFrame::PagePlacementExtent() const
{
    const QSize guide = PageGuideSize();
    return QSize(std::max(0, guide.width() - layoutplace_detail::kScrollBarRoom), guide.height());
}

void CMainFrame::OnPlaceLeft()
{
    AlignPositionedElements(ID_PLACE_LEFT);
}

void CMainFrame::OnPlaceCenter()
{
    AlignPositionedElements(ID_PLACE_CENTER);
}

void CMainFrame::OnPlaceRight()
{
    AlignPositionedElements(ID_PLACE_RIGHT);
}

void CMainFrame::OnPlaceTop()
{
    AlignPositionedElements(ID_PLACE_TOP);
}

void CMainFrame::OnPlaceMiddle()
{
    AlignPositionedElements(ID_PLACE_MIDDLE);
}

void CMainFrame::OnPlaceBottom()
{
    AlignPositionedElements(ID_PLACE_BOTTOM);
}

void CMainFrame::OnSpaceHorizontally()
{
    SpacePositionedElements(ID_SPACE_HORIZONTALLY);
}

void CMainFrame::OnSpaceVertically()
{
    SpacePositionedElements(ID_SPACE_VERTICALLY);
}

void CMainFrame::OnUpdatePlace(platform::CmdUI& ui)
{
    UpdateUIArrangeCommand(ui);
}

void CMainFrame::OnUpdateSpace(platform::CmdUI& ui)
{
    const CZQView* view = GetActiveView();
    ui.enable(IsEditMode() && view && (view->m_dwSelKind & layoutplace_detail::kTwoOrMoreObjects));
}
