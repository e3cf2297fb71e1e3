// A fuzz target's own invariant: when it does not hold, the target says which one, under its
// program's name, and stops as a crash does, so that libFuzzer keeps the input.
#pragma once

#include <cerrno>
#include <cstdio>

namespace discora::fuzz {

inline void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, what);
        __builtin_trap();
    }
}

} // namespace discora::fuzz
