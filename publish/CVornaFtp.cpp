#include "publish/CVornaFtp.h"

#include "platform/DataRoot.h"
#include "platform/FtpClient.h"
#include "publish/CVornaDialogStatus.h"
#include "util/AppContext.h"
#include "util/CRegistryEx.h"
#include "util/StringResources.h"

#include <QApplication>
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

} // namespace vornaftp

CVornaFtp::CVornaFtp() : CVornaFtp(platform::FtpClient::create()) {}

CVornaFtp::CVornaFtp(std::unique_ptr<platform::FtpClient> client) : m_pConnection(std::move(client))
{
    m_pConnection->setStatusHandler(
        [this](int status) { m_session.OnStatusCallback(1, status, nullptr, 0); });
}

CVornaFtp::~CVornaFtp()
{
    CloseStatusDialog();
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
