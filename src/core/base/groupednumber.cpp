#include "core/base/groupednumber.h"

namespace discora {

std::string groupedNumber(long long n)
{
    const bool negative = n < 0;
    // Through unsigned arithmetic, so that the smallest value has a magnitude too.
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(n) : n;
    std::string digits;
    int inGroup = 0;
    do {
        if (inGroup == 3) {
            digits.insert(digits.begin(), ',');
            inGroup = 0;
        }
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
        ++inGroup;
    } while (magnitude != 0);
    return negative ? '-' + digits : digits;
}

} // namespace discora
