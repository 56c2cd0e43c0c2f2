#include "web/WebFolders.h"

#include "res/resource.h"
#include "util/TextHelpers.h"

#include <QDir>
#include <QFileInfo>

namespace webfolders_detail {

QString cleanAbsolute(const QString& path)
{
    return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path));
}

bool liesBelow(const QString& path, const QString& folder)
{
    if (folder.isEmpty() || path.isEmpty())
        return false;
    const QString base = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    return path.startsWith(base) && path.size() > base.size();
}

// The path as it is on disk: its nearest existing folder with links followed,
// and the rest of the path as given.
QString realPath(const QString& path)
{
    QString existing = cleanAbsolute(path);
    QString rest;
    while (!QFileInfo::exists(existing) && existing != QLatin1String("/")) {
        const qsizetype slash = existing.lastIndexOf(QLatin1Char('/'));
        rest.prepend(existing.mid(slash));
        existing = slash > 0 ? existing.left(slash) : QStringLiteral("/");
    }
    const QString canonical = QFileInfo(existing).canonicalFilePath();
    return QDir::cleanPath((canonical.isEmpty() ? existing : canonical) + rest);
}

bool isPlainName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

} // namespace webfolders_detail

QString WebFolderOf(const QString& name, const QString& root)
{
    QString folder = root;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder + QLatin1Char('/') + name;
}

int NewWebNameRefusal(const QString& name, const QString& root)
{
    if (name.trimmed().isEmpty())
        return IDS_ENTER_WEB_NAME;
    if (!webfolders_detail::isPlainName(name) || HasBadFileNameChar(name) >= 0)
        return IDS_BAD_FILE_NAME;
    if (QFileInfo(WebFolderOf(name, root)).exists() || QFileInfo(WebFolderOf(name, root)).isSymLink())
        return IDS_WEB_EXISTS;
    return 0;
}

bool IsWebOfRoot(const QString& name, const QString& root)
{
    return webfolders_detail::isPlainName(name) && !root.isEmpty() && QFileInfo(WebFolderOf(name, root)).isDir();
}

bool LiesInWebRoot(const QString& path, const QString& root)
{
    using namespace webfolders_detail;
    return liesBelow(cleanAbsolute(path), cleanAbsolute(root)) && liesBelow(realPath(path), realPath(root));
}

bool CreateFolderInWebRoot(const QString& path, const QString& root)
{
    if (!LiesInWebRoot(path, root))
        return false;
    if (!QFileInfo(path).isDir() && !QDir().mkpath(webfolders_detail::cleanAbsolute(path)))
        return false;
    return QFileInfo(path).isDir();
}

QStringList WebNamesOfRoot(const QString& root)
{
    if (root.isEmpty())
        return {};
    return QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
}

void PutRecentWeb(QStringList& recent, const QString& name)
{
    while (recent.size() < 4)
        recent.append(QString());
    int k = 3;
    for (int i = 0; i < 3; ++i) {
        if (recent[i] == name) {
            k = i;
            break;
        }
    }
    for (int j = k; j >= 1; --j) {
        if (!recent[j - 1].isEmpty())
            recent[j] = recent[j - 1];
    }
    recent[0] = name;
}

QString RecentWebMenuText(int slot, const QString& name)
{
    return QStringLiteral("&%1 %2").arg(slot + 1).arg(QString(name).replace(QLatin1Char('&'), QLatin1String("&&")));
}
