#pragma once

#include "platform/FtpListParser.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace platform {

// Why an FTP operation failed. The numbers in FtpError::code are those the
// program shows after "Error Code :" (the classic internet-library numbers:
// 12014 login denied, 12002 time-out, 12003 a refusal by the server with its
// reply as text, ...).
enum class FtpErrorKind { None, LoginDenied, TimedOut, Stopped, Other };

struct FtpError
{
    FtpErrorKind kind = FtpErrorKind::None;
    int code = 0;
    QString text;
};

namespace FtpErrorCode {
constexpr int TimedOut = 12002;
constexpr int ServerReply = 12003;
constexpr int Internal = 12004;
constexpr int NameNotResolved = 12007;
constexpr int LoginDenied = 12014;
constexpr int Stopped = 12017;
constexpr int CannotConnect = 12029;
constexpr int ConnectionAborted = 12030;
} // namespace FtpErrorCode

// Steps of a connection reported to the status handler, with the numbers of
// the classic internet library's status notifications.
namespace FtpStatus {
constexpr int ResolvingName = 10;
constexpr int NameResolved = 11;
constexpr int ConnectingToServer = 20;
constexpr int ConnectedToServer = 21;
constexpr int SendingRequest = 30;
constexpr int RequestSent = 31;
constexpr int ReceivingResponse = 40;
constexpr int ResponseReceived = 41;
constexpr int ClosingConnection = 50;
constexpr int ConnectionClosed = 51;
constexpr int HandleCreated = 60;
constexpr int HandleClosing = 70;
} // namespace FtpStatus

struct FtpLogin
{
    QString host;
    quint16 port = 0; // 0: the FTP default (21)
    QString user;
    QString password;
    bool passive = true;
    int timeoutMs = 10000; // the wait for any server reply, and for a stalled transfer
};

// An FTP session: one control connection, logged in once and kept for every
// operation until disconnect(). Paths are server paths; relative ones are
// taken from the current folder (pwd()), "//" collapses to "/", and "." and
// ".." are resolved before anything is sent. Every operation blocks the
// calling thread; one session is used by one thread at a time.
class FtpClient
{
public:
    // Receives each block of a download; false stops the transfer.
    using BlockSink = std::function<bool(const char* data, qint64 size)>;
    // Fills the buffer with the next block of an upload: the byte count, 0 at
    // the end, -1 to stop the transfer.
    using BlockSource = std::function<qint64(char* buffer, qint64 capacity)>;
    // Receives the connection steps (FtpStatus numbers).
    using StatusHandler = std::function<void(int status)>;
    // Asked while a transfer waits or runs; true stops it.
    using StopCheck = std::function<bool()>;

    virtual ~FtpClient() = default;

    // The session on libcurl.
    static std::unique_ptr<FtpClient> create();

    virtual bool connect(const FtpLogin& login) = 0;
    virtual void disconnect() = 0;
    virtual bool isConnected() const = 0;

    // The current folder: the login folder after connect(), then what cwd() set.
    virtual QString pwd() const = 0;
    // Changes the current folder when the server confirms that it exists.
    virtual bool cwd(const QString& path) = 0;
    // The entries of a folder ("." and ".." and unsafe names left out).
    virtual bool list(const QString& folder, QList<FtpEntry>* entries) = 0;
    virtual bool size(const QString& path, qint64* size) = 0;
    virtual bool download(const QString& path, const BlockSink& sink) = 0;
    // Creates or replaces the server file.
    virtual bool upload(const QString& path, const BlockSource& source) = 0;
    virtual bool mkd(const QString& path) = 0;
    virtual bool rmd(const QString& path) = 0;
    virtual bool dele(const QString& path) = 0;
    virtual bool rename(const QString& from, const QString& to) = 0;

    // The failure of the last operation that returned false.
    virtual FtpError lastError() const = 0;

    virtual void setStatusHandler(StatusHandler handler) = 0;
    virtual void setStopCheck(StopCheck check) = 0;
};

// The absolute server path of a path taken from a current folder: "//"
// collapses, "." and ".." are resolved (never above "/"), no trailing "/".
QString resolveFtpPath(const QString& currentFolder, const QString& path);

} // namespace platform
