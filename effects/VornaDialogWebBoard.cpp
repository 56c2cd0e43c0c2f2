#include "effects/VornaDialogWebBoard.h"

#include "res/resource.h"

VornaDialogWebBoard::VornaDialogWebBoard(QWidget* parent)
    : WebServiceLinkDialog(IDD_WEB_BOARD, IDS_WEB_BOARD_CAPTION, parent)
{
}
