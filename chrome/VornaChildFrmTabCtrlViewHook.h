#pragma once

#include "chrome/CSubclassWnd.h"

// The sunken border around a view of a page window with view tabs: it takes
// two pixels inside the view's edge.
class VornaChildFrmTabCtrlViewHook : public CSubclassWnd
{
    Q_OBJECT
public:
    static constexpr int kBorder = 2;

    ~VornaChildFrmTabCtrlViewHook() override;

    bool WindowProc(QEvent* event) override;

protected:
    void OnAttachChanged(QObject* previous, QObject* current) override;
};
