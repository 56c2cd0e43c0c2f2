#include "skins/FrameActivation.h"

#include <QApplication>
#include <QWidget>

bool FrameLooksActive(const QWidget* frame)
{
    if (!frame || !frame->isEnabled())
        return false;
    const QWidget* window = frame->window();
    if (window->isActiveWindow())
        return true;
    // A floating bar of the frame keeps it active, however deep it was made.
    for (const QWidget* active = QApplication::activeWindow(); active && active->windowType() == Qt::Tool;) {
        const QWidget* owner = active->parentWidget() ? active->parentWidget()->window() : nullptr;
        if (owner == window)
            return true;
        active = owner;
    }
    return false;
}
