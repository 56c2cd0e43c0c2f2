#pragma once

#include "dialogs/VornaDialogImgCssPage.h"

// The glow page of the image effects dialog: its controls, defaults and ranges are its row of the pages' table.
class VornaDialogImgCssGlow : public VornaDialogImgCssPage
{
public:
    VornaDialogImgCssGlow(VornaDialogImgCssComplex* dialog, QWidget* parent)
        : VornaDialogImgCssPage(kImgCssGlow, dialog, parent)
    {
    }
};
