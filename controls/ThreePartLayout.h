#pragma once

#include "platform/Rect.h"

#include <vector>

// One block transfer of a three-part drawing: the source rectangle goes onto the
// target rectangle, stretched when their sizes differ.
struct ThreePartPiece
{
    platform::Rect target;
    platform::Rect source;
    bool operator==(const ThreePartPiece&) const = default;
};

// Flags of a three-part drawing.
constexpr int kThreePartVertical = 0x1;   // pieces run top to bottom (else left to right)
constexpr int kThreePartTileMiddle = 0x2; // vertical only: repeat the middle instead of stretching it

// The pieces that draw a source strip into a target box in three parts: the
// first piece (firstSize long, from the source origin) and the end piece (from
// endStart to the source's end) at their natural size, the middle stretched (or,
// vertically with kThreePartTileMiddle, repeated) to fill the rest. A target
// shorter than the source shows the first piece and then the source's tail.
// Every length is clamped at zero, so a target narrower than the first piece
// shows the part of the first piece that fits.
//
// width/height: the target box; sourceWidth/sourceHeight: the strip's size.
// Horizontally every piece is `height` rows high; vertically every piece is
// `width` columns wide.
std::vector<ThreePartPiece> ThreePartLayout(int x, int y, int width, int height, int flags, int firstSize, int endStart,
                                            int sourceX, int sourceY, int sourceWidth, int sourceHeight);
