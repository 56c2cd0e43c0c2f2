#include "effects/VornaDlgScriptManage.h"

#include "effects/CScriptUtility.h"
#include "res/resource.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace vornadlgscriptmanage_detail {

QString controlName(int id)
{
    return QStringLiteral("id_%1").arg(id);
}

} // namespace vornadlgscriptmanage_detail

VornaDlgScriptManage::VornaDlgScriptManage(QWidget* parent) : QDialog(parent)
{
    using vornadlgscriptmanage_detail::controlName;
    setObjectName(controlName(DialogId));
    setWindowTitle(LoadResString(IDS_SCRIPT_MANAGE_CAPTION));

    auto* label = new QLabel(LoadResString(IDS_SCRIPT_MANAGE_LIST_LABEL), this);
    m_rows = new QListWidget(this);
    m_rows->setObjectName(controlName(ListId));
    m_rows->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_rows->setMinimumSize(300, 220);
    label->setBuddy(m_rows);

    m_delete = new QPushButton(LoadResString(IDS_SCRIPT_MANAGE_DELETE), this);
    m_delete->setObjectName(controlName(DeleteId));
    m_deleteAll = new QPushButton(LoadResString(IDS_SCRIPT_MANAGE_DELETE_ALL), this);
    m_deleteAll->setObjectName(controlName(DeleteAllId));
    connect(m_delete, &QPushButton::clicked, this, &VornaDlgScriptManage::OnDelete);
    connect(m_deleteAll, &QPushButton::clicked, this, &VornaDlgScriptManage::OnDeleteAll);

    auto* side = new QVBoxLayout;
    side->addWidget(m_delete);
    side->addWidget(m_deleteAll);
    side->addStretch();
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(m_rows, 1);
    listRow->addLayout(side);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(LoadResString(IDS_MSGBOX_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(controlName(platform::IDOK));
    QPushButton* cancel = buttons->addButton(LoadResString(IDS_MSGBOX_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(controlName(platform::IDCANCEL));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { done(platform::IDOK); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(listRow, 1);
    layout->addWidget(line);
    layout->addWidget(buttons);

    FillList();
}

void VornaDlgScriptManage::FillList()
{
    QString families;
    CScriptUtility::GetScriptSourceList(families);
    m_list.Fill(families);
    ShowRows();
}

void VornaDlgScriptManage::ShowRows()
{
    m_rows->clear();
    m_rows->addItems(m_list.labels());
    const bool any = m_rows->count() > 0;
    m_delete->setEnabled(any);
    m_deleteAll->setEnabled(any);
}

void VornaDlgScriptManage::OnDelete()
{
    QList<int> selected;
    for (const QModelIndex& index : m_rows->selectionModel()->selectedRows())
        selected.append(index.row());
    if (selected.isEmpty())
        return;
    m_list.RemoveRows(selected);
    ShowRows();
}

void VornaDlgScriptManage::OnDeleteAll()
{
    m_list.RemoveAll();
    ShowRows();
}
