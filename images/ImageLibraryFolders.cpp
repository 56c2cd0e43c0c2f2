#include "images/ImageLibraryFolders.h"

#include "util/StringResources.h"

#include "platform/DataRoot.h"

QString InstallSubFolder(unsigned stringId)
{
    QString relative = LoadResString(stringId);
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool folder = relative.endsWith(QLatin1Char('/'));
    while (relative.startsWith(QLatin1Char('/')))
        relative.remove(0, 1);
    while (relative.endsWith(QLatin1Char('/')))
        relative.chop(1);
    QString path = platform::installPath(relative);
    if (folder && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

QString ImageLibraryFolder(int command)
{
    // The folders' names in the string table, as "\Image\" is written.
    constexpr unsigned kFolderStrings[] = {57707, 57708, 57709, 57710};
    if (command < 33485 || command > 33488)
        return QString();
    QString folder = InstallSubFolder(kFolderStrings[command - 33485]);
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}
