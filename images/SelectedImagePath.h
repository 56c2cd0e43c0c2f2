#pragma once

#include "controls/FolderComboModel.h"

#include <QString>

// The file of the image chosen in an image window (the insert-image dialog,
// the image browser): the current folder, which may be a display path of
// util/ShellFolders, joined with the chosen name and made a path on disk.
// A picture on a CD, DVD or removable medium is first copied to the
// temporary images folder, so that the page keeps it when the medium goes.
struct SelectedImagePath
{
    QString path;
    // The copy from a removable medium could not be made: the path is the
    // picture's own, and nothing should be placed.
    bool copyFailed = false;
};

SelectedImagePath BuildSelectedImagePath(const QString& currentFolder, const QString& selectedName,
                                         const FolderComboVolumeLister& volumes = {});

// Whether the path lies on an optical or removable volume of the lister
// (the mounted volumes when none is given).
bool IsOnRemovableMedia(const QString& path, const FolderComboVolumeLister& volumes = {});

// Copies the file into the temporary images folder under its own name, or
// "name-<n>.ext" when that is taken, so an earlier copy a page shows is never
// replaced. The copy's path, or empty when it could not be made.
QString CopyToTemporaryImages(const QString& path);
