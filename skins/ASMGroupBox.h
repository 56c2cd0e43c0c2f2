#pragma once

#include "skins/ASMControl.h"

class QPainter;
class QStyleOptionGroupBox;
class QWidget;

// The skin of a group box: a thin rounded frame in the shadow colour below
// its caption, the caption embossed when disabled.
class ASMGroupBox : public ASMControl
{
    Q_OBJECT
public:
    ASMGroupBox();

    void Draw(QPainter& dc, const QStyleOptionGroupBox& option, const QWidget* widget) const;
};
