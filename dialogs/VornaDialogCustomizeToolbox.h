#pragma once

#include "chrome/ULOToolBar.h"

#include <QPoint>
#include <QRect>

// The modeless toolbar customisation dialog. While it is open
// (g_pCustomizeToolbox set) the toolbars are in customisation mode: a
// button pressed on a toolbar is dragged (ULOToolBar::kCommandMimeType) and
// the toolbar under the drag hands the points to the dialog, which shows
// where the button would go and inserts it there.
class VornaDialogCustomizeToolbox
{
public:
    VornaDialogCustomizeToolbox() = default;
    virtual ~VornaDialogCustomizeToolbox() = default;
    VornaDialogCustomizeToolbox(const VornaDialogCustomizeToolbox&) = delete;
    VornaDialogCustomizeToolbox& operator=(const VornaDialogCustomizeToolbox&) = delete;

    // Moves the insertion marker to where a drop at the screen point would
    // insert the dragged button.
    virtual void TrackDragOverToolbar(const QPoint& screenPoint);
    // Inserts a copy of the dragged button before or after the toolbar
    // button under the screen point; the index it was inserted at on that
    // toolbar, or -1 when nothing was inserted.
    virtual int DropButtonOnToolbar(const QPoint& screenPoint);
    // Shows the marker at m_rcMarker; an empty m_rcMarker hides it.
    virtual void DrawInsertMarker();

    // The button being dragged (from a toolbar or from the dialog's lists).
    ULOToolBar::Button m_tbbDrag;
    // Where the insertion marker stands, in screen coordinates; empty for none.
    QRect m_rcMarker;
};

// The open customisation dialog, or null.
extern VornaDialogCustomizeToolbox* g_pCustomizeToolbox;
