#pragma once

#include "chrome/ULOToolBar.h"

// The object toolbar: the web-object and advanced-object buttons list the
// objects of their kind.
class ULOToolBarObject : public ULOToolBar
{
    Q_OBJECT
public:
    using ULOToolBar::ULOToolBar;
    bool SetupDropDowns() override
    {
        MakeMenuDropDown(10, 586, false);
        MakeMenuDropDown(11, 587, false);
        return true;
    }

    // Set while the text-box button is dragged onto a page.
    bool m_bTextDrag = false;
    // Set while the table picker opened from the table button is up.
    bool m_bTablePickerOpen = false;
};
