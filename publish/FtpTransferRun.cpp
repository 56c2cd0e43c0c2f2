#include "publish/FtpTransferRun.h"

#include "publish/FtpTransferPaths.h"
#include "util/StringResources.h"

#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

using platform::FtpEntry;
using platform::FtpError;
namespace FtpErrorCode = platform::FtpErrorCode;
using platform::FtpErrorKind;

namespace ftptransfer {

constexpr int DownloadingText = 41828;
constexpr int UploadingText = 41829;
constexpr int CannotWriteLocal = 41778;
constexpr int CannotOpenRemote = 41779;
constexpr int CannotReadLocal = 41777;
constexpr int CannotWriteRemote = 41781;
constexpr int CannotDeleteFile = 41743;
constexpr int CannotDeleteFolder = 41742;
constexpr int DownloadStopped = 41601;
constexpr int UploadStopped = 41599;

// Whether a resolved path lies in a folder (the folder resolved too).
bool isInsideFolder(const QString& canonicalPath, const QString& folder)
{
    const QString root = QFileInfo(folder).canonicalFilePath();
    return !canonicalPath.isEmpty() && !root.isEmpty() && canonicalPath.startsWith(root + u'/');
}

} // namespace ftptransfer

FtpTransferRun::FtpTransferRun(platform::FtpClient& client, FtpTransferHost& host, Direction direction,
                               quint64 totalBytes)
    : m_client(client), m_host(host), m_direction(direction), m_total(totalBytes)
{
}

FtpTransferRun::Outcome FtpTransferRun::run(const QStringList& items, const QString& localFolder,
                                            const QString& remoteBase)
{
    for (const QString& item : items) {
        const bool goOn = m_direction == Direction::Download ? downloadItem(item, localFolder, remoteBase)
                                                             : uploadItem(item, localFolder, remoteBase);
        if (!goOn)
            break;
    }
    if (m_failed)
        return Outcome::Failed;
    if (m_cancelled)
        return Outcome::Cancelled;
    return m_failures ? Outcome::WithFailures : Outcome::Completed;
}

bool FtpTransferRun::advance(qint64 bytes, const QString& label)
{
    m_done += quint64(bytes);
    if (m_total > 0) {
        const int percent = int(std::min<quint64>(100, m_done * 100 / m_total));
        if (percent > m_percent) {
            m_percent = percent;
            m_host.setProgress(percent, label);
        }
    }
    return !m_host.cancelRequested();
}

void FtpTransferRun::reportFailure(const QString& path, int textId)
{
    ++m_failures;
    m_host.showMessage(path + u'\n' + LoadResString(textId));
}

bool FtpTransferRun::stopForError(const FtpError& error)
{
    if (error.kind == FtpErrorKind::Stopped) {
        m_cancelled = true;
        return false;
    }
    QString text = QStringLiteral("Error Code : %1\n").arg(error.code);
    if (!error.text.isEmpty())
        text += error.text;
    else
        text += LoadResString(m_direction == Direction::Download ? ftptransfer::DownloadStopped
                                                                 : ftptransfer::UploadStopped);
    m_host.showMessage(text);
    m_failed = true;
    return false;
}

QString FtpTransferRun::labelFor(const QString& item, const QString& localFolder, const QString& remoteBase) const
{
    if (m_direction == Direction::Download)
        return BuildProgressLabel(LoadResString(ftptransfer::DownloadingText), remoteBase, item);
    QString shown = item;
    if (!shown.startsWith(u'/'))
        shown.prepend(u'/');
    return BuildProgressLabel(LoadResString(ftptransfer::UploadingText), localFolder, shown);
}

bool FtpTransferRun::downloadItem(const QString& item, const QString& localFolder, const QString& remoteBase)
{
    if (item.isEmpty())
        return true;
    const FtpTransferItem parsed = ParseTransferItem(item);
    if (!parsed.isSafe) {
        reportFailure(item, ftptransfer::CannotWriteLocal);
        return true;
    }
    const QString localPath = MakeLocalPath(localFolder, item);
    if (parsed.isFolder) {
        QDir().mkpath(localPath);
        return true;
    }
    const QString serverPath = MakeServerPath(remoteBase, item);
    const QString label = labelFor(item, localFolder, remoteBase);

    // Written whole or not at all: a download that fails keeps the file that was there.
    platform::SafeFile file(localPath);
    if (!file.open(QIODevice::WriteOnly)) {
        reportFailure(localPath, ftptransfer::CannotWriteLocal);
        return true;
    }
    bool writeFailed = false;
    qint64 received = 0;
    const bool ok = m_client.download(serverPath, [&](const char* data, qint64 size) {
        if (file.write(data, size) != size) {
            writeFailed = true;
            return false;
        }
        received += size;
        return advance(size, label);
    });
    if (ok) {
        if (!file.commit())
            reportFailure(localPath, ftptransfer::CannotWriteLocal);
        return true;
    }
    file.cancel();
    if (writeFailed) {
        reportFailure(localPath, ftptransfer::CannotWriteLocal);
        return true;
    }
    const FtpError error = m_client.lastError();
    if (error.kind == FtpErrorKind::Other && error.code == FtpErrorCode::ServerReply && received == 0) {
        reportFailure(serverPath, ftptransfer::CannotOpenRemote);
        return true;
    }
    return stopForError(error);
}

void FtpTransferRun::ensureServerFolders(const QString& serverPath, bool includingLast)
{
    QStringList parts = serverPath.split(u'/', Qt::SkipEmptyParts);
    if (!includingLast && !parts.isEmpty())
        parts.removeLast();
    QString folder = serverPath.startsWith(u'/') ? QStringLiteral("/") : QString();
    for (const QString& part : parts) {
        folder += part;
        if (!m_knownFolders.contains(folder)) {
            // A refusal mostly means the folder is there already; when it is
            // not, the upload that needs it reports the server's reply.
            m_client.mkd(folder);
            m_knownFolders.insert(folder);
        }
        folder += u'/';
    }
}

bool FtpTransferRun::uploadItem(const QString& item, const QString& localFolder, const QString& remoteBase)
{
    if (item.isEmpty())
        return true;
    const FtpTransferItem parsed = ParseTransferItem(item);
    if (!parsed.isSafe) {
        reportFailure(item, ftptransfer::CannotReadLocal);
        return true;
    }
    const QString serverPath = MakeServerPath(remoteBase, item);
    if (parsed.isFolder) {
        ensureServerFolders(serverPath, true);
        return true;
    }
    const QString localPath = MakeLocalPath(localFolder, item);
    QFile file(localPath);
    if (!QFileInfo(localPath).isFile() || !file.open(QIODevice::ReadOnly)) {
        reportFailure(localPath, ftptransfer::CannotReadLocal);
        return true;
    }
    ensureServerFolders(serverPath, false);
    const QString label = labelFor(item, localFolder, remoteBase);
    bool readFailed = false;
    const bool ok = m_client.upload(serverPath, [&](char* buffer, qint64 capacity) -> qint64 {
        const qint64 read = file.read(buffer, capacity);
        if (read < 0) {
            readFailed = true;
            return -1;
        }
        if (read > 0 && !advance(read, label))
            return -1;
        return read;
    });
    if (ok) {
        if (onUploaded)
            onUploaded(item);
        return true;
    }
    if (readFailed) {
        reportFailure(localPath, ftptransfer::CannotReadLocal);
        return true;
    }
    const FtpError error = m_client.lastError();
    if (error.kind == FtpErrorKind::Other && error.code == FtpErrorCode::ServerReply) {
        reportFailure(serverPath, ftptransfer::CannotWriteRemote);
        return true;
    }
    return stopForError(error);
}

void FtpTransferRun::CollectLocalFiles(const QString& relativeFolder, const QString& webFolder, QStringList* items,
                                       quint64* totalBytes)
{
    QString relative = relativeFolder;
    relative.replace(u'\\', u'/');
    const QDir dir(webFolder + u'/' + relative);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    QStringList folders;
    for (const QFileInfo& entry : entries) {
        if (entry.isDir()) {
            if (entry.isSymLink())
                continue;
            const QString item = relative + entry.fileName() + u'/';
            items->append(item);
            folders.append(item);
        } else if (entry.isFile()) {
            // A link to a file outside the web is not part of it: publishing
            // it would put a private file on the server.
            if (entry.isSymLink() && !ftptransfer::isInsideFolder(entry.canonicalFilePath(), webFolder))
                continue;
            *totalBytes += quint64(entry.size());
            items->append(relative + entry.fileName());
        }
    }
    for (const QString& folder : folders)
        CollectLocalFiles(folder, webFolder, items, totalBytes);
}

void FtpTransferRun::DeleteRemoteFolder(platform::FtpClient& client, FtpTransferHost& host, const QString& item,
                                        const QString& base)
{
    deleteRemoteTree(client, host, item, base, 0);
}

void FtpTransferRun::deleteRemoteTree(platform::FtpClient& client, FtpTransferHost& host, const QString& item,
                                      const QString& base, int depth)
{
    const QString path = MakeServerPath(base, item);
    if (!ParseTransferItem(item).isSafe) {
        host.showMessage(path + LoadResString(ftptransfer::CannotDeleteFile));
        return;
    }
    if (!item.endsWith(u'/') && !item.endsWith(u'\\')) {
        if (!client.dele(path))
            host.showMessage(path + LoadResString(ftptransfer::CannotDeleteFile));
        return;
    }
    QString folder = path;
    if (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    QList<FtpEntry> entries;
    if (depth >= MaxDeleteDepth || !client.list(folder, &entries)) {
        host.showMessage(folder + LoadResString(ftptransfer::CannotDeleteFolder));
        return;
    }
    for (const FtpEntry& entry : entries)
        deleteRemoteTree(client, host, entry.isFolder ? entry.name + u'/' : entry.name, folder + u'/', depth + 1);
    if (platform::resolveFtpPath(client.pwd(), folder) == QLatin1String("/"))
        return;
    if (!client.rmd(folder))
        host.showMessage(folder + LoadResString(ftptransfer::CannotDeleteFolder));
}
