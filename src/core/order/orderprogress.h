// The status text and bar shown while an order runs. The sorts no longer work pass by pass, so the
// bar keeps its range (passes, gap values or albums) and is moved on after each stage of the work.
#pragma once

#include "core/base/progresssink.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace discora {

// How many gap values a gap sort of n entries visits: n / 2 halved down to 1, at least one.
constexpr int gapCount(int n)
{
    int count = 0;
    for (int gap = n / 2; gap > 0; gap /= 2)
        ++count;
    return std::max(count, 1);
}

class OrderProgress
{
public:
    OrderProgress(ProgressSink* sink, std::string_view text, int range)
        : m_scope(sink, text, std::max(range, 0)), m_range(std::max(range, 0))
    {}

    // Moves the bar to position, never past the range.
    void advanceTo(int position)
    {
        for (const int target = std::min(position, m_range); m_position < target; ++m_position)
            m_scope.step();
    }
    // Moves the bar the given share (0 to 1) along its range.
    void advanceToShare(double share) { advanceTo(static_cast<int>(share * m_range)); }
    // In a long loop, after done of total items: now and then moves the bar to that part of share.
    void advanceWithin(std::size_t done, std::size_t total, double share)
    {
        if (done % 65536 == 0 && total > 0)
            advanceToShare(share * static_cast<double>(done) / static_cast<double>(total));
    }
    void finish() { advanceTo(m_range); }

private:
    ProgressScope m_scope;
    int m_range;
    int m_position = 0;
};

} // namespace discora
