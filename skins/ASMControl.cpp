#include "skins/ASMControl.h"

#include "controls/SysColors.h"
#include "skins/SkinDrawing.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QWidget>

ASMControl::ASMControl(SkinControlKind kind) : m_kind(kind) {}

void ASMControl::ModifyState(quint16 clear, quint16 set, bool redraw)
{
    m_state = quint16((m_state & ~clear) | set);
    if (redraw && m_window)
        m_window->update();
}

bool ASMControl::WindowProc(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::HoverEnter:
        ModifyState(0, kMouseOver, !IsMouseOver());
        break;
    case QEvent::Leave:
    case QEvent::HoverLeave:
        ModifyState(kMouseOver, 0, IsMouseOver());
        break;
    default:
        break;
    }
    return false;
}

void ASMControl::DrawBorder(QPainter& dc, const platform::Rect& rect, bool mouseOver, bool enabled)
{
    if (mouseOver)
        DrawSkinDouble3dRect(dc, rect, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    else if (enabled)
        DrawSkinDouble3dRect(dc, rect, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DLIGHT, COLOR_3DLIGHT);
    else
        DrawSkinDouble3dRect(dc, rect, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT, COLOR_3DFACE, COLOR_3DFACE);
}

void ASMControl::RefitFrame()
{
    // Setting the same style measures the frame with the style's width again.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(m_window.data()))
        area->setFrameStyle(area->frameStyle());
}

QWidget* ASMControl::WatchViewport(QWidget* window)
{
    auto* area = qobject_cast<QAbstractScrollArea*>(window);
    QWidget* viewport = area ? area->viewport() : nullptr;
    if (viewport)
        viewport->installEventFilter(this);
    return viewport;
}
