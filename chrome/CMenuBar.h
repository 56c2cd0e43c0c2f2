#pragma once

#include "chrome/CMDIClientHook.h"
#include "chrome/CMainFrameHook.h"
#include "chrome/MenuBarTracker.h"

#include <QEvent>
#include <QList>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QToolBar>

class CMenuControl;
class CMenuIcon;
class QTimer;

namespace platform {
class CommandRegistry;
}

// The dockable menu bar that takes the place of the main window's own menu:
// the top-level menus as flat buttons in a bar that docks on any side or
// floats, opened and tracked across by mouse and keyboard (Alt, F10, access
// keys, arrows, Esc), with the maximised page's icon and its minimise,
// restore and close buttons in an MDI frame, and the Window menu listing
// the open pages.
class CMenuBar : public QToolBar
{
    Q_OBJECT
public:
    // The bar's control id: bars from this id up start a row of their own.
    static constexpr int kMenuBarId = 0xE806;
    // Bar style bits.
    static constexpr quint32 CBRS_GRIPPER = 0x00400000;
    static constexpr quint32 kSkinnedBorders = 0x01000000;
    // Ids of the Window menu's page entries, and of the entry after the ninth.
    static constexpr int AFX_IDM_FIRST_MDICHILD = 0xFF00;
    static constexpr int kMoreWindowsId = 0xFF09;

    explicit CMenuBar(QWidget* parent = nullptr);
    ~CMenuBar() override;

    // Makes the bar for the frame (object name "bar_<id>"), installs the
    // frame hook and, for a frame whose central widget is an MDI area, the
    // MDI client hook.
    bool Create(QMainWindow* frame, quint32 style, int id = kMenuBarId);
    // Builds the menus of the resource (res/menus/<id>.menu) as children of
    // the frame and shows them; false when the resource is missing, empty or damaged.
    bool LoadMenuBar(int resourceId, platform::CommandRegistry& registry);
    // Shows these top-level menus (the Window menu among them, or null);
    // returns the menus shown before.
    QList<QMenu*> SetMenu(const QList<QMenu*>& menu, QMenu* windowMenu);
    QList<QMenu*> GetMenu() const { return m_hMenu; }
    QList<QMenu*> loadedMenu() const { return m_hMenuLoaded; }
    QMenu* windowMenu() const { return m_hWindowMenu; }
    // Docks on the sides the areas allow (all four when none), at the top first.
    void EnableDockingEx(Qt::ToolBarAreas areas = Qt::AllToolBarAreas);
    // Docks the bar in the frame's area and keeps it in a row of its own.
    void DockIn(Qt::ToolBarArea area);

    // Every event of the frame's windows goes here first (keys at their
    // first receiver); true when the bar consumed it.
    bool TranslateFrameMessage(QObject* receiver, QEvent* event);
    // Follows the active page: its icon and buttons show while it is maximised.
    void UpdateMaximizedChild();
    // Builds the fonts, the items and the layout again (a change of the
    // desktop's fonts or colours).
    void RefreshMetrics();
    // Lays the bar out again for the frame's current size.
    void RecalcLayout();

    // Opens the popup of an item and tracks the mouse and keys until no
    // popup of the bar is open any more.
    virtual void TrackPopup(int index);

    // The menu of a top-level entry from the frame's menus, or null.
    static QMenu* FindWindowMenu(const QList<QMenu*>& menus);
    // The entry text of the nth page of the Window menu (1-based): "&n title",
    // the title's "&" doubled, a long title shortened in the middle.
    static QString WindowMenuEntryText(int number, const QString& title);
    // Rebuilds the page entries at the end of the Window menu.
    static void BuildWindowMenu(QMenu* menu, QMdiArea* area);
    // Lets the user choose among all open pages ("&More windows...").
    static void ShowMoreWindows(QMdiArea* area);

    // State the items, the hooks and the tests read.
    MenuBarTracker& tracker() { return m_tracker; }
    const MenuBarTracker& tracker() const { return m_tracker; }
    QMainWindow* frame() const { return m_frame; }
    QMdiArea* mdiArea() const { return m_pMDIClient; }
    QMdiSubWindow* activeChild() const;
    bool IsHorizontalBar() const;
    bool IsFrameActive() const { return m_bFrameActive; }
    CMenuControl* controlItem() const { return m_pMenuControl; }
    CMenuIcon* iconItem() const { return m_pMenuIcon; }
    bool IsMaximizedChild() const { return m_bMDIMaximized; }
    int LastOpenedItem() const { return s_nLastOpened; }
    // The strip that draws the items (bar coordinates of the items are its own).
    QWidget* itemStrip() const { return m_strip; }
    // An item's rectangle on the screen.
    QRect ItemScreenRect(const CMenuItem& item) const;
    // Runs a popup menu at the screen point (returns when it closes).
    void ExecPopup(QMenu* menu, QPoint screenPoint);
    // Sends a command of a top-level entry without a submenu.
    void SendCommand(int id);

    // Called by the frame hook.
    void OnFrameActivation(bool active);
    // The layout of the strip for its orientation and the frame's length.
    QSize CalcLayout() const;
    void Repaint();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Makes the bar for the frame (parent, object name, style) without
    // hooking the frame or its MDI area.
    bool CreateUnhooked(QMainWindow* frame, quint32 style, int id);
    // The mouse on the items (left button events, moves and leaving).
    virtual void OnStripMouse(QEvent::Type type, QPoint point);
    void setRegistry(platform::CommandRegistry* registry) { m_registry = registry; }
    QTimer* hoverTimer() const { return m_hoverTimer; }

private:
    friend class MenuBarStrip;
    void RefreshMenuItems();
    void OnHoverTimer();
    void PaintStrip(QPainter& painter);
    bool OnPopupInput(QObject* receiver, QEvent* event);
    void ClosePopups();
    int FrameLength(bool horizontal) const;

    QPointer<QMainWindow> m_frame;
    QWidget* m_strip = nullptr;
    MenuBarTracker m_tracker;
    QList<QMenu*> m_hMenu;
    QList<QMenu*> m_hMenuLoaded;
    QPointer<QMenu> m_hWindowMenu;
    QPointer<QMenu> m_openPopup;
    CMainFrameHook m_hookFrame;
    CMDIClientHook m_hookMDIClient;
    bool m_bFrameActive = true;
    bool m_bMDIApp = false;
    QPointer<QMdiArea> m_pMDIClient;
    CMenuControl* m_pMenuControl = nullptr;
    CMenuIcon* m_pMenuIcon = nullptr;
    bool m_bMDIMaximized = false;
    QPointer<QMdiSubWindow> m_pActiveChild;
    QTimer* m_hoverTimer = nullptr;
    quint32 m_dwStyle = 0;
    platform::CommandRegistry* m_registry = nullptr;

    static int s_nLastOpened;
};
