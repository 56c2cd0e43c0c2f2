#pragma once

#include "controls/VornaIconListCtrl.h"

// A picture list like VornaIconListCtrl whose item texts name the picture
// files whole: no extension is added.
class VornaListCtrl : public VornaIconListCtrl
{
    Q_OBJECT
public:
    explicit VornaListCtrl(QWidget* parent = nullptr);
};
