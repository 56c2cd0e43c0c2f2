#pragma once

#include "effects/WebServiceLinkDialog.h"

// The guest book (dialog 559, "ゲストブック"): the link to a guest-book page
// of the service in a chosen style, or to another guest book whose address
// the user types.
class VornaDialogGuestBook : public WebServiceLinkDialog
{
    Q_OBJECT
public:
    explicit VornaDialogGuestBook(QWidget* parent = nullptr);
};
