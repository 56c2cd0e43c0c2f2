#include "dialogs/VornaDialogCustomizeToolbox.h"

VornaDialogCustomizeToolbox* g_pCustomizeToolbox = nullptr;

// The dialog's window, lists and marker come with the dialog itself; until
// then nothing opens it, no toolbar is in customisation mode, and these
// insert nothing.
void VornaDialogCustomizeToolbox::TrackDragOverToolbar(const QPoint& /*screenPoint*/) {}

int VornaDialogCustomizeToolbox::DropButtonOnToolbar(const QPoint& /*screenPoint*/)
{
    m_rcMarker = QRect();
    return -1;
}

void VornaDialogCustomizeToolbox::DrawInsertMarker() {}
