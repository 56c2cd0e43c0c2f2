#pragma once

#include "platform/ColorRef.h"

#include <QHash>
#include <QString>
#include <QStringList>

// The data behind one row of the tree grid: the text of the tree column, the
// texts of the further columns and, per further column, the kind of in-place
// control, the cell colour, the cell picture and a list of choices. Columns
// here are sub-item numbers: 0 is the first column after the tree column.
class CItemInfo
{
public:
    // The kind of in-place control of a cell. The grid itself only tells
    // ComboBox apart (it shows a drop-down button on the selected row); other
    // values belong to the grid's user and are kept as given.
    enum CONTROLTYPE : int { Edit = 0, ComboBox = 1 };

    void SetItemText(const QString& text) { m_strItemText = text; }
    const QString& GetItemText() const { return m_strItemText; }

    // Sets sub-item n; the list of sub-items grows with empty texts as needed.
    void SetSubItemText(int n, const QString& text);
    // The same, also storing the cell's picture number.
    void SetSubItemText(int n, const QString& text, int image);
    void AddSubItemText(const QString& text) { m_subItems.append(text); }
    // An empty text for n at or past the end.
    QString GetSubItem(int n) const;
    int GetSubItemCount() const { return int(m_subItems.size()); }
    void SetSubItemImage(int n, int image) { m_cellImages.insert(n, image); }

    void SetCheck(int check) { m_nCheck = check; }
    int GetCheck() const { return m_nCheck; }
    void SetImage(int image) { m_nImage = image; }
    int GetImage() const { return m_nImage; }

    // 1 and the type when the column has one, else 0 and type Edit.
    int GetControlType(int column, CONTROLTYPE& type) const;
    void SetControlType(int column, CONTROLTYPE type) { m_controlTypes.insert(column, type); }

    // The cell's background colour, or -1 for none.
    platform::ColorRef GetCellColor(int column) const;
    void SetCellColor(int column, platform::ColorRef color) { m_cellColors.insert(column, color); }
    // The cell's picture number, or -1 for none.
    int GetCellImage(int column) const { return m_cellImages.value(column, -1); }

    // A copy of the list is stored for the column.
    void SetListData(int column, const QStringList& list) { m_choiceLists.insert(column, list); }
    bool GetListData(int column, QStringList& list) const;

    int GetUserNumber() const { return m_nUserNumber; }
    void SetUserNumber(int number) { m_nUserNumber = number; }
    platform::ColorRef GetRowColor() const { return m_rowColor; }
    void SetRowColor(platform::ColorRef color) { m_rowColor = color; }

    const QString& GetTag() const { return m_strTag; }
    void SetTag(const QString& tag) { m_strTag = tag; }

    // Copies everything a row carries except the tag and the kind, which
    // belong to the grid's user: texts, the control types and choice lists of
    // the source's sub-items, cell colours, check, image, user number, row
    // colour and the cell pictures.
    void CopyObjects(const CItemInfo& source);

    // Kept for the grid's user; not copied with the row.
    QString m_strTag;
    int m_nKind = 0;

private:
    int m_nUserNumber = 0;
    QHash<int, int> m_controlTypes;
    QHash<int, platform::ColorRef> m_cellColors;
    QHash<int, QStringList> m_choiceLists;
    QString m_strItemText;
    QStringList m_subItems;
    int m_nCheck = 0;
    int m_nImage = -1;
    QHash<int, int> m_cellImages;
    platform::ColorRef m_rowColor = platform::ColorRef(-1);
};
