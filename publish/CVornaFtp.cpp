#include "publish/CVornaFtp.h"

#include "platform/DataRoot.h"
#include "platform/FtpClient.h"
#include "publish/CVornaDialogStatus.h"
#include "publish/FtpBackgroundWork.h"
#include "publish/FtpTransferRun.h"
#include "publish/PublishTextIds.h"
#include "publish/PublishedWebModel.h"
#include "publish/VornaDialogProgress.h"
#include "util/AppContext.h"
#include "util/CRegistryEx.h"
#include "util/MessageBox.h"
#include "util/StringResources.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QWidget>

namespace vornaftp {

// A web's settings key path, or empty when the name cannot be one key.
QString webKeyOf(const QString& webName)
{
    if (webName.isEmpty() || webName.contains(u'\\'))
        return QString();
    return CVornaFtp::SettingsKey() + u'\\' + webName;
}

QWidget* windowToCentreOn()
{
    QWidget* active = QApplication::activeWindow();
    QWidget* main = AppContext::instance().mainWindow();
    if (active && (active == main || qobject_cast<QDialog*>(active)))
        return active;
    return main;
}

constexpr int ConnectingText = 41793;
constexpr int UserIdPlaceholder = 41554;
constexpr int BadLogin = 41906;
constexpr int CheckAndRetry = 57695;
constexpr int ConnectFailed = 41479;
constexpr int DownloadDone = 41481;
constexpr int UploadDone = 41480;
constexpr int DownloadStopped = 41601;
constexpr int UploadStopped = 41599;

// Restores the arrow cursor however the connection attempt ends.
struct WaitCursor
{
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QString connectFailureText(const platform::FtpError& error)
{
    const QString prefix = QStringLiteral("Error Code : %1\n").arg(error.code);
    if (error.kind == platform::FtpErrorKind::LoginDenied)
        return prefix + LoadResString(BadLogin);
    if (!error.text.isEmpty() && error.kind == platform::FtpErrorKind::TimedOut)
        return prefix + error.text + u'\n' + LoadResString(CheckAndRetry);
    if (!error.text.isEmpty())
        return prefix + error.text;
    return prefix + LoadResString(ConnectFailed);
}

} // namespace vornaftp

CVornaFtp::CVornaFtp() : CVornaFtp(platform::FtpClient::create()) {}

CVornaFtp::CVornaFtp(std::unique_ptr<platform::FtpClient> client) : m_pConnection(std::move(client))
{
    m_pConnection->setStatusHandler([this](int status) { m_session.OnStatusCallback(1, status, nullptr, 0); });
}

CVornaFtp::~CVornaFtp()
{
    CloseStatusDialog();
}

bool CVornaFtp::Connect()
{
    // The connection is in use by running work (a window event reached us
    // while it runs): replacing it now would pull it from under that work.
    if (m_bBusy)
        return false;
    LoadWebSettings();
    ShowStatusDialog();
    GetStatusDialog()->SetStatusText(LoadResString(vornaftp::ConnectingText));
    auto cursor = std::make_unique<vornaftp::WaitCursor>();

    if (m_strUserId.isEmpty() || m_strUserId == LoadResString(vornaftp::UserIdPlaceholder)) {
        CloseStatusDialog();
        cursor.reset();
        MessageBoxById(vornaftp::BadLogin);
        return false;
    }

    platform::FtpLogin login;
    login.host = m_strHost;
    bool ok = false;
    const int port = m_strPort.trimmed().toInt(&ok);
    login.port = ok && port > 0 && port <= 65535 ? quint16(port) : 0;
    const int seconds = m_strTimeout.trimmed().toInt(&ok);
    if (!ok || seconds < 1) {
        m_strTimeout = QStringLiteral("10");
        login.timeoutMs = 10000;
    } else {
        login.timeoutMs = seconds > 86400 ? 86400 * 1000 : seconds * 1000;
    }
    if (m_nPassive != 0)
        m_nPassive = 1;
    login.passive = m_nPassive != 0;
    login.user = m_strUserId;
    login.password = m_strPassword;

    Disconnect();
    m_bCancelRequested = false;
    bool connected = false;
    m_bBusy = true;
    FtpBackgroundWork work;
    work.run([&](FtpTransferHost&) { connected = m_pConnection->connect(login); });
    m_bBusy = false;
    cursor.reset();
    CloseStatusDialog();
    if (!connected) {
        ShowMessageBox(vornaftp::connectFailureText(m_pConnection->lastError()));
        return false;
    }
    m_bConnected = true;
    return true;
}

void CVornaFtp::Disconnect()
{
    if (m_bBusy)
        return; // the running work still uses the connection
    m_pConnection->disconnect();
    m_bConnected = false;
}

QString CVornaFtp::LocalWebFolder(const QString& webName)
{
    return platform::webRoot() + u'/' + webName;
}

void CVornaFtp::runList(bool upload, const QString& webName, const QStringList& items, quint64 totalBytes)
{
    if (m_bBusy || FtpBackgroundWork::isRunning())
        return;
    const QString localFolder = LocalWebFolder(webName);
    const QString remoteBase = m_strRemoteFolder;
    const auto direction = upload ? FtpTransferRun::Direction::Upload : FtpTransferRun::Direction::Download;
    m_nDoneBytes = 0;
    m_nTotalBytes = totalBytes;

    QWidget* owner = QApplication::activeWindow() ? QApplication::activeWindow() : AppContext::instance().mainWindow();
    VornaDialogProgress progress(owner);
    m_bBusy = true;
    m_pConnection->setStopCheck([this, &progress] { return progress.cancelRequested() || m_bCancelRequested; });
    FtpTransferRun::Outcome outcome = FtpTransferRun::Outcome::Completed;
    int failures = 0;
    QStringList uploaded;
    FtpBackgroundWork work(&progress, &m_bCancelRequested);
    work.run([&](FtpTransferHost& host) {
        FtpTransferRun run(*m_pConnection, host, direction, totalBytes);
        run.onUploaded = [&uploaded](const QString& item) { uploaded << item; };
        outcome = run.run(items, localFolder, remoteBase);
        failures = run.failures();
        m_nDoneBytes = run.doneBytes();
    });
    m_pConnection->setStopCheck({});
    m_bBusy = false;
    ApplyUploadBookkeeping(uploaded, PublishedWebModel::installed());

    switch (outcome) {
    case FtpTransferRun::Outcome::Completed:
        MessageBoxById(upload ? vornaftp::UploadDone : vornaftp::DownloadDone);
        break;
    case FtpTransferRun::Outcome::WithFailures:
        ShowMessageBox(LoadResString(upload ? PublishTextIds::UploadWithFailures : PublishTextIds::DownloadWithFailures)
                           .arg(failures));
        break;
    case FtpTransferRun::Outcome::Cancelled:
        MessageBoxById(upload ? vornaftp::UploadStopped : vornaftp::DownloadStopped);
        break;
    case FtpTransferRun::Outcome::Failed:
        break; // the error was shown
    }
}

void CVornaFtp::DownloadFiles(const QString& webName, const QStringList& items, quint64 totalBytes)
{
    runList(false, webName, items, totalBytes);
}

void CVornaFtp::UploadFiles(const QString& webName, const QStringList& items, quint64 totalBytes)
{
    runList(true, webName, items, totalBytes);
}

void CVornaFtp::CollectLocalFiles(const QString& relativeFolder, const QString& webFolder, QStringList& items)
{
    FtpTransferRun::CollectLocalFiles(relativeFolder, webFolder, &items, &m_nTotalBytes);
}

void CVornaFtp::UploadAll(const QString& webName)
{
    m_nTotalBytes = 0;
    m_nDoneBytes = 0;
    QStringList items;
    CollectLocalFiles(QString(), LocalWebFolder(webName), items);
    UploadFiles(webName, items, m_nTotalBytes);
}

bool CVornaFtp::DeleteRemoteFolder(const QString& item, const QString& base)
{
    RunOnConnection([&](platform::FtpClient& client, FtpTransferHost& host) {
        FtpTransferRun::DeleteRemoteFolder(client, host, item, base);
    });
    return true;
}

bool CVornaFtp::RunOnConnection(const std::function<void(platform::FtpClient&, FtpTransferHost&)>& work,
                                VornaDialogProgress* progress)
{
    if (m_bBusy || FtpBackgroundWork::isRunning())
        return false;
    m_bBusy = true;
    if (progress)
        m_pConnection->setStopCheck([this, progress] { return progress->cancelRequested() || m_bCancelRequested; });
    else
        m_pConnection->setStopCheck([this] { return m_bCancelRequested.load(); });
    FtpBackgroundWork background(progress, &m_bCancelRequested);
    background.run([&](FtpTransferHost& host) { work(*m_pConnection, host); });
    m_pConnection->setStopCheck({});
    m_bBusy = false;
    return true;
}

const QString& CVornaFtp::ProductKey()
{
    static const QString key = QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)");
    return key;
}

const QString& CVornaFtp::SettingsKey()
{
    static const QString key = ProductKey() + QStringLiteral("\\Web Property");
    return key;
}

void CVornaFtp::ResetWebSettings()
{
    m_strHost.clear();
    m_strUserId.clear();
    m_strPassword.clear();
    m_strRemoteFolder.clear();
    m_strHttpUrl.clear();
    m_strPort = QStringLiteral("21");
    m_strTimeout = QStringLiteral("10");
}

void CVornaFtp::LoadWebSettings()
{
    m_strWorkingKey = vornaftp::webKeyOf(m_strWebName);
    if (m_strWorkingKey.isEmpty())
        return;
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, m_strWorkingKey))
        return;
    reg.ReadString(QStringLiteral("ftp_host"), m_strHost);
    reg.ReadString(QStringLiteral("ftp_id"), m_strUserId);
    reg.ReadString(QStringLiteral("ftp_password"), m_strPassword);
    reg.ReadString(QStringLiteral("ftp_dir"), m_strRemoteFolder);
    reg.ReadString(QStringLiteral("http_url"), m_strHttpUrl);
    reg.ReadString(QStringLiteral("ftp_port"), m_strPort);
    if (!reg.ReadString(QStringLiteral("ftp_timeout"), m_strTimeout)) {
        m_strTimeout = QStringLiteral("10");
        reg.WriteString(QStringLiteral("ftp_timeout"), m_strTimeout);
    }
    quint32 passive = 1;
    if (reg.ReadDWord(QStringLiteral("ftp_passive"), passive)) {
        m_nPassive = int(passive);
    } else {
        m_nPassive = 1;
        reg.WriteDWord(QStringLiteral("ftp_passive"), 1);
    }
    reg.Close();
}

void CVornaFtp::SaveWebSettings()
{
    m_strWorkingKey = vornaftp::webKeyOf(m_strWebName);
    if (m_strWorkingKey.isEmpty())
        return;
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Create(HKEY_CURRENT_USER, m_strWorkingKey))
        return;
    reg.WriteString(QStringLiteral("ftp_host"), m_strHost);
    reg.WriteString(QStringLiteral("ftp_id"), m_strUserId);
    reg.WriteString(QStringLiteral("ftp_password"), m_strPassword);
    reg.WriteString(QStringLiteral("ftp_dir"), m_strRemoteFolder);
    reg.WriteString(QStringLiteral("http_url"), m_strHttpUrl);
    reg.WriteString(QStringLiteral("ftp_port"), m_strPort);
    reg.WriteString(QStringLiteral("ftp_timeout"), m_strTimeout);
    reg.WriteDWord(QStringLiteral("ftp_passive"), quint32(m_nPassive));
    reg.Close();
}

QString CVornaFtp::GetActiveWeb()
{
    QString web;
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (reg.Open(HKEY_CURRENT_USER, SettingsKey()))
        reg.ReadString(QStringLiteral("Active Web"), web);
    return web;
}

bool CVornaFtp::SetActiveWeb(const QString& webName)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, SettingsKey()))
        return false;
    reg.WriteString(QStringLiteral("Active Web"), webName);
    reg.Close();
    return true;
}

bool CVornaFtp::ShowStatusDialog()
{
    if (!m_session.statusDialog()) {
        m_session.setStatusDialog(std::make_unique<CVornaDialogStatus>());
    }
    CVornaDialogStatus* dialog = m_session.statusDialog();
    m_session.setStatusShown(true);
    dialog->adjustSize();
    QRect area;
    if (QWidget* over = vornaftp::windowToCentreOn())
        area = over->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        dialog->move(area.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
    dialog->show();
    return true;
}

bool CVornaFtp::CloseStatusDialog()
{
    m_session.setStatusShown(false);
    std::unique_ptr<CVornaDialogStatus> dialog = m_session.takeStatusDialog();
    if (dialog)
        dialog->close();
    return true;
}

QString CVornaFtp::GetTargetDir()
{
    QString folder;
    CRegistryEx reg(HKEY_LOCAL_MACHINE);
    if (reg.Open(HKEY_LOCAL_MACHINE, ProductKey())) {
        reg.ReadString(QStringLiteral("TargetDir"), folder);
        reg.Close();
    }
    // The program's install folder is the user's data root unless an
    // installation recorded another one.
    return folder.isEmpty() ? platform::installPath() : folder;
}

QString CVornaFtp::readWebObject(const QString& valueName, QString& member)
{
    m_strWorkingKey = ProductKey() + QStringLiteral("\\Web Object");
    CRegistryEx reg(HKEY_LOCAL_MACHINE);
    if (reg.Open(HKEY_LOCAL_MACHINE, m_strWorkingKey)) {
        reg.ReadString(valueName, member);
        reg.Close();
    } else {
        // Without administrator rights this fails, and that is fine.
        CRegistryEx create(HKEY_LOCAL_MACHINE);
        create.Create(HKEY_LOCAL_MACHINE, m_strWorkingKey);
    }
    return member;
}

QString CVornaFtp::GetWebObjectBoard()
{
    return readWebObject(QStringLiteral("Board"), m_strBoardId);
}

QString CVornaFtp::GetWebObjectVisitor()
{
    return readWebObject(QStringLiteral("Visitor"), m_strVisitorId);
}

QString CVornaFtp::GetWebObjectCounter()
{
    return readWebObject(QStringLiteral("Counter"), m_strCounterId);
}

QString CVornaFtp::GetWebObjectCounterSetValue()
{
    return readWebObject(QStringLiteral("Counter_SetValue"), m_strCounterSetValue);
}

bool CVornaFtp::LoadServiceUrls()
{
    m_strWorkingKey = ProductKey() + QStringLiteral("\\Web Service");
    CRegistryEx reg(HKEY_LOCAL_MACHINE);
    if (!reg.Open(HKEY_LOCAL_MACHINE, m_strWorkingKey))
        return false;
    reg.ReadString(QStringLiteral("Account"), m_strAccountPageUrl);
    reg.Close();
    return true;
}

bool CVornaFtp::GetShowGuide()
{
    m_strWorkingKey = ProductKey();
    m_nShowGuide = 1;
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, m_strWorkingKey))
        return false;
    quint32 flag = 1;
    if (reg.ReadDWord(QStringLiteral("SHOW_GUIDE"), flag))
        m_nShowGuide = int(flag);
    reg.Close();
    return true;
}
