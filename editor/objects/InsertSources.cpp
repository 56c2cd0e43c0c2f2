#include "editor/objects/InsertSources.h"

#include "util/StringResources.h"

#include "platform/DataRoot.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

namespace insertsources_detail {

constexpr unsigned kFrameFolderId = 57708;

} // namespace insertsources_detail

QString InstallFolderOf(unsigned stringId)
{
    QString relative = LoadResString(stringId);
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (relative.startsWith(QLatin1Char('/')))
        relative.remove(0, 1);
    while (relative.endsWith(QLatin1Char('/')))
        relative.chop(1);
    return platform::installPath(relative);
}

bool FileLiesIn(const QString& file, const QString& folder)
{
    const QString dir = QFileInfo(folder).canonicalFilePath();
    const QString path = QFileInfo(file).canonicalFilePath();
    return !dir.isEmpty() && !path.isEmpty() && path.startsWith(dir + QLatin1Char('/'));
}

bool IsPictureFrameFile(const QString& file)
{
    return FileLiesIn(file, InstallFolderOf(insertsources_detail::kFrameFolderId));
}

QString LocalImageFile(const QString& src, const QString& pageFolder)
{
    if (src.trimmed().isEmpty())
        return QString();
    const QUrl url(src);
    QStringList candidates;
    if (url.isLocalFile()) {
        candidates << url.toLocalFile();
    } else if (url.scheme().size() > 1) {
        return QString(); // http:, ftp:, ...
    } else {
        candidates << QUrl::fromPercentEncoding(src.toUtf8()) << src;
    }
    for (QString path : candidates) {
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (QFileInfo(path).isRelative()) {
            if (pageFolder.isEmpty())
                continue;
            path = QDir(pageFolder).filePath(path);
        }
        if (QFileInfo(path).isFile())
            return QFileInfo(path).absoluteFilePath();
    }
    return QString();
}
