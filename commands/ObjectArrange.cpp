#include "commands/ObjectArrange.h"

#include "util/TextHelpers.h"

#include <algorithm>
#include <limits>

std::vector<qint64> AlignedPositions(const std::vector<ObjectSpan>& spans, AlignEdge edge)
{
    std::vector<qint64> positions;
    if (spans.empty())
        return positions;
    // 1. The reference from the objects themselves: the smallest start, the
    // largest end, or the middle of both.
    qint64 low = spans.front().position;
    qint64 high = spans.front().position + spans.front().extent;
    for (const ObjectSpan& span : spans) {
        low = std::min(low, span.position);
        high = std::max(high, span.position + span.extent);
    }
    // 2. Each object at the reference; the middle truncates toward zero.
    positions.reserve(spans.size());
    for (const ObjectSpan& span : spans) {
        switch (edge) {
        case AlignEdge::Start:
            positions.push_back(low);
            break;
        case AlignEdge::End:
            positions.push_back(high - span.extent);
            break;
        case AlignEdge::Middle:
            positions.push_back((low + high) / 2 - span.extent / 2);
            break;
        }
    }
    return positions;
}

std::vector<DistributedPlace> DistributedPlaces(const std::vector<ObjectSpan>& spans, bool overPage, qint64 pageExtent)
{
    const qint64 count = qint64(spans.size());
    if (count == 0 || (!overPage && count < 2))
        return {};
    // 1. The common span and the total extent.
    qint64 low = spans.front().position;
    qint64 high = spans.front().position + spans.front().extent;
    qint64 total = 0;
    for (const ObjectSpan& span : spans) {
        low = std::min(low, span.position);
        high = std::max(high, span.position + span.extent);
        total += span.extent;
    }
    // 2. In order of position, by exchanges: objects at the same position
    // are not exchanged with each other.
    std::vector<int> order(spans.size());
    for (int i = 0; i < int(order.size()); ++i)
        order[size_t(i)] = i;
    for (size_t i = 0; i + 1 < order.size(); ++i) {
        for (size_t j = i + 1; j < order.size(); ++j) {
            if (spans[size_t(order[j])].position < spans[size_t(order[i])].position)
                std::swap(order[i], order[j]);
        }
    }
    // 3. The span and the gap: a gap before, between and after the objects
    // when they fit on the page; overlapping from 0 to its end when not.
    qint64 start = overPage ? 0 : low;
    const qint64 end = overPage ? pageExtent : high;
    const qint64 gaps = overPage && pageExtent - total >= 0 ? count + 1 : count - 1;
    const qint64 gap = gaps > 0 ? (end - start - total) / gaps : 0;
    if (overPage && gaps == count + 1)
        start = gap;
    // 4. End to end from the start.
    std::vector<DistributedPlace> places;
    places.reserve(order.size());
    qint64 position = start;
    for (const int index : order) {
        places.push_back({index, position});
        position += spans[size_t(index)].extent + gap;
    }
    return places;
}

int StylePixels(QStringView text)
{
    if (text.endsWith(QLatin1String("px"), Qt::CaseInsensitive))
        text.chop(2);
    return LeadingInteger(text);
}

QString PositionText(qint64 position)
{
    const qint64 kept = std::clamp(position, qint64(0), qint64(std::numeric_limits<int>::max()));
    return QStringLiteral("%1px").arg(kept);
}
