#pragma once

#include "dialogs/ImgCssPopup.h"

// The popup of the image symmetry (548): "X" mirrors across the horizontal axis, "Y" across the vertical one; either
// closes with OK.
class VornaDialogImgCssSymmetry : public ImgCssPopup
{
    Q_OBJECT
public:
    static constexpr int IDD = 548;
    explicit VornaDialogImgCssSymmetry(QWidget* parent = nullptr);

    // True for "X", false for "Y".
    bool m_bHorizontal = true;
};
