#include "core/import/columnmapping.h"

#include "core/base/cp1252.h"
#include "core/view/csvcolumns.h"

#include <algorithm>
#include <bit>
#include <map>

namespace discora {

namespace {

// A heading as compared with Discora's own: blanks around it dropped, letters folded.
std::string folded(std::string_view heading)
{
    const auto first = heading.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = heading.find_last_not_of(" \t");
    return cp1252::foldCase(heading.substr(first, last - first + 1));
}

// A heading as compared with the common names and Discora's own written another way: folded, with
// nothing but letters and digits, so "Track 3 - Title", "track_3_title" and "Track3Title" are one.
std::string normalised(std::string_view heading)
{
    std::string key;
    for (char c : cp1252::foldCase(heading))
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || static_cast<unsigned char>(c) >= 0x80)
            key += c;
    return key;
}

struct CommonName
{
    std::string_view key;
    Field field;
};

constexpr CommonName kCommonNames[] = {
    {"artist", Field::Artist},
    {"artistname", Field::Artist},
    {"albumartist", Field::Artist},
    {"group", Field::Artist},
    {"band", Field::Artist},
    {"album", Field::AlbumName},
    {"albumtitle", Field::AlbumName},
    {"title", Field::AlbumName},
    {"genre", Field::MusicType},
    {"style", Field::MusicType},
    {"format", Field::MediaType},
    {"media", Field::MediaType},
    {"medium", Field::MediaType},
    {"no", Field::Number},
    {"nr", Field::Number},
    {"albumnumber", Field::Number},
    {"producer", Field::Producer1},
    {"producer1", Field::Producer1},
    {"producer2", Field::Producer2},
    {"recordlabel", Field::Label},
    {"publisher", Field::Label},
    {"catalog", Field::CatalogNumber},
    {"catalogue", Field::CatalogNumber},
    {"cataloguenumber", Field::CatalogNumber},
    {"catalogno", Field::CatalogNumber},
    {"catalogueno", Field::CatalogNumber},
    {"catno", Field::CatalogNumber},
    {"catnumber", Field::CatalogNumber},
    {"condition", Field::Quality},
    {"custom1", Field::Custom1},
    {"custom2", Field::Custom2},
    {"note", Field::Notes},
    {"comment", Field::Notes},
    {"comments", Field::Notes},
    {"collectionnotes", Field::Notes},
    {"released", Field::Year},
    {"releaseyear", Field::Year},
    {"upc", Field::Barcode},
    {"ean", Field::Barcode},
    {"releaseid", Field::DiscogsId},
    {"discogsid", Field::DiscogsId},
    {"mbid", Field::MusicBrainzId},
    {"musicbrainzid", Field::MusicBrainzId},
    {"musicbrainzalbumid", Field::MusicBrainzId},
    {"shelf", Field::Location},
    {"price", Field::PurchasePrice},
    {"mediacondition", Field::MediaCondition},
    {"collectionmediacondition", Field::MediaCondition},
    {"sleevecondition", Field::SleeveCondition},
    {"collectionsleevecondition", Field::SleeveCondition},
};

enum class SlotKind
{
    Title,
    Time,
    Performer,
    Instrument
};

// A numbered name: prefix, the number, suffix.
struct SlotPattern
{
    std::string_view prefix;
    std::string_view suffix;
    SlotKind kind;
};

constexpr SlotPattern kSlotPatterns[] = {
    {"song", "", SlotKind::Title},
    {"track", "", SlotKind::Title},
    {"title", "", SlotKind::Title},
    {"song", "title", SlotKind::Title},
    {"track", "title", SlotKind::Title},
    {"track", "name", SlotKind::Title},
    {"songtitle", "", SlotKind::Title},
    {"tracktitle", "", SlotKind::Title},
    {"time", "", SlotKind::Time},
    {"length", "", SlotKind::Time},
    {"duration", "", SlotKind::Time},
    {"song", "time", SlotKind::Time},
    {"track", "time", SlotKind::Time},
    {"song", "length", SlotKind::Time},
    {"track", "length", SlotKind::Time},
    {"track", "duration", SlotKind::Time},
    {"songtime", "", SlotKind::Time},
    {"tracktime", "", SlotKind::Time},
    {"tracklength", "", SlotKind::Time},
    {"performer", "", SlotKind::Performer},
    {"performers", "", SlotKind::Performer},
    {"musician", "", SlotKind::Performer},
    {"instrument", "", SlotKind::Instrument},
    {"instruments", "", SlotKind::Instrument},
    {"instrumentvocals", "", SlotKind::Instrument},
    {"performer", "instrument", SlotKind::Instrument},
    {"musician", "instrument", SlotKind::Instrument},
};

ImportTarget slotTarget(SlotKind kind, int k)
{
    const bool song = kind == SlotKind::Title || kind == SlotKind::Time;
    if (k > (song ? kSongSlots : kPerformerSlots))
        return {song ? ImportTarget::Kind::ExtraSong : ImportTarget::Kind::ExtraPerformer, Field::Artist, k};
    switch (kind) {
    case SlotKind::Title: return ImportTarget::of(titleField(k));
    case SlotKind::Time: return ImportTarget::of(timeField(k));
    case SlotKind::Performer: return ImportTarget::of(performerField(k));
    case SlotKind::Instrument: return ImportTarget::of(instrumentField(k));
    }
    return {};
}

ImportTarget commonTarget(std::string_view heading, const std::array<std::string, 2>& customHeadings)
{
    const std::string key = normalised(heading);
    if (key.empty())
        return {};
    for (Field f : importableFields())
        if (normalised(csvHeading(f, customHeadings)) == key)
            return ImportTarget::of(f);
    for (const CommonName& name : kCommonNames)
        if (name.key == key)
            return ImportTarget::of(name.field);
    const auto digits = key.find_first_of("0123456789");
    if (digits == std::string::npos)
        return {};
    const auto afterDigits = std::min(key.find_first_not_of("0123456789", digits), key.size());
    if (afterDigits - digits > 4 || key.find_first_of("0123456789", afterDigits) != std::string::npos)
        return {};
    const std::string_view prefix = std::string_view(key).substr(0, digits);
    const std::string_view suffix = std::string_view(key).substr(afterDigits);
    const int k = std::stoi(key.substr(digits, afterDigits - digits));
    if (k < 1)
        return {};
    for (const SlotPattern& p : kSlotPatterns)
        if (p.prefix == prefix && p.suffix == suffix)
            return slotTarget(p.kind, k);
    return {};
}

// Discora's headings, folded, each with the fields that carry it in export order (two fields share
// one when a custom heading repeats another heading).
std::map<std::string, std::vector<Field>> ownHeadings(const std::array<std::string, 2>& customHeadings)
{
    std::map<std::string, std::vector<Field>> own;
    for (Field f : importableFields())
        own[folded(csvHeading(f, customHeadings))].push_back(f);
    return own;
}

ViewOptions switchesOf(unsigned mask)
{
    ViewOptions switches;
    for (std::size_t s = 0; s < kCsvColumnSwitches.size(); ++s)
        switches.set(kCsvColumnSwitches[s], (mask >> s) & 1u);
    return switches;
}

// The fields of a Discora export whose heading row this is, for whichever switches wrote it. Where
// a custom heading repeats a neighbour's (a custom field called "Notes" next to the notes), two
// sets of switches write the same row; the one with fewer custom fields is taken.
std::optional<std::vector<Field>> exportedFields(std::span<const std::string> headings,
                                                 const std::array<std::string, 2>& customHeadings)
{
    const std::vector<CsvColumn> fixed = csvColumns(switchesOf(0), customHeadings);
    if (headings.size() < fixed.size())
        return std::nullopt;
    for (std::size_t i = 0; i < fixed.size(); ++i)
        if (headings[i] != folded(fixed[i].heading))
            return std::nullopt;
    const unsigned customBits = (1u << 3) | (1u << 4);
    static_assert(kCsvColumnSwitches[3] == ViewOption::ShowCustom1 &&
                  kCsvColumnSwitches[4] == ViewOption::ShowCustom2);
    std::optional<std::vector<Field>> best;
    int bestCustom = 3;
    // An export with the details has seventeen columns more than one without.
    const bool withDetails = headings.size() >= static_cast<std::size_t>(kCollectionDetailCount) &&
                             headings.back() == folded(csvHeading(Field::Loans, customHeadings));
    for (unsigned mask = 0; mask < (1u << kCsvColumnSwitches.size()); ++mask) {
        const int custom = std::popcount(mask & customBits);
        if (custom >= bestCustom)
            continue;
        const std::vector<CsvColumn> columns = csvColumns(switchesOf(mask), customHeadings, withDetails);
        if (columns.size() != headings.size() ||
            !std::equal(columns.begin(), columns.end(), headings.begin(),
                        [](const CsvColumn& c, const std::string& h) { return folded(c.heading) == h; }))
            continue;
        best.emplace();
        for (const CsvColumn& c : columns)
            best->push_back(c.field);
        bestCustom = custom;
    }
    return best;
}

} // namespace

ImportTarget targetOfHeading(std::string_view heading, const std::array<std::string, 2>& customHeadings)
{
    const auto own = ownHeadings(customHeadings);
    if (const auto it = own.find(folded(heading)); it != own.end())
        return ImportTarget::of(it->second.front());
    return commonTarget(heading, customHeadings);
}

ColumnMapping ColumnMapping::fromHeadings(std::span<const std::string_view> headings,
                                          const std::array<std::string, 2>& customHeadings)
{
    ColumnMapping mapping(static_cast<int>(headings.size()));
    std::vector<std::string> keys;
    for (std::string_view h : headings)
        keys.push_back(folded(h));
    // Discora's export ends every line with a separator, so its heading row ends in an empty cell.
    std::size_t named = keys.size();
    while (named > 0 && keys[named - 1].empty())
        --named;

    if (const auto fields = exportedFields(std::span(keys).first(named), customHeadings)) {
        for (std::size_t c = 0; c < fields->size(); ++c)
            mapping.m_targets[c] = ImportTarget::of((*fields)[c]);
        return mapping;
    }

    std::vector<bool> taken(kStoredFieldCount, false);
    const auto take = [&](std::size_t column, const ImportTarget& target) {
        if (target.fillsField()) {
            if (taken[static_cast<std::size_t>(fieldIndex(target.field))])
                return;
            taken[static_cast<std::size_t>(fieldIndex(target.field))] = true;
        }
        mapping.m_targets[column] = target;
    };
    const auto own = ownHeadings(customHeadings);
    for (std::size_t c = 0; c < named; ++c) {
        const auto it = own.find(keys[c]);
        if (it == own.end())
            continue;
        for (Field f : it->second) {
            if (!taken[static_cast<std::size_t>(fieldIndex(f))]) {
                take(c, ImportTarget::of(f));
                break;
            }
        }
    }
    for (std::size_t c = 0; c < named; ++c)
        if (mapping.m_targets[c].kind == ImportTarget::Kind::Ignore)
            take(c, commonTarget(headings[c], customHeadings));
    const auto has = [&](std::string_view key) {
        return std::any_of(headings.begin(), headings.end(),
                           [&](std::string_view h) { return normalised(h) == key; });
    };
    mapping.m_discogs = has("releaseid") && has("collectionfolder");
    return mapping;
}

void ColumnMapping::assign(int column, const ImportTarget& target)
{
    if (target.fillsField())
        for (ImportTarget& other : m_targets)
            if (other == target)
                other = {};
    m_targets[static_cast<std::size_t>(column)] = target;
}

bool ColumnMapping::fillsAnyField() const
{
    return std::any_of(m_targets.begin(), m_targets.end(),
                       [](const ImportTarget& t) { return t.fillsField(); });
}

std::optional<int> ColumnMapping::columnOf(Field field) const
{
    for (int c = 0; c < columnCount(); ++c)
        if (target(c) == ImportTarget::of(field))
            return c;
    return std::nullopt;
}

std::optional<int> columnNamed(std::span<const std::string_view> headings, std::string_view name)
{
    const std::string key = folded(name);
    for (std::size_t c = 0; c < headings.size(); ++c)
        if (!key.empty() && folded(headings[c]) == key)
            return static_cast<int>(c);
    if (key.empty() || key.size() > 6 || key.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int number = std::stoi(key);
    if (number < 1 || number > static_cast<int>(headings.size()))
        return std::nullopt;
    return number - 1;
}

} // namespace discora
