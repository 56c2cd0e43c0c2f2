#pragma once

#include "engine/dom/Document.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace engine {

// Loads a document from a file, a file: or http: address, a string or a
// template, and saves it. The charset comes from the page's META, else valid
// UTF-8 is UTF-8, else the Japanese charset detection; saving writes the
// document's charset atomically, so a failed save leaves the old file.
// The page-loaded notification follows every load after the call returned;
// changes made while it is handled belong to the load.
class PageLoader : public QObject
{
    Q_OBJECT
public:
    explicit PageLoader(Document* doc);
    ~PageLoader() override;

    // A local path, a file: address or an http(s): address. Files load at
    // once, or read in the background (Reading::InBackground: readyState
    // "loading" until the page is in); http loads when the reply arrives.
    // False with the fault when the page cannot be read; the document is
    // then unchanged (a file that fails while read in the background is
    // reported by loadFailed).
    bool load(const QString& address, platform::FileFault* fault = nullptr, Reading reading = Reading::AtOnce);
    // Stops a load under way: the document stays as it was, readyState
    // "complete", and no page-loaded notification follows.
    void cancelLoad();
    bool isLoading() const;
    void loadFromString(const QString& html, const QString& url = QString());
    // A new page from a template file (an empty page when the path is
    // empty); it has no url.
    bool loadNew(const QString& templatePath, platform::FileFault* fault = nullptr);
    // Reads the file again, decoding with the charset set last (or the
    // detected one); in the background as load does (Reading::InBackground:
    // the page stays as it is, readyState "loading", until the page is in).
    // A page that fails to be read again in the background stays as it was,
    // and the page-loaded notification follows all the same.
    bool refresh(platform::FileFault* fault = nullptr, Reading reading = Reading::AtOnce);
    // Saves to `path` (which becomes the url), or to the url when empty;
    // written whole or not at all (platform::SafeFile).
    bool save(const QString& path = QString(), platform::FileFault* fault = nullptr);

    // The charset to decode with on the next refresh and to save in.
    void setCharset(const QString& charset);
    // The charset named by the page's META (walked for once per change of
    // the page), else the one it was read in.
    QString effectiveCharset() const;
    // The charset the page was read in, or set since (setCharset, save).
    QString readCharset() const { return m_charset; }
    // Bytes of the document as a file in its charset; characters the
    // charset cannot hold are written as numeric character references.
    QByteArray fileBytes() const;

    // Whether a page of `characters` (and, once parsed, of `nodes`) could be
    // laid out in the memory the system can still give: a page that could
    // not is refused (NoMemory) rather than taking the memory of everything
    // else open.
    static bool fitsInMemory(qint64 characters, qint64 nodes = 0);
    // The memory pages may take, for tests; -1 (the default) asks the system.
    static void setMemoryForPages(qint64 bytes);

signals:
    void pageLoaded();
    void loadFailed(platform::FileFault fault);

private:
    struct Mailbox;
    struct ReadPage;
    // False with the fault when the page is not taken (the document is then
    // unchanged).
    bool applyBytes(const QByteArray& bytes, const QString& url, const QString& forcedCharset,
                    platform::FileFault* fault = nullptr);
    // `forcedCharset`: the charset to decode with (empty: the detected one);
    // `again`: the page's own file read again (see refresh).
    void readInBackground(const QString& path, const QString& forcedCharset, bool again);
    // False with the fault when the file at once cannot be read in the
    // background (missing, unreadable, too large); else it is being read.
    bool startReadInBackground(const QString& path, const QString& forcedCharset, bool again,
                               platform::FileFault* fault);
    void takeReadPage(const std::shared_ptr<ReadPage>& read);
    void scheduleLoaded();
    void httpFinished(QNetworkReply* reply);
    static QString localPathOf(const QString& address);
    // The charset the page's first META names that the converters know.
    QString metaCharset() const;
    // Reads a page file whole; false with the fault when it cannot.
    static bool readPageFile(const QString& path, QByteArray* bytes, platform::FileFault* fault);

    Document* m_doc;
    QString m_charset; // the charset the page was read in
    // The META's charset as walked for at a version of the page.
    mutable quint64 m_metaVersion = ~quint64(0);
    mutable QString m_metaCharset;
    QString m_forced; // set by setCharset
    QNetworkAccessManager* m_net = nullptr;
    QPointer<QNetworkReply> m_pending;
    int m_generation = 0;
    // Reading in the background: the generation the worker compares with
    // (a later load or a cancel makes its work moot) and where it reports.
    std::shared_ptr<std::atomic<int>> m_latest = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<Mailbox> m_mailbox;
    bool m_inBackground = false;
};

} // namespace engine
