#include "images/ImageBookmarks.h"

#include "util/CRegistryEx.h"

#include <QDir>
#include <QFileInfo>

namespace ImageBookmarks {

QString KeyPath()
{
    return QStringLiteral("Software\\Vornasoft\\Vorna-Paginor 2002(TEV)\\Image Favorite");
}

QStringList Names()
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    QStringList names;
    reg.EnumValues(KeyPath(), names);
    return names;
}

QString Folder(const QString& name)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    QString folder;
    if (reg.Open(HKEY_CURRENT_USER, KeyPath()))
        reg.ReadLongString(name, folder);
    return folder;
}

bool Clashes(const QString& name, const QString& oldName)
{
    for (const QString& existing : Names()) {
        if (existing.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (oldName.isEmpty() || existing.compare(oldName, Qt::CaseInsensitive) != 0)
            return true;
    }
    return false;
}

bool Store(const QString& name, const QString& folder, const QString& oldName)
{
    if (name.isEmpty())
        return false;
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Create(HKEY_CURRENT_USER, KeyPath()))
        return false;
    // Stored again, a bookmark moves to the end of the list.
    if (!oldName.isEmpty())
        reg.DeleteValue(oldName);
    return reg.WriteString(name, folder) && reg.Close();
}

void Remove(const QStringList& names)
{
    CRegistryEx reg(HKEY_CURRENT_USER);
    if (!reg.Open(HKEY_CURRENT_USER, KeyPath()))
        return;
    for (const QString& name : names)
        reg.DeleteValue(name);
    reg.Close();
}

bool IsValidFolder(const QString& folder)
{
    if (folder == QLatin1String("/"))
        return true;
    return !folder.isEmpty() && QFileInfo(folder).isAbsolute() && QFileInfo::exists(folder);
}

bool IsNetworkPlace(const QString& folder, const QString& runtimeFolder)
{
    if (runtimeFolder.isEmpty())
        return false;
    const QString places = QDir::cleanPath(runtimeFolder + QStringLiteral("/gvfs"));
    const QString path = QDir::cleanPath(folder);
    return path == places || path.startsWith(places + QLatin1Char('/'));
}

} // namespace ImageBookmarks
