// Find: which albums hold a text, in the three matching modes, and the loop that walks the
// displayed albums opening each match in the entry sheet.
#pragma once

#include "core/order/findquery.h"

#include <string_view>

namespace discora {

class CatalogueDocument;
class Prompter;

inline constexpr const char* kSearchingText = "Searching";
inline constexpr const char* kFindNoMoreMatches = "Finished search. No more matches";
inline constexpr const char* kFindNoMatchesFound = "Finished search. No matches found";

// One field against the find text. An empty field never matches. Whole word compares the words
// between blanks; a word followed by a blank loses a last character below 'A', above 'z' or '`'
// (so "Hello," is "Hello"), while the last word is compared as it stands.
bool fieldMatches(std::string_view value, const FindQuery& query);
// Any of the album's 111 texts.
bool albumMatches(const CatalogueDocument& doc, int album, const FindQuery& query);

// Find searches display positions, so it needs an album order and something to search.
bool findEnabled(const CatalogueDocument& doc);

// What the loop needs of the window: the view's selection and the Modify command.
class FindActions
{
public:
    virtual ~FindActions() = default;
    // Clears the selection and selects the one position, without counting as a user selection.
    virtual void selectOnly(int position) = 0;
    virtual void clearSelection() = 0;
    // Runs Modify on the selected position; it may change, hide or re-sort albums.
    virtual void modifySelected(int position) = 0;
};

struct FindResult
{
    int matches = 0;
    bool cancelled = false; // the user answered Cancel to "Continue Find?"
};

// Stores the query in the document and walks the displayed albums from the first position,
// re-reading the displayed count at every step because each Modify can change it.
FindResult runFind(CatalogueDocument& doc, const FindQuery& query, Prompter& prompter, FindActions& actions);

} // namespace discora
