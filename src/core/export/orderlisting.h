// The entries of the current order as lines of tab-separated texts, as the single-line and list
// layouts show them; what `discora --list` prints.
#pragma once

#include <functional>
#include <string_view>

namespace discora {

class Catalogue;

// One line per entry, the texts of its row (RowModel) in order: for album orders the order's layout
// columns; for the song lists the title and track, then the layout's columns; for the producer list
// the producer, for the performer list the instrument or vocals, then the columns. A group heading
// (an artist in the artist short list, a performer in the performer list) is its heading text
// alone. A tab, a line break or a carriage return inside a text is written \t, \n or \r, and a
// backslash \\. The lines are handed to emit one at a time (without the line break), so that a list
// of a million songs need not be held.
void listCurrentOrder(const Catalogue& doc, const std::function<void(std::string_view line)>& emit);

} // namespace discora
