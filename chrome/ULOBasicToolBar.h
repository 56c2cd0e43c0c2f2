#pragma once

#include "chrome/CMenuBar.h"
#include "chrome/CMenuButton.h"
#include "dialogs/VornaDlgDynamicTableCreate.h"

#include <QHash>
#include <QList>
#include <QPixmap>

class QAction;
struct MenuNode;
class ULOBasicToolBar;

// A button of the basic toolbar: one entry of its menu drawn as a 71 x 31
// picture button, dropping down its submenu or sending its command.
class CToolBarButton : public CMenuButton
{
public:
    // The state bit of a button whose command is disabled.
    static constexpr quint8 kDisabled = MISTATE_INACTIVE;

    CToolBarButton(ULOBasicToolBar* owner, int index, const QString& text, QMenu* submenu, int commandId);
    ~CToolBarButton() override = default;
    void Draw(QPainter& painter) override;
    void TrackPopup(CMenuBar* bar, QWidget* owner) override;
    bool IsDisabled() const { return m_fsState & kDisabled; }
    // The look drawn now: 0 normal, 1 hot, 2 pressed, 3 disabled.
    int Look() const;

    ULOBasicToolBar* m_pOwner;
    int m_nIndex;
};

// The basic toolbar for beginners: the entries of a menu as large picture
// buttons. An entry with a submenu drops it down with 24 x 24 pictures
// beside its commands; an entry without one is a command button (the table
// button drops the table picker under it). It neither replaces the frame's
// menu nor shows the pages' window items.
class ULOBasicToolBar : public CMenuBar
{
    Q_OBJECT
public:
    static constexpr int kBarId = 59399;
    static constexpr int kTableCommand = 33229;
    static constexpr QSize kButtonSize{71, 31};

    explicit ULOBasicToolBar(QWidget* parent = nullptr);
    ~ULOBasicToolBar() override;

    // The bar in the frame, titled 基礎的なツールバー; the frame is not hooked.
    bool Create(QMainWindow* frame, quint32 style, int id = kBarId);
    // One button per entry of the menu resource, with the pictures of the
    // sets named by the bitmap ids; false (no buttons) without the menu.
    bool LoadMenuButtons(int menuId, int firstButtonBitmap, int popupBitmap, platform::CommandRegistry& registry);
    // A disabled button opens nothing.
    void TrackPopup(int index) override;
    // Each command button takes the enabled state of its command.
    void OnUpdateCmdUI();

    // Where the pictures are read (":/res/icons" in the program).
    static void setPictureFolder(const QString& folder) { s_pictureFolder = folder; }
    // A button picture of a look (0 normal, 1 hot, 2 pressed, 3 disabled).
    QPixmap buttonImage(int look, int index) const;
    // The popup picture of a command, and its index in the popup list (-1: none).
    QPixmap popupImage(int id) const;
    int popupImageIndex(int id) const { return m_popupImageOf.value(id, -1); }
    CToolBarButton* button(int index) const;
    int buttonCount() const { return tracker().count(); }
    // The command button held down, or -1.
    int pressedItem() const { return m_nPressedItem; }
    // The table picker of the table button.
    VornaDlgDynamicTableCreate& tablePicker() { return m_dlgTableCreate; }
    // Opens the table picker under a button rectangle (screen coordinates);
    // the main frame's page is the default target.
    std::function<bool(const QRect& button)> m_openTablePicker;

protected:
    void OnStripMouse(QEvent::Type type, QPoint point) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenu* BuildPopup(const MenuNode& node, platform::CommandRegistry& registry);
    void SetPressed(int index, bool pressed);
    bool OpenTablePicker(const QRect& button);

    QList<QPixmap> m_imageLists[4];
    QList<QPixmap> m_popupImages;
    QHash<int, int> m_popupImageOf;
    int m_nPressedItem = -1;
    QList<QAction*> m_commandActions; // the registry's, one per command button (null for a submenu)
    VornaDlgDynamicTableCreate m_dlgTableCreate;
    platform::CommandRegistry* m_registry = nullptr;

    static QString s_pictureFolder;
};
