#pragma once

#include "effects/WebServiceLinkDialog.h"

// The bulletin board (dialog 324, "掲示板"): the link to a board page of the
// service in a chosen style, or to another board whose address the user types.
class VornaDialogWebBoard : public WebServiceLinkDialog
{
    Q_OBJECT
public:
    explicit VornaDialogWebBoard(QWidget* parent = nullptr);
};
