#pragma once

#include "effects/ScriptManageList.h"

#include <QDialog>

class QListWidget;
class QPushButton;

// Script management (dialog 10022): the effect families whose scripts the
// active page includes; the user deletes rows, and after OK the caller takes
// the deleted families out of the page. The dialog changes no page itself.
class VornaDlgScriptManage : public QDialog
{
    Q_OBJECT
public:
    static constexpr int DialogId = 10022;
    static constexpr int ListId = 14000;
    static constexpr int DeleteId = 1009;
    static constexpr int DeleteAllId = 1027;

    explicit VornaDlgScriptManage(QWidget* parent = nullptr);

    // The families the user deleted, in the order of deletion.
    const QStringList& removedFamilies() const { return m_list.removedFamilies(); }

    // Lists the families of the active page.
    void FillList();
    // "削除": the selected rows go; "全て削除": every row goes.
    void OnDelete();
    void OnDeleteAll();

private:
    void ShowRows();

    ScriptManageList m_list;
    QListWidget* m_rows = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_deleteAll = nullptr;
};
