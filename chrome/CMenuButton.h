#pragma once

#include "chrome/CMenuItem.h"

#include <QPoint>
#include <QPointer>
#include <QString>

class QMenu;
struct MenuBarMetrics;

// A button of the menu bar for one top-level menu (or a command of its own).
class CMenuButton : public CMenuItem
{
public:
    // The entry's text, its submenu (or null) and its command id (-1 with a submenu).
    CMenuButton(const QString& text, QMenu* submenu, int commandId, const MenuBarMetrics& metrics);

    void Draw(QPainter& painter) override;
    void TrackPopup(CMenuBar* bar, QWidget* owner) override;

    // The access key of an entry text: the character after the first "&",
    // the first character without one, none for an "&" at the end.
    static QChar AccessKeyOf(const QString& text);

    QString m_strBtn;
    // Where the access key is underlined in vertical text.
    QPoint m_ptLineFrom;
    QPoint m_ptLineTo;
    QPointer<QMenu> m_hSubMenu;
    int m_nID = -1;
    // Whether the frame's Window menu was opened last from a bar.
    static bool s_bWindowMenuOpened;

private:
    const MenuBarMetrics& m_metrics;
};
