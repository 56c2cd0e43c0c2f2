#pragma once

#include "skins/ASMFrame.h"

// The skinned frame of the main window: the main frame's look.
class ASMMainFrame : public ASMFrame
{
    Q_OBJECT
};
