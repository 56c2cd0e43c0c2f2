#pragma once

#include "dialogs/VornaDialogImgCssPage.h"

// The drop shadow page of the image effects dialog: its controls, defaults and ranges are its row of the pages' table.
class VornaDialogImgCssDropShadow : public VornaDialogImgCssPage
{
public:
    VornaDialogImgCssDropShadow(VornaDialogImgCssComplex* dialog, QWidget* parent)
        : VornaDialogImgCssPage(kImgCssDropShadow, dialog, parent)
    {
    }
};
