// Counts as the status bar and the Edit menu show them: digits in groups of three, "3,012".
#pragma once

#include <string>

namespace discora {

std::string groupedNumber(long long n);

} // namespace discora
