#pragma once

#include <QByteArray>
#include <QRegion>

// The window shape of a skinned palette, stored in the skin's folder as a
// region data block: a 32-byte header (its own size 32, type 1 for
// rectangles, the rectangle count, the data size, the bounds) followed by
// the rectangles, each left, top, right, bottom as 32-bit little-endian
// integers, right and bottom exclusive.
namespace SkinRegionData {

// The largest block a skin may hold.
constexpr int kMaxBytes = 64000;

// The region of the block with every coordinate scaled by the factors
// (rounded); empty for a block that is too large, too short for its count,
// or not of rectangles.
QRegion Parse(const QByteArray& data, double xFactor, double yFactor);

// The one-pixel outline of a region: its pixels that have a neighbour
// outside it, above, below or beside them.
QRegion Outline(const QRegion& region);

} // namespace SkinRegionData
