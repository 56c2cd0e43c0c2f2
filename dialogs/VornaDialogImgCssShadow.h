#pragma once

#include "dialogs/VornaDialogImgCssPage.h"

// The long shadow page of the image effects dialog: its controls, defaults and ranges are its row of the pages' table.
class VornaDialogImgCssShadow : public VornaDialogImgCssPage
{
public:
    VornaDialogImgCssShadow(VornaDialogImgCssComplex* dialog, QWidget* parent)
        : VornaDialogImgCssPage(kImgCssShadow, dialog, parent)
    {
    }
};
