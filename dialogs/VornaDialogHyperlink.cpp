#include "dialogs/VornaDialogHyperlink.h"

#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace hyperlinkdialog_detail {

QString controlName(int id)
{
    return QStringLiteral("id_%1").arg(id);
}

} // namespace hyperlinkdialog_detail

VornaDialogHyperlink::VornaDialogHyperlink(QWidget* parent) : QDialog(parent)
{
    using hyperlinkdialog_detail::controlName;
    setObjectName(controlName(IDD_HYPERLINK));
    setWindowTitle(LoadResString(IDS_HYPERLINK_TITLE));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_cbURL = new QComboBox(this);
    m_cbURL->setObjectName(controlName(IDC_HYPERLINK_URL));
    m_cbURL->setEditable(true);
    m_cbURL->setMinimumWidth(320);
    form->addRow(LoadResString(IDS_HYPERLINK_ADDRESS), m_cbURL);
    m_cbTarget = new QComboBox(this);
    m_cbTarget->setObjectName(controlName(IDC_HYPERLINK_TARGET));
    m_cbTarget->setEditable(true);
    form->addRow(LoadResString(IDS_HYPERLINK_TARGET), m_cbTarget);
    m_chkRemoveUnderline = new QCheckBox(LoadResString(IDS_HYPERLINK_REMOVE_UNDERLINE), this);
    m_chkRemoveUnderline->setObjectName(controlName(IDC_HYPERLINK_REMOVE_UNDERLINE));
    layout->addWidget(m_chkRemoveUnderline);
    auto* buttons = new QDialogButtonBox(this);
    m_btnDelete = buttons->addButton(LoadResString(IDS_HYPERLINK_DELETE), QDialogButtonBox::ActionRole);
    m_btnDelete->setObjectName(controlName(IDC_HYPERLINK_DELETE));
    connect(m_btnDelete, &QPushButton::clicked, this, &VornaDialogHyperlink::OnDeleteLink);
    QPushButton* ok = buttons->addButton(LoadResString(IDS_MSGBOX_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(controlName(platform::IDOK));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(LoadResString(IDS_MSGBOX_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(controlName(platform::IDCANCEL));
    connect(buttons, &QDialogButtonBox::accepted, this, &VornaDialogHyperlink::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &VornaDialogHyperlink::reject);
    layout->addWidget(buttons);
}

VornaDialogHyperlink::~VornaDialogHyperlink() = default;

int VornaDialogHyperlink::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD_HYPERLINK);
}

void VornaDialogHyperlink::OnInitDialog()
{
    m_cbURL->setEditText(m_strURL);
    m_cbTarget->clear();
    m_cbTarget->addItems(
        {QStringLiteral("_self"), QStringLiteral("_blank"), QStringLiteral("_parent"), QStringLiteral("_top")});
    m_cbTarget->setEditText(m_strTarget);
    m_chkRemoveUnderline->setChecked(m_bRemoveUnderline != 0);
    m_chkRemoveUnderline->setEnabled(m_bEnableRemoveUnderline);
    m_btnDelete->setEnabled(m_bEditLink);
    m_strTargetFrame.clear();
    m_bDeleteLink = false;
    m_strOrigURL = m_strURL;
}

void VornaDialogHyperlink::ReadControls()
{
    m_strURL = m_cbURL->currentText();
    m_strTargetFrame = m_cbTarget->currentText();
    m_bRemoveUnderline = m_chkRemoveUnderline->isChecked() ? 1 : 0;
}

void VornaDialogHyperlink::OnDeleteLink()
{
    ReadControls();
    m_bDeleteLink = true;
    done(platform::IDOK);
}

void VornaDialogHyperlink::accept()
{
    ReadControls();
    if (m_strURL.isEmpty()) {
        // The address of the link being edited erased: the link goes.
        if (!m_strOrigURL.isEmpty()) {
            m_strURL = m_strOrigURL;
            m_bDeleteLink = true;
            done(platform::IDOK);
            return;
        }
        MessageBoxById(IDS_HYPERLINK_NO_ADDRESS);
        return;
    }
    done(platform::IDOK);
}
