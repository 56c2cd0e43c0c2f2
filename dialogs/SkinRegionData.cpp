#include "dialogs/SkinRegionData.h"

#include <QtEndian>

#include <cmath>
#include <cstdlib>

namespace SkinRegionData {

namespace {

constexpr int kHeaderBytes = 32;
constexpr int kRectBytes = 16;
constexpr quint32 kRectangles = 1;
// Coordinates no window of a palette reaches: such a rectangle is damage.
constexpr qint32 kMaxCoordinate = 100000;

qint32 longAt(const QByteArray& data, qsizetype offset)
{
    return qFromLittleEndian<qint32>(data.constData() + offset);
}

} // namespace

QRegion Parse(const QByteArray& data, double xFactor, double yFactor)
{
    // 1. A whole header of rectangles, within the size a skin may hold.
    if (data.size() < kHeaderBytes || data.size() > kMaxBytes)
        return {};
    if (quint32(longAt(data, 0)) != kHeaderBytes || quint32(longAt(data, 4)) != kRectangles)
        return {};
    const quint32 count = quint32(longAt(data, 8));
    if (count > quint32((data.size() - kHeaderBytes) / kRectBytes))
        return {};
    // 2. Each rectangle scaled; empty ones add nothing.
    QRegion region;
    for (quint32 i = 0; i < count; ++i) {
        const qsizetype at = kHeaderBytes + qsizetype(i) * kRectBytes;
        bool onScreen = true;
        for (int field = 0; field < 4; ++field)
            onScreen = onScreen && std::abs(qint64(longAt(data, at + 4 * field))) <= kMaxCoordinate;
        if (!onScreen)
            continue;
        const int left = int(std::lround(longAt(data, at) * xFactor));
        const int top = int(std::lround(longAt(data, at + 4) * yFactor));
        const int right = int(std::lround(longAt(data, at + 8) * xFactor));
        const int bottom = int(std::lround(longAt(data, at + 12) * yFactor));
        if (right > left && bottom > top)
            region += QRect(left, top, right - left, bottom - top);
    }
    return region;
}

QRegion Outline(const QRegion& region)
{
    const QRegion inner = region.intersected(region.translated(1, 0))
                              .intersected(region.translated(-1, 0))
                              .intersected(region.translated(0, 1))
                              .intersected(region.translated(0, -1));
    return region.subtracted(inner);
}

} // namespace SkinRegionData
