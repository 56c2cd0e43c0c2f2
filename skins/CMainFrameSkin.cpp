#include "app/CMainFrame.h"

#include "chrome/CMenuBar.h"
#include "chrome/CMenuControl.h"
#include "platform/ModalRunner.h"
#include "skins/VornaDialogSkin.h"
#include "skins/VornaSkinManager.h"

#include <QApplication>
#include <QDialog>

void CMainFrame::OnViewChangeSkin()
{
    VornaDialogSkin dialog(this);
    if (dialog.DoModal() != platform::IDOK)
        return;
    VornaSkinManager::GetInstance().ChangeSkin(dialog.m_strSelected);
    if (m_wndMenuBar && m_wndMenuBar->controlItem())
        m_wndMenuBar->controlItem()->UpdateSize();
    // Shown again, every window takes its new frame at the place it had.
    RefreshTopLevelFrames();
}

void CMainFrame::RefreshTopLevelFrames()
{
    QList<QWidget*> windows{this};
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        // A modal dialog would end its run when hidden.
        if (widget != this && widget->isVisible() && qobject_cast<QDialog*>(widget) && !widget->isModal())
            windows.append(widget);
    }
    for (QWidget* window : windows) {
        if (!window->isVisible())
            continue;
        const QRect geometry = window->geometry();
        const Qt::WindowStates state = window->windowState();
        window->hide();
        window->setWindowState(state);
        window->show();
        if (!(state & (Qt::WindowMaximized | Qt::WindowFullScreen)))
            window->setGeometry(geometry);
    }
}
