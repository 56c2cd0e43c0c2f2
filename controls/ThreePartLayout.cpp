#include "controls/ThreePartLayout.h"

#include <algorithm>

namespace threepart_detail {

// Lengths along the drawing direction ("along") and across it ("across"); the
// vertical case is the horizontal one with the axes swapped.
struct Span
{
    int targetStart;
    int targetLength;
    int sourceStart;
    int sourceLength;
};

std::vector<Span> spansAlong(int target, int length, int first, int endStart, int source, int sourceLength,
                             bool tileMiddle)
{
    std::vector<Span> spans;
    length = std::max(0, length);
    sourceLength = std::max(0, sourceLength);
    const int a = std::clamp(first, 0, length);
    if (a > 0)
        spans.push_back({target, a, source, a});
    if (length <= sourceLength) {
        // The source's tail fills what the first piece leaves.
        const int rest = length - a;
        if (rest > 0)
            spans.push_back({target + a, rest, source + first + sourceLength - length, rest});
        return spans;
    }
    const int b = std::clamp(endStart, 0, sourceLength);
    const int e = sourceLength - b;
    const int middleTarget = length - a - e;
    const int middleSource = b - a;
    if (middleTarget > 0 && middleSource > 0) {
        if (tileMiddle) {
            for (int t = 0; t < middleTarget; t += middleSource) {
                const int n = std::min(middleSource, middleTarget - t);
                spans.push_back({target + a + t, n, source + a, n});
            }
        } else {
            spans.push_back({target + a, middleTarget, source + a, middleSource});
        }
    }
    if (e > 0)
        spans.push_back({target + length - e, e, source + b, e});
    return spans;
}

} // namespace threepart_detail

std::vector<ThreePartPiece> ThreePartLayout(int x, int y, int width, int height, int flags, int firstSize, int endStart,
                                            int sourceX, int sourceY, int sourceWidth, int sourceHeight)
{
    using threepart_detail::Span;
    const bool vertical = flags & kThreePartVertical;
    const bool tile = vertical && (flags & kThreePartTileMiddle);
    std::vector<ThreePartPiece> pieces;
    if (width <= 0 || height <= 0)
        return pieces;
    if (!vertical) {
        for (const Span& s : threepart_detail::spansAlong(x, width, firstSize, endStart, sourceX, sourceWidth, false))
            pieces.push_back(
                {platform::Rect(s.targetStart, y, s.targetStart + s.targetLength, y + height),
                 platform::Rect(s.sourceStart, sourceY, s.sourceStart + s.sourceLength, sourceY + height)});
    } else {
        for (const Span& s : threepart_detail::spansAlong(y, height, firstSize, endStart, sourceY, sourceHeight, tile))
            pieces.push_back({platform::Rect(x, s.targetStart, x + width, s.targetStart + s.targetLength),
                              platform::Rect(sourceX, s.sourceStart, sourceX + width, s.sourceStart + s.sourceLength)});
    }
    return pieces;
}
