#pragma once

#include "skins/ASMControl.h"

// The skin of a scroll bar: the bar keeps its own look and cursor, and does
// not follow the mouse.
class ASMScrollBar : public ASMControl
{
    Q_OBJECT
public:
    ASMScrollBar();

    bool WindowProc(QEvent* event) override;
};
