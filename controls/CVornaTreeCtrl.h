#pragma once

#include <QList>
#include <QPixmap>
#include <QTreeWidget>

// A tree whose items carry a check state shown as a picture before them
// (see checktree:: for the states). Checking or clearing a folder checks or
// clears everything below it, and the folders above show whether all, none
// or some of their contents are checked. A click on the picture and the
// space bar toggle an item; a double click on the picture does nothing else.
//
// Items are renamed in place: the edit's end is told by endLabelEdit, and the
// owner sets the new text itself when it accepts it. Enter and Escape in the
// edit end it and never reach the window's buttons.
class CVornaTreeCtrl : public QTreeWidget
{
    Q_OBJECT
public:
    // Item data roles of column 0: the check state and the picture number.
    static constexpr int StateRole = Qt::UserRole + 100;
    static constexpr int ImageRole = Qt::UserRole + 101;

    explicit CVornaTreeCtrl(QWidget* parent = nullptr);

    // Mode 0 checks, 1 clears, 2 toggles; the change spreads to the subtree
    // and the ancestors. False only for no item.
    bool SetCheck(QTreeWidgetItem* item, int mode);
    // Checked, or counted as checked (state 2 or 4).
    bool IsChecked(const QTreeWidgetItem* item) const;
    // Gives the state to the item, its following siblings and everything
    // below them (given the first root item: the whole tree). Ancestors stay.
    void SetStateImageTree(QTreeWidgetItem* item, int state);
    // The item of a "/"-separated path below the start item, which stands
    // for the base path; names compare exactly. None when a name has no item.
    QTreeWidgetItem* FindItemByPath(QTreeWidgetItem* start, const QString& target, const QString& base) const;
    // The child of the parent after which a new child with this name and
    // picture belongs, or none for the first place: in order of names among
    // the children of its picture, items of picture 1 after those of picture 2.
    QTreeWidgetItem* FindInsertPosition(QTreeWidgetItem* parent, const QString& name, int image) const;

    int GetStateImage(const QTreeWidgetItem* item) const;
    void SetStateImage(QTreeWidgetItem* item, int state);
    // The item's picture number in m_imageNormal, -1 for none.
    int GetItemImage(const QTreeWidgetItem* item) const;
    void SetItemImage(QTreeWidgetItem* item, int image);
    // The item whose check picture lies under the point (client coordinates), or none.
    QTreeWidgetItem* HitTestStateImage(QPoint point) const;
    QRect StateImageRect(const QTreeWidgetItem* item) const;
    QSize stateImageSize() const;

    // The check pictures by state (index 0 unused); without a picture for a
    // state the style's check box stands in.
    QList<QPixmap> m_imageState;
    // The item pictures by number.
    QList<QPixmap> m_imageNormal;

signals:
    // An in-place rename ended with this text; the owner decides whether it stands.
    void endLabelEdit(QTreeWidgetItem* item, const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class CheckTreeDelegate;
    QTreeWidgetItem* parentOf(const QTreeWidgetItem* item) const;
};
