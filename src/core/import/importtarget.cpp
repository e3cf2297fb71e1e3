#include "core/import/importtarget.h"

#include "core/base/cp1252.h"
#include "core/view/csvcolumns.h"

#include <vector>

namespace discora {

namespace {

struct FieldName
{
    Field field;
    std::string_view name;
};

constexpr FieldName kFieldNames[] = {
    {Field::Artist, "artist"},
    {Field::AlbumName, "album-name"},
    {Field::MusicType, "music-type"},
    {Field::MediaType, "media-type"},
    {Field::Number, "number"},
    {Field::Producer1, "producer1"},
    {Field::Producer2, "producer2"},
    {Field::Label, "label"},
    {Field::CatalogNumber, "catalog-number"},
    {Field::Quality, "quality"},
    {Field::Custom1, "custom1"},
    {Field::Custom2, "custom2"},
    {Field::Notes, "notes"},
    {Field::Status, "status"},
    {Field::Year, "year"},
    {Field::Barcode, "barcode"},
    {Field::MusicBrainzId, "musicbrainz-id"},
    {Field::DiscogsId, "discogs-id"},
    {Field::Location, "location"},
    {Field::PurchaseDate, "purchase-date"},
    {Field::PurchasePrice, "purchase-price"},
    {Field::Currency, "currency"},
    {Field::BoughtFrom, "bought-from"},
    {Field::CurrentValue, "current-value"},
    {Field::MediaCondition, "media-condition"},
    {Field::SleeveCondition, "sleeve-condition"},
    {Field::Rating, "rating"},
    {Field::DateAdded, "date-added"},
    {Field::DateModified, "date-modified"},
    {Field::Loans, "loans"},
};

struct SlotName
{
    Field first;
    int slots;
    std::string_view name;
};

constexpr SlotName kSlotNames[] = {
    {Field::FirstTitle, kSongSlots, "song"},
    {Field::FirstTime, kSongSlots, "time"},
    {Field::FirstPerformer, kPerformerSlots, "performer"},
    {Field::FirstInstrument, kPerformerSlots, "instrument"},
};

std::vector<Field> makeImportableFields()
{
    ViewOptions all;
    for (ViewOption option : kCsvColumnSwitches)
        all.set(option, 1);
    std::vector<Field> fields;
    for (const CsvColumn& column : csvColumns(all, {}, true))
        fields.push_back(column.field);
    return fields;
}

} // namespace

std::span<const Field> importableFields()
{
    static const std::vector<Field> fields = makeImportableFields();
    return fields;
}

std::string importFieldName(Field field)
{
    for (const FieldName& f : kFieldNames)
        if (f.field == field)
            return std::string(f.name);
    for (const SlotName& s : kSlotNames) {
        const int k = fieldIndex(field) - fieldIndex(s.first) + 1;
        if (k >= 1 && k <= s.slots)
            return std::string(s.name) + std::to_string(k);
    }
    return {};
}

std::optional<ImportTarget> importTargetFromName(std::string_view name)
{
    const std::string folded = cp1252::foldCase(name);
    if (folded == "ignore")
        return ImportTarget{};
    for (Field f : importableFields())
        if (importFieldName(f) == folded)
            return ImportTarget::of(f);
    return std::nullopt;
}

std::string importFieldNameList()
{
    std::string list;
    for (const FieldName& f : kFieldNames)
        list.append(f.name).append(", ");
    for (const SlotName& s : kSlotNames)
        list.append(s.name).append("1..").append(s.name).append(std::to_string(s.slots)).append(", ");
    return list + "ignore";
}

std::string importTargetLabel(const ImportTarget& target, const std::array<std::string, 2>& customHeadings)
{
    switch (target.kind) {
    case ImportTarget::Kind::Ignore: return "(ignore)";
    case ImportTarget::Kind::Field: return csvHeading(target.field, customHeadings);
    case ImportTarget::Kind::ExtraSong:
        return "Song" + std::to_string(target.slot) + " (not kept: an album holds " +
               std::to_string(kSongSlots) + " songs)";
    case ImportTarget::Kind::ExtraPerformer:
        return "Performers" + std::to_string(target.slot) + " (not kept: an album holds " +
               std::to_string(kPerformerSlots) + " performers)";
    }
    return {};
}

} // namespace discora
