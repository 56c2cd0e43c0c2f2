#include "skins/ASMMDIClient.h"

#include "skins/VornaSkinManager.h"

#include <QApplication>
#include <QMdiArea>

void ASMMDIClient::ApplySkin()
{
    auto* area = qobject_cast<QMdiArea*>(m_window.data());
    if (!area)
        return;
    area->setBackground(VornaSkinManager::IsSkinOn() ? VornaSkinManager::GetInstance().data().m_mdiBrush
                                                     : QApplication::palette().brush(QPalette::Dark));
}
