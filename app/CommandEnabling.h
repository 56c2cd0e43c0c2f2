#pragma once

#include <QtGlobal>

// The rules that enable the main frame's commands from the selection-kind
// mask of the active page view (CZQView::m_dwSelKind). Each takes whether the
// page is in edit mode and the mask, and says whether the command is enabled.
namespace CommandEnabling {

// Image commands: bit 0x8 or 0x2000.
bool ImageCommand(bool editMode, quint32 mask);
// Any bit of the command's mask.
bool FlagCommand(bool editMode, quint32 mask, quint32 commandMask);
bool MergeCells(bool editMode, quint32 mask);
bool TableCellCommand(bool editMode, quint32 mask);
// `hasView`: an active page view exists. Vertical alignments (32941..32943)
// are not offered for the positioned-box kinds alone.
bool FormatCommand(bool hasView, bool editMode, quint32 mask, int commandId);
bool ArrangeCommand(bool editMode, quint32 mask);
// flag 0: z-order and similar object commands; flag 1: link-like commands
// with their own mask (0x20 hyperlink, 0x40 board, 0x80 guest book), which
// take the page's flowing text as a text box's text: text selected there
// (`flowTextRange`, which the mask does not tell from a caret), or the caret
// in a link.
bool ObjectCommand(bool editMode, int flag, quint32 mask, quint32 commandMask, bool flowTextRange = false);
bool DeleteCommand(bool editMode, quint32 mask);
// Counter: in edit mode with a view, not on a counter already.
bool CounterCommand(bool editModeWithView, quint32 mask);
bool ImagePropertiesCommand(bool editModeWithView, quint32 mask);
bool BringToFrontOrBack(bool editModeWithView, quint32 mask);

} // namespace CommandEnabling
