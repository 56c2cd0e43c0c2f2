#pragma once

#include "chrome/ULOToolBar.h"

// The image toolbar: the simple-effect and mirror buttons open their menus.
class ULOToolBarImage : public ULOToolBar
{
    Q_OBJECT
public:
    using ULOToolBar::ULOToolBar;
    bool SetupDropDowns() override
    {
        MakeMenuButton(5, 626);
        MakeMenuButton(6, 627);
        return true;
    }
};
