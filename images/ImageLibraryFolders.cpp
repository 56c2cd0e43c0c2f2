#include "images/ImageLibraryFolders.h"

#include "util/StringResources.h"

#include "platform/DataRoot.h"

QString ImageLibraryFolder(int command)
{
    // The folders' names in the string table, as "\Image\" is written.
    constexpr unsigned kFolderStrings[] = {57707, 57708, 57709, 57710};
    if (command < 33485 || command > 33488)
        return QString();
    QString relative = LoadResString(kFolderStrings[command - 33485]);
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (relative.startsWith(QLatin1Char('/')))
        relative.remove(0, 1);
    while (relative.endsWith(QLatin1Char('/')))
        relative.chop(1);
    return platform::installPath(relative);
}
