#pragma once

#include "platform/Rect.h"

#include <QImage>
#include <QSize>
#include <QString>

// How a picture becomes a thumbnail tile of a fixed size. The two thumbnail
// lists place a picture by slightly different rules: the loader's list
// (CVornaImageListCtrl) and the list that loads at first paint
// (CVornaListCtrlImage).
enum class ThumbnailRule { Loader, Synchronous };

// A picture of w x h centred in a box and shrunk to it along its longer side,
// never enlarged; the empty rectangle when w or h is 0. Integer arithmetic.
platform::Rect FitRect(int w, int h, int boxW, int boxH);

// Where a picture of w x h is drawn, stretched, in a tile of W x H.
//
// Loader: a picture larger than the tile both ways shrinks along its longer
// side; one too tall only (too wide only) shrinks to the tile's height
// (width), its other side shrinking by the same percentage unless that is 20
// or less, when it keeps its size; a picture that fits keeps its size; the
// result is then centred by FitRect.
//
// Synchronous: a picture smaller both ways keeps its size; too tall only or
// too wide only as above, with the other side kept when the percentage is
// below 21; any other picture shrinks to the tile along its longer side. The
// result is drawn at its size from the top-left of its FitRect.
platform::Rect ThumbnailDestination(int w, int h, int W, int H, ThumbnailRule rule);

// A tile of the given size (ARGB32) with the picture drawn at its destination:
// on white, or, for a GIF of the loader's list, on nothing, so that the tile is
// transparent exactly where the picture is. `ownSize` is the picture's size
// before any reduced decode (the image's size when not given). A null picture
// gives the empty tile.
QImage MakeThumbnailTile(const QImage& picture, QSize tile, ThumbnailRule rule, bool transparentBackground,
                         QSize ownSize = QSize());

// Reads a picture file and makes its tile, decoding only as much of it as
// the tile needs. `decoded` tells whether the file could be decoded; the
// tile is the empty one when it could not.
QImage LoadThumbnailTile(const QString& path, QSize tile, ThumbnailRule rule, bool* decoded = nullptr);
