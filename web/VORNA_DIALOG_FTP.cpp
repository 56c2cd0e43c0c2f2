#include "web/VORNA_DIALOG_FTP.h"

#include "controls/CVornaEdit.h"
#include "res/resource.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"
#include "web/WebServerSettings.h"

#include "platform/ModalRunner.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace vornadialogftp_detail {

CVornaEdit* addField(QFormLayout* form, QWidget* parent, int id, int label)
{
    auto* edit = new CVornaEdit(parent);
    edit->setObjectName(QStringLiteral("id_%1").arg(id));
    auto* text = new QLabel(LoadResString(unsigned(label)), parent);
    text->setBuddy(edit);
    form->addRow(text, edit);
    return edit;
}

} // namespace vornadialogftp_detail

VORNA_DIALOG_FTP::VORNA_DIALOG_FTP(QWidget* parent) : QDialog(parent)
{
    using vornadialogftp_detail::addField;
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(LoadResString(IDS_FTP_SERVER_TITLE));
    m_strName = LoadResString(IDS_UNNAMED_SERVER);
    m_strUserId = LoadResString(IDS_USER_ID_PLACEHOLDER);
    auto* layout = new QVBoxLayout(this);

    auto* ftp = new QGroupBox(LoadResString(IDS_FTP_GROUP), this);
    auto* ftpForm = new QFormLayout(ftp);
    m_editName = addField(ftpForm, ftp, kNameId, IDS_SERVER_NAME_LABEL);
    m_editHost = addField(ftpForm, ftp, kHostId, IDS_SERVER_HOST_LABEL);
    m_editUserId = addField(ftpForm, ftp, kUserId, IDS_SERVER_USER_LABEL);
    m_editPassword = addField(ftpForm, ftp, kPasswordId, IDS_SERVER_PASSWORD_LABEL);
    m_editPassword->setEchoMode(QLineEdit::Password);
    m_editDir = addField(ftpForm, ftp, kDirId, IDS_SERVER_DIR_LABEL);
    m_editPort = addField(ftpForm, ftp, kPortId, IDS_SERVER_PORT_LABEL);
    layout->addWidget(ftp);

    auto* advanced = new QGroupBox(LoadResString(IDS_FTP_ADVANCED_GROUP), this);
    auto* advancedForm = new QFormLayout(advanced);
    auto* timeoutRow = new QHBoxLayout;
    m_editTimeout = new CVornaEdit(advanced);
    m_editTimeout->setObjectName(QStringLiteral("id_%1").arg(kTimeoutId));
    m_editTimeout->setMaximumWidth(60);
    // The spin: two arrows that step the number in the box within 0 to 100.
    auto* spin = new QWidget(advanced);
    spin->setObjectName(QStringLiteral("id_%1").arg(kTimeoutSpinId));
    auto* arrows = new QVBoxLayout(spin);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    for (const bool up : {true, false}) {
        auto* arrow = new QToolButton(spin);
        arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
        arrow->setFixedSize(16, 11);
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrows->addWidget(arrow);
        connect(arrow, &QToolButton::clicked, this, [this, up] {
            const int seconds = ServerTimeoutOfText(m_editTimeout->text()) + (up ? 1 : -1);
            m_editTimeout->setText(QString::number(qBound(0, seconds, 100)));
        });
    }
    timeoutRow->addWidget(m_editTimeout);
    timeoutRow->addWidget(spin);
    timeoutRow->addWidget(new QLabel(LoadResString(IDS_SERVER_SECONDS), advanced));
    timeoutRow->addStretch();
    auto* timeoutLabel = new QLabel(LoadResString(IDS_SERVER_TIMEOUT_LABEL), advanced);
    timeoutLabel->setBuddy(m_editTimeout);
    advancedForm->addRow(timeoutLabel, timeoutRow);
    m_chkPassive = new QCheckBox(LoadResString(IDS_SERVER_PASSIVE), advanced);
    m_chkPassive->setObjectName(QStringLiteral("id_%1").arg(kPassiveId));
    advancedForm->addRow(m_chkPassive);
    layout->addWidget(advanced);

    auto* http = new QGroupBox(LoadResString(IDS_HTTP_GROUP), this);
    auto* httpForm = new QFormLayout(http);
    m_editUrl = addField(httpForm, http, kUrlId, IDS_SERVER_URL_LABEL);
    m_editUrl->setMinimumWidth(260);
    layout->addWidget(http);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(LoadResString(IDS_WEB_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("id_1"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(LoadResString(IDS_WEB_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("id_2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &VORNA_DIALOG_FTP::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &VORNA_DIALOG_FTP::reject);
    layout->addWidget(buttons);

    m_editTimeout->installEventFilter(this);
}

VORNA_DIALOG_FTP::~VORNA_DIALOG_FTP() = default;

int VORNA_DIALOG_FTP::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

void VORNA_DIALOG_FTP::OnInitDialog()
{
    m_strNameAtOpening = m_strName;
    UpdateData(false);
    m_editName->setFocus();
    m_editName->selectAll();
}

void VORNA_DIALOG_FTP::UpdateData(bool save)
{
    if (save) {
        m_strName = m_editName->text();
        m_strHost = m_editHost->text();
        m_strUserId = m_editUserId->text();
        m_strPassword = m_editPassword->text();
        m_strDir = m_editDir->text();
        m_strPort = m_editPort->text();
        m_strTimeout = m_editTimeout->text();
        m_nPassive = m_chkPassive->isChecked() ? 1 : 0;
        m_strUrl = m_editUrl->text();
        return;
    }
    m_editName->setText(m_strName);
    m_editHost->setText(m_strHost);
    m_editUserId->setText(m_strUserId);
    m_editPassword->setText(m_strPassword);
    m_editDir->setText(m_strDir);
    m_editPort->setText(m_strPort);
    m_editTimeout->setText(m_strTimeout);
    m_chkPassive->setChecked(m_nPassive != 0);
    m_editUrl->setText(m_strUrl);
}

bool VORNA_DIALOG_FTP::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editTimeout && event->type() == QEvent::FocusOut)
        OnKillfocusTimeout();
    return QDialog::eventFilter(watched, event);
}

void VORNA_DIALOG_FTP::OnKillfocusTimeout()
{
    UpdateData(true);
    m_strTimeout = QString::number(ServerTimeoutOfText(m_strTimeout));
    UpdateData(false);
}

void VORNA_DIALOG_FTP::accept()
{
    UpdateData(true);
    const int refusal = ServerNameRefusal(m_strName, m_bEditing != 0, m_strNameAtOpening);
    if (refusal != 0) {
        MessageBoxById(unsigned(refusal));
        m_editName->setFocus();
        if (refusal != IDS_SERVER_NAME_EMPTY)
            m_editName->selectAll();
        return;
    }
    if (m_strUserId.isEmpty()) {
        m_strUserId = LoadResString(IDS_USER_ID_PLACEHOLDER);
        UpdateData(false);
    }
    done(platform::IDOK);
}
