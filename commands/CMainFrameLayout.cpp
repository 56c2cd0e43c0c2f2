// The layout commands of the main frame: the table of the Settings menu's
// align, place and stacking submenus, the View menu's grid, object borders,
// page size and zoom, and the align and place toolbars (604, 605).
#include "app/CMainFrame.h"

#include "res/resource.h"

#include "platform/CmdUI.h"

void CMainFrame::AddLayoutCommands()
{
    using platform::CmdUI;
    // Alignment and distribution among the selected objects.
    onCommand(ID_ALIGN_LEFT, [this] { OnAlignLeft(); });
    onCommand(ID_ALIGN_CENTER, [this] { OnAlignCenter(); });
    onCommand(ID_ALIGN_RIGHT, [this] { OnAlignRight(); });
    onCommand(ID_ALIGN_TOP, [this] { OnAlignTop(); });
    onCommand(ID_ALIGN_MIDDLE, [this] { OnAlignMiddle(); });
    onCommand(ID_ALIGN_BOTTOM, [this] { OnAlignBottom(); });
    onCommand(ID_DISTRIBUTE_HORIZONTALLY, [this] { OnDistributeHorizontally(); });
    onCommand(ID_DISTRIBUTE_VERTICALLY, [this] { OnDistributeVertically(); });
    for (const int id : {ID_ALIGN_LEFT, ID_ALIGN_CENTER, ID_ALIGN_RIGHT, ID_ALIGN_TOP, ID_ALIGN_MIDDLE, ID_ALIGN_BOTTOM,
                         ID_DISTRIBUTE_HORIZONTALLY, ID_DISTRIBUTE_VERTICALLY})
        onUpdate(id, [this](CmdUI& ui) { ui.enable(CanArrangeObjects(unsigned(ui.id()))); });
    onCommand(ID_ARRANGE_TOOLBAR, [this] { OnArrangeToolBar(); });
    onUpdate(ID_ARRANGE_TOOLBAR, [this](CmdUI& ui) { OnUpdateArrangeToolBar(ui); });

    // Placement and spacing on the page.
    onCommand(ID_PLACE_LEFT, [this] { OnPlaceLeft(); });
    onCommand(ID_PLACE_CENTER, [this] { OnPlaceCenter(); });
    onCommand(ID_PLACE_RIGHT, [this] { OnPlaceRight(); });
    onCommand(ID_PLACE_TOP, [this] { OnPlaceTop(); });
    onCommand(ID_PLACE_MIDDLE, [this] { OnPlaceMiddle(); });
    onCommand(ID_PLACE_BOTTOM, [this] { OnPlaceBottom(); });
    onCommand(ID_SPACE_HORIZONTALLY, [this] { OnSpaceHorizontally(); });
    onCommand(ID_SPACE_VERTICALLY, [this] { OnSpaceVertically(); });
    onUpdateRange(ID_PLACE_LEFT, ID_PLACE_BOTTOM, [this](CmdUI& ui) { OnUpdatePlace(ui); });
    onUpdateRange(ID_SPACE_HORIZONTALLY, ID_SPACE_VERTICALLY, [this](CmdUI& ui) { OnUpdateSpace(ui); });

    // Stacking order; front and back are enabled by the frame's own rule.
    onCommand(ID_BRING_TO_FRONT, [this] { OnBringToFront(); });
    onCommand(ID_SEND_TO_BACK, [this] { OnSendToBack(); });
    onCommand(ID_BRING_FORWARD, [this] { OnBringForward(); });
    onCommand(ID_SEND_BACKWARD, [this] { OnSendBackward(); });
    onUpdate(ID_BRING_FORWARD, [this](CmdUI& ui) { OnUpdateStepOrder(ui); });
    onUpdate(ID_SEND_BACKWARD, [this](CmdUI& ui) { OnUpdateStepOrder(ui); });

    // Grid and object borders; the borders' state comes from the frame's
    // own rule (the engine's zero-border switch).
    onCommand(ID_VIEW_SHOW_GRID, [this] { OnShowGrid(); });
    onCommand(ID_VIEW_SNAP_TO_GRID, [this] { OnSnapToGrid(); });
    onCommand(ID_VIEW_GRID_SETTINGS, [this] { OnGridSettings(); });
    onCommand(ID_VIEW_OBJECT_BORDERS, [this] { OnShowObjectBorders(); });
    onUpdate(ID_VIEW_SHOW_GRID, [this](CmdUI& ui) { OnUpdateShowGrid(ui); });
    onUpdate(ID_VIEW_SNAP_TO_GRID, [this](CmdUI& ui) { OnUpdateSnapToGrid(ui); });
    onUpdate(ID_VIEW_GRID_SETTINGS, [this](CmdUI& ui) { OnUpdateGridSettings(ui); });

    // Page-size guide and zoom; the fixed zooms are the frame's own.
    onCommand(ID_VIEW_SHOW_PAGE_SIZE, [this] { OnShowPageSize(); });
    onCommand(ID_VIEW_PAGE_SIZE_640, [this] { OnPageSize640(); });
    onCommand(ID_VIEW_PAGE_SIZE_800, [this] { OnPageSize800(); });
    onCommand(ID_VIEW_PAGE_SIZE_1024, [this] { OnPageSize1024(); });
    onCommand(ID_VIEW_PAGE_SIZE_USER, [this] { OnPageSizeUser(); });
    onUpdate(ID_VIEW_SHOW_PAGE_SIZE, [this](CmdUI& ui) { OnUpdateShowPageSize(ui); });
    onUpdateRange(ID_VIEW_PAGE_SIZE_640, ID_VIEW_PAGE_SIZE_1024, [this](CmdUI& ui) { OnUpdatePageSize(ui); });
    onUpdate(ID_VIEW_PAGE_SIZE_USER, [this](CmdUI& ui) { OnUpdatePageSizeUser(ui); });
    onCommand(ID_VIEW_ZOOM_USER, [this] { OnViewZoomUser(); });
}
