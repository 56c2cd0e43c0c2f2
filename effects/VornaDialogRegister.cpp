#include "effects/VornaDialogRegister.h"

#include "controls/CVornaEdit.h"
#include "effects/WebServiceAccount.h"
#include "publish/CVornaFtp.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include "platform/ModalRunner.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace vornadialogregister_detail {

QString controlName(int id)
{
    return QStringLiteral("id_%1").arg(id);
}

QLabel* wrappedText(unsigned int id, QWidget* parent)
{
    auto* label = new QLabel(LoadResString(id), parent);
    label->setWordWrap(true);
    return label;
}

} // namespace vornadialogregister_detail

VornaDialogRegister::VornaDialogRegister(QWidget* parent) : QDialog(parent)
{
    using vornadialogregister_detail::controlName;
    setObjectName(controlName(IDD_REGISTER));
    setWindowTitle(LoadResString(IDS_REGISTER_CAPTION));

    auto* fields = new QGridLayout;
    m_editUserId = new CVornaEdit(this);
    m_editUserId->setObjectName(controlName(IDC_REGISTER_USER_ID));
    m_editUserId->setMaxLength(kMaxLength);
    m_editUserId->setMinimumWidth(240);
    m_editPassword = new CVornaEdit(this);
    m_editPassword->setObjectName(controlName(IDC_REGISTER_PASSWORD));
    m_editPassword->setMaxLength(kMaxLength);
    m_editPassword->setEchoMode(QLineEdit::Password);
    auto* idLabel = new QLabel(LoadResString(IDS_REGISTER_USER_ID_LABEL), this);
    idLabel->setBuddy(m_editUserId);
    auto* passwordLabel = new QLabel(LoadResString(IDS_REGISTER_PASSWORD_LABEL), this);
    passwordLabel->setBuddy(m_editPassword);
    fields->addWidget(idLabel, 0, 0);
    fields->addWidget(m_editUserId, 0, 1);
    fields->addWidget(passwordLabel, 1, 0);
    fields->addWidget(m_editPassword, 1, 1);
    // Every change is taken at once, so OK works on what is shown.
    connect(m_editUserId, &QLineEdit::textChanged, this, [this](const QString& text) { m_strUserId = text; });
    connect(m_editPassword, &QLineEdit::textChanged, this, [this](const QString& text) { m_strPassword = text; });

    // 登録 stands apart from the buttons that close the dialog.
    auto* registerButton = new QPushButton(LoadResString(IDS_REGISTER_BUTTON), this);
    registerButton->setObjectName(controlName(IDC_REGISTER));
    registerButton->setAutoDefault(false);
    connect(registerButton, &QPushButton::clicked, this, &VornaDialogRegister::OnRegister);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(LoadResString(IDS_MSGBOX_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(controlName(platform::IDOK));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(LoadResString(IDS_MSGBOX_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(controlName(platform::IDCANCEL));
    connect(buttons, &QDialogButtonBox::accepted, this, &VornaDialogRegister::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &VornaDialogRegister::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(vornadialogregister_detail::wrappedText(IDS_REGISTER_ABOUT, this));
    layout->addLayout(fields);
    layout->addWidget(vornadialogregister_detail::wrappedText(IDS_REGISTER_HOW, this));
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(registerButton);
    buttonRow->addStretch(1);
    buttonRow->addWidget(buttons);
    layout->addLayout(buttonRow);
    setMinimumWidth(420);
}

VornaDialogRegister::~VornaDialogRegister() = default;

int VornaDialogRegister::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD_REGISTER);
}

void VornaDialogRegister::OnInitDialog()
{
    // The stored values (empty when there are none).
    m_strUserId = webservice::ReadUserId();
    m_strPassword = webservice::ReadPassword();
    m_editUserId->setText(m_strUserId);
    m_editPassword->setText(m_strPassword);
    m_editUserId->setFocus();
}

void VornaDialogRegister::accept()
{
    // 1. Both values, an id of blanks being none.
    const QString userId = m_strUserId.trimmed();
    if (userId.isEmpty() || m_strPassword.isEmpty()) {
        MessageBoxById(IDS_NO_ACCOUNT);
        (userId.isEmpty() ? m_editUserId : m_editPassword)->setFocus();
        return;
    }
    // 2. Stored; the user hears of a store that could not be written.
    if (!webservice::WriteAccount(userId, m_strPassword)) {
        MessageBoxById(IDS_ACCOUNT_NOT_SAVED);
        return;
    }
    m_strUserId = userId;
    done(platform::IDOK);
}

void VornaDialogRegister::OnRegister()
{
    // The main window's engine knows the service's pages.
    std::unique_ptr<CVornaFtp> local;
    CVornaFtp& ftp = webservice::ServiceFtp(local);
    ftp.LoadServiceUrls();
    webservice::OpenServicePage(ftp.GetAccountPageUrl());
}
