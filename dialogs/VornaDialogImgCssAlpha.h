#pragma once

#include "dialogs/VornaDialogImgCssPage.h"

// The alpha ramp page of the image effects dialog: its controls, defaults and ranges are its row of the pages' table.
class VornaDialogImgCssAlpha : public VornaDialogImgCssPage
{
public:
    VornaDialogImgCssAlpha(VornaDialogImgCssComplex* dialog, QWidget* parent)
        : VornaDialogImgCssPage(kImgCssAlpha, dialog, parent)
    {
    }
};
