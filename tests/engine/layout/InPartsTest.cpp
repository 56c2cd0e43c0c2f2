// Passes over long ranges run in parts on threads kept for them.
#include "engine/layout/InParts.h"

#include <atomic>
#include <numeric>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

using namespace engine::layoutengine_detail;

namespace {

// The sum of [begin, end) found in parts, each part's own sum found in
// parts again (a pass inside a part of another).
long long sumInParts(size_t begin, size_t end)
{
    std::atomic<long long> sum{0};
    inParts(begin, end, 1000, [&sum](size_t first, size_t last) {
        std::atomic<long long> inner{0};
        inParts(first, last, 100, [&inner](size_t a, size_t b) {
            long long s = 0;
            for (size_t i = a; i < b; ++i)
                s += static_cast<long long>(i);
            inner += s;
        });
        sum += inner;
    });
    return sum;
}

} // namespace

// Passes inside parts of passes, from several threads at once, each with
// more parts than there are threads kept: every part runs once, and none
// waits for a thread that waits for it.
TEST(InParts, PassesInsidePartsAndFromSeveralThreadsEachRunEveryPartOnce)
{
    constexpr size_t kEnd = 40000;
    const long long expected = static_cast<long long>(kEnd) * (kEnd - 1) / 2;
    std::vector<std::thread> callers;
    std::atomic<int> right{0};
    for (int t = 0; t < 6; ++t) {
        callers.emplace_back([&right] {
            for (int round = 0; round < 20; ++round) {
                if (sumInParts(0, kEnd) == expected)
                    ++right;
            }
        });
    }
    for (std::thread& caller : callers)
        caller.join();
    EXPECT_EQ(right, 6 * 20);
    EXPECT_EQ(sumInParts(0, kEnd), expected);
}
