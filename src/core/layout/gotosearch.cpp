#include "core/layout/gotosearch.h"

#include "core/base/cp1252.h"
#include "core/layout/viewlayout.h"
#include "core/order/comparenames.h"
#include "core/order/orderentries.h"
#include "core/order/orders.h"
#include "core/view/catalogue.h"

#include <algorithm>
#include <string>

namespace discora {

namespace {

std::u32string foldedCodePoints(std::string_view text)
{
    std::u32string out;
    for (std::size_t pos = 0; pos < text.size();)
        out.push_back(cp1252::foldLetter(cp1252::decodeUtf8(text, pos)));
    return out;
}

constexpr std::u32string_view kThe = U"the ";

bool matchesFolded(std::string_view key, std::u32string_view typed, bool ignoreThe)
{
    // Typing the article itself looks for it.
    if (ignoreThe && !typed.starts_with(kThe))
        key = stripLeadingThe(key);
    std::size_t pos = 0;
    // The key cut to the typed length equals the typed text; a shorter key never does.
    for (char32_t c : typed) {
        if (pos >= key.size() || cp1252::foldLetter(cp1252::decodeUtf8(key, pos)) != c)
            return false;
    }
    return true;
}

int albumAt(const Catalogue& doc, int position)
{
    return static_cast<int>(albumOfEntry(doc, position).value_or(0));
}

} // namespace

std::string_view goToPrompt(SortOrder order)
{
    return sortOrderInfo(order).goToPrompt;
}

std::string_view goToKey(const Catalogue& doc, int position)
{
    const auto entry = static_cast<std::size_t>(position);
    const SortOrderInfo& info = sortOrderInfo(doc.currentOrder());
    switch (info.goToKey) {
    case GoToKey::SongTitle: return songTitle(doc, entry);
    case GoToKey::Performer: return performerName(doc, entry);
    case GoToKey::Producer: return producerName(doc, entry);
    case GoToKey::None: return {};
    case GoToKey::KeyField: break;
    }
    return doc.text(info.key, albumAt(doc, position));
}

bool goToIgnoresThe(const Catalogue& doc)
{
    return doc.namesIgnoreThe();
}

bool goToKeyMatches(std::string_view key, std::string_view typed, bool ignoreThe)
{
    return matchesFolded(key, foldedCodePoints(typed), ignoreThe);
}

std::optional<int> findGoToEntry(const Catalogue& doc, std::string_view typed)
{
    const LetterFolding folding = letterFoldingOf(doc.viewOptions());
    std::string typedBuffer;
    const std::u32string folded = foldedCodePoints(comparisonForm(typed, folding, typedBuffer));
    const bool ignoreThe = goToIgnoresThe(doc);
    const int count = orderEntryCount(doc);
    std::string keyBuffer;
    for (int i = 0; i < count; ++i)
        if (matchesFolded(comparisonForm(goToKey(doc, i), folding, keyBuffer), folded, ignoreThe))
            return i;
    return std::nullopt;
}

int goToScrollPosition(int entry, int lineHeight, int linesPerRecord, int contentHeight, int pageHeight)
{
    const long long top = static_cast<long long>(entry) * lineHeight * linesPerRecord;
    return static_cast<int>(std::max(0LL, std::min<long long>(top, contentHeight - pageHeight)));
}

} // namespace discora
