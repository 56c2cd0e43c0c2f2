#pragma once

#include "skins/ASMCore.h"

// The skin of the page area: its background in the skin's page-area brush
// (its picture, else its colour), the desktop's dark shade without a skin.
// Its double edge is drawn by the program's style.
class ASMMDIClient : public ASMCore
{
    Q_OBJECT
public:
    // Gives the area the background of the active skin, or its own.
    void ApplySkin();
};
