#pragma once

#include "dialogs/VornaDialogImgCssPage.h"

// The opacity page of the image effects dialog: its controls, defaults and ranges are its row of the pages' table.
class VornaDialogImgCssOpacity : public VornaDialogImgCssPage
{
public:
    VornaDialogImgCssOpacity(VornaDialogImgCssComplex* dialog, QWidget* parent)
        : VornaDialogImgCssPage(kImgCssOpacity, dialog, parent)
    {
    }
};
