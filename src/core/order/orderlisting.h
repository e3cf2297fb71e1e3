// The entries of the current order as lines of tab-separated texts, as the single-line and list
// layouts show them; what `discora --list` prints.
#pragma once

#include <string>
#include <vector>

namespace discora {

class Catalogue;

// One line per entry: for album orders the texts of the order's layout columns; for the song lists
// the title and track, then the layout's columns; for the producer list the producer, for the
// performer list the instrument or vocals, then the columns. A group heading (an artist in the
// artist short list, a performer in the performer list) is its heading text alone.
std::vector<std::string> listCurrentOrder(const Catalogue& doc);

// The text a column shows for an album: the field's text, or "Failed" for an unknown column id.
std::string columnText(const Catalogue& doc, int columnField, int album);

} // namespace discora
