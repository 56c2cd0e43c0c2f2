#pragma once

#include <algorithm>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace engine::layoutengine_detail {

// Runs work(first, end) over [begin, end): a long range in parts at once,
// on threads of their own. (A pass over the words of a long page waits on
// the memory, which a few cores read and write faster than one.)
// (`leastPart`: the shortest part worth a thread.)
template <typename Work> void inParts(size_t begin, size_t end, size_t leastPart, const Work& work)
{
    constexpr size_t kMostParts = 4;
    const size_t count = end > begin ? end - begin : 0;
    const size_t cores = std::max(1U, std::thread::hardware_concurrency());
    const size_t parts = std::min({kMostParts, cores, count / leastPart});
    if (parts <= 1) {
        work(begin, end);
        return;
    }
    std::vector<std::thread> helpers;
    helpers.reserve(parts - 1);
    for (size_t k = 1; k < parts; ++k) {
        const size_t first = begin + count * k / parts;
        const size_t last = begin + count * (k + 1) / parts;
        try {
            helpers.emplace_back([&work, first, last] { work(first, last); });
        } catch (const std::system_error&) {
            work(first, last); // (no thread to be had: here, then)
        }
    }
    work(begin, begin + count / parts);
    for (std::thread& helper : helpers)
        helper.join();
}

} // namespace engine::layoutengine_detail
