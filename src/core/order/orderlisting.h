// The entries of the current order as lines of tab-separated texts, as the single-line and list
// layouts show them; what `discora --list` prints.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

class Catalogue;

// One line per entry: for album orders the texts of the order's layout columns; for the song lists
// the title and track, then the layout's columns; for the producer list the producer, for the
// performer list the instrument or vocals, then the columns. A group heading (an artist in the
// artist short list, a performer in the performer list) is its heading text alone. A tab, a line
// break or a carriage return inside a text is written \t, \n or \r, and a backslash \\.
// The lines are handed to emit one at a time (without the line break), so that a list of a million
// songs need not be held.
void listCurrentOrder(const Catalogue& doc, const std::function<void(std::string_view line)>& emit);

// Appends text to a listed line so that the line stays one line and its fields stay apart, whatever
// the text holds: a tab, a line break and a carriage return become \t, \n and \r, a backslash \\.
void appendText(std::string& line, std::string_view text);

} // namespace discora
