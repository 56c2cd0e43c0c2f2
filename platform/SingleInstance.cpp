#include "platform/SingleInstance.h"

#include "platform/RuntimeFolder.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace platform {

SingleInstance::SingleInstance(const QString& name, const QString& folder, QObject* parent)
    : QObject(parent), m_name(name), m_folder(folder.isEmpty() ? runtimeFolder() : folder)
{
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

QString SingleInstance::lockPath() const
{
    return m_folder + QLatin1Char('/') + m_name + QStringLiteral(".lock");
}

QString SingleInstance::serverPath() const
{
    return m_folder + QLatin1Char('/') + m_name + QStringLiteral(".sock");
}

SingleInstance::Role SingleInstance::start()
{
    if (m_folder.isEmpty() || !ensurePrivateFolder(m_folder))
        return m_role = Role::Failed;
    m_lock = std::make_unique<QLockFile>(lockPath());
    // The lock lasts as long as the process; only a dead owner makes it stale.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() == QLockFile::LockFailedError)
            return m_role = Role::Secondary;
        m_lock.reset();
        return m_role = Role::Failed;
    }
    m_server = new QLocalServer(this); // owned by this object
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a program that died: ours to replace, we hold the lock.
    QLocalServer::removeServer(serverPath());
    if (!m_server->listen(serverPath())) {
        qWarning("SingleInstance: cannot listen on %s: %s", qPrintable(serverPath()),
                 qPrintable(m_server->errorString()));
        return m_role = Role::Primary;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return m_role = Role::Primary;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        readFrom(socket);
    }
}

void SingleInstance::readFrom(QLocalSocket* socket)
{
    // One message per connection: a 32-bit big-endian length, then UTF-8.
    if (socket->property("platform_done").toBool())
        return;
    if (socket->bytesAvailable() < qint64(sizeof(qint32)))
        return;
    QByteArray header = socket->peek(sizeof(qint32));
    QDataStream stream(header);
    qint32 length = 0;
    stream >> length;
    if (length < 0 || length > kMaxMessageBytes) {
        socket->setProperty("platform_done", true);
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < qint64(sizeof(qint32)) + length)
        return;
    socket->read(sizeof(qint32));
    const QString text = QString::fromUtf8(socket->read(length));
    socket->setProperty("platform_done", true);
    socket->write("\x01", 1);
    socket->flush();
    emit messageReceived(text);
}

bool SingleInstance::sendToPrimary(const QString& text, int timeoutMs)
{
    const QByteArray payload = text.toUtf8();
    if (payload.size() > kMaxMessageBytes)
        return false;
    QByteArray frame;
    QDataStream stream(&frame, QIODevice::WriteOnly);
    stream << qint32(payload.size());
    frame += payload;

    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The running instance may still be starting its server: try again until
    // the deadline.
    while (true) {
        socket.connectToServer(serverPath());
        if (socket.waitForConnected(int(qMax<qint64>(1, qMin<qint64>(deadline.remainingTime(), 200)))))
            break;
        if (deadline.hasExpired())
            return false;
        socket.abort();
        QThread::msleep(20);
    }
    socket.write(frame);
    if (!socket.waitForBytesWritten(int(qMax<qint64>(1, deadline.remainingTime()))))
        return false;
    while (socket.bytesAvailable() < 1) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            return false;
    }
    return socket.read(1) == QByteArray("\x01", 1);
}

} // namespace platform
