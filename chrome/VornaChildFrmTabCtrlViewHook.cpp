#include "chrome/VornaChildFrmTabCtrlViewHook.h"

#include "chrome/CaptionGlyphs.h"
#include "controls/SysColors.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

VornaChildFrmTabCtrlViewHook::~VornaChildFrmTabCtrlViewHook()
{
    Attach(nullptr);
}

bool VornaChildFrmTabCtrlViewHook::WindowProc(QEvent* event)
{
    if (event->type() != QEvent::Paint)
        return CSubclassWnd::WindowProc(event);
    // The view paints first; the border goes over its edge.
    const bool result = CallNextProc();
    if (auto* view = qobject_cast<QWidget*>(hookedWindow())) {
        QPainter dc(view);
        DrawDouble3dRect(dc, platform::Rect::fromQRect(view->rect()), COLOR_3DSHADOW, COLOR_3DHIGHLIGHT,
                         COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    }
    return result;
}

void VornaChildFrmTabCtrlViewHook::OnAttachChanged(QObject* previous, QObject* current)
{
    if (auto* view = qobject_cast<QWidget*>(previous))
        view->setContentsMargins(0, 0, 0, 0);
    if (auto* view = qobject_cast<QWidget*>(current))
        view->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
}
