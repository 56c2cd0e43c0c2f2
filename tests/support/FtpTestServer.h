#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real FTP server (pyftpdlib) on 127.0.0.1 and a free port, serving a
// temporary home folder, for as long as the object lives.
class FtpTestServer
{
public:
    struct Options
    {
        QString user = QStringLiteral("user");
        QString password = QStringLiteral("secret");
        bool hostile = false;        // every listing adds entries named "..", "../evil.txt", "sub/evil.txt", ...
        int throttle = 0;            // bytes per second of every data transfer; 0: as fast as it goes
        bool endlessListing = false; // every listing goes on without end
    };

    FtpTestServer();
    explicit FtpTestServer(const Options& options);
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    bool isRunning() const { return m_port != 0; }
    quint16 port() const { return m_port; }
    // The server's "/" on disk.
    QString home() const { return m_home.path(); }
    QString errorText() const { return m_errorText; }

    // Writes a file below the home folder, making its folders.
    void putFile(const QString& path, const QByteArray& content) const;
    QByteArray fileContent(const QString& path) const;

private:
    QTemporaryDir m_home;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_errorText;
};

// A port that takes connections and never says a word.
class SilentFtpServer
{
public:
    SilentFtpServer();
    ~SilentFtpServer();
    SilentFtpServer(const SilentFtpServer&) = delete;
    SilentFtpServer& operator=(const SilentFtpServer&) = delete;
    quint16 port() const { return m_port; }

private:
    int m_socket = -1;
    quint16 m_port = 0;
};
