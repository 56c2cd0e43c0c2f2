#include "effects/VornaDialogWebBoard.h"

#include "res/resource.h"

VornaDialogWebBoard::VornaDialogWebBoard(QWidget* parent)
    : WebServiceLinkDialog({IDD_WEB_BOARD, IDS_WEB_BOARD_CAPTION, IDC_WEB_BOARD_SERVICE, IDS_WEB_BOARD_SERVICE,
                            IDS_WEB_BOARD_HINT, IDS_NO_BOARD_ADDRESS, true},
                           parent)
{
    m_strStyleFilter = QStringLiteral("*.brd");
}
