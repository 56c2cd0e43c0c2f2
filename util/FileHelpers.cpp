#include "util/FileHelpers.h"

#include "platform/CodePages.h"
#include "platform/DataRoot.h"
#include "platform/FileOps.h"
#include "res/resource.h"
#include "util/AppContext.h"
#include "util/HtmlTextScan.h"
#include "util/StringResources.h"
#include "util/TextHelpers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRegularExpression>

#include <gumbo.h>

#include <cstring>

CZQDoc* FindOpenDocument(const QString& path)
{
    if (path.isEmpty())
        return nullptr;
    for (const AppContext::OpenDocument& open : AppContext::instance().openDocuments()) {
        if (open.path.isEmpty() ? open.displayName == path : open.path == path)
            return open.document;
    }
    return nullptr;
}

bool MakeWebRelativePath(QString& path, bool& insideWeb)
{
    insideWeb = false;
    const QString upper = path.toUpper();
    for (const char* address : {"HTTP://", "HTTPS://", "MAILTO:"}) {
        if (upper.contains(QLatin1String(address)))
            return false;
    }
    // "file:///home/a.gif" keeps the root of its path.
    const qsizetype scheme = upper.indexOf(QLatin1String("FILE://"));
    if (scheme >= 0)
        path.remove(scheme, 7);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    path.replace(QLatin1String("%20"), QLatin1String(" "));

    QString web = AppContext::instance().webFolder();
    web.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (web.size() > 1 && web.endsWith(QLatin1Char('/')))
        web.chop(1);
    if (web.isEmpty())
        return true;
    // The web folder must be a whole leading part of the path: "/x/Web" is not
    // a prefix of "/x/Website/a.gif".
    if (path == web) {
        path.clear();
        insideWeb = true;
    } else if (path.startsWith(web + QLatin1Char('/'))) {
        path = path.mid(web.size() + 1);
        insideWeb = true;
    }
    return true;
}

void DeleteFolderTree(const QString& folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || info.isSymLink() || !info.isDir())
        return;
    platform::emptyFolder(folder);
}

QString CreateFolderPath(const QString& path)
{
    if (!path.isEmpty())
        QDir().mkpath(path);
    return path;
}

QString TempImageFolder()
{
    return platform::privateTempFolder() + QStringLiteral("/Images");
}

QString MakeTempImageFileName(const QString& extension, const QString& folder, const QString& prefix)
{
    const QString name = prefix.isEmpty() ? QStringLiteral("UserImage") : prefix;
    if (!QFileInfo(folder).isDir())
        CreateFolderPath(folder);
    for (int n = 0;; ++n) {
        const QString candidate = QStringLiteral("%1/%2%3.%4").arg(folder, name).arg(n).arg(extension);
        if (!platform::pathExists(candidate))
            return candidate;
    }
}

QString UserImageFolder()
{
    return platform::installPath(QStringLiteral("Image/User"));
}

namespace {

// The title text as a browser's document.title gives it: character
// references decoded (the text read as a TITLE element's content), ASCII
// white space stripped at both ends and collapsed to single blanks. A
// no-break space becomes a blank too, after the collapsing, as the title
// reader has always given it.
QString browserTitleText(const QString& raw)
{
    const QByteArray html = "<title>" + raw.toUtf8() + "</title>";
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, html.constData(), size_t(html.size()));
    QString text;
    const auto findTitle = [](auto&& self, const GumboNode* node) -> const GumboNode* {
        if (node->type != GUMBO_NODE_ELEMENT)
            return nullptr;
        if (node->v.element.tag == GUMBO_TAG_TITLE)
            return node;
        const GumboVector& children = node->v.element.children;
        for (unsigned i = 0; i < children.length; ++i) {
            if (const GumboNode* found = self(self, static_cast<const GumboNode*>(children.data[i])))
                return found;
        }
        return nullptr;
    };
    if (const GumboNode* title = findTitle(findTitle, output->root)) {
        const GumboVector& children = title->v.element.children;
        for (unsigned i = 0; i < children.length; ++i) {
            const auto* child = static_cast<const GumboNode*>(children.data[i]);
            if (child->type == GUMBO_NODE_TEXT || child->type == GUMBO_NODE_WHITESPACE)
                text += QString::fromUtf8(child->v.text.text);
        }
    }
    gumbo_destroy_output(&kGumboDefaultOptions, output);
    static const QRegularExpression asciiSpace(QStringLiteral("[\\t\\n\\f\\r ]+"));
    QStringList words = text.split(asciiSpace, Qt::SkipEmptyParts);
    QString title = words.join(QLatin1Char(' '));
    title.replace(QChar(0x00A0), QLatin1Char(' '));
    return title;
}

// A long page is read for its title in parts of this size, and its charset
// is told by its first part.
constexpr qsizetype kTitleReadPart = 64 * 1024;

// Where `needle` first stands in the file at or after `from`, read part by
// part into one buffer without keeping what was searched; -1 when nowhere.
qint64 findInFile(QFile& file, QByteArrayView needle, qint64 from)
{
    if (!file.seek(from))
        return -1;
    constexpr qsizetype kPart = kTitleReadPart * 4;
    QByteArray buffer(kPart + needle.size(), Qt::Uninitialized);
    // The end of the part before, where a needle cut by its end begins.
    qsizetype kept = 0;
    qint64 bufferStart = from;
    while (true) {
        const qint64 read = file.read(buffer.data() + kept, kPart);
        if (read <= 0)
            return -1;
        const qsizetype length = kept + qsizetype(read);
        if (const void* at = memmem(buffer.constData(), size_t(length), needle.data(), size_t(needle.size())))
            return bufferStart + (static_cast<const char*>(at) - buffer.constData());
        const qsizetype keep = qMin(length, needle.size() - 1);
        memmove(buffer.data(), buffer.constData() + length - keep, size_t(keep));
        bufferStart += length - keep;
        kept = keep;
    }
}

// The title in the text, `untitled` when there is none.
QString titleInText(const QString& text, const QString& untitled)
{
    qsizetype from = 0;
    qsizetype to = 0;
    if (!FindTitleSpan(text, from, to))
        return untitled;
    const QString title = browserTitleText(text.mid(from, to - from));
    return IsBlankString(title) ? untitled : title;
}

// The title of the long page file read last, while the file is as it was
// then: a window's caption asks for it several times as the page opens,
// and a long page without a title is read to its end each time.
struct TitleRead
{
    QString path;
    qint64 size = -1;
    QDateTime modified;
    QString title;
};

QString readHtmlFileTitle(QFile& file, const QString& untitled);

} // namespace

QString GetHtmlFileTitle(const QString& path)
{
    if (path.isEmpty())
        return QString();
    const QString untitled = LoadResString(IDS_NO_TITLE);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return untitled;
    if (file.size() <= kTitleReadPart)
        return readHtmlFileTitle(file, untitled);
    static QMutex guard;
    static TitleRead last;
    const QFileInfo info(path);
    {
        const QMutexLocker lock(&guard);
        if (last.path == info.absoluteFilePath() && last.size == info.size() && last.modified == info.lastModified())
            return last.title;
    }
    const QString title = readHtmlFileTitle(file, untitled);
    const QMutexLocker lock(&guard);
    last = TitleRead{info.absoluteFilePath(), info.size(), info.lastModified(), title};
    return title;
}

namespace {

QString readHtmlFileTitle(QFile& file, const QString& untitled)
{
    QByteArray head = file.read(kTitleReadPart);
    // A short page is read whole.
    if (file.atEnd())
        return titleInText(platform::decodeText(head, platform::detectCharset(head)), untitled);
    // Of a long page, its start tells the charset (its mark, its META, its
    // text), cut after a byte that ends every character.
    qsizetype cut = head.size();
    while (cut > 0 && uchar(head[cut - 1]) >= 0x80)
        --cut;
    head.truncate(cut);
    const QString charset = platform::detectCharset(head);
    // Where the tags stand in the bytes as in the text, and every "<" of the
    // bytes is a "<" of the text (no charset that shifts between modes),
    // only the tags' places are looked for in the rest and the title alone
    // is decoded; else the page is decoded whole.
    const bool tagsAsBytes = platform::encodeText(QStringLiteral("<TITLE><title></"), charset) == "<TITLE><title></" &&
                             !charset.startsWith(QLatin1String("ISO-2022"), Qt::CaseInsensitive);
    if (!tagsAsBytes) {
        file.seek(0);
        return titleInText(platform::decodeText(file.readAll(), charset), untitled);
    }
    qint64 tag = findInFile(file, "<TITLE>", 0);
    if (tag < 0)
        tag = findInFile(file, "<title>", 0);
    const qint64 close = tag < 0 ? -1 : findInFile(file, "</", tag);
    if (close < 0 || !file.seek(tag))
        return untitled;
    return titleInText(platform::decodeText(file.read(close + 2 - tag), charset), untitled);
}

} // namespace
