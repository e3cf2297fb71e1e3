// The replaced global operator new behind AllocationLimit: the allocation itself is malloc's, so
// the sanitizers still see every block. The over-aligned forms are left to the library, which
// pairs them with its own deletes.
#include "support/allocationlimit.h"

#include <cstdlib>
#include <new>

namespace discora {
namespace {

struct Limit
{
    bool armed = false;
    std::size_t maxBytes = 0;
    long countdown = -1;
    long refused = 0;
};

thread_local Limit t_limit;

bool refuse(std::size_t size)
{
    Limit& limit = t_limit;
    if (!limit.armed)
        return false;
    const bool countedOut = limit.countdown >= 0 && limit.countdown-- == 0;
    if (!countedOut && size <= limit.maxBytes)
        return false;
    ++limit.refused;
    return true;
}

void* allocate(std::size_t size)
{
    if (refuse(size))
        throw std::bad_alloc();
    void* p = std::malloc(size == 0 ? 1 : size);
    if (!p)
        throw std::bad_alloc();
    return p;
}

} // namespace

AllocationLimit::AllocationLimit(std::size_t maxBytes, long failAt)
{
    t_limit = {true, maxBytes, failAt, 0};
}

AllocationLimit::~AllocationLimit()
{
    t_limit.armed = false;
}

long AllocationLimit::refused() const
{
    return t_limit.refused;
}

} // namespace discora

void* operator new(std::size_t size)
{
    return discora::allocate(size);
}
void* operator new[](std::size_t size)
{
    return discora::allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return discora::allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return operator new(size, std::nothrow);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
