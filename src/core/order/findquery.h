// The last search the user asked for; the document keeps it between Find commands.
#pragma once

#include <string>

namespace discora {

struct FindQuery
{
    std::string text;
    bool wholeWord = false;
    bool matchCase = false;
    bool operator==(const FindQuery&) const = default;
};

} // namespace discora
