#include "controls/CListEditCtrl.h"
#include "controls/CVornaGridCtrl.h"

#include "util/MessageBox.h"
#include "util/PathText.h"
#include "util/StringResources.h"

#include <QScrollBar>

#include <algorithm>

namespace {

Qt::Alignment editAlignment(int format)
{
    switch (format) {
    case LVCFMT_LEFT:
        return Qt::AlignLeft;
    case LVCFMT_RIGHT:
        return Qt::AlignRight;
    default:
        return Qt::AlignHCenter;
    }
}

} // namespace

void CVornaGridCtrl::startLabelEdit(CListEditCtrl* edit, const QRect& rect)
{
    // A refused beginning closes the editor: no end follows.
    connect(edit, &CListEditCtrl::beginLabelEdit, this, [this, edit](const ListDispInfo& info) {
        if (OnBeginLabelEdit(info) != 0)
            edit->Discard();
    });
    connect(edit, &CListEditCtrl::endLabelEdit, this, [this](const ListDispInfo& info) { OnEndLabelEdit(info); });
    edit->Create(rect);
}

CListEditCtrl* CVornaGridCtrl::EditLabel(int row)
{
    if (row < 0 || row >= GetItemCount())
        return nullptr;
    const platform::Rect label = GetItemRect(row, LVIR_LABEL);
    auto* edit = new CListEditCtrl(row, 0, GetItemText(row, 0), viewport(), kLabelEditId);
    edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    startLabelEdit(edit, label.toQRect());
    return edit;
}

CListEditCtrl* CVornaGridCtrl::EditSubItem(int row, int column)
{
    if (column < 0 || column >= GetColumnCount() || !EnsureVisible(row, true))
        return nullptr;
    platform::Rect cell = GetSubItemRect(row, column);
    const QRect client = viewport()->rect();
    if (cell.left < client.left() || cell.left > client.right()) {
        const int by = cell.left;
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + by);
        cell.offset(-by, 0);
    }
    platform::Rect area(cell.left, cell.top, std::min(cell.left + GetColumnWidth(column), client.right() + 1),
                        cell.bottom);
    const CItemInfo* info = GetData(GetTreeItem(row));
    if (info && column > 0 && info->GetCellImage(column - 1) != -1)
        area.left += m_cxIcon;
    auto* edit = new CListEditCtrl(row, column, GetItemText(row, column), viewport(), kSubItemEditId);
    edit->setAlignment(editAlignment(GetColumnFormat(column)) | Qt::AlignVCenter);
    startLabelEdit(edit, area.toQRect());
    return edit;
}

void CVornaGridCtrl::OnCellClick(unsigned flags, QPoint point, GridHitTestInfo& hit)
{
    Q_UNUSED(flags);
    Q_UNUSED(point);
    if (hit.iItem < 0 || hit.iSubItem < 0)
        return;
    if (hit.iSubItem == 0)
        EditLabel(hit.iItem);
    else
        EditSubItem(hit.iItem, hit.iSubItem);
}

int CVornaGridCtrl::OnBeginLabelEdit(const ListDispInfo& info)
{
    Q_UNUSED(info);
    return 0;
}

int CVornaGridCtrl::OnEndLabelEdit(const ListDispInfo& info)
{
    if (info.hasText && info.item != -1) {
        if (CTreeItem* item = GetTreeItem(info.item))
            UpdateItemFromEdit(item, info);
    }
    return 0;
}

void CVornaGridCtrl::UpdateItemFromEdit(CTreeItem* item, const ListDispInfo& edit)
{
    CItemInfo* info = GetData(item);
    if (!info)
        return;
    if (edit.subItem == 0)
        info->SetItemText(edit.text);
    else if (edit.subItem > 0)
        info->SetSubItemText(edit.subItem - 1, edit.text);
    SetItemText(edit.item, edit.subItem, edit.text);
}

// Enter edits the current column of the first selected row: the file name
// of a row that has one, and the title of a page.
bool CVornaGridCtrl::OnEnterKey()
{
    if (OnReturnKey())
        return false;
    const int row = GetSelectedRow();
    const int column = OrderToIndex(m_nCurColumn);
    if (row < 0 || column < 0)
        return false;
    const CItemInfo* info = GetData(GetTreeItem(row));
    if (!info)
        return true;
    if (info->GetSubItem(0).isEmpty() && info->GetSubItem(1).isEmpty() && info->GetSubItem(3).isEmpty())
        return true;
    const bool page = info->GetSubItem(2).compare(LoadResString(IDS_FILE_TYPE_HTML), Qt::CaseInsensitive) == 0;
    if (column == 0) {
        if (page && !IsHtmlFileName(GetItemText(row, 0))) {
            MessageBoxById(IDS_SAVE_BEFORE_RENAME, 0, 0x40, 1);
            return true;
        }
        EditLabel(row);
    } else if (column == 1 && page) {
        EditSubItem(row, 1);
    }
    return true;
}
