#pragma once

#include <QString>

// Where the pictures an insertion tool places come from, and the local file
// of a picture on the page. The insertion and the insertion tools' cursors
// judge a file the same way.

// A folder of the install folder named by a string of the table ("\Bin\Frame\").
QString InstallFolderOf(unsigned stringId);
// Whether the file lies in the folder (or below it), compared as real paths.
bool FileLiesIn(const QString& file, const QString& folder);
// Whether the file is one of the picture frames of the install folder.
bool IsPictureFrameFile(const QString& file);
// The local file an IMG's src names, relative to the page's folder; empty
// for an address of the web or a file that does not exist.
QString LocalImageFile(const QString& src, const QString& pageFolder);
