// The most memory that was in use at once while one input was handled, from the sanitizer's
// allocation hooks, so that a target can check it against what the input's size allows.
#pragma once

#include <sanitizer/allocator_interface.h>

#include <algorithm>
#include <cstddef>

namespace discora::fuzz {

class AllocationWatch
{
public:
    AllocationWatch()
    {
        static const bool installed = [] {
            __sanitizer_install_malloc_and_free_hooks(&onMalloc, &onFree);
            return true;
        }();
        (void)installed;
        s_inUse = 0;
        s_peak = 0;
        s_watching = true;
    }
    ~AllocationWatch() { s_watching = false; }

    // Bytes in use above what was in use when the watch began.
    long long peak() const { return s_peak; }

private:
    static void onMalloc(const volatile void*, std::size_t size)
    {
        if (!s_watching)
            return;
        s_inUse += static_cast<long long>(size);
        s_peak = std::max(s_peak, s_inUse);
    }
    static void onFree(const volatile void* p)
    {
        if (s_watching)
            s_inUse -= static_cast<long long>(__sanitizer_get_allocated_size(const_cast<const void*>(p)));
    }

    static inline bool s_watching = false;
    static inline long long s_inUse = 0;
    static inline long long s_peak = 0;
};

} // namespace discora::fuzz
