#pragma once

#include "platform/ColorRef.h"

// Indexes of the desktop's colours that the program's painters ask for.
enum SysColorIndex {
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_3DFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_3DSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
};

// The desktop's colour of the index, from the application palette; an index
// without a colour of its own gives the face colour.
platform::ColorRef GetSysColor(int index);
