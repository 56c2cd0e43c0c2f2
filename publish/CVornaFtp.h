#pragma once

#include "publish/CVornaInternetSession.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>

namespace platform {
class FtpClient;
}
class CVornaDialogStatus;
class FtpTransferHost;
class VornaDialogProgress;

// The FTP engine of one web: its server settings in the settings store, the
// connection, the transfers between the web's local folder and its folder on
// the server, and a few readers of product-wide settings. Several engines may
// exist; they share nothing but the settings store.
class CVornaFtp
{
public:
    CVornaFtp();
    // With the FTP client to use (tests pass a fake).
    explicit CVornaFtp(std::unique_ptr<platform::FtpClient> client);
    virtual ~CVornaFtp();
    CVornaFtp(const CVornaFtp&) = delete;
    CVornaFtp& operator=(const CVornaFtp&) = delete;

    static const QString& SettingsKey(); // "Software\Vornasoft\Vorna-Paginor 2002(TEV)\Web Property"
    static const QString& ProductKey();  // "Software\Vornasoft\Vorna-Paginor 2002(TEV)"

    // Server settings in memory; nothing is written before SaveWebSettings.
    QString GetFtpHost() const { return m_strHost; }
    void SetFtpHost(QString text) { m_strHost = std::move(text); }
    QString GetFtpId() const { return m_strUserId; }
    void SetFtpId(QString text) { m_strUserId = std::move(text); }
    QString GetFtpPassword() const { return m_strPassword; }
    void SetFtpPassword(QString text) { m_strPassword = std::move(text); }
    QString GetWebName() const { return m_strWebName; }
    void SetWebName(QString text) { m_strWebName = std::move(text); }
    QString GetFtpDir() const { return m_strRemoteFolder; }
    void SetFtpDir(QString text) { m_strRemoteFolder = std::move(text); }
    QString GetHttpUrl() const { return m_strHttpUrl; }
    void SetHttpUrl(QString text) { m_strHttpUrl = std::move(text); }
    QString GetFtpPort() const { return m_strPort; }
    void SetFtpPort(QString text) { m_strPort = std::move(text); }
    QString GetFtpTimeout() const { return m_strTimeout; }
    void SetFtpTimeout(QString text) { m_strTimeout = std::move(text); }
    int GetFtpPassive() const { return m_nPassive; }
    void SetFtpPassive(int passive) { m_nPassive = passive; }

    // Host, user id, password, remote folder and address empty; port "21",
    // time-out "10". The web name and the passive flag stay.
    void ResetWebSettings();
    // Reads the settings of the web named by the web name; a missing time-out
    // or passive flag is written back with its default.
    void LoadWebSettings();
    // Writes the eight settings of the web, making its key when missing.
    void SaveWebSettings();

    // The web publishing uses by default; empty when none is set.
    QString GetActiveWeb();
    // False, writing nothing, when the settings key does not exist.
    bool SetActiveWeb(const QString& webName);

    // Connects with the settings of the web (loaded again first) while the
    // status window shows the steps; the user is told why when it fails.
    // While work of this engine runs, nothing happens and the result is false.
    bool Connect();
    // Closes the connection; harmless when there is none. While work of this
    // engine runs, nothing happens.
    void Disconnect();
    bool IsConnected() const { return m_bConnected; }
    // The connection, for listing and managing server files.
    platform::FtpClient& GetConnection() { return *m_pConnection; }

    // Transfers of lists of items (paths relative to the web folder, "/" as
    // separator, folders ending in "/", a folder before its contents). Each
    // shows the progress window, runs off the user-interface thread and ends
    // with a message. Nothing happens while another transfer runs.
    void DownloadFiles(const QString& webName, const QStringList& items, quint64 totalBytes);
    void UploadFiles(const QString& webName, const QStringList& items, quint64 totalBytes);
    // Uploads the whole local web folder.
    void UploadAll(const QString& webName);
    // Appends a local folder tree to a list and its file sizes to the total.
    void CollectLocalFiles(const QString& relativeFolder, const QString& webFolder, QStringList& items);
    // Deletes a server file or folder tree (the item "/" with the remote folder
    // as base empties and removes the web's folder). Failures are shown.
    bool DeleteRemoteFolder(const QString& item, const QString& base);
    // True while a transfer, a deletion or a connection attempt of this engine runs.
    bool IsBusy() const { return m_bBusy; }
    // Runs other work on the connection (listing, renaming) off the
    // user-interface thread, as the transfers do, with the progress window
    // when one is given (its Cancel stops the work). False, running nothing,
    // while other work of this engine or a transfer of the program runs.
    bool RunOnConnection(const std::function<void(platform::FtpClient& client, FtpTransferHost& host)>& work,
                         VornaDialogProgress* progress = nullptr);
    // Asks the running work to stop, as the progress window's Cancel does
    // (any thread). The request stands until the next connection.
    void RequestCancel() { m_bCancelRequested = true; }
    bool IsCancelRequested() const { return m_bCancelRequested; }
    // The local folder of a web.
    static QString LocalWebFolder(const QString& webName);
    // Bytes of the last transfer: its total, and how many moved.
    quint64 GetTotalBytes() const { return m_nTotalBytes; }
    quint64 GetDoneBytes() const { return m_nDoneBytes; }

    // The connection status window (user-interface thread).
    bool ShowStatusDialog();
    bool CloseStatusDialog();
    CVornaDialogStatus* GetStatusDialog() const { return m_session.statusDialog(); }
    CVornaInternetSession& GetSession() { return m_session; }

    // Product-wide settings.
    QString GetTargetDir();
    QString GetWebObjectBoard();
    QString GetWebObjectVisitor();
    QString GetWebObjectCounter();
    QString GetWebObjectCounterSetValue();
    // Reads the hosting service's page addresses ("Web Service" under the
    // product key of the machine): false, leaving them as they were, when the
    // key is missing.
    bool LoadServiceUrls();
    // The service's sign-up page, as LoadServiceUrls read it (empty before).
    QString GetAccountPageUrl() const { return m_strAccountPageUrl; }
    // True when the product key exists for the user; GetShowGuideFlag() then
    // holds its "SHOW_GUIDE" value (1 when the value is missing).
    bool GetShowGuide();
    int GetShowGuideFlag() const { return m_nShowGuide; }

protected:
    QString readWebObject(const QString& valueName, QString& member);
    void runList(bool upload, const QString& webName, const QStringList& items, quint64 totalBytes);

    CVornaInternetSession m_session;
    std::unique_ptr<platform::FtpClient> m_pConnection;
    bool m_bConnected = false;
    QString m_strBoardId;
    QString m_strVisitorId;
    QString m_strCounterId;
    QString m_strCounterSetValue;
    QString m_strAccountPageUrl;
    int m_nShowGuide = 1;
    QString m_strWorkingKey;
    quint64 m_nTotalBytes = 0;
    quint64 m_nDoneBytes = 0;
    std::atomic<bool> m_bBusy{false};
    std::atomic<bool> m_bCancelRequested{false};
    QString m_strHost;
    QString m_strUserId;
    QString m_strPassword;
    QString m_strWebName;
    QString m_strRemoteFolder;
    QString m_strHttpUrl;
    QString m_strPort;
    QString m_strTimeout;
    int m_nPassive = 1;
};
