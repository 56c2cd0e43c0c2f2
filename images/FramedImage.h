#pragma once

#include "platform/ColorRef.h"
#include "platform/Rect.h"

#include <QImage>
#include <QSize>
#include <QString>

// Pictures combined with an image of the frame folder (Bin/Frame of the
// install folder). Images that the folder's "frame.dat" lists are frames:
// scaled to the picture and drawn over it, so the picture shows through
// their transparent inside. Any other image there is a backdrop: stretched to
// the picture plus 20 pixels on every side and laid under it.

// The frame folder and its list.
QString FrameFolderPath();
QString FrameListPath();

// Whether "frame.dat" lists the file name (no folder; case-sensitive). The
// list is entries separated by ";", each after the line end that follows the
// previous ";"; text after the last ";" is no entry. At most 64 KiB of it
// are read; a missing file lists nothing.
bool IsFrameImage(const QString& name);

// The canvas of a frame of size `frame` around a picture of size `picture`:
// (picture width x frame width / 300 - 1, picture height x frame height / 220 - 1),
// truncated, at least 1 x 1.
QSize ScaleFrameSize(int pictureWidth, int pictureHeight, int frameWidth, int frameHeight);

// The rectangle of the inner size centred in the outer size (offsets truncated toward zero).
platform::Rect GetCenteredRect(int innerWidth, int innerHeight, int outerWidth, int outerHeight);

// The bitmap resampled to the size with smooth scaling; the key's pixels
// stay exactly the key (kNoTransparentColor: no key).
QImage ResizeBitmapWithKey(const QImage& bitmap, int width, int height, platform::ColorRef key);

// Combines the picture of an IMG with an image of the frame folder dropped on
// it into a new GIF in the temporary image folder and returns its path.
// `size` comes in as the size the page shows the picture at (a component
// below 1, such as -1: the picture keeps its file's size) and goes out as
// the new image's size. PNG inputs are first turned into GIFs beside it. An
// empty path, with `size` unchanged, when either picture cannot be decoded or
// the result cannot be written: the caller then leaves the IMG as it was.
QString ComposeFramedImage(const QString& picturePath, const QString& droppedPath, QSize& size);
