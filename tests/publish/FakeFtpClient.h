#pragma once

#include "platform/FtpClient.h"
#include "publish/FtpTransferHost.h"

#include <QMap>
#include <QSet>
#include <QStringList>

// An FTP server in memory behind the FtpClient interface. Paths are
// absolute; every call is logged as "CMD path".
class FakeFtpClient : public platform::FtpClient
{
public:
    FakeFtpClient();

    QMap<QString, QByteArray> files;
    QSet<QString> folders;
    QSet<QString> unlistable;         // folders whose listing fails
    QMap<QString, qint64> breakAfter; // downloads that lose the connection after so many bytes
    QStringList log;
    bool connected = true;

    bool connect(const platform::FtpLogin& login) override;
    void disconnect() override { connected = false; }
    bool isConnected() const override { return connected; }
    QString pwd() const override { return m_cwd; }
    bool cwd(const QString& path) override;
    bool list(const QString& folder, QList<platform::FtpEntry>* entries) override;
    bool size(const QString& path, qint64* size) override;
    bool download(const QString& path, const BlockSink& sink) override;
    bool upload(const QString& path, const BlockSource& source) override;
    bool mkd(const QString& path) override;
    bool rmd(const QString& path) override;
    bool dele(const QString& path) override;
    bool rename(const QString& from, const QString& to) override;
    platform::FtpError lastError() const override { return m_error; }
    void setStatusHandler(StatusHandler) override {}
    void setStopCheck(StopCheck check) override { m_stop = std::move(check); }

    platform::FtpLogin lastLogin;
    bool refuseLogin = false;

private:
    QString abs(const QString& path) const { return platform::resolveFtpPath(m_cwd, path); }
    bool refuse(const QString& reply);
    QString m_cwd = QStringLiteral("/");
    platform::FtpError m_error;
    StopCheck m_stop;
};

// Records what a transfer shows; can press Cancel after some progress steps.
class FakeTransferHost : public FtpTransferHost
{
public:
    QStringList messages;
    QList<int> percents;
    QStringList labels;
    int cancelAfterSteps = -1;

    void showMessage(const QString& text) override { messages << text; }
    void setProgress(int percent, const QString& label) override
    {
        percents << percent;
        labels << label;
    }
    bool cancelRequested() const override { return cancelAfterSteps >= 0 && percents.size() >= cancelAfterSteps; }
};
