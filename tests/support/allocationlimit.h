// Running out of memory on demand. The memory tests replace operator new (allocationlimit.cpp is
// linked into them alone); while an AllocationLimit is alive, allocations made by the thread that
// set it fail with std::bad_alloc as it says. Other threads, and every other test program, are
// untouched.
#pragma once

#include <cstddef>
#include <limits>

namespace discora {

class AllocationLimit
{
public:
    // Every allocation larger than maxBytes fails, and, when failAt is given, the failAt-th
    // allocation from now (counting from 0) fails whatever its size.
    explicit AllocationLimit(std::size_t maxBytes, long failAt = -1);
    static AllocationLimit failingAt(long allocation)
    {
        return AllocationLimit(std::numeric_limits<std::size_t>::max(), allocation);
    }
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

    // How many allocations failed while this limit was in force.
    long refused() const;
};

} // namespace discora
