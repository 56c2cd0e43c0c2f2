#pragma once

#include "chrome/CMenuItem.h"

#include <QIcon>

// The maximised page's icon at the left end of the menu bar.
class CMenuIcon : public CMenuItem
{
public:
    explicit CMenuIcon(CMenuBar* bar);

    void Draw(QPainter& painter) override;
    // Takes the active page's icon and shows it while that page is maximised.
    void OnActivateChildWnd();

    CMenuBar* m_pMenuBar;
    QIcon m_hIconWinLogo;
};
