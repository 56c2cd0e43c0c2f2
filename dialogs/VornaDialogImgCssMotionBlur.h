#pragma once

#include "dialogs/VornaDialogImgCssPage.h"

// The motion blur page of the image effects dialog: its controls, defaults and ranges are its row of the pages' table.
class VornaDialogImgCssMotionBlur : public VornaDialogImgCssPage
{
public:
    VornaDialogImgCssMotionBlur(VornaDialogImgCssComplex* dialog, QWidget* parent)
        : VornaDialogImgCssPage(kImgCssMotionBlur, dialog, parent)
    {
    }
};
