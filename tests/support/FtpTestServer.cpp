#include "FtpTestServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QString serverScript()
{
    return QFileInfo(QString::fromUtf8(__FILE__)).absolutePath() + QStringLiteral("/ftp_test_server.py");
}

QString debianPython()
{
    // Debian's own interpreter carries python3-pyftpdlib.
    return QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                 : QStringLiteral("python3");
}

} // namespace

FtpTestServer::FtpTestServer() : FtpTestServer(Options{}) {}

FtpTestServer::FtpTestServer(const Options& options)
{
    QStringList args{serverScript(), QStringLiteral("--home"),     m_home.path(),   QStringLiteral("--user"),
                     options.user,   QStringLiteral("--password"), options.password};
    if (options.hostile)
        args << QStringLiteral("--hostile");
    if (options.endlessListing)
        args << QStringLiteral("--endless-listing");
    if (options.throttle > 0)
        args << QStringLiteral("--throttle") << QString::number(options.throttle);
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start(debianPython(), args);
    if (!m_process.waitForStarted(10000)) {
        m_errorText = m_process.errorString();
        return;
    }
    QDeadlineTimer deadline(15000);
    QByteArray out;
    while (!deadline.hasExpired()) {
        if (m_process.canReadLine() || m_process.waitForReadyRead(int(deadline.remainingTime()))) {
            out += m_process.readAll();
            const qsizetype at = out.indexOf("PORT ");
            const qsizetype end = out.indexOf('\n', at);
            if (at >= 0 && end > at) {
                m_port = quint16(out.mid(at + 5, end - at - 5).trimmed().toUInt());
                return;
            }
        }
        if (m_process.state() != QProcess::Running)
            break;
    }
    m_errorText = QString::fromLocal8Bit(out + m_process.readAllStandardError());
}

FtpTestServer::~FtpTestServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel(); // the server ends when its input closes
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

void FtpTestServer::putFile(const QString& path, const QByteArray& content) const
{
    const QString full = home() + u'/' + path;
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

QByteArray FtpTestServer::fileContent(const QString& path) const
{
    QFile file(home() + u'/' + path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

SilentFtpServer::SilentFtpServer()
{
    m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_socket < 0)
        return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof(address);
    if (::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || ::listen(m_socket, 8) != 0 ||
        ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return;
    // The kernel completes the connection; nobody ever accepts or answers it.
    m_port = ntohs(address.sin_port);
}

SilentFtpServer::~SilentFtpServer()
{
    if (m_socket >= 0)
        ::close(m_socket);
}
