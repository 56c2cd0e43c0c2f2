#pragma once

#include "chrome/ToolBarLayoutRecord.h"

#include <QHash>
#include <QList>
#include <QPixmap>
#include <QToolBar>

class QMenu;
class QMimeData;

namespace platform {
class CommandRegistry;
}

// An application toolbar: its buttons are the commands of its toolbar
// resource (res/toolbars/<id>.bar), shared with the menus through the
// command registry. The pictures of all toolbars sit in four lists shared by
// every toolbar (normal, hot, pressed for the skin, disabled), found by
// command id; some buttons drop down a list of further commands.
class ULOToolBar : public QToolBar
{
    Q_OBJECT
public:
    // What a button does, kept with each button.
    enum Kind {
        kPlainButton = 0,
        kSplitDropDown = -4, // carries one of its commands; the arrow lists them all
        kListButton = -5,    // a press lists its commands
        kMenuButton = -6,    // a press opens the first popup of a menu resource
    };
    struct Button
    {
        int id = 0; // 0 for a separator
        int kind = kPlainButton;
        bool operator==(const Button&) const = default;
    };
    // The picture lists' roles.
    enum ImageList { kNormal = 0, kHot = 1, kPressed = 2, kDisabled = 3 };
    // The drag payload of a command moved between toolbars (its id in decimal).
    static constexpr const char* kCommandMimeType = "application/x-paginor-toolbar-command";

    explicit ULOToolBar(QWidget* parent = nullptr);
    ~ULOToolBar() override;

    // The toolbar of the class that belongs to the resource (standard,
    // object, format and image bars have their own), owned by the parent.
    static ULOToolBar* create(int resourceId, QWidget* parent);

    // Loads the toolbar resource with its pictures and drop-downs; false when
    // the resource is missing or empty.
    bool LoadToolBarEx(int resourceId, int firstBitmapId, platform::CommandRegistry& registry);
    // Adds the pictures of this bar's buttons to the shared lists and gives
    // each command its picture.
    void AddButtonImages(int firstBitmapId);
    virtual bool SetupDropDowns() { return true; }
    // Writes the button layout, with the drop-downs' lists, to the user's
    // settings; false when the settings file could not take it.
    bool SaveState();
    // Replaces the buttons with the saved layout; false (the present layout
    // kept whole) when none is saved or the saved one is damaged.
    bool LoadState();
    ToolBarLayoutRecord layoutRecord() const;
    void applyLayoutRecord(const ToolBarLayoutRecord& record);
    // What a saved layout may name: the commands of the toolbar resources and
    // those with a toolbar picture, the menu resources.
    static ToolBarLayoutRecord::Rules layoutRules();
    // The View menu's toolbar list (the right-click menu of the bars), owned
    // by the parent; null when the menu resource lacks it.
    static QMenu* CreateToolBarListMenu(platform::CommandRegistry& registry, QWidget* parent);
    // The settings key of the saved layouts.
    static QString layoutKeyPath();
    // Makes the drop-down button that lists the command carry it; false when
    // no button of this bar lists it.
    bool SelectDropDownCommand(int id);
    // Puts the control over the button of that index (a placeholder in the resource).
    bool PlaceControl(int index, int id, QWidget* control, QSize size);

    int resourceId() const { return m_resourceId; }
    const QList<Button>& buttons() const { return m_buttons; }
    // Command ids of the buttons in order, 0 for a separator.
    QList<int> buttonIds() const;
    // The button (tool button or placed control) of an index, or null.
    QWidget* buttonWidget(int index) const;
    // The drop-down menu of the button of that index, or null.
    QMenu* dropDownMenu(int index) const;

    // Shared state of all toolbars.
    static int toolBarCount() { return s_instances; }
    static int imageIndexOf(int id) { return s_imageOf.value(id, -1); }
    static QPixmap image(ImageList list, int index);
    static QList<int> dropDownList(int id) { return s_dropDowns.value(id); }
    // The toolbar whose split drop-down lists the command, or null.
    static ULOToolBar* ownerOf(int id) { return s_owners.value(id, nullptr); }
    // Where the pictures are read (":/res/icons" in the program).
    static void setPictureFolder(const QString& folder) { s_pictureFolder = folder; }
    // The disabled look of a picture: grey, lighter and half transparent.
    static QPixmap disabledPicture(const QPixmap& normal);
    // The command-to-picture map and a picture list, for the menus.
    static const QHash<int, int>& commandImageMap() { return s_imageOf; }
    static const QList<QPixmap>& imageList(ImageList list) { return s_lists[list]; }

    // Customisation: while the customisation dialog is open, a press on a
    // button drags it (kCommandMimeType); a drop on a toolbar lets the
    // dialog insert a copy there and the dragged button leaves its place,
    // also when it is released off every toolbar; Escape keeps it.
    static bool IsCustomizing();
    // The index of the button under the point (toolbar coordinates), or -1.
    int HitTestButton(const QPoint& point) const;
    // The rectangle of a button in toolbar coordinates; empty for a bad index.
    QRect GetItemRect(int index) const;
    // Inserts a button before the index (at the end past the last), with its
    // picture and, for a drop-down, its list; false for a button this bar
    // cannot show (no such command).
    bool InsertButton(int index, const Button& button);
    // Deletes the button of the index.
    void DeleteButton(int index);
    // The drag of the button of the index begins: the dialog gets its record.
    void BeginButtonDrag(int index);
    // The drag ends: dropped on a toolbar, off every toolbar, or cancelled by
    // Escape (the button stays). Moves or removes the dragged button.
    void EndButtonDrag(bool cancelled);

    // The flag saved with the button layout.
    quint32 m_dwSavedFlag = 0;
    // Whether the bar was shown before a preview or source mode hid it.
    int m_bRememberedVisible = 0;

    // Parses a toolbar resource: command ids separated by blanks, "|" a separator (0).
    static QList<int> parseButtons(const QString& text);

protected:
    // Turns the button into a drop-down of the commands of the menu
    // resource's first popup that stand on this bar; those buttons leave it.
    bool MakeMenuDropDown(int index, int menuId, bool split);
    // A button whose arrow the subclass handles itself.
    void MakeColorDropDown(int index);
    // A button that opens the first popup of the menu resource.
    void MakeMenuButton(int index, int menuId);
    // Called when the arrow of a drop-down without a list is pressed.
    virtual void OnColorDropDown(int /*index*/) {}

    void contextMenuEvent(QContextMenuEvent* event) override;
    void actionEvent(QActionEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    platform::CommandRegistry* registry() const { return m_registry; }

private:
    void setButton(int index, const Button& button);
    void removeButton(int index);
    void applyKind(int index);
    void attachMenu(int index);
    void fillDropDown(QMenu* menu, int id);
    static QPixmap loadPicture(int id);
    // Adds the command's pictures to the shared lists under its id; its icon.
    static QIcon appendPicture(int id);
    void setPicture(int index);
    void runButtonDrag(int index);
    bool acceptsCommandDrag(const QMimeData* data) const;

    // The button drag under way: where it came from, and how it ended.
    struct ButtonDrag
    {
        ULOToolBar* source = nullptr;
        int index = -1;
        bool onItself = false;        // released on the dragged button
        ULOToolBar* target = nullptr; // the toolbar that took the drop
        int insertedAt = -1;          // where the copy went on the target
    };
    static ButtonDrag s_drag;

    int m_resourceId = 0;
    platform::CommandRegistry* m_registry = nullptr;
    QList<Button> m_buttons;
    QList<QAction*> m_actions;  // one per button, in order
    QHash<int, QMenu*> m_menus; // drop-down menus by button id

    static int s_instances;
    static QList<QPixmap> s_lists[4];
    static QHash<int, int> s_imageOf;
    static QHash<int, QList<int>> s_dropDowns;
    static QHash<int, ULOToolBar*> s_owners;
    static QString s_pictureFolder;
};
