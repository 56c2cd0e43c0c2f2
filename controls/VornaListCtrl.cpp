#include "controls/VornaListCtrl.h"

VornaListCtrl::VornaListCtrl(QWidget* parent) : VornaIconListCtrl(false, parent) {}
