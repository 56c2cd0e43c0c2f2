#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real HTTP server (python3's http.server) on 127.0.0.1 and a free port,
// serving a temporary folder, for as long as the object lives.
class HttpTestServer
{
public:
    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    bool isRunning() const { return m_port != 0; }
    quint16 port() const { return m_port; }
    // "http://127.0.0.1:<port>" followed by the path (which starts with "/").
    QString address(const QString& path) const;
    QString errorText() const { return m_errorText; }

    // Writes a file below the served folder, making its folders.
    void putFile(const QString& path, const QByteArray& content) const;

private:
    QTemporaryDir m_root;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_errorText;
};
