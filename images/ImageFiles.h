#pragma once

#include <QSize>
#include <QString>

// The pixel size of an image file (GIF, PNG, JPEG or BMP; the first frame of
// an animation), read from its header only. (0, 0) when the path has no
// dot, or the file cannot be read or is no picture the program opens:
// callers then fall back to a size of their own.
QSize GetImageFileSize(const QString& path);
