#include "skins/ASMControl.h"

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
