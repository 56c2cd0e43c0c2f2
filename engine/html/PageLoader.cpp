#include "engine/html/PageLoader.h"

#include "engine/dom/Document.h"
#include "engine/dom/DocumentObserver.h"
#include "engine/html/HtmlParser.h"
#include "engine/html/HtmlSerializer.h"
#include "platform/BackgroundWork.h"
#include "platform/CodePages.h"
#include "platform/SafeFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace engine {

namespace loader_detail {
constexpr qint64 kMaxPageBytes = 64 * 1024 * 1024;
// A page the loader accepts is never cut by the parser.
static_assert(kMaxPageBytes * 3 <= HtmlParser::kMaxInputBytes);
const char* const kEmptyPage = "<HTML><HEAD><TITLE></TITLE></HEAD><BODY></BODY></HTML>";

// What laying a page out may take at its peak, per character of its text
// and per node of its tree: the layout library makes an element of every
// word and space, and of every element with its style, and the view keeps
// boxes and lines of its own. (Fitted to what pages took at their peak, a
// quarter added: 600,000 paragraphs of three short words, 9 MB, took 4.6 GB;
// a text box of 100,000 paragraphs, 23 MB, 4.4 GB; a manual of 8 MB 1.8 GB.
// A text box of 200,000 paragraphs, 52 MB, needs about 12 GB free.)
constexpr qint64 kLayoutBytesPerCharacter = 155;
constexpr qint64 kLayoutBytesPerNode = 2400;
// Pages read at once from this length on are parsed apart first, and taken
// only when their tree fits too.
constexpr qsizetype kCharactersCheckedParsed = 1 << 20;

// The memory a page may take, as set for tests (-1: what the system has).
std::atomic<qint64> memoryForPages{-1};

// The memory the system can still give without swapping, as Linux estimates
// it; -1 when it does not say.
qint64 availableMemory()
{
    if (const qint64 set = memoryForPages.load(); set >= 0)
        return set;
    QFile info(QStringLiteral("/proc/meminfo"));
    if (!info.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (QByteArray line = info.readLine(); !line.isEmpty(); line = info.readLine()) {
        if (!line.startsWith("MemAvailable:"))
            continue;
        bool ok = false;
        const qint64 kilobytes = line.mid(13).trimmed().split(' ').value(0).toLongLong(&ok);
        return ok ? kilobytes * 1024 : -1;
    }
    return -1;
}

// Why an address could not be fetched.
platform::FileFault faultOfReply(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ContentNotFoundError:
    case QNetworkReply::ContentGoneError:
        return platform::FileFault::NotFound;
    case QNetworkReply::ContentAccessDenied:
    case QNetworkReply::AuthenticationRequiredError:
        return platform::FileFault::NoPermission;
    default:
        return platform::FileFault::Unreachable;
    }
}

QString metaCharsetOf(const Document* doc)
{
    // In page order, without a list of every META first: the walk over a
    // long page ends in its HEAD.
    for (const Node* n = doc->firstChild(); n; n = n->nextInTree(doc)) {
        const Element* m = n->isText() ? nullptr : n->asElement();
        if (!m || !m->hasTag(QLatin1String("META")))
            continue;
        QString cs = m->getAttributeText(QStringLiteral("charset"));
        if (cs.isEmpty() && m->getAttributeText(QStringLiteral("http-equiv"))
                                    .compare(QLatin1String("Content-Type"), Qt::CaseInsensitive) == 0) {
            const QString content = m->getAttributeText(QStringLiteral("content"));
            const int at = content.indexOf(QLatin1String("charset="), 0, Qt::CaseInsensitive);
            if (at >= 0)
                cs = content.mid(at + 8).section(u';', 0, 0).trimmed();
        }
        if (!cs.isEmpty()) {
            const QString canonical = platform::canonicalCharset(cs);
            if (!canonical.isEmpty())
                return canonical;
        }
    }
    return QString();
}

// Pages being read on worker threads.
std::atomic<int> readsUnderWay{0};
// What the parser keeps for the next page (see HtmlParser) beyond which it
// is let go once no page is being read.
constexpr size_t kSpareParserBytesKept = size_t(4) << 20;

// Once no page is being read, the memory the parser kept for the next one
// goes back to the system, on a worker thread.
void releaseParserMemoryWhenIdle()
{
    if (readsUnderWay.load() != 0 || HtmlParser::spareMemoryBytes() <= kSpareParserBytesKept)
        return;
    platform::disposeInBackground([] {
        if (readsUnderWay.load() == 0)
            HtmlParser::releaseSpareMemory();
    });
}
} // namespace loader_detail

bool PageLoader::fitsInMemory(qint64 characters, qint64 nodes)
{
    const qint64 available = loader_detail::availableMemory();
    return available < 0 ||
           characters * loader_detail::kLayoutBytesPerCharacter + nodes * loader_detail::kLayoutBytesPerNode <=
               available;
}

void PageLoader::setMemoryForPages(qint64 bytes)
{
    loader_detail::memoryForPages = bytes;
}

// Where a page read on the worker thread reports, while its loader lives.
struct PageLoader::Mailbox
{
    PageLoader* loader;
};

// A page read, decoded and parsed on the worker thread.
struct PageLoader::ReadPage
{
    int generation = 0;
    QString path;
    QString charset;
    bool again = false; // the page's own file read again
    // Found on the worker thread, where the page was parsed.
    QString title;
    QString metaCharset;
    platform::FileFault fault = platform::FileFault::None;
    // Its nodes name the document that asked for the page (see
    // Document::pointNodesAt); a page not taken in is its own again as it
    // goes, on whichever thread.
    Ref<Document> parsed;
    ~ReadPage()
    {
        if (parsed && parsed->childCount())
            Document::pointNodesAt(parsed.get(), parsed.get());
    }
};

PageLoader::PageLoader(Document* doc) : m_doc(doc) {}

PageLoader::~PageLoader()
{
    if (m_mailbox)
        m_mailbox->loader = nullptr;
    *m_latest = -1;
    if (m_pending)
        m_pending->abort();
}

QString PageLoader::localPathOf(const QString& address)
{
    if (address.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return QUrl(address).toLocalFile();
    return address;
}

bool PageLoader::load(const QString& address, platform::FileFault* fault, Reading reading)
{
    m_inBackground = false;
    const QUrl url(address);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
        if (!m_net)
            m_net = new QNetworkAccessManager(this);
        if (m_pending)
            m_pending->abort();
        const int generation = ++m_generation;
        *m_latest = generation;
        QNetworkRequest request(url);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
        QNetworkReply* reply = m_net->get(request);
        m_pending = reply;
        m_doc->setReadyState(QStringLiteral("loading"));
        connect(reply, &QNetworkReply::finished, this, [this, reply, generation]() {
            reply->deleteLater();
            if (generation == m_generation)
                httpFinished(reply);
        });
        return true;
    }
    const QString path = localPathOf(address);
    if (reading == Reading::InBackground && QCoreApplication::instance())
        return startReadInBackground(path, QString(), false, fault);
    QByteArray bytes;
    if (!readPageFile(path, &bytes, fault))
        return false;
    m_forced.clear();
    return applyBytes(bytes, QFileInfo(path).absoluteFilePath(), QString(), fault);
}

bool PageLoader::startReadInBackground(const QString& path, const QString& forcedCharset, bool again,
                                       platform::FileFault* fault)
{
    // What can be told at once is: a file that is missing, unreadable or
    // too large.
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable() || info.size() > loader_detail::kMaxPageBytes) {
        QByteArray none;
        platform::FileFault found = platform::FileFault::Failed;
        readPageFile(path, &none, &found);
        if (fault)
            *fault = found == platform::FileFault::None ? platform::FileFault::Failed : found;
        return false;
    }
    readInBackground(info.absoluteFilePath(), forcedCharset, again);
    return true;
}

void PageLoader::readInBackground(const QString& path, const QString& forcedCharset, bool again)
{
    if (m_pending)
        m_pending->abort();
    m_forced = forcedCharset;
    const int generation = ++m_generation;
    *m_latest = generation;
    m_inBackground = true;
    m_doc->setReadyState(QStringLiteral("loading"));
    if (!m_mailbox)
        m_mailbox = std::make_shared<Mailbox>(Mailbox{this});
    ++loader_detail::readsUnderWay;
    // What was asked for: the charset to decode with (none: the detected
    // one), and whether it is the page's own file read again.
    const struct
    {
        QString charset;
        bool again;
    } asked{forcedCharset, again};
    platform::runInBackground(
        [path, asked, generation, target = m_doc, latest = m_latest, box = std::weak_ptr<Mailbox>(m_mailbox)]() {
            auto read = std::make_shared<ReadPage>();
            read->generation = generation;
            read->path = path;
            read->again = asked.again;
            QByteArray bytes;
            // Each stage looks whether the page is still wanted.
            if (*latest == generation && readPageFile(path, &bytes, &read->fault) && *latest == generation) {
                // As applyBytes: a charset asked for that does not read the
                // bytes at all leaves them to the detected one.
                const bool forced = !platform::canonicalCharset(asked.charset).isEmpty();
                read->charset = forced ? asked.charset : platform::detectCharset(bytes);
                bool ok = false;
                QString text = platform::decodeText(bytes, read->charset, &ok);
                if (text.isEmpty() && !bytes.isEmpty() && !ok && forced) {
                    read->charset = platform::detectCharset(bytes);
                    text = platform::decodeText(bytes, read->charset, &ok);
                }
                if (text.isEmpty() && !bytes.isEmpty() && !ok)
                    text = platform::decodeText(bytes, read->charset);
                bytes = QByteArray();
                // A page the machine could not lay out is refused before it
                // takes the memory the other pages need: by its length before
                // it is parsed, by its tree too once it is.
                const qsizetype characters = text.size();
                if (!fitsInMemory(characters))
                    read->fault = platform::FileFault::NoMemory;
                else if (*latest == generation) {
                    read->parsed = Document::create();
                    if (!read->parsed->replaceContent(text)) {
                        read->fault = platform::FileFault::Unreadable;
                        read->parsed = nullptr;
                    }
                    text = QString();
                    if (read->parsed && !fitsInMemory(characters, read->parsed->nodeCount())) {
                        read->fault = platform::FileFault::NoMemory;
                        read->parsed = nullptr;
                    }
                }
                if (read->parsed) {
                    read->title = read->parsed->title();
                    read->metaCharset = loader_detail::metaCharsetOf(read->parsed.get());
                    // (Only the pointer: the document itself is not read here.)
                    Document::pointNodesAt(read->parsed.get(), target);
                }
            }
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [read, box]() mutable {
                    if (const auto b = box.lock(); b && b->loader)
                        b->loader->takeReadPage(read);
                    // A page nobody took is taken apart on the worker thread.
                    if (read.use_count() == 1 && read->parsed && read->parsed->childCount())
                        platform::disposeInBackground([page = std::move(read)]() mutable { page.reset(); });
                },
                Qt::QueuedConnection);
            --loader_detail::readsUnderWay;
            loader_detail::releaseParserMemoryWhenIdle();
        });
}

void PageLoader::takeReadPage(const std::shared_ptr<ReadPage>& read)
{
    if (read->generation != m_generation || !m_inBackground)
        return;
    m_inBackground = false;
    if (!read->parsed) {
        m_doc->setReadyState(QStringLiteral("complete"));
        if (read->again)
            scheduleLoaded();
        else
            emit loadFailed(read->fault);
        return;
    }
    m_charset = read->charset;
    m_doc->replaceContent(read->parsed.get());
    m_doc->noteTitle(read->title);
    m_metaCharset = read->metaCharset;
    m_metaVersion = m_doc->version();
    m_doc->setUrl(read->path);
    m_doc->setReadyState(QStringLiteral("complete"));
    scheduleLoaded();
}

bool PageLoader::isLoading() const
{
    return !m_pending.isNull() || m_inBackground;
}

void PageLoader::cancelLoad()
{
    const bool loading = isLoading();
    ++m_generation;
    *m_latest = m_generation;
    m_inBackground = false;
    if (m_pending)
        m_pending->abort();
    m_pending.clear();
    if (loading)
        m_doc->setReadyState(QStringLiteral("complete"));
}

bool PageLoader::readPageFile(const QString& path, QByteArray* bytes, platform::FileFault* fault)
{
    const platform::FileFault found = platform::readFileWhole(path, bytes, loader_detail::kMaxPageBytes);
    if (fault)
        *fault = found;
    return found == platform::FileFault::None;
}

void PageLoader::httpFinished(QNetworkReply* reply)
{
    m_pending = nullptr;
    if (reply->error() != QNetworkReply::NoError) {
        m_doc->setReadyState(QStringLiteral("complete"));
        emit loadFailed(loader_detail::faultOfReply(reply->error()));
        return;
    }
    QByteArray bytes = reply->read(loader_detail::kMaxPageBytes);
    // A charset in the Content-Type header counts when the page has no META.
    QString headerCharset;
    const QString type = reply->header(QNetworkRequest::ContentTypeHeader).toString();
    const int at = type.indexOf(QLatin1String("charset="), 0, Qt::CaseInsensitive);
    if (at >= 0 && platform::charsetFromMeta(bytes).isEmpty())
        headerCharset = platform::canonicalCharset(type.mid(at + 8).section(u';', 0, 0).trimmed());
    m_forced.clear();
    platform::FileFault fault = platform::FileFault::None;
    if (!applyBytes(bytes, reply->url().toString(), headerCharset, &fault)) {
        m_doc->setReadyState(QStringLiteral("complete"));
        emit loadFailed(fault);
    }
}

bool PageLoader::applyBytes(const QByteArray& bytes, const QString& url, const QString& forcedCharset,
                            platform::FileFault* fault)
{
    QString charset = forcedCharset;
    if (charset.isEmpty() || platform::canonicalCharset(charset).isEmpty())
        charset = platform::detectCharset(bytes);
    bool ok = false;
    QString text = platform::decodeText(bytes, charset, &ok);
    if (text.isEmpty() && !bytes.isEmpty() && !ok) {
        charset = platform::detectCharset(bytes);
        text = platform::decodeText(bytes, charset);
    }
    Ref<Document> parsed;
    if (fitsInMemory(text.size()) && text.size() >= loader_detail::kCharactersCheckedParsed) {
        parsed = Document::create();
        if (!parsed->replaceContent(text)) {
            if (fault)
                *fault = platform::FileFault::Unreadable;
            return false;
        }
    }
    if (!fitsInMemory(text.size(), parsed ? parsed->nodeCount() : 0)) {
        if (fault)
            *fault = platform::FileFault::NoMemory;
        return false;
    }
    ++m_generation;
    *m_latest = m_generation;
    m_inBackground = false;
    if (parsed) {
        m_doc->replaceContent(parsed.get());
    } else if (!m_doc->replaceContent(text)) {
        // (The page as it was stays.)
        m_doc->setReadyState(QStringLiteral("complete"));
        if (fault)
            *fault = platform::FileFault::Unreadable;
        return false;
    }
    m_charset = charset;
    loader_detail::releaseParserMemoryWhenIdle();
    m_doc->setUrl(url);
    m_doc->setReadyState(QStringLiteral("complete"));
    scheduleLoaded();
    return true;
}

void PageLoader::loadFromString(const QString& html, const QString& url)
{
    ++m_generation;
    *m_latest = m_generation;
    m_inBackground = false;
    if (m_pending)
        m_pending->abort();
    m_forced.clear();
    m_doc->replaceContent(html);
    const QString meta = metaCharset();
    m_charset = meta.isEmpty() ? QStringLiteral("UTF-8") : meta;
    m_doc->setUrl(url);
    m_doc->setReadyState(QStringLiteral("complete"));
    scheduleLoaded();
}

bool PageLoader::loadNew(const QString& templatePath, platform::FileFault* fault)
{
    if (templatePath.isEmpty()) {
        loadFromString(QString::fromLatin1(loader_detail::kEmptyPage));
        return true;
    }
    if (!load(templatePath, fault))
        return false;
    m_doc->setUrl(QString());
    return true;
}

bool PageLoader::refresh(platform::FileFault* fault, Reading reading)
{
    const QString path = localPathOf(m_doc->url());
    if (path.isEmpty()) {
        if (fault)
            *fault = platform::FileFault::NoFileName;
        return false;
    }
    if (QUrl(path).scheme().startsWith(QLatin1String("http")))
        return load(path, fault);
    if (reading == Reading::InBackground && QCoreApplication::instance())
        return startReadInBackground(path, m_forced, true, fault);
    QByteArray bytes;
    if (!readPageFile(path, &bytes, fault))
        return false;
    return applyBytes(bytes, QFileInfo(path).absoluteFilePath(), m_forced, fault);
}

void PageLoader::setCharset(const QString& charset)
{
    const QString canonical = platform::canonicalCharset(charset);
    m_forced = canonical;
    if (!canonical.isEmpty())
        m_charset = canonical;
}

QString PageLoader::metaCharset() const
{
    if (m_metaVersion != m_doc->version()) {
        m_metaCharset = loader_detail::metaCharsetOf(m_doc);
        m_metaVersion = m_doc->version();
    }
    return m_metaCharset;
}

QString PageLoader::effectiveCharset() const
{
    const QString meta = metaCharset();
    if (!meta.isEmpty())
        return meta;
    return m_charset.isEmpty() ? QStringLiteral("UTF-8") : m_charset;
}

QByteArray PageLoader::fileBytes() const
{
    const QString text = HtmlSerializer::fileText(m_doc);
    const QString charset = effectiveCharset();
    // Characters the charset cannot hold become numeric references.
    return platform::encodeHtmlText(text, charset);
}

bool PageLoader::save(const QString& path, platform::FileFault* fault)
{
    const QString target = path.isEmpty() ? localPathOf(m_doc->url()) : path;
    platform::FileFault found = platform::FileFault::NoFileName;
    if (!target.isEmpty() && !QUrl(target).scheme().startsWith(QLatin1String("http")))
        found = platform::writeFileWhole(target, fileBytes());
    if (fault)
        *fault = found;
    if (found != platform::FileFault::None)
        return false;
    m_charset = effectiveCharset();
    m_doc->setUrl(QFileInfo(target).absoluteFilePath());
    m_doc->setDirty(false);
    return true;
}

void PageLoader::scheduleLoaded()
{
    const int generation = m_generation;
    QPointer<PageLoader> self(this);
    auto fire = [self, generation]() {
        if (!self || generation != self->m_generation)
            return;
        Ref<Document> doc = self->m_doc;
        doc->beginLoadScope();
        emit self->pageLoaded();
        doc->notifyPageLoaded();
        doc->endLoadScope();
    };
    if (QCoreApplication::instance())
        QMetaObject::invokeMethod(this, fire, Qt::QueuedConnection);
    else
        fire();
}

} // namespace engine
