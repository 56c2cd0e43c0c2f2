#include "images/SelectedImagePath.h"

#include "util/FileHelpers.h"
#include "util/PathText.h"
#include "util/ShellFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool IsOnRemovableMedia(const QString& path, const FolderComboVolumeLister& volumes)
{
    const std::vector<FolderComboVolume> mounted = volumes ? volumes() : MountedFolderComboVolumes();
    // The volume that holds the path: the longest root it lies in.
    const FolderComboVolume* holder = nullptr;
    for (const FolderComboVolume& volume : mounted) {
        if ((path == volume.root || path.startsWith(volume.root + QLatin1Char('/'))) &&
            (!holder || volume.root.size() > holder->root.size()))
            holder = &volume;
    }
    return holder && (holder->image == 5 || holder->image == 6);
}

QString CopyToTemporaryImages(const QString& path)
{
    const QString folder = CreateFolderPath(TempImageFolder());
    const QFileInfo source(path);
    const QString base = source.completeBaseName();
    const QString suffix = source.suffix().isEmpty() ? QString() : QLatin1Char('.') + source.suffix();
    QString target = folder + QLatin1Char('/') + source.fileName();
    for (int n = 1; QFileInfo::exists(target); ++n)
        target = folder + QLatin1Char('/') + base + QStringLiteral("-%1").arg(n) + suffix;
    return QFile::copy(path, target) ? target : QString();
}

SelectedImagePath BuildSelectedImagePath(const QString& currentFolder, const QString& selectedName,
                                         const FolderComboVolumeLister& volumes)
{
    SelectedImagePath result;
    // 1. The folder and the chosen name.
    QString path = currentFolder;
    if (!EndsWithBackslash(path))
        path += QLatin1Char('/');
    path += selectedName;
    // 2. A display path made a path on disk.
    ResolveShellDisplayPath(path);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // 3. No trailing separator.
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    result.path = path;
    // 4. A picture on a removable medium: its copy.
    if (!selectedName.isEmpty() && QFileInfo(path).isFile() && IsOnRemovableMedia(path, volumes)) {
        const QString copy = CopyToTemporaryImages(path);
        if (copy.isEmpty())
            result.copyFailed = true;
        else
            result.path = copy;
    }
    return result;
}
