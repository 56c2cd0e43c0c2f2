#pragma once

#include "dialogs/VornaDialogImgCssPage.h"

// The wave page of the image effects dialog: its controls, defaults and ranges are its row of the pages' table.
class VornaDialogImgCssWave : public VornaDialogImgCssPage
{
public:
    VornaDialogImgCssWave(VornaDialogImgCssComplex* dialog, QWidget* parent)
        : VornaDialogImgCssPage(kImgCssWave, dialog, parent)
    {
    }
};
