#pragma once

#include "dialogs/VornaDialogImgCssPage.h"

// The gradient page of the image effects dialog: its controls, defaults and ranges are its row of the pages' table.
class VornaDialogImgCssGradient : public VornaDialogImgCssPage
{
public:
    VornaDialogImgCssGradient(VornaDialogImgCssComplex* dialog, QWidget* parent)
        : VornaDialogImgCssPage(kImgCssGradient, dialog, parent)
    {
    }
};
