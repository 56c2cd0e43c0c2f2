#pragma once

#include "controls/CVornaGridCtrl.h"

#include <QSize>
#include <QString>
#include <QStringList>

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

protected:
    int GetItemImage(CTreeItem* item) override;
    void OnCellClick(unsigned flags, QPoint point, GridHitTestInfo& hit) override;
    // A row stands for a file of the web: the Delete key alone takes no row out of the list (it would come back at
    // the next refresh while the file stays).
    void OnKeyDown(QKeyEvent* event) override;
    std::unique_ptr<CItemInfo> CopyItemData(const CItemInfo* source) override;

private:
    bool fill();
    void linkPass(const QStringList& links);
    void reportFillErrors();
    CItemInfo* rowData(int row) const;
};
