#pragma once

#include "chrome/CSubclassWnd.h"

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QSize>

class QAction;
class QMenu;
class QWidget;

namespace platform {
class CommandRegistry;
}

// Dresses the main window's menus: each command shows the toolbar picture of
// the same command (its disabled picture while disabled), and each entry the
// names of its accelerator keys at the right while the menu is open. The
// look itself (image box, frames, embossing, etched separators) is the
// style's. Hooked on the main window; it follows every menu below it.
class VornaCoolMenuManager : public CSubclassWnd
{
    Q_OBJECT
public:
    VornaCoolMenuManager();
    ~VornaCoolMenuManager() override;

    // Hooks the frame and follows the menus below it.
    void Install(QWidget* frame);
    // The toolbars' command-to-picture map and their pictures (normal, and
    // those of disabled commands); none of them owned. With a normal list,
    // the button size becomes the size of its first picture.
    void SetImageLists(const QHash<int, int>* commandMap, const QList<QPixmap>* normal, const QList<QPixmap>* disabled);
    // Forgets the pictures and sizes.
    void Destroy();
    // Gives the pictures again (after the toolbars changed).
    void Refresh();

    bool WindowProc(QEvent* event) override;

    // A menu is about to open: pictures and accelerator names go on its entries.
    void OnInitMenuPopup(QMenu* menu);
    // A menu closed: its entries get their plain texts back.
    void OnMenuClosed(QMenu* menu);

    // "Ctrl+S": the modifiers in the order Alt+, Ctrl+, Shift+, then the key's name.
    static QString AcceleratorName(const QKeySequence& key);
    // The text cut at its first tab, then a tab and the names of the keys,
    // the last one first, joined by ", " (no keys: the cut text alone).
    static QString WithAcceleratorNames(const QString& text, const QList<QKeySequence>& keys);

    bool m_bShowButtons = true;
    bool m_bAutoAccel = true;
    QSize m_szButton;
    QSize m_szImageBox;

    // The command registry the entries' ids come from (the application's by default).
    void setRegistry(platform::CommandRegistry* registry) { m_registry = registry; }

private:
    void Watch(QMenu* menu);
    QIcon PictureOf(int id) const;

    QPointer<QWidget> m_pFrame;
    const QHash<int, int>* m_commandMap = nullptr;
    const QList<QPixmap>* m_normalImages = nullptr;
    const QList<QPixmap>* m_disabledImages = nullptr;
    QList<QPointer<QMenu>> m_menusConverted;
    QList<QPointer<QMenu>> m_watched;
    platform::CommandRegistry* m_registry = nullptr;
};
