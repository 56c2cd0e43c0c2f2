#include "effects/VornaDialogGuestBook.h"

#include "res/resource.h"

VornaDialogGuestBook::VornaDialogGuestBook(QWidget* parent)
    : WebServiceLinkDialog(IDD_GUEST_BOOK, IDS_GUEST_BOOK_CAPTION, parent)
{
}
