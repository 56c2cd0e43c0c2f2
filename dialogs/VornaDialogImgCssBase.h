#pragma once

#include "dialogs/ImgCssPopup.h"

// The popup of the simple image filters (546): emboss, engrave, grey, invert and X-ray. A click on one keeps its
// command id, sends that command to the parent window and closes with OK.
class VornaDialogImgCssBase : public ImgCssPopup
{
    Q_OBJECT
public:
    static constexpr int IDD = 546;
    explicit VornaDialogImgCssBase(QWidget* parent = nullptr);

    // The command chosen; 0 until one is.
    int m_nID = 0;

private:
    void OnFilter(int commandId);
};
