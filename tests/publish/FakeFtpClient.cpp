#include "FakeFtpClient.h"

using platform::FtpEntry;
using platform::FtpError;
namespace FtpErrorCode = platform::FtpErrorCode;
using platform::FtpErrorKind;

namespace {

QString parentOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

} // namespace

FakeFtpClient::FakeFtpClient()
{
    folders.insert(QStringLiteral("/"));
}

bool FakeFtpClient::refuse(const QString& reply)
{
    m_error = FtpError{FtpErrorKind::Other, FtpErrorCode::ServerReply, reply};
    return false;
}

bool FakeFtpClient::connect(const platform::FtpLogin& login)
{
    lastLogin = login;
    log << QStringLiteral("CONNECT ") + login.host;
    if (refuseLogin) {
        m_error =
            FtpError{FtpErrorKind::LoginDenied, FtpErrorCode::LoginDenied, QStringLiteral("530 Login incorrect.")};
        return false;
    }
    connected = true;
    return true;
}

bool FakeFtpClient::cwd(const QString& path)
{
    log << QStringLiteral("CWD ") + abs(path);
    if (!folders.contains(abs(path)))
        return refuse(QStringLiteral("550 No such folder."));
    m_cwd = abs(path);
    return true;
}

bool FakeFtpClient::list(const QString& folder, QList<FtpEntry>* entries)
{
    const QString dir = abs(folder);
    log << QStringLiteral("LIST ") + dir;
    if (!folders.contains(dir) || unlistable.contains(dir))
        return refuse(QStringLiteral("550 Cannot list."));
    entries->clear();
    for (const QString& f : folders)
        if (f != dir && parentOf(f) == dir)
            entries->append(FtpEntry{f.mid(f.lastIndexOf(u'/') + 1), true, 0});
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        if (parentOf(it.key()) == dir)
            entries->append(FtpEntry{it.key().mid(it.key().lastIndexOf(u'/') + 1), false, it.value().size()});
    return true;
}

bool FakeFtpClient::size(const QString& path, qint64* size)
{
    log << QStringLiteral("SIZE ") + abs(path);
    if (!files.contains(abs(path)))
        return refuse(QStringLiteral("550 No such file."));
    *size = files.value(abs(path)).size();
    return true;
}

bool FakeFtpClient::download(const QString& path, const BlockSink& sink)
{
    const QString file = abs(path);
    log << QStringLiteral("RETR ") + file;
    if (!files.contains(file))
        return refuse(QStringLiteral("550 No such file."));
    const QByteArray content = files.value(file);
    const qint64 limit = breakAfter.value(file, -1);
    for (qint64 at = 0; at < content.size(); at += 2048) {
        if (limit >= 0 && at >= limit) {
            m_error =
                FtpError{FtpErrorKind::Other, FtpErrorCode::ConnectionAborted, QStringLiteral("Connection lost.")};
            return false;
        }
        if (!sink(content.constData() + at, std::min<qint64>(2048, content.size() - at)) || (m_stop && m_stop())) {
            m_error = FtpError{FtpErrorKind::Stopped, FtpErrorCode::Stopped, QString()};
            return false;
        }
    }
    return true;
}

bool FakeFtpClient::upload(const QString& path, const BlockSource& source)
{
    const QString file = abs(path);
    log << QStringLiteral("STOR ") + file;
    if (!folders.contains(parentOf(file)))
        return refuse(QStringLiteral("553 No such folder."));
    files[file].clear();
    char buffer[4096];
    for (;;) {
        const qint64 n = source(buffer, sizeof buffer);
        if (n < 0) {
            m_error = FtpError{FtpErrorKind::Stopped, FtpErrorCode::Stopped, QString()};
            return false;
        }
        if (n == 0)
            return true;
        files[file].append(buffer, n);
    }
}

bool FakeFtpClient::mkd(const QString& path)
{
    const QString dir = abs(path);
    log << QStringLiteral("MKD ") + dir;
    if (folders.contains(dir) || !folders.contains(parentOf(dir)))
        return refuse(QStringLiteral("550 Cannot create."));
    folders.insert(dir);
    return true;
}

bool FakeFtpClient::rmd(const QString& path)
{
    const QString dir = abs(path);
    log << QStringLiteral("RMD ") + dir;
    QList<FtpEntry> inside;
    if (!folders.contains(dir) || dir == QLatin1String("/"))
        return refuse(QStringLiteral("550 No such folder."));
    for (const QString& f : folders)
        if (f.startsWith(dir + u'/'))
            return refuse(QStringLiteral("550 Not empty."));
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        if (it.key().startsWith(dir + u'/'))
            return refuse(QStringLiteral("550 Not empty."));
    folders.remove(dir);
    return true;
}

bool FakeFtpClient::dele(const QString& path)
{
    log << QStringLiteral("DELE ") + abs(path);
    if (!files.remove(abs(path)))
        return refuse(QStringLiteral("550 No such file."));
    return true;
}

bool FakeFtpClient::rename(const QString& from, const QString& to)
{
    log << QStringLiteral("RNFR ") + abs(from);
    if (!files.contains(abs(from)))
        return refuse(QStringLiteral("550 No such file."));
    files.insert(abs(to), files.take(abs(from)));
    return true;
}
