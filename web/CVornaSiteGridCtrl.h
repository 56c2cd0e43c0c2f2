#pragma once

#include "controls/CVornaGridCtrl.h"

#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class CChildFrame;
class CZQView;

// The site list: the tree grid of the site manager page that shows the open
// web's folder. Row 0 is the web itself ("name[folder]", type "Web"); below
// it every folder and file of the web, folders first, each folder's contents
// under it. Columns: file name, title, size, type and date of last change.
// Each row carries a tag and a kind: a frame page names its frameset page in
// the tag and has kind 1, a frameset page has kind 2, other rows 0.
class CVornaSiteGridCtrl : public CVornaGridCtrl
{
    Q_OBJECT
public:
    static constexpr int IDC = 4097;
    // Row pictures, in the order of the image list.
    enum Image { ImageOpenFolder = 0, ImageFolder = 1, ImagePage = 2, ImageFile = 3, ImageWeb = 4, ImagePicture = 5 };

    explicit CVornaSiteGridCtrl(QWidget* parent = nullptr);
    ~CVornaSiteGridCtrl() override;

    // First fill for the open web: takes its folder and name, makes the
    // columns when there are none, the root row and the rows of the folder
    // tree, all shown; false when there is no web folder.
    bool FillFromWeb();
    // Empties the list and fills it again from the folder of the last fill,
    // keeping the width of the name column, and selects the active page's row.
    bool Reload();
    // Adds the rows of one folder under the parent, recursively; false when
    // the parent is none or the folder cannot be read.
    bool ScanFolder(const QString& folder, CTreeItem* parent, QStringList& links);
    // The texts of one file's row; link records of a page go to `links` when given.
    void GetFileRowTexts(const QString& path, QString& name, QString& title, QString& size, QString& type,
                         QString& date, QStringList* links);
    // The row's path relative to the web folder, parts joined by "/"; "" for
    // a row outside the list and for the root row.
    QString GetItemPath(int row) const;
    // Column 0 is the item text, column n the sub-item n - 1.
    bool SetCellText(int row, int column, const QString& text);
    // A new page row as the last child of the root row, shown at once.
    bool AddRootItem(const QString& text);
    QString GetItemTag(int row) const;
    bool SetItemTag(int row, const QString& tag);
    int GetItemKind(int row) const;
    bool SetItemKind(int row, int kind);
    // The row of the item's first shown child whose name matches without case, or -1.
    int FindChildItem(const CTreeItem* item, const QString& text) const;
    bool DeleteRow(int row);
    bool ClearSelection();
    // The row of the item without children whose path equals `path`
    // (exactly, "/" separators); its folders are opened when it is not
    // shown. -1 when there is none.
    int FindRowOfPath(const QString& path);
    // The selected rows, in list order.
    QList<int> GetSelectedRows() const;

    // ---- cell edits ----
    // Starts editing a cell (the column shown at that place): the name of a
    // file, the title of a page.
    void EditCell(int row, int column);
    // Writes a new title into a closed page's file, only the TITLE element's
    // text changing; the file stays as it was when it has no title to
    // change. False, the user told why and the file intact, when it could
    // not be read, decoded or written.
    bool WriteTitleToFile(const QString& path, const QString& title);

    // Texts of the type column.
    static QString TypeFolder();
    static QString TypePage();
    static QString TypeImage();
    static QString TypeWeb();
    // The type column of a row (sub-item 2).
    QString GetRowType(int row) const { return GetItemText(row, 3); }

    QString m_strFolder;
    QString m_strName;
    int m_nLastRow = -1;
    int m_nLastCol = -1;
    QSize m_sizeDrag;
    int m_nSavedNameWidth = -1;
    bool m_bJustEdited = false;
    // Set while a file of the list is renamed or a page of the web is
    // closed: folder changes do not reload the list meanwhile.
    quint8 m_bBusy = 0;

    // The messages of the last fill's failures, shown together after it.
    QStringList m_fillErrors;
    // The image outline drawn last and the window it is drawn in.
    QRect m_rcOutline;
    QPointer<QWidget> m_pOutlineClient;
    // The page whose selected text a page row's drag keeps.
    QPointer<CZQView> m_pDragSourceView;
    // The type of the row being dragged.
    QString m_strDragType;

protected:
    int GetItemImage(CTreeItem* item) override;
    void OnCellClick(unsigned flags, QPoint point, GridHitTestInfo& hit) override;
    // The Delete key deletes the selected files and folders; the list takes no other key.
    void OnKeyDown(QKeyEvent* event) override;
    // A page row or an image row dragged onto the page being edited; the
    // list keeps the mouse until the button is let go.
    void OnBegindrag(int row, QPoint point) override;
    void OnMouseMove(unsigned flags, QPoint point) override;
    void OnLButtonUp(unsigned flags, QPoint point) override;
    void OnDragCancelled() override;
    std::unique_ptr<CItemInfo> CopyItemData(const CItemInfo* source) override;
    // A second click on the remembered cell edits it.
    void OnClick(int row, QPoint point) override;
    void OnLButtonDblClk(unsigned flags, QPoint point) override;
    int OnBeginLabelEdit(const ListDispInfo& info) override;
    int OnEndLabelEdit(const ListDispInfo& info) override;
    // Applies a finished edit: renames the file, or changes the page's title.
    void UpdateItemFromEdit(CTreeItem* item, const ListDispInfo& edit) override;

private:
    // An edit of a cell set aside while the list is filled again: its file, column and typing.
    struct PendingEdit
    {
        QString path;
        int column = 0;
        QString text;
        int cursor = 0;
        int selectionStart = -1;
        int selectionLength = 0;
    };
    // Closes the open cell editor, if any, without applying it, and keeps what it held.
    PendingEdit setAsideEdit();
    // Opens the editor again over the row of its file, as it was; false when
    // there was none or its file is no longer listed.
    bool resumeEdit(const PendingEdit& pending);
    // A new name refused with its message: an HTML page keeps an HTML name,
    // the name is not empty and is a usable file name.
    bool RefuseNewName(const QString& oldName, const QString& newName);
    void RenameRowFile(int row, const QString& oldName, const QString& newName, const QString& path);
    // The frame rows of a renamed frameset page name it by its new name.
    void RetagFrameRows(const QString& oldName, const QString& newName);
    // Asks whether the pages' links follow the rename, and rewrites them on Yes.
    bool AskToRelink(const QString& oldName, const QString& newName, const QString& oldPath);
    // Switches the open pages of the web's top folder to browsing and back.
    void RefreshWebPages();
    void EditRowTitle(int row, const QString& oldTitle, const QString& newTitle, const QString& path);
    // Ends whatever drag of a row is under way, leaving nothing armed.
    void CancelDragState();
    // The end of every drag: the mouse let go, the outline gone, the main
    // frame's drag state ended, the active page's row selected again.
    void endRowDrag(CZQView* target);
    void SelectActivePageRow();
    // The dragged page becomes a link on the selected text, image, marquee
    // or table cell under the drop point.
    void DropPageLink(CZQView* target, QPoint screen);
    // The dragged image is inserted, positioned, where its outline stood.
    void DropImage(CZQView* target, CChildFrame* child, QPoint screen);
    // The image's outline over the page window (client coordinates of the child frame).
    void toggleDragOutline(const QRect& rect);
    void eraseDragOutline();
    // Whether an outline's corner lies over the page and not over the list.
    bool outlineMayShow(CChildFrame* child, QPoint corner) const;

    bool fill();
    void linkPass(const QStringList& links);
    void reportFillErrors();
    CItemInfo* rowData(int row) const;
};
