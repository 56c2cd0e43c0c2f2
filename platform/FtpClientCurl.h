#pragma once

#include "platform/FtpClient.h"

#include <curl/curl.h>

namespace platform {

// FtpClient on one libcurl easy handle in a multi handle, which keeps the
// control connection between operations; every path goes to the server whole
// (no CWD walk), which keeps one round trip per command. When libcurl drops
// the connection after a failed or stopped transfer, the next operation logs
// in again by itself.
class FtpClientCurl final : public FtpClient
{
public:
    // A folder listing longer than this is refused rather than kept in memory
    // (a broken or hostile server can send one without end).
    static constexpr qsizetype MaxListingBytes = 32 * 1024 * 1024;

    FtpClientCurl();
    ~FtpClientCurl() override;
    FtpClientCurl(const FtpClientCurl&) = delete;
    FtpClientCurl& operator=(const FtpClientCurl&) = delete;

    bool connect(const FtpLogin& login) override;
    void disconnect() override;
    bool isConnected() const override { return m_connected; }

    QString pwd() const override { return m_cwd; }
    bool cwd(const QString& path) override;
    bool list(const QString& folder, QList<FtpEntry>* entries) override;
    bool size(const QString& path, qint64* size) override;
    bool download(const QString& path, const BlockSink& sink) override;
    bool upload(const QString& path, const BlockSource& source) override;
    bool mkd(const QString& path) override;
    bool rmd(const QString& path) override;
    bool dele(const QString& path) override;
    bool rename(const QString& from, const QString& to) override;

    FtpError lastError() const override { return m_error; }

    void setStatusHandler(StatusHandler handler) override { m_status = std::move(handler); }
    void setStopCheck(StopCheck check) override { m_stop = std::move(check); }

private:
    enum class Body { None, Listing, Download, Upload };

    bool ready();
    bool absolutePath(const QString& path, QByteArray* bytes);
    QByteArray urlFor(const QByteArray& path, bool folder) const;
    bool perform(const QByteArray& url, Body body);
    CURLcode runTransfer();
    void closeHandles();
    bool runCommands(const QList<QByteArray>& commands);
    bool fail(CURLcode code);
    bool setError(FtpErrorKind kind, int code, const QString& text);
    void report(int status);

    static size_t onHeader(char* data, size_t size, size_t count, void* self);
    static size_t onWrite(char* data, size_t size, size_t count, void* self);
    static size_t onRead(char* buffer, size_t size, size_t count, void* self);
    static int onProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
    static int onSocketMade(void* self, curl_socket_t socket, curlsocktype purpose);

    CURL* m_curl = nullptr;
    CURLM* m_multi = nullptr; // holds the connection between operations
    FtpLogin m_login;
    QByteArray m_hostPart;
    bool m_connected = false;
    bool m_connecting = false;
    bool m_greeted = false;
    QString m_cwd = QStringLiteral("/");
    QList<QByteArray> m_replies; // the final reply lines of the running request
    QByteArray m_listing;
    bool m_listingTooLong = false;
    Body m_body = Body::None;
    const BlockSink* m_sink = nullptr;
    const BlockSource* m_source = nullptr;
    bool m_stoppedByCaller = false;
    FtpError m_error;
    StatusHandler m_status;
    StopCheck m_stop;
    char m_errorBuffer[CURL_ERROR_SIZE] = {};
};

} // namespace platform
