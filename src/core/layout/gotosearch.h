// Go To: the first entry of the current order whose key starts with the typed text, with each
// order's rule for a leading "the ", and where the view scrolls to show it.
#pragma once

#include "core/view/sortorder.h"

#include <optional>
#include <string_view>

namespace discora {

class Catalogue;

// The prompt of the Go To window for an order.
std::string_view goToPrompt(SortOrder order);

// The key of an entry of the current order, and whether a leading "the " is dropped from keys.
std::string_view goToKey(const Catalogue& doc, int position);
bool goToIgnoresThe(const Catalogue& doc);

// Case-insensitive: the key, cut to the typed text's length, equals the typed text. With
// ignoreThe a key longer than four characters loses a leading "the " unless the typed text
// starts with "the " itself.
bool goToKeyMatches(std::string_view key, std::string_view typed, bool ignoreThe);

std::optional<int> findGoToEntry(const Catalogue& doc, std::string_view typed);

// The scroll position that brings an entry to the top, as far as the view can scroll.
int goToScrollPosition(int entry, int lineHeight, int linesPerRecord, int contentHeight, int pageHeight);

} // namespace discora
