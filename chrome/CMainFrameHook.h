#pragma once

#include "chrome/CSubclassWnd.h"

class CMenuBar;

// The menu bar's hook on its frame: follows the frame's activation (the bar
// greys its text while the frame is inactive), rebuilds the bar when the
// desktop's fonts or colours change, lays it out again when the frame's size
// changes and keeps the bars from the menu bar's id up in rows of their own.
class CMainFrameHook : public CSubclassWnd
{
    Q_OBJECT
public:
    explicit CMainFrameHook(CMenuBar* bar) : m_pMenuBar(bar) {}
    bool WindowProc(QEvent* event) override;

    // Puts every docked, shown bar of the frame whose id is the menu bar's or
    // higher at the start of a row, and the bar after it on the next row.
    static void ApplyDockRowRule(class QMainWindow* frame);
    // The control id of a bar named "bar_<id>", or 0.
    static int BarId(const QObject* bar);

protected:
    void OnAttachChanged(QObject* previous, QObject* current) override;

private:
    void UpdateActivation();

    CMenuBar* m_pMenuBar;
    bool m_bApplyingRowRule = false;
};
