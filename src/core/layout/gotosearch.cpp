#include "core/layout/gotosearch.h"

#include "core/catalogue/catalogue.h"
#include "core/catalogue/cp1252.h"
#include "core/order/orderentries.h"
#include "core/order/orders.h"
#include "core/layout/viewlayout.h"

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
    std::size_t pos = 0;
    if (ignoreThe && !typed.starts_with(kThe)) {
        std::size_t p = 0;
        bool startsWithThe = true;
        for (char32_t c : kThe) {
            if (p >= key.size() || cp1252::foldLetter(cp1252::decodeUtf8(key, p)) != c) {
                startsWithThe = false;
                break;
            }
        }
        if (startsWithThe && p < key.size()) // more than the four characters
            pos = p;
    }
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

Field keyField(SortOrder order)
{
    switch (order) {
    case SortOrder::ByAlbumName: return Field::AlbumName;
    case SortOrder::ByMediaType: return Field::MediaType;
    case SortOrder::ByMusicType: return Field::MusicType;
    case SortOrder::ByNumber: return Field::Number;
    case SortOrder::ByCatalogNumber: return Field::CatalogNumber;
    case SortOrder::ByLabel: return Field::Label;
    case SortOrder::ByCustom1: return Field::Custom1;
    case SortOrder::ByCustom2: return Field::Custom2;
    default: return Field::Artist;
    }
}

} // namespace

std::string_view goToPrompt(SortOrder order)
{
    switch (order) {
    case SortOrder::ByAlbumName: return "Enter the Album name to go to.";
    case SortOrder::ByArtist: return "Enter the Group/Artist name to go to.";
    case SortOrder::ByMediaType: return "Enter the Media Type to go to.";
    case SortOrder::ByMusicType: return "Enter the Music Type to go to.";
    case SortOrder::ByNumber: return "Enter the Tape Number to go to.";
    case SortOrder::ByCatalogNumber: return "Enter the Catalog Number to go to.";
    case SortOrder::ByLabel: return "Enter the Label to go to.";
    case SortOrder::ByCustom1: return "Enter the Custom 1 heading to go to.";
    case SortOrder::ByCustom2: return "Enter the Custom 2 heading to go to.";
    case SortOrder::BySong:
    case SortOrder::BySongDetail: return "Enter the Song to go to.";
    case SortOrder::ByArtistShort: return "Enter the Group/Artist to go to.";
    case SortOrder::ByPerformer: return "Enter the Performer to go to.";
    case SortOrder::ByProducer: return "Enter the Producer to go to.";
    case SortOrder::ByQuality: return "";
    }
    return "";
}

std::string_view goToKey(const Catalogue& doc, int position)
{
    const auto entry = static_cast<std::size_t>(position);
    switch (doc.currentOrder()) {
    case SortOrder::BySong:
    case SortOrder::BySongDetail: return songTitle(doc, entry);
    case SortOrder::ByArtistShort: return doc.text(Field::Artist, albumAt(doc, position));
    case SortOrder::ByPerformer: return performerName(doc, entry);
    case SortOrder::ByProducer: return producerName(doc, entry);
    case SortOrder::ByQuality: return {};
    default: return doc.text(keyField(doc.currentOrder()), albumAt(doc, position));
    }
}

bool goToIgnoresThe(const Catalogue& doc)
{
    const ViewOptions& o = doc.viewOptions();
    switch (doc.currentOrder()) {
    case SortOrder::BySong:
    case SortOrder::BySongDetail: return o.on(ViewOption::SongThe);
    case SortOrder::ByArtistShort: return o.on(ViewOption::ArtistThe);
    case SortOrder::ByPerformer: return false;
    case SortOrder::ByProducer: return true;
    default:
        return o.on(doc.viewStyle() == ViewStyle::SingleLineSorts ? ViewOption::GroupViewThe
                                                                  : ViewOption::NlViewThe);
    }
}

bool goToKeyMatches(std::string_view key, std::string_view typed, bool ignoreThe)
{
    return matchesFolded(key, foldedCodePoints(typed), ignoreThe);
}

std::optional<int> findGoToEntry(const Catalogue& doc, std::string_view typed)
{
    const std::u32string folded = foldedCodePoints(typed);
    const bool ignoreThe = goToIgnoresThe(doc);
    const int count = orderEntryCount(doc);
    for (int i = 0; i < count; ++i)
        if (matchesFolded(goToKey(doc, i), folded, ignoreThe))
            return i;
    return std::nullopt;
}

int goToScrollPosition(int entry, int lineHeight, int linesPerRecord, int contentHeight, int pageHeight)
{
    const long long top = static_cast<long long>(entry) * lineHeight * linesPerRecord;
    return static_cast<int>(std::max(0LL, std::min<long long>(top, contentHeight - pageHeight)));
}

} // namespace discora
