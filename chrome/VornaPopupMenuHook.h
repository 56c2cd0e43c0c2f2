#pragma once

#include "chrome/CSubclassWnd.h"

// Gives the popup menus a dialog shows (its context menus) the dialogs' menu
// look: a 24-pixel box with the check mark at the left, rows at least 20
// pixels high, the text split at its tab into a left part and a right-aligned
// part. The dialog attaches it to itself when it is set up.
class VornaPopupMenuHook : public CSubclassWnd
{
    Q_OBJECT
public:
    VornaPopupMenuHook();
    ~VornaPopupMenuHook() override;

protected:
    void OnAttachChanged(QObject* previous, QObject* current) override;
};
