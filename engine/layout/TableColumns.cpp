#include "engine/layout/TableColumns.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace engine {

namespace tablecolumns_detail {

bool isAuto(const TableColumnInput& c)
{
    return !c.fixed && c.percent <= 0;
}

int maxOf(const TableColumnInput& c)
{
    return std::max(c.minWidth, c.maxWidth);
}

// Whole pixels whose running sums round the running sums of the exact widths,
// so that the columns' edges are where the exact ones would be drawn.
std::vector<int> roundedWidths(const std::vector<double>& exact)
{
    std::vector<int> out;
    out.reserve(exact.size());
    double sum = 0;
    long long placed = 0;
    for (double w : exact) {
        sum += w;
        const long long edge = std::llround(sum);
        out.push_back(static_cast<int>(edge - placed));
        placed = edge;
    }
    return out;
}

// Adds `amount` to the columns chosen by `pick`, in proportion to `weight`
// (equally when every weight is zero).
template <class Pick, class Weight>
bool share(std::vector<double>& widths, const std::vector<TableColumnInput>& columns, double amount, Pick pick,
           Weight weight)
{
    double total = 0;
    int count = 0;
    for (const TableColumnInput& c : columns) {
        if (pick(c)) {
            total += weight(c);
            ++count;
        }
    }
    if (count == 0)
        return false;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (pick(columns[i]))
            widths[i] += total > 0 ? amount * weight(columns[i]) / total : amount / count;
    }
    return true;
}

} // namespace tablecolumns_detail

void growSpannedColumns(std::vector<TableColumnInput>& columns, int first, int count, int minWidth, int maxWidth)
{
    using namespace tablecolumns_detail;
    const int size = static_cast<int>(columns.size());
    first = std::clamp(first, 0, size);
    const int end = std::clamp(first + std::max(count, 0), first, size);
    if (first == end)
        return;
    // The maximum widths before the cell widens them weigh both steps.
    std::vector<double> weight;
    double weights = 0;
    for (int i = first; i < end; ++i) {
        weight.push_back(maxOf(columns[static_cast<size_t>(i)]));
        weights += weight.back();
    }
    // Columns all of widths in pixels each take their share of the cell by
    // their widths (as far as they are narrower), as browsers share it: the
    // cell of a picture as wide as the columns together leaves them as
    // they are asked.
    bool allFixed = true;
    for (int i = first; i < end; ++i)
        allFixed = allFixed && columns[static_cast<size_t>(i)].fixed && columns[static_cast<size_t>(i)].percent <= 0;
    const auto grow = [&](int TableColumnInput::*field, int cellWidth) {
        long long have = 0;
        for (int i = first; i < end; ++i)
            have += columns[static_cast<size_t>(i)].*field;
        if (have >= cellWidth)
            return;
        if (allFixed && weights > 0) {
            std::vector<double> share;
            for (int i = first; i < end; ++i)
                share.push_back(weight[static_cast<size_t>(i - first)] * cellWidth / weights);
            const std::vector<int> rounded = roundedWidths(share);
            for (int i = first; i < end; ++i) {
                int& w = columns[static_cast<size_t>(i)].*field;
                w = std::max(w, rounded[static_cast<size_t>(i - first)]);
            }
            return;
        }
        std::vector<double> add;
        for (int i = first; i < end; ++i) {
            const double w = weights > 0 ? weight[static_cast<size_t>(i - first)] / weights : 1.0 / (end - first);
            add.push_back(w * static_cast<double>(cellWidth - have));
        }
        const std::vector<int> rounded = roundedWidths(add);
        for (int i = first; i < end; ++i)
            columns[static_cast<size_t>(i)].*field += rounded[static_cast<size_t>(i - first)];
    };
    grow(&TableColumnInput::minWidth, minWidth);
    grow(&TableColumnInput::maxWidth, maxWidth);
    for (int i = first; i < end; ++i) {
        TableColumnInput& c = columns[static_cast<size_t>(i)];
        c.maxWidth = std::max(c.maxWidth, c.minWidth);
    }
}

void capColumnPercentages(std::vector<TableColumnInput>& columns)
{
    double used = 0;
    for (TableColumnInput& c : columns) {
        if (c.percent <= 0) {
            c.percent = 0;
            continue;
        }
        c.percent = std::min(c.percent, 100 - used);
        used += c.percent;
    }
}

void spreadSpanningPercentage(std::vector<TableColumnInput>& columns, int first, int count, double percent)
{
    const int size = static_cast<int>(columns.size());
    first = std::clamp(first, 0, size);
    const int end = std::clamp(first + std::max(count, 0), first, size);
    double asked = 0;
    double maxSum = 0;
    int open = 0;
    for (int i = first; i < end; ++i) {
        const TableColumnInput& c = columns[static_cast<size_t>(i)];
        if (c.percent > 0) {
            asked += c.percent;
        } else if (!c.fixed) {
            maxSum += tablecolumns_detail::maxOf(c);
            ++open;
        }
    }
    const double rest = percent - asked;
    if (rest <= 0 || open == 0)
        return;
    for (int i = first; i < end; ++i) {
        TableColumnInput& c = columns[static_cast<size_t>(i)];
        if (c.percent <= 0 && !c.fixed)
            c.percent = maxSum > 0 ? rest * tablecolumns_detail::maxOf(c) / maxSum : rest / open;
    }
}

int tableMaxColumnsWidth(const std::vector<TableColumnInput>& columns, int limit)
{
    using namespace tablecolumns_detail;
    double sumMax = 0, otherMax = 0, percentSum = 0, widest = 0;
    for (const TableColumnInput& c : columns) {
        sumMax += maxOf(c);
        if (c.percent > 0) {
            percentSum += c.percent;
            widest = std::max(widest, maxOf(c) * 100.0 / c.percent);
        } else {
            otherMax += maxOf(c);
        }
    }
    if (otherMax > 0) {
        if (percentSum >= 100)
            return limit;
        widest = std::max(widest, otherMax * 100.0 / (100 - percentSum));
    }
    const double w = std::max(sumMax, widest);
    return w >= limit ? limit : static_cast<int>(std::ceil(w - 1e-6));
}

std::vector<int> distributeColumnWidths(const std::vector<TableColumnInput>& columns, int width)
{
    using namespace tablecolumns_detail;
    const size_t n = columns.size();
    std::vector<double> minimum(n), atPercent(n), atFixed(n), atMax(n);
    double minGuess = 0, percentGuess = 0, fixedGuess = 0, maxGuess = 0;
    for (size_t i = 0; i < n; ++i) {
        const TableColumnInput& c = columns[i];
        minimum[i] = c.minWidth;
        atPercent[i] = c.percent > 0 ? std::max<double>(c.minWidth, c.percent * width / 100.0) : c.minWidth;
        atFixed[i] = c.fixed && c.percent <= 0 ? maxOf(c) : atPercent[i];
        atMax[i] = isAuto(c) ? maxOf(c) : atFixed[i];
        minGuess += minimum[i];
        percentGuess += atPercent[i];
        fixedGuess += atFixed[i];
        maxGuess += atMax[i];
    }
    std::vector<double> widths(n);
    // Between two steps, each column grows by its share of what it lacks.
    const auto between = [&](const std::vector<double>& from, const std::vector<double>& to, double fromSum,
                             double toSum) {
        const double t = toSum > fromSum ? (width - fromSum) / (toSum - fromSum) : 0;
        for (size_t i = 0; i < n; ++i)
            widths[i] = from[i] + (to[i] - from[i]) * t;
    };
    if (width <= minGuess) {
        widths = minimum;
    } else if (width <= percentGuess) {
        between(minimum, atPercent, minGuess, percentGuess);
    } else if (width <= fixedGuess) {
        between(atPercent, atFixed, percentGuess, fixedGuess);
    } else if (width <= maxGuess) {
        between(atFixed, atMax, fixedGuess, maxGuess);
    } else {
        widths = atMax;
        const double spare = width - maxGuess;
        const auto weightMax = [](const TableColumnInput& c) { return static_cast<double>(maxOf(c)); };
        if (!share(widths, columns, spare, isAuto, weightMax) &&
            !share(
                widths, columns, spare, [](const TableColumnInput& c) { return c.fixed && c.percent <= 0; }, weightMax))
            share(
                widths, columns, spare, [](const TableColumnInput& c) { return c.percent > 0; },
                [](const TableColumnInput& c) { return c.percent; });
    }
    return roundedWidths(widths);
}

} // namespace engine
