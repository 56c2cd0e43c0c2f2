#include "HttpTestServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

HttpTestServer::HttpTestServer()
{
    const QString python = QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                                 : QStringLiteral("python3");
    // Unbuffered, so that the line naming the port arrives at once.
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(python, {QStringLiteral("-u"), QStringLiteral("-m"), QStringLiteral("http.server"),
                             QStringLiteral("0"), QStringLiteral("--bind"), QStringLiteral("127.0.0.1"),
                             QStringLiteral("--directory"), m_root.path()});
    if (!m_process.waitForStarted(10000)) {
        m_errorText = m_process.errorString();
        return;
    }
    static const QRegularExpression portLine(QStringLiteral("port (\\d+)"));
    QDeadlineTimer deadline(15000);
    QByteArray out;
    while (!deadline.hasExpired() && m_process.state() == QProcess::Running) {
        if (!m_process.waitForReadyRead(int(deadline.remainingTime())))
            continue;
        out += m_process.readAll();
        const QRegularExpressionMatch match = portLine.match(QString::fromLocal8Bit(out));
        if (match.hasMatch()) {
            m_port = quint16(match.captured(1).toUInt());
            return;
        }
    }
    m_errorText = QString::fromLocal8Bit(out);
}

HttpTestServer::~HttpTestServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

QString HttpTestServer::address(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path);
}

void HttpTestServer::putFile(const QString& path, const QByteArray& content) const
{
    const QString full = m_root.path() + u'/' + path;
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}
