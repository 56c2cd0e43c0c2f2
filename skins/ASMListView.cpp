#include "skins/ASMListView.h"

#include "controls/SysColors.h"
#include "skins/VornaSkinManager.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QPainter>

ASMListView::ASMListView() : ASMControl(SkinControlKind::ListView) {}

void ASMListView::Attach(QWidget* window)
{
    ASMControl::Attach(window);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(window)) {
        m_viewport = area->viewport();
        if (m_viewport)
            m_viewport->installEventFilter(this);
    }
}

bool ASMListView::eventFilter(QObject* watched, QEvent* event)
{
    if (m_viewport && watched == m_viewport) {
        if (event->type() != QEvent::Paint || !VornaSkinManager::IsSkinOn() || !m_window || m_window->isEnabled())
            return false;
        QPainter dc(m_viewport);
        dc.fillRect(m_viewport->rect(), platform::toQColor(GetSkinSysColor(COLOR_3DSHADOW)));
        return true;
    }
    return ASMControl::eventFilter(watched, event);
}
