#include "publish/CVornaDialogQuickPublish.h"

#include "controls/CVornaComboBox.h"
#include "controls/CVornaEdit.h"
#include "publish/CVornaFtp.h"
#include "publish/PublishTextIds.h"
#include "res/resource.h"
#include "util/CRegistryEx.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"
#include "web/VORNA_DIALOG_WEBPROPERTY.h"
#include "web/WebServerSettings.h"

#include "platform/ModalRunner.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quickpublish_detail {

struct Option
{
    const char* value;
    int CVornaDialogQuickPublish::*member;
    int fallback;
};

// The options in the order they are read and written, with their defaults.
constexpr Option kOptions[] = {
    {"OVERWRITE_OR_DELETE", &CVornaDialogQuickPublish::m_nOverwriteOrDelete, 0},
    {"SAVE_BEFORE_UPLOAD", &CVornaDialogQuickPublish::m_bSaveBeforeUpload, 1},
    {"HIDE_PUBLISH_PROPERTY", &CVornaDialogQuickPublish::m_bHidePublishProperty, 0},
    {"PUBLISH_ONLY_MODIFIED_FILES", &CVornaDialogQuickPublish::m_bPublishOnlyModifiedFiles, 0},
};

template <typename Widget> Widget* named(Widget* widget, int id)
{
    widget->setObjectName(QStringLiteral("id_%1").arg(id));
    return widget;
}

} // namespace quickpublish_detail

CVornaDialogQuickPublish::CVornaDialogQuickPublish(QWidget* parent) : QDialog(parent)
{
    using quickpublish_detail::named;
    setObjectName(QStringLiteral("id_%1").arg(IDD));
    setWindowTitle(LoadResString(IDS_QUICK_PUBLISH_TITLE));
    auto* layout = new QVBoxLayout(this);

    auto* ftp = new QGroupBox(LoadResString(IDS_QUICK_PUBLISH_FTP_GROUP), this);
    auto* form = new QFormLayout(ftp);
    auto* serverRow = new QHBoxLayout;
    m_comboServer = named(new CVornaComboBox(ftp), kServerId);
    m_comboServer->setEditable(false);
    m_comboServer->setMinimumWidth(200);
    m_btnSettings = named(new QPushButton(LoadResString(IDS_QUICK_PUBLISH_SETTINGS), ftp), kServerSettingsId);
    serverRow->addWidget(m_comboServer, 1);
    serverRow->addWidget(m_btnSettings);
    form->addRow(LoadResString(IDS_QUICK_PUBLISH_SERVER), serverRow);
    const auto shown = [ftp, form](int id, int label) {
        auto* edit = named(new CVornaEdit(ftp), id);
        edit->setReadOnly(true);
        form->addRow(LoadResString(unsigned(label)), edit);
        return edit;
    };
    m_editHost = shown(kHostId, IDS_QUICK_PUBLISH_HOST);
    m_editPort = shown(kPortId, IDS_QUICK_PUBLISH_PORT);
    m_editDir = shown(kDirId, IDS_QUICK_PUBLISH_DIR);
    m_editUserId = shown(kUserIdId, IDS_QUICK_PUBLISH_USER);
    layout->addWidget(ftp);

    auto* mode = new QGroupBox(LoadResString(IDS_QUICK_PUBLISH_SETTINGS), this);
    auto* modeLayout = new QVBoxLayout(mode);
    m_radioOverwrite = named(new QRadioButton(LoadResString(IDS_QUICK_PUBLISH_OVERWRITE), mode), kOverwriteId);
    m_radioDelete = named(new QRadioButton(LoadResString(IDS_QUICK_PUBLISH_DELETE_FIRST), mode), kDeleteFirstId);
    auto* radios = new QButtonGroup(this);
    radios->addButton(m_radioOverwrite);
    radios->addButton(m_radioDelete);
    modeLayout->addWidget(m_radioOverwrite);
    modeLayout->addWidget(m_radioDelete);
    layout->addWidget(mode);

    auto* options = new QGroupBox(LoadResString(IDS_QUICK_PUBLISH_OPTIONS), this);
    auto* optionLayout = new QVBoxLayout(options);
    m_chkSaveFirst = named(new QCheckBox(LoadResString(IDS_QUICK_PUBLISH_SAVE_FIRST), options), kSaveFirstId);
    m_chkOnlyModified = named(new QCheckBox(LoadResString(IDS_QUICK_PUBLISH_ONLY_MODIFIED), options), kOnlyModifiedId);
    m_chkHide = named(new QCheckBox(LoadResString(IDS_QUICK_PUBLISH_HIDE), options), kHidePropertyId);
    optionLayout->addWidget(m_chkSaveFirst);
    optionLayout->addWidget(m_chkOnlyModified);
    optionLayout->addWidget(m_chkHide);
    layout->addWidget(options);

    auto* buttons = new QDialogButtonBox(this);
    m_btnOk = named(buttons->addButton(LoadResString(IDS_QUICK_PUBLISH_OK), QDialogButtonBox::AcceptRole), 1);
    m_btnOk->setDefault(true);
    named(buttons->addButton(LoadResString(PublishTextIds::CancelButton), QDialogButtonBox::RejectRole), 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &CVornaDialogQuickPublish::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CVornaDialogQuickPublish::reject);
    layout->addWidget(buttons);

    connect(m_btnSettings, &QPushButton::clicked, this, &CVornaDialogQuickPublish::OnServerSettings);
    connect(m_radioOverwrite, &QRadioButton::clicked, this, &CVornaDialogQuickPublish::OnOverwriteAll);
    connect(m_radioDelete, &QRadioButton::clicked, this, &CVornaDialogQuickPublish::OnDeleteBeforeUpload);
    connect(m_comboServer, &QComboBox::activated, this, &CVornaDialogQuickPublish::OnSelChangeServer);
}

CVornaDialogQuickPublish::~CVornaDialogQuickPublish() = default;

int CVornaDialogQuickPublish::DoModal()
{
    OnInitDialog();
    return platform::runModal(*this, IDD);
}

bool CVornaDialogQuickPublish::LoadOptions()
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, CVornaFtp::SettingsKey()))
        return false;
    for (const auto& option : quickpublish_detail::kOptions) {
        quint32 value = 0;
        if (reg.ReadDWord(QLatin1String(option.value), value))
            this->*option.member = value <= 1 ? int(value) : option.fallback;
    }
    reg.Close();
    return true;
}

bool CVornaDialogQuickPublish::SaveOptions()
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, CVornaFtp::SettingsKey())) {
        CRegistryEx create(HKEY_CURRENT_USER);
        create.Create(HKEY_CURRENT_USER, CVornaFtp::SettingsKey());
        return false;
    }
    for (const auto& option : quickpublish_detail::kOptions)
        reg.WriteDWord(QLatin1String(option.value), quint32(this->*option.member));
    reg.Close();
    return true;
}

void CVornaDialogQuickPublish::SetDefaultOptions()
{
    for (const auto& option : quickpublish_detail::kOptions)
        this->*option.member = option.fallback;
}

bool CVornaDialogQuickPublish::LoadServerList()
{
    m_comboServer->clear();
    QStringList names = ServerEntryNames();
    names.sort(Qt::CaseInsensitive);
    m_comboServer->addItems(names);
    m_comboServer->setCurrentIndex(-1);
    return true;
}

void CVornaDialogQuickPublish::ShowServer(const QString& name)
{
    CVornaFtp ftp;
    ftp.SetWebName(name);
    ftp.ResetWebSettings();
    ftp.LoadWebSettings();
    m_strServer = name;
    m_strHost = ftp.GetFtpHost();
    m_strDir = ftp.GetFtpDir();
    m_strUserId = ftp.GetFtpId();
    m_strPort = ftp.GetFtpPort();
}

void CVornaDialogQuickPublish::ShowActiveServer()
{
    CVornaFtp ftp;
    ShowServer(ftp.GetActiveWeb());
    UpdateData(false);
}

void CVornaDialogQuickPublish::OnInitDialog()
{
    // 1. The servers and the active one.
    LoadServerList();
    ShowActiveServer();
    // 2, 3. The options as stored, their defaults where none are.
    SetDefaultOptions();
    if (!LoadOptions()) {
        SetDefaultOptions();
        SaveOptions();
    }
    // 4. Shown; "only modified files" means nothing while everything is deleted first.
    UpdateData(false);
    m_chkOnlyModified->setEnabled(m_nOverwriteOrDelete != 1);
}

void CVornaDialogQuickPublish::UpdateData(bool save)
{
    if (save) {
        m_strDir = m_editDir->text();
        m_strHost = m_editHost->text();
        m_strPort = m_editPort->text();
        m_strUserId = m_editUserId->text();
        m_bHidePublishProperty = m_chkHide->isChecked() ? 1 : 0;
        m_bSaveBeforeUpload = m_chkSaveFirst->isChecked() ? 1 : 0;
        m_bPublishOnlyModifiedFiles = m_chkOnlyModified->isChecked() ? 1 : 0;
        m_nOverwriteOrDelete = m_radioDelete->isChecked() ? 1 : m_radioOverwrite->isChecked() ? 0 : -1;
        m_strServer = m_comboServer->currentText();
        return;
    }
    m_editDir->setText(m_strDir);
    m_editHost->setText(m_strHost);
    m_editPort->setText(m_strPort);
    m_editUserId->setText(m_strUserId);
    m_chkHide->setChecked(m_bHidePublishProperty != 0);
    m_chkSaveFirst->setChecked(m_bSaveBeforeUpload != 0);
    m_chkOnlyModified->setChecked(m_bPublishOnlyModifiedFiles != 0);
    m_radioOverwrite->setChecked(m_nOverwriteOrDelete == 0);
    m_radioDelete->setChecked(m_nOverwriteOrDelete == 1);
    // The entry that begins with the name; none for no name.
    m_comboServer->setCurrentIndex(
        m_strServer.isEmpty() ? -1
                              : m_comboServer->findText(m_strServer, Qt::MatchStartsWith | Qt::MatchCaseSensitive));
}

void CVornaDialogQuickPublish::OnOverwriteAll()
{
    UpdateData(true);
    m_chkOnlyModified->setEnabled(true);
}

void CVornaDialogQuickPublish::OnDeleteBeforeUpload()
{
    UpdateData(true);
    m_chkOnlyModified->setEnabled(false);
}

void CVornaDialogQuickPublish::OnSelChangeServer()
{
    UpdateData(true);
    ShowServer(m_strServer);
    UpdateData(false);
}

void CVornaDialogQuickPublish::OnServerSettings()
{
    // The options as the user set them so far stay when the server is shown again.
    UpdateData(true);
    VORNA_DIALOG_WEBPROPERTY servers(this);
    servers.m_strInitialServer = m_strServer;
    if (servers.DoModal() != platform::IDOK)
        return;
    LoadServerList();
    ShowActiveServer();
    m_btnOk->setFocus();
    m_btnOk->update();
}

void CVornaDialogQuickPublish::accept()
{
    UpdateData(true);
    if (m_strServer.isEmpty()) {
        MessageBoxById(IDS_NO_REGISTERED_SERVER);
        m_btnSettings->setFocus();
        return;
    }
    CVornaFtp ftp;
    ftp.SetActiveWeb(m_strServer);
    SaveOptions();
    done(platform::IDOK);
}
