#include "skins/ASMListView.h"

#include "controls/SysColors.h"
#include "skins/VornaSkinManager.h"

#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QTableView>
#include <QTreeView>

ASMListView::ASMListView() : ASMControl(SkinControlKind::ListView) {}

void ASMListView::Attach(QWidget* window)
{
    ASMControl::Attach(window);
    m_viewport = WatchViewport(window);
    QHeaderView* header = nullptr;
    if (auto* tree = qobject_cast<QTreeView*>(window))
        header = tree->header();
    else if (auto* table = qobject_cast<QTableView*>(window))
        header = table->horizontalHeader();
    if (header && header->viewport()) {
        m_headerViewport = header->viewport();
        m_headerViewport->installEventFilter(this);
    }
}

bool ASMListView::eventFilter(QObject* watched, QEvent* event)
{
    if (m_headerViewport && watched == m_headerViewport) {
        // A header made clickable after it was polished gets its skin now.
        if (event->type() == QEvent::Paint && VornaSkinManager::IsSkinOn()) {
            auto* header = qobject_cast<QHeaderView*>(m_headerViewport->parentWidget());
            VornaSkinManager& manager = VornaSkinManager::GetInstance();
            if (header && header->sectionsClickable() && !manager.Find(header))
                manager.SkinControl(header);
        }
        return false;
    }
    if (m_viewport && watched == m_viewport) {
        if (event->type() != QEvent::Paint || !VornaSkinManager::IsSkinOn() || !m_window || m_window->isEnabled())
            return false;
        QPainter dc(m_viewport);
        dc.fillRect(m_viewport->rect(), platform::toQColor(GetSkinSysColor(COLOR_3DSHADOW)));
        return true;
    }
    return ASMControl::eventFilter(watched, event);
}
