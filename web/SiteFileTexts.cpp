#include "web/SiteFileTexts.h"

#include "res/resource.h"
#include "util/AppContext.h"
#include "util/HtmlTextScan.h"
#include "util/PathText.h"
#include "util/StringResources.h"

#include "platform/CodePages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <dirent.h>

namespace sitefiletexts_detail {

// Larger pages are scanned in their first part only.
constexpr qint64 kMaxScannedBytes = 8 * 1024 * 1024;

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
    const QDateTime local = time.toLocalTime();
    const int hour = local.time().hour();
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    const QString designator = hour < 12 ? locale.amText() : locale.pmText();
    return QStringLiteral("%1 %2 %3:%4")
        .arg(local.date().toString(QStringLiteral("yyyy-MM-dd")), designator)
        .arg(hour12, 2, 10, QLatin1Char('0'))
        .arg(local.time().minute(), 2, 10, QLatin1Char('0'));
}

QString SitePageTitle(const QString& html)
{
    qsizetype start = html.indexOf(QLatin1String("<TITLE>"));
    if (start < 0)
        start = html.indexOf(QLatin1String("<title>"));
    if (start < 0)
        return QString();
    const qsizetype end = html.indexOf(QLatin1String("</"), start);
    if (end < 0 || end - start <= 7)
        return QString();
    QString title = html.mid(start + 7, end - start - 7);
    title.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
    return title;
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

bool ReadSitePageText(const QString& path, QString& text, QString& error)
{
    text.clear();
    error.clear();
    // Only a regular file: a pipe or a device would never end.
    if (!QFileInfo(path).isFile()) {
        error = QDir::toNativeSeparators(path) + QStringLiteral(" : ") + LoadResString(IDS_SITE_FILE_MISSING);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QDir::toNativeSeparators(path) + QStringLiteral(" : ") + file.errorString();
        return false;
    }
    const QByteArray bytes = file.read(sitefiletexts_detail::kMaxScannedBytes);
    text = platform::decodeText(bytes, platform::detectCharset(bytes));
    return true;
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
