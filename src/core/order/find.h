// Find: which albums hold a text, in the three matching modes.
#pragma once

#include "core/order/comparenames.h"
#include "core/order/findquery.h"

#include <string_view>

namespace discora {

class Catalogue;

inline constexpr const char* kSearchingText = "Searching";
inline constexpr const char* kFindNoMoreMatches = "Finished search. No more matches";
inline constexpr const char* kFindNoMatchesFound = "Finished search. No matches found";

// One field against the find text. An empty field never matches. Whole word compares the words
// between blanks; a word followed by a blank loses a last character below 'A', above 'z' or '`'
// (so "Hello," is "Hello"), while the last word is compared as it stands. Without Match Case,
// folding says whether accented letters match their base letters.
bool fieldMatches(std::string_view value, const FindQuery& query,
                  LetterFolding folding = LetterFolding::AsciiOnly);
// Any of the album's 111 texts.
bool albumMatches(const Catalogue& doc, int album, const FindQuery& query);

// Find searches display positions, so it needs an album order and something to search.
bool findEnabled(const Catalogue& doc);

} // namespace discora
