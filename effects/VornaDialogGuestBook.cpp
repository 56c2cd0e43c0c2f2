#include "effects/VornaDialogGuestBook.h"

#include "res/resource.h"

VornaDialogGuestBook::VornaDialogGuestBook(QWidget* parent)
    : WebServiceLinkDialog({IDD_GUEST_BOOK, IDS_GUEST_BOOK_CAPTION, IDC_GUEST_BOOK_SERVICE, IDS_GUEST_BOOK_SERVICE,
                            IDS_GUEST_BOOK_HINT, IDS_NO_GUEST_BOOK_ADDRESS, false},
                           parent)
{
    m_strStyleFilter = QStringLiteral("*.vst");
}
