#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <mutex>
#include <functional>
#include <utility>
#include <thread>
#include <vector>

namespace engine::layoutengine_detail {

// The shortest part worth a thread in every pass, in place of each pass's
// own, while set (not 0): tests split short ranges to try the parts' edges.
inline std::atomic<size_t>& leastPartOfEveryPass()
{
    static std::atomic<size_t> least{0};
    return least;
}

// How many parts a pass runs in at most.
constexpr size_t kMostParts = 4;

// Runs work(0) here and work(1) .. work(parts - 1) at once on threads kept
// for that (below the window's priority when this thread is), then waits
// for them.
void runParts(size_t parts, const std::function<void(size_t)>& work);

// Runs work(first, end) over [begin, end): a long range in parts at once.
// (A pass over the words of a long page waits on the memory, which a few
// cores read and write faster than one.)
// (`leastPart`: the shortest part worth a thread.)
template <typename Work> void inParts(size_t begin, size_t end, size_t leastPart, const Work& work)
{
    const size_t count = end > begin ? end - begin : 0;
    const size_t cores = std::max(1U, std::thread::hardware_concurrency());
    const size_t least = leastPartOfEveryPass().load(std::memory_order_relaxed);
    const size_t parts = std::min({kMostParts, cores, count / (least ? least : leastPart)});
    if (parts <= 1) {
        work(begin, end);
        return;
    }
    runParts(parts, [&work, begin, count, parts](size_t k) {
        work(begin + count * k / parts, begin + count * (k + 1) / parts);
    });
}

// inParts for work(first, end) that returns what it found in its part:
// what each part found, in the parts' order.
template <typename Result, typename Work>
std::vector<Result> inPartsInOrder(size_t begin, size_t end, size_t leastPart, const Work& work)
{
    std::vector<std::pair<size_t, Result>> parts;
    std::mutex noted;
    inParts(begin, end, leastPart, [&](size_t first, size_t last) {
        Result found = work(first, last);
        const std::lock_guard<std::mutex> lock(noted);
        parts.emplace_back(first, std::move(found));
    });
    std::sort(parts.begin(), parts.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Result> results;
    results.reserve(parts.size());
    for (auto& part : parts)
        results.push_back(std::move(part.second));
    return results;
}

} // namespace engine::layoutengine_detail
