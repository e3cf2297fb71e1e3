// Texts written into a line of tab-separated fields, as `discora --list` and the release look-up
// print them: whatever a text holds, the line stays one line and its fields stay apart.
#pragma once

#include <string>
#include <string_view>

namespace discora {

// Appends text to line: a tab, a line break and a carriage return become \t, \n and \r, a backslash
// \\.
void appendText(std::string& line, std::string_view text);

} // namespace discora
