// How a screen reader hears an entry of the current order: the texts the view paints for it, one
// per column, joined into a name, and for an album block of the normal layout its songs as a
// description. Pure: the view's accessible interface and the tests read the same texts.
#pragma once

#include <string>
#include <vector>

namespace discora {

class Catalogue;

struct SpokenEntry
{
    std::string name;               // the non-empty cells, joined by ", "
    std::string description;        // the normal layout's songs, e.g. "Songs: 1 Intro 2:05; 2 Outro"
    std::vector<std::string> cells; // spokenColumnCount() texts, empty where the entry shows nothing
    bool groupHeading = false;      // an artist or performer heading of a derived list
};

// The columns every entry of the current order is read in.
int spokenColumnCount(const Catalogue& doc);
// The headings of those columns, as the view labels them: "Group/Artist", "Album Name"...
std::vector<std::string> spokenColumnHeadings(const Catalogue& doc);
// The entry at position of the current order; an empty entry for a position outside it.
SpokenEntry spokenEntry(const Catalogue& doc, int position);

} // namespace discora
