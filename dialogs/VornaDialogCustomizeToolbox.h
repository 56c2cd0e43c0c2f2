#pragma once

#include "app/MenuResource.h"
#include "chrome/ULOToolBar.h"

#include <QDialog>
#include <QHash>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QRegion>

class QLabel;
class QListWidget;
class QListWidgetItem;

// The modeless toolbar customisation dialog (557 "ツールバーのカスタマイズ"):
// the commands of the page menu, menu by menu (1466), each shown as its
// toolbar picture (1467) with its description (10209). A picture dragged
// onto a toolbar is inserted before or after the button under the drop,
// guided by an I-beam marker between the buttons.
//
// While it is open (g_pCustomizeToolbox set) the toolbars are in
// customisation mode: a button pressed on a toolbar is dragged
// (ULOToolBar::kCommandMimeType) and the toolbar under the drag hands the
// points to this dialog, which shows where the button would go and inserts
// it there; a button dragged off the bars (onto this dialog, say) goes. The
// dialog saves nothing: the toolbars keep their layout as they always do.
class VornaDialogCustomizeToolbox : public QDialog
{
    Q_OBJECT
public:
    static constexpr int IDD = 557;
    // The menu resource whose commands are listed.
    static constexpr int kMenuId = 507;
    // The marker's length across a bar.
    static constexpr int kMarkerLength = 24;

    // Only the means of the call of DoModal; the open dialog is another object.
    explicit VornaDialogCustomizeToolbox(QWidget* parent = nullptr);
    ~VornaDialogCustomizeToolbox() override;
    VornaDialogCustomizeToolbox(const VornaDialogCustomizeToolbox&) = delete;
    VornaDialogCustomizeToolbox& operator=(const VornaDialogCustomizeToolbox&) = delete;

    // Opens the one dialog over the main window (or raises the open one),
    // modeless, and returns 0 at once.
    int DoModal();

    // Moves the insertion marker to where a drop at the screen point would
    // insert the dragged button; none when the point is over no toolbar button.
    virtual void TrackDragOverToolbar(const QPoint& screenPoint);
    // Inserts a copy of the dragged button before or after the toolbar
    // button under the screen point; the index it was inserted at on that
    // toolbar, or -1 when nothing was inserted. The marker goes in any case.
    virtual int DropButtonOnToolbar(const QPoint& screenPoint);
    // Shows the marker at m_rcMarker; an empty m_rcMarker hides it.
    virtual void DrawInsertMarker();

    // The rules of the marker and the drop, on a button's rectangle and a
    // point in its toolbar's coordinates. The marker stands on the button's
    // nearer side: its right (or lower) edge from the middle on, else its
    // left (or upper) edge, 2 pixels thick and 24 long across the bar.
    static QRect MarkerRect(const QRect& button, const QPoint& point, bool horizontal);
    // The index a drop inserts at: after the hit button from its middle on.
    static int InsertIndex(int hit, const QRect& button, const QPoint& point, bool horizontal);
    // The pixels of the I-beam drawn for a marker rectangle: the two-pixel
    // bar between the buttons, and two strokes across each end of it.
    static QRegion MarkerShape(const QRect& marker);
    // A menu's text as the list shows it: without its "&".
    static QString MenuLabel(const QString& text);
    // The commands of a menu (and of its submenus, one level deep) that
    // have a toolbar picture, in menu order.
    static QList<int> CommandsWithPictures(const MenuNode& menu, const QHash<int, int>& pictures);
    // The toolbar under the screen point, or null.
    static ULOToolBar* ToolBarAt(const QPoint& screenPoint);

    // The lists, for the user and for tests.
    QListWidget* menuList() const { return m_lstMenus; }
    QListWidget* buttonList() const { return m_lstButtons; }
    QLabel* description() const { return m_stDescription; }
    // A list picture's drag begins (the list's start of a drag).
    void BeginListDrag(QListWidgetItem* item);

    // The button being dragged (from a toolbar or from the dialog's lists).
    ULOToolBar::Button m_tbbDrag;
    // Where the insertion marker stands, in screen coordinates; empty for none.
    QRect m_rcMarker;

protected:
    void done(int result) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Builds the window and fills the menu list (the first menu chosen).
    void OnInitDialog();
    void FillButtonList(int menuIndex);
    void ShowDescription(QListWidgetItem* item);

    QListWidget* m_lstButtons = nullptr;
    QListWidget* m_lstMenus = nullptr;
    QLabel* m_stDescription = nullptr;
    QList<MenuNode> m_menu;
    // The bar the marker stands on, and the marker drawn over it.
    QPointer<ULOToolBar> m_markerBar;
    QPointer<QWidget> m_marker;
    bool m_bOpenedByDoModal = false;
    bool m_bDragging = false;
    bool m_bCloseAfterDrag = false;
};

// The open customisation dialog, or null.
extern VornaDialogCustomizeToolbox* g_pCustomizeToolbox;
