#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;

namespace platform {

// One running instance per user: the first start holds a lock file and
// listens on a local socket, both named after the instance name in the
// runtime folder; a later start finds the lock taken, hands its text (the
// command line) to the first over the socket and ends.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    enum class Role {
        Primary,   // this process runs the program and listens
        Secondary, // another instance runs: hand over and end
        Failed     // no runtime folder or lock: run alone without hand-over
    };

    // folder: where lock and socket live; empty means runtimeFolder().
    explicit SingleInstance(const QString& name, const QString& folder = {}, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock and starts listening, or finds the running instance.
    Role start();
    Role role() const { return m_role; }

    // Secondary only: sends the text to the running instance and waits until
    // it confirmed receipt. False when it could not be reached in time.
    bool sendToPrimary(const QString& text, int timeoutMs = 5000);

    QString lockPath() const;
    QString serverPath() const;

    // Longest text accepted from a second start.
    static constexpr qint32 kMaxMessageBytes = 1 << 20;

signals:
    // Primary: the text a later start handed over.
    void messageReceived(const QString& text);

private:
    void acceptConnections();
    void readFrom(QLocalSocket* socket);

    QString m_name;
    QString m_folder;
    Role m_role = Role::Failed;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

} // namespace platform
