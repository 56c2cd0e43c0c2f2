#include "web/SiteFileTexts.h"

#include "res/resource.h"
#include "util/AppContext.h"
#include "util/HtmlTextScan.h"
#include "util/PathText.h"
#include "util/StringResources.h"
#include "util/TextHelpers.h"

#include "platform/CodePages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstring>
#include <dirent.h>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace sitefiletexts_detail {

// Larger pages are scanned in their first part only.
constexpr qint64 kMaxScannedBytes = 8 * 1024 * 1024;
// The bytes that tell a page's charset when its title stands in them.
constexpr qsizetype kCharsetSample = 1024;

// Whether the bytes hold "<FRAME" in any case.
// Whether the tag at `at` (a "<" with five bytes after it) is named FRAME in any case.
bool isFrameTag(const char* at)
{
    return (at[1] | 0x20) == 'f' && (at[2] | 0x20) == 'r' && (at[3] | 0x20) == 'a' && (at[4] | 0x20) == 'm' &&
           (at[5] | 0x20) == 'e';
}

// Whether the bytes hold "<FRAME" in any case. Pages are full of tags: the
// "<" are found sixteen bytes at a time.
bool hasFrameTag(const QByteArray& bytes)
{
    if (bytes.size() < 6)
        return false;
    const char* at = bytes.constData();
    const char* const last = at + bytes.size() - 6; // the last "<" with five bytes after it
#ifdef __SSE2__
    const __m128i open = _mm_set1_epi8('<');
    for (; at + 16 <= last + 1; at += 16) {
        unsigned mask =
            unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), open)));
        while (mask) {
            if (isFrameTag(at + __builtin_ctz(mask)))
                return true;
            mask &= mask - 1;
        }
    }
#endif
    for (; at <= last; ++at) {
        if (*at == '<' && isFrameTag(at))
            return true;
    }
    return false;
}

bool endsWithNoCase(const QString& text, const char* tail)
{
    return text.endsWith(QLatin1String(tail), Qt::CaseInsensitive);
}

// Whether a path lies inside the folder (or is the folder).
bool insideFolder(const QString& path, const QString& folder)
{
    if (folder.isEmpty())
        return false;
    const QString base = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return path == folder || path.startsWith(base);
}

} // namespace sitefiletexts_detail

QString SiteSizeText(qint64 bytes)
{
    const qint64 hundreds = bytes / 100;
    qint64 kilo = hundreds / 10;
    if (hundreds % 10 >= 5)
        ++kilo;
    return QString::number(kilo) + QStringLiteral("KB");
}

QString SiteFileType(const QString& name)
{
    using sitefiletexts_detail::endsWithNoCase;
    if (endsWithNoCase(name, "html") || endsWithNoCase(name, "htm"))
        return LoadResString(IDS_FILE_TYPE_HTML);
    for (const char* tail : {"bmp", "gif", "jpg", "png"}) {
        if (endsWithNoCase(name, tail))
            return LoadResString(IDS_SITE_TYPE_IMAGE);
    }
    return QString();
}

QString SiteDateText(const QDateTime& time, const QLocale& locale)
{
    return SiteDateText(time.toSecsSinceEpoch(), locale);
}

QString SiteDateText(qint64 secondsSinceEpoch, const QLocale& locale)
{
    // The C library's local time: no time-zone lookup per file.
    const time_t seconds = time_t(secondsSinceEpoch);
    tm local{};
    ::localtime_r(&seconds, &local);
    const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    char day[48];
    char time[32];
    std::snprintf(day, sizeof day, "%04d-%02d-%02d ", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    std::snprintf(time, sizeof time, " %02d:%02d", hour12, local.tm_min);
    return QLatin1String(day) + (local.tm_hour < 12 ? locale.amText() : locale.pmText()) + QLatin1String(time);
}

SiteFileStat StatSiteFile(const QString& path)
{
    SiteFileStat result;
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return result;
    result.exists = true;
    result.regular = S_ISREG(status.st_mode);
    result.size = qint64(status.st_size);
    result.modified = qint64(status.st_mtim.tv_sec);
    return result;
}

QString SitePageTitle(const QString& html)
{
    qsizetype from = 0;
    qsizetype to = 0;
    if (!FindTitleSpan(html, from, to))
        return QString();
    QString title = html.mid(from, to - from);
    title.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
    return title;
}

SiteTitleEdit SitePageWithTitle(const QByteArray& bytes, const QString& title, QByteArray& out)
{
    out.clear();
    const QString charset = platform::detectCharset(bytes);
    bool ok = true;
    const QString html = platform::decodeText(bytes, charset, &ok);
    if (!ok)
        return SiteTitleEdit::NotDecoded;
    qsizetype from = 0;
    qsizetype to = 0;
    if (!FindTitleSpan(html, from, to))
        return SiteTitleEdit::NoTitle;
    // The bytes around the title are kept as they are: they must be what the
    // text before and after it encodes to.
    QByteArray before = platform::encodeText(html.left(from), charset, &ok);
    const QByteArray utf8Mark("\xEF\xBB\xBF");
    if (bytes.startsWith(utf8Mark) && !before.startsWith(utf8Mark))
        before.prepend(utf8Mark);
    bool afterOk = true;
    const QByteArray after = platform::encodeText(html.mid(to), charset, &afterOk);
    if (!ok || !afterOk || !bytes.startsWith(before) || !bytes.endsWith(after) ||
        before.size() + after.size() > bytes.size())
        return SiteTitleEdit::NotDecoded;
    QString text = title;
    text.replace(QLatin1Char('&'), QLatin1String("&amp;")).replace(QLatin1Char('<'), QLatin1String("&lt;"));
    const QByteArray encoded = platform::encodeHtmlText(text, charset);
    if (encoded.isEmpty() && !text.isEmpty())
        return SiteTitleEdit::NotDecoded;
    out = before + encoded + after;
    return SiteTitleEdit::Changed;
}

bool IsUsableSiteFileName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')) || HasBadFileNameChar(name) >= 0)
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

QStringList SiteFrameLinks(const QString& name, const QString& html)
{
    QStringList links;
    QString tag;
    int at = ExtractTagText(html, QStringLiteral("FRAME"), tag, 0);
    while (at >= 0) {
        QString source;
        if (GetTagAttribute(tag, QStringLiteral("SRC"), source) >= 0 && !source.isEmpty()) {
            const QString file = GetFileNamePart(source);
            if (!file.isEmpty())
                links.append(name + QLatin1Char('/') + file);
            links.append(name + QLatin1Char('/') + name);
        }
        at = ExtractTagText(html, QStringLiteral("FRAME"), tag, at + 1);
    }
    return links;
}

bool IsHiddenSiteEntry(const QString& name)
{
    return name.startsWith(QLatin1Char('.')) || name.startsWith(QLatin1String("VornaPreview~"));
}

bool ListSiteFolder(const QString& folder, const QString& webFolder, QStringList& entries, QString& error)
{
    entries.clear();
    error.clear();
    // The file system's own order: the list shows the entries as they come.
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir) {
        error = QDir::toNativeSeparators(folder) + QStringLiteral(" : ") + QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    QStringList folders;
    QStringList files;
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name == QLatin1String(".") || name == QLatin1String("..") || IsHiddenSiteEntry(name))
            continue;
        const QString path = folder + QLatin1Char('/') + name;
        // Plain files and folders are told by the entry itself.
        if (entry->d_type == DT_REG) {
            if (name.compare(QLatin1String("project.ini"), Qt::CaseInsensitive) != 0)
                files.append(path);
            continue;
        }
        if (entry->d_type == DT_DIR) {
            folders.append(path + QLatin1Char('/'));
            continue;
        }
        const QFileInfo info(path);
        if (info.isSymLink()) {
            // A link to a folder is not walked (it may lead back up the
            // tree); a link to a file is listed when the file is in the web.
            if (info.isDir() || !info.exists() ||
                !sitefiletexts_detail::insideFolder(info.canonicalFilePath(), QFileInfo(webFolder).canonicalFilePath()))
                continue;
        }
        if (info.isDir())
            folders.append(path + QLatin1Char('/'));
        else if (name.compare(QLatin1String("project.ini"), Qt::CaseInsensitive) != 0)
            files.append(path);
    }
    ::closedir(dir);
    entries = folders + files;
    return true;
}

bool ReadSitePageFile(const QString& path, SiteFileStat& stat, QByteArray& bytes, QString& error)
{
    bytes.clear();
    error.clear();
    // Opened without waiting (a pipe would never answer), then looked at.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int cause = errno;
        stat = StatSiteFile(path);
        error = QDir::toNativeSeparators(path) + QStringLiteral(" : ") + QString::fromLocal8Bit(std::strerror(cause));
        return false;
    }
    struct stat status
    {
    };
    stat = SiteFileStat();
    if (::fstat(fd, &status) == 0) {
        stat.exists = true;
        stat.regular = S_ISREG(status.st_mode);
        stat.size = qint64(status.st_size);
        stat.modified = qint64(status.st_mtim.tv_sec);
    }
    // Only a regular file: a pipe or a device would never end.
    if (!stat.regular) {
        ::close(fd);
        error = QDir::toNativeSeparators(path) + QStringLiteral(" : ") + LoadResString(IDS_SITE_FILE_MISSING);
        return false;
    }
    bytes.resize(qsizetype(qMin(stat.size, sitefiletexts_detail::kMaxScannedBytes)));
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += got;
    }
    ::close(fd);
    bytes.truncate(done);
    return true;
}

void ScanSitePage(const QByteArray& bytes, const QString& name, QString& title, QStringList* links)
{
    using namespace sitefiletexts_detail;
    title.clear();
    qsizetype open = bytes.indexOf("<TITLE>");
    if (open < 0)
        open = bytes.indexOf("<title>");
    const qsizetype close = open < 0 ? -1 : bytes.indexOf("</", open);
    const QByteArray span = close > open + 7 ? bytes.mid(open + 7, close - open - 7) : QByteArray();
    // A text in UTF-16, or whose title holds the escapes of ISO-2022-JP (whose
    // characters may hold the bytes of "<" and "/"), is read whole.
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") || span.contains('\x1B')) {
        const QString text = platform::decodeText(bytes, platform::detectCharset(bytes));
        title = SitePageTitle(text);
        if (links)
            links->append(SiteFrameLinks(name, text));
        return;
    }
    // The charset is told by the head up to the title; a title of plain
    // ASCII reads the same in every charset the pages are written in.
    QString charset;
    const auto charsetOfHead = [&] {
        if (charset.isEmpty())
            charset = platform::detectCharset(bytes.left(qMax<qsizetype>(kCharsetSample, close + 2)));
        return charset;
    };
    const bool ascii = std::all_of(span.begin(), span.end(), [](char c) { return uchar(c) < 0x80; });
    title = ascii ? QString::fromLatin1(span) : platform::decodeText(span, charsetOfHead());
    title.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
    if (links && hasFrameTag(bytes))
        links->append(SiteFrameLinks(name, platform::decodeText(bytes, charsetOfHead())));
}

void SplitSiteLink(const QString& record, QString& frameset, QString& frame)
{
    const qsizetype slash = record.indexOf(QLatin1Char('/'));
    frameset = slash < 0 ? record : record.left(slash);
    frame = slash < 0 ? QString() : record.mid(slash + 1);
}

QString SiteWebFolder()
{
    QString web = AppContext::instance().webFolder();
    while (web.size() > 1 && web.endsWith(QLatin1Char('/')))
        web.chop(1);
    return web;
}

bool SiteSameText(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
