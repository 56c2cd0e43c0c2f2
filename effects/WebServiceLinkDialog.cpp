#include "effects/WebServiceLinkDialog.h"

#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace webservicelinkdialog_detail {

QString controlName(int id)
{
    return QStringLiteral("id_%1").arg(id);
}

// An address of the service or another web server: "http://" in front,
// unless it is there; a missing second slash is put in.
QString withHttpScheme(const QString& address)
{
    if (address.startsWith(QLatin1String("http://"), Qt::CaseInsensitive))
        return address;
    if (address.startsWith(QLatin1String("http:/"), Qt::CaseInsensitive))
        return address.left(6) + QLatin1Char('/') + address.mid(6);
    return QStringLiteral("http://") + address;
}

} // namespace webservicelinkdialog_detail

WebServiceLinkDialog::WebServiceLinkDialog(int dialogId, int captionId, QWidget* parent)
    : QDialog(parent), m_nDialogId(dialogId)
{
    using webservicelinkdialog_detail::controlName;
    setObjectName(controlName(dialogId));
    setWindowTitle(LoadResString(captionId));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    m_editURL = new QLineEdit(this);
    m_editURL->setObjectName(controlName(IDC_WEB_OBJECT_ADDRESS));
    m_editURL->setMinimumWidth(360);
    form->addRow(LoadResString(IDS_WEB_OBJECT_ADDRESS_LABEL), m_editURL);
    m_cbTarget = new QComboBox(this);
    m_cbTarget->setObjectName(controlName(IDC_WEB_OBJECT_TARGET));
    m_cbTarget->setEditable(true);
    form->addRow(LoadResString(IDS_WEB_OBJECT_TARGET_LABEL), m_cbTarget);
    m_chkRemoveUnderline = new QCheckBox(LoadResString(IDS_WEB_OBJECT_REMOVE_UNDERLINE), this);
    m_chkRemoveUnderline->setObjectName(controlName(IDC_WEB_OBJECT_REMOVE_UNDERLINE));
    layout->addWidget(m_chkRemoveUnderline);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(LoadResString(IDS_MSGBOX_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(controlName(platform::IDOK));
    ok->setDefault(true);
    m_btnDelete = buttons->addButton(LoadResString(IDS_WEB_OBJECT_DELETE), QDialogButtonBox::ActionRole);
    m_btnDelete->setObjectName(controlName(IDC_WEB_OBJECT_DELETE));
    connect(m_btnDelete, &QPushButton::clicked, this, &WebServiceLinkDialog::OnDelete);
    QPushButton* cancel = buttons->addButton(LoadResString(IDS_MSGBOX_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(controlName(platform::IDCANCEL));
    connect(buttons, &QDialogButtonBox::accepted, this, &WebServiceLinkDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &WebServiceLinkDialog::reject);
    layout->addWidget(buttons);
}

WebServiceLinkDialog::~WebServiceLinkDialog() = default;

int WebServiceLinkDialog::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, m_nDialogId);
}

void WebServiceLinkDialog::OnInitDialog()
{
    m_cbTarget->clear();
    m_cbTarget->addItems(
        {QStringLiteral("_self"), QStringLiteral("_blank"), QStringLiteral("_parent"), QStringLiteral("_top")});
    m_cbTarget->setEditText(m_strTarget);
    if (!m_strResultURL.isEmpty())
        m_strURL = m_strResultURL;
    m_editURL->setText(m_strURL);
    m_chkRemoveUnderline->setChecked(m_bRemoveUnderline != 0);
    m_chkRemoveUnderline->setEnabled(m_bEnableRemoveUnderline);
    m_btnDelete->setEnabled(m_bEditLink);
    m_strTargetFrame.clear();
    m_bDeleteLink = false;
}

void WebServiceLinkDialog::ReadControls()
{
    m_strURL = m_editURL->text();
    m_strTargetFrame = m_cbTarget->currentText();
    m_bRemoveUnderline = m_chkRemoveUnderline->isChecked() ? 1 : 0;
}

void WebServiceLinkDialog::OnDelete()
{
    ReadControls();
    m_bDeleteLink = true;
    done(platform::IDOK);
}

void WebServiceLinkDialog::accept()
{
    ReadControls();
    if (m_strURL.isEmpty()) {
        MessageBoxById(IDS_NO_BOARD_ADDRESS);
        m_editURL->setFocus();
        return;
    }
    m_strResultURL = webservicelinkdialog_detail::withHttpScheme(m_strURL);
    done(platform::IDOK);
}
