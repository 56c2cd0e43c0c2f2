#include "platform/FtpClientCurl.h"

#include <QUrl>

#include <algorithm>
#include <mutex>

namespace platform {

namespace ftpcurl {

void initialiseOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool isFinalReply(const QByteArray& line)
{
    return line.size() >= 4 && std::isdigit(uchar(line[0])) && std::isdigit(uchar(line[1])) &&
           std::isdigit(uchar(line[2])) && line[3] == ' ';
}

QString replyText(const QByteArray& reply)
{
    return QString::fromUtf8(reply).trimmed();
}

// Why a request ended, as the kind and number the program shows.
struct Mapping
{
    FtpErrorKind kind;
    int code;
    bool serverReply; // the server's last reply explains it best
};

Mapping mapCurlCode(CURLcode code)
{
    switch (code) {
    case CURLE_LOGIN_DENIED:
        return {FtpErrorKind::LoginDenied, FtpErrorCode::LoginDenied, true};
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_FTP_ACCEPT_TIMEOUT:
        return {FtpErrorKind::TimedOut, FtpErrorCode::TimedOut, false};
    case CURLE_COULDNT_RESOLVE_HOST:
        return {FtpErrorKind::Other, FtpErrorCode::NameNotResolved, false};
    case CURLE_COULDNT_CONNECT:
        return {FtpErrorKind::Other, FtpErrorCode::CannotConnect, false};
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_FTP_COULDNT_RETR_FILE:
    case CURLE_UPLOAD_FAILED:
    case CURLE_QUOTE_ERROR:
    case CURLE_FTP_COULDNT_SET_TYPE:
    case CURLE_FTP_COULDNT_USE_REST:
    case CURLE_FTP_PORT_FAILED:
    case CURLE_FTP_ACCEPT_FAILED:
    case CURLE_FTP_WEIRD_PASV_REPLY:
    case CURLE_FTP_WEIRD_227_FORMAT:
    case CURLE_FTP_CANT_GET_HOST:
    case CURLE_WEIRD_SERVER_REPLY:
        return {FtpErrorKind::Other, FtpErrorCode::ServerReply, true};
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
        return {FtpErrorKind::Other, FtpErrorCode::ConnectionAborted, false};
    default:
        return {FtpErrorKind::Other, FtpErrorCode::Internal, false};
    }
}

} // namespace ftpcurl

FtpClientCurl::FtpClientCurl()
{
    ftpcurl::initialiseOnce();
}

FtpClientCurl::~FtpClientCurl()
{
    disconnect();
}

void FtpClientCurl::report(int status)
{
    if (m_status)
        m_status(status);
}

bool FtpClientCurl::setError(FtpErrorKind kind, int code, const QString& text)
{
    m_error = FtpError{kind, code, text};
    return false;
}

bool FtpClientCurl::fail(CURLcode code)
{
    if (m_stoppedByCaller)
        return setError(FtpErrorKind::Stopped, FtpErrorCode::Stopped, QStringLiteral("The transfer was stopped."));
    const ftpcurl::Mapping mapping = ftpcurl::mapCurlCode(code);
    QString text;
    if (mapping.serverReply && !m_replies.isEmpty())
        text = ftpcurl::replyText(m_replies.last());
    if (text.isEmpty())
        text = QString::fromUtf8(m_errorBuffer).trimmed();
    if (text.isEmpty())
        text = QString::fromUtf8(curl_easy_strerror(code));
    return setError(mapping.kind, mapping.code, text);
}

bool FtpClientCurl::connect(const FtpLogin& login)
{
    disconnect();
    m_error = FtpError{};
    m_login = login;

    QString host = login.host.trimmed();
    if (host.contains(u':') && !host.startsWith(u'['))
        m_hostPart = '[' + host.toLatin1() + ']';
    else
        m_hostPart = QUrl::toAce(host);
    static const QByteArray hostChars("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-_:[]");
    const bool hostOk = !m_hostPart.isEmpty() &&
                        std::all_of(m_hostPart.begin(), m_hostPart.end(), [](char c) { return hostChars.contains(c); });
    if (!hostOk)
        return setError(FtpErrorKind::Other, FtpErrorCode::NameNotResolved,
                        QStringLiteral("Invalid host name: %1").arg(host));
    m_hostPart += ':' + QByteArray::number(login.port ? login.port : 21);

    m_curl = curl_easy_init();
    m_multi = curl_multi_init();
    if (!m_curl || !m_multi)
        return setError(FtpErrorKind::Other, FtpErrorCode::Internal, QStringLiteral("No FTP session could be made."));
    report(FtpStatus::HandleCreated);

    const long timeoutMs = std::max(login.timeoutMs, 1);
    const long timeoutSeconds = std::max<long>(1, (timeoutMs + 999) / 1000);
    CURL* c = m_curl;
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, m_errorBuffer);
    curl_easy_setopt(c, CURLOPT_USERNAME, login.user.toUtf8().constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, login.password.toUtf8().constData());
    curl_easy_setopt(c, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_NOCWD));
    curl_easy_setopt(c, CURLOPT_FTP_CREATE_MISSING_DIRS, long(CURLFTP_CREATE_DIR_NONE));
    curl_easy_setopt(c, CURLOPT_FTPPORT, login.passive ? nullptr : "-");
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeoutSeconds);
    curl_easy_setopt(c, CURLOPT_ACCEPTTIMEOUT_MS, timeoutMs);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, timeoutSeconds);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &FtpClientCurl::onHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &FtpClientCurl::onWrite);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(c, CURLOPT_READFUNCTION, &FtpClientCurl::onRead);
    curl_easy_setopt(c, CURLOPT_READDATA, this);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &FtpClientCurl::onProgress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(c, CURLOPT_SOCKOPTFUNCTION, &FtpClientCurl::onSocketMade);
    curl_easy_setopt(c, CURLOPT_SOCKOPTDATA, this);

    m_connecting = true;
    m_greeted = false;
    report(FtpStatus::ResolvingName);
    const bool ok = perform("ftp://" + m_hostPart + '/', Body::None);
    m_connecting = false;
    if (!ok) {
        const FtpError error = m_error;
        closeHandles();
        m_error = error;
        return false;
    }
    const char* entry = nullptr;
    curl_easy_getinfo(c, CURLINFO_FTP_ENTRY_PATH, &entry);
    m_cwd = resolveFtpPath(QStringLiteral("/"), entry ? QString::fromUtf8(entry) : QStringLiteral("/"));
    m_connected = true;
    return true;
}

void FtpClientCurl::closeHandles()
{
    if (m_curl)
        curl_easy_cleanup(m_curl);
    if (m_multi)
        curl_multi_cleanup(m_multi); // closes the kept connection
    m_curl = nullptr;
    m_multi = nullptr;
}

void FtpClientCurl::disconnect()
{
    if (!m_curl)
        return;
    report(FtpStatus::ClosingConnection);
    report(FtpStatus::HandleClosing);
    closeHandles();
    m_connected = false;
    m_cwd = QStringLiteral("/");
    report(FtpStatus::ConnectionClosed);
}

bool FtpClientCurl::ready()
{
    m_error = FtpError{};
    if (m_connected)
        return true;
    return setError(FtpErrorKind::Other, FtpErrorCode::Internal, QStringLiteral("Not connected."));
}

bool FtpClientCurl::absolutePath(const QString& path, QByteArray* bytes)
{
    *bytes = resolveFtpPath(m_cwd, path).toUtf8();
    if (bytes->contains('\r') || bytes->contains('\n') || bytes->contains('\0'))
        return setError(FtpErrorKind::Other, FtpErrorCode::ServerReply, QStringLiteral("Invalid path: %1").arg(path));
    return true;
}

QByteArray FtpClientCurl::urlFor(const QByteArray& path, bool folder) const
{
    // The URL path is relative to the login folder; "%2F" makes it absolute.
    QByteArray url = "ftp://" + m_hostPart + "/%2F";
    QList<QByteArray> encoded;
    for (const QByteArray& part : path.split('/'))
        if (!part.isEmpty())
            encoded.append(part.toPercentEncoding());
    url += encoded.join('/');
    if (folder && !encoded.isEmpty())
        url += '/';
    return url;
}

bool FtpClientCurl::perform(const QByteArray& url, Body body)
{
    m_replies.clear();
    m_listing.clear();
    m_listingTooLong = false;
    m_stoppedByCaller = false;
    m_errorBuffer[0] = '\0';
    m_body = body;
    curl_easy_setopt(m_curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(m_curl, CURLOPT_NOBODY, body == Body::None ? 1L : 0L);
    curl_easy_setopt(m_curl, CURLOPT_UPLOAD, body == Body::Upload ? 1L : 0L);
    const CURLcode code = runTransfer();
    m_body = Body::None;
    m_sink = nullptr;
    m_source = nullptr;
    if (code != CURLE_OK)
        return fail(code);
    return true;
}

CURLcode FtpClientCurl::runTransfer()
{
    // Our own loop over a multi handle rather than curl_easy_perform: this
    // libcurl sometimes forgets to wait on the new data socket of a passive
    // transfer and sleeps a whole second. Short waits keep it moving; when
    // data flows, the sockets wake the loop at once.
    curl_multi_add_handle(m_multi, m_curl);
    CURLcode result = CURLE_OK;
    int running = 1;
    while (running) {
        const CURLMcode status = curl_multi_perform(m_multi, &running);
        if (status != CURLM_OK) {
            result = CURLE_SEND_ERROR;
            break;
        }
        if (!running)
            break;
        long wait = -1;
        curl_multi_timeout(m_multi, &wait);
        curl_multi_poll(m_multi, nullptr, 0, int(wait < 0 || wait > 5 ? 5 : wait), nullptr);
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(m_multi, &queued)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == m_curl)
            result = message->data.result;
    }
    curl_multi_remove_handle(m_multi, m_curl);
    return result;
}

bool FtpClientCurl::runCommands(const QList<QByteArray>& commands)
{
    // A "*" lets libcurl go on (and keep the connection) after a refusal; the
    // replies, read here, tell the outcome.
    curl_slist* quote = nullptr;
    for (const QByteArray& command : commands)
        quote = curl_slist_append(quote, ('*' + command).constData());
    curl_easy_setopt(m_curl, CURLOPT_QUOTE, quote);
    const bool ok = perform("ftp://" + m_hostPart + '/', Body::None);
    curl_easy_setopt(m_curl, CURLOPT_QUOTE, nullptr);
    curl_slist_free_all(quote);
    if (!ok)
        return false;
    if (m_replies.size() < commands.size())
        return setError(FtpErrorKind::Other, FtpErrorCode::ServerReply, QStringLiteral("The server did not answer."));
    for (qsizetype i = m_replies.size() - commands.size(); i < m_replies.size(); ++i) {
        if (m_replies[i][0] >= '4')
            return setError(FtpErrorKind::Other, FtpErrorCode::ServerReply, ftpcurl::replyText(m_replies[i]));
    }
    return true;
}

bool FtpClientCurl::cwd(const QString& path)
{
    QByteArray target;
    if (!ready() || !absolutePath(path, &target) || !runCommands({"CWD " + target}))
        return false;
    m_cwd = QString::fromUtf8(target);
    return true;
}

bool FtpClientCurl::list(const QString& folder, QList<FtpEntry>* entries)
{
    QByteArray target;
    if (!ready() || !absolutePath(folder, &target))
        return false;
    if (!perform(urlFor(target, true), Body::Listing)) {
        const bool tooLong = m_listingTooLong;
        m_listing.clear();
        if (tooLong)
            return setError(FtpErrorKind::Other, FtpErrorCode::ServerReply,
                            QStringLiteral("The listing of %1 is too long.").arg(QString::fromUtf8(target)));
        return false;
    }
    *entries = parseFtpListing(m_listing);
    m_listing.clear();
    return true;
}

bool FtpClientCurl::size(const QString& path, qint64* size)
{
    QByteArray target;
    if (!ready() || !absolutePath(path, &target) || !perform(urlFor(target, false), Body::None))
        return false;
    curl_off_t length = -1;
    curl_easy_getinfo(m_curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    if (length < 0) {
        const QString text = m_replies.isEmpty() ? QStringLiteral("The size of %1 is unknown.").arg(path)
                                                 : ftpcurl::replyText(m_replies.last());
        return setError(FtpErrorKind::Other, FtpErrorCode::ServerReply, text);
    }
    *size = length;
    return true;
}

bool FtpClientCurl::download(const QString& path, const BlockSink& sink)
{
    QByteArray target;
    if (!ready() || !absolutePath(path, &target))
        return false;
    m_sink = &sink;
    return perform(urlFor(target, false), Body::Download);
}

bool FtpClientCurl::upload(const QString& path, const BlockSource& source)
{
    QByteArray target;
    if (!ready() || !absolutePath(path, &target))
        return false;
    m_source = &source;
    curl_easy_setopt(m_curl, CURLOPT_INFILESIZE_LARGE, curl_off_t(-1));
    return perform(urlFor(target, false), Body::Upload);
}

bool FtpClientCurl::mkd(const QString& path)
{
    QByteArray target;
    return ready() && absolutePath(path, &target) && runCommands({"MKD " + target});
}

bool FtpClientCurl::rmd(const QString& path)
{
    QByteArray target;
    return ready() && absolutePath(path, &target) && runCommands({"RMD " + target});
}

bool FtpClientCurl::dele(const QString& path)
{
    QByteArray target;
    return ready() && absolutePath(path, &target) && runCommands({"DELE " + target});
}

bool FtpClientCurl::rename(const QString& from, const QString& to)
{
    QByteArray source;
    QByteArray target;
    return ready() && absolutePath(from, &source) && absolutePath(to, &target) &&
           runCommands({"RNFR " + source, "RNTO " + target});
}

size_t FtpClientCurl::onHeader(char* data, size_t size, size_t count, void* self)
{
    auto* client = static_cast<FtpClientCurl*>(self);
    const size_t bytes = size * count;
    QByteArray line(data, qsizetype(bytes));
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    if (ftpcurl::isFinalReply(line)) {
        client->m_replies.append(line);
        if (client->m_connecting) {
            if (!client->m_greeted) {
                client->m_greeted = true;
                client->report(FtpStatus::ConnectedToServer);
                client->report(FtpStatus::ReceivingResponse);
            }
            client->report(FtpStatus::ResponseReceived);
        }
    }
    return bytes;
}

size_t FtpClientCurl::onWrite(char* data, size_t size, size_t count, void* self)
{
    auto* client = static_cast<FtpClientCurl*>(self);
    const size_t bytes = size * count;
    if (client->m_body == Body::Listing) {
        if (client->m_listing.size() + qsizetype(bytes) > MaxListingBytes) {
            client->m_listingTooLong = true;
            return 0;
        }
        client->m_listing.append(data, qsizetype(bytes));
        return bytes;
    }
    if (client->m_body != Body::Download || !client->m_sink)
        return bytes;
    if (!(*client->m_sink)(data, qint64(bytes))) {
        client->m_stoppedByCaller = true;
        return 0;
    }
    return bytes;
}

size_t FtpClientCurl::onRead(char* buffer, size_t size, size_t count, void* self)
{
    auto* client = static_cast<FtpClientCurl*>(self);
    if (client->m_body != Body::Upload || !client->m_source)
        return 0;
    const qint64 read = (*client->m_source)(buffer, qint64(size * count));
    if (read < 0) {
        client->m_stoppedByCaller = true;
        return CURL_READFUNC_ABORT;
    }
    return size_t(read);
}

int FtpClientCurl::onProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto* client = static_cast<FtpClientCurl*>(self);
    if (client->m_stop && client->m_stop()) {
        client->m_stoppedByCaller = true;
        return 1;
    }
    return 0;
}

int FtpClientCurl::onSocketMade(void* self, curl_socket_t, curlsocktype purpose)
{
    // The name is resolved and the control connection is about to be made.
    auto* client = static_cast<FtpClientCurl*>(self);
    if (client->m_connecting && purpose == CURLSOCKTYPE_IPCXN && !client->m_greeted) {
        client->report(FtpStatus::NameResolved);
        client->report(FtpStatus::ConnectingToServer);
    }
    return CURL_SOCKOPT_OK;
}

} // namespace platform
