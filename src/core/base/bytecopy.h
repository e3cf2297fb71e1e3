// Copying the few bytes of a typical text: a call to memcpy for each costs more than the copy.
#pragma once

#include <cstdint>
#include <cstring>

namespace discora {

inline void copyBytes(char* to, const char* from, std::size_t n)
{
    const auto overlapping = [&]<class T>(T) {
        T head;
        T tail;
        std::memcpy(&head, from, sizeof(T));
        std::memcpy(&tail, from + n - sizeof(T), sizeof(T));
        std::memcpy(to, &head, sizeof(T));
        std::memcpy(to + n - sizeof(T), &tail, sizeof(T));
    };
    if (n > 16)
        std::memcpy(to, from, n);
    else if (n >= 8)
        overlapping(std::uint64_t{});
    else if (n >= 4)
        overlapping(std::uint32_t{});
    else if (n >= 2)
        overlapping(std::uint16_t{});
    else if (n == 1)
        *to = *from;
}

} // namespace discora
