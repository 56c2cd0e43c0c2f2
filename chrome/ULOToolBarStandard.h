#pragma once

#include "chrome/ULOToolBar.h"

// The standard toolbar: its new-file and open buttons carry the command of
// their menu chosen last.
class ULOToolBarStandard : public ULOToolBar
{
    Q_OBJECT
public:
    using ULOToolBar::ULOToolBar;
    bool SetupDropDowns() override
    {
        MakeMenuDropDown(0, 571, true);
        MakeMenuDropDown(1, 572, true);
        return true;
    }
};
