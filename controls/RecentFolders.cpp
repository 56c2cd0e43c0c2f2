#include "controls/RecentFolders.h"

#include "util/CRegistryEx.h"

#include <QDir>
#include <QFileInfo>

QString RecentFoldersKey()
{
    return QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)\\Recent Opened Dir");
}

QString UsableFolder(const QString& value)
{
    if (value.isEmpty() || !QDir::isAbsolutePath(value))
        return QString();
    const QFileInfo info(value);
    if (info.isDir())
        return QDir::cleanPath(info.absoluteFilePath());
    if (info.isFile())
        return info.absolutePath();
    return QString();
}

QString ReadRecentFolder(const QString& valueName)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, RecentFoldersKey())) {
        reg.Create(HKEY_CURRENT_USER, RecentFoldersKey());
        return QString();
    }
    QString value;
    reg.ReadString(valueName, value);
    return UsableFolder(value);
}

bool WriteRecentFolder(const QString& valueName, const QString& folder)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, RecentFoldersKey()) && !reg.Create(HKEY_CURRENT_USER, RecentFoldersKey()))
        return false;
    return reg.WriteString(valueName, folder);
}
