#pragma once

#include "chrome/CSubclassWnd.h"

class CMenuBar;
class QMdiSubWindow;

// The menu bar's hook on the MDI client (the area that holds the page
// windows): a page window added, removed, activated, maximised or restored
// brings the bar's page icon and buttons up to date.
class CMDIClientHook : public CSubclassWnd
{
    Q_OBJECT
public:
    explicit CMDIClientHook(CMenuBar* bar) : m_pMenuBar(bar) {}
    bool WindowProc(QEvent* event) override;
    // Follows a page window's state changes.
    void WatchChild(QMdiSubWindow* child);

private:
    CMenuBar* m_pMenuBar;
};
