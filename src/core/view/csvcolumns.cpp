#include "core/view/csvcolumns.h"

#include "core/model/albumdetails.h"

namespace discora {

namespace {

// The slot number of a field that belongs to a song or performer slot, or 0.
int slotOf(Field field, Field first, int slots)
{
    const int k = fieldIndex(field) - fieldIndex(first) + 1;
    return k >= 1 && k <= slots ? k : 0;
}

} // namespace

std::string csvHeading(Field field, const std::array<std::string, 2>& customHeadings)
{
    if (const int k = slotOf(field, Field::FirstTitle, kSongSlots))
        return "Song" + std::to_string(k);
    if (const int k = slotOf(field, Field::FirstTime, kSongSlots))
        return "Time" + std::to_string(k);
    if (const int k = slotOf(field, Field::FirstPerformer, kPerformerSlots))
        return "Performers" + std::to_string(k);
    if (const int k = slotOf(field, Field::FirstInstrument, kPerformerSlots))
        return "Instrument/Vocals" + std::to_string(k);
    switch (field) {
    case Field::Artist: return "Group/Artist";
    case Field::AlbumName: return "Album Name";
    case Field::MusicType: return "Music Type";
    case Field::MediaType: return "Media Type";
    case Field::Number: return "Number";
    case Field::Producer1: return "Producers1";
    case Field::Producer2: return "Producers2";
    case Field::Label: return "Label";
    case Field::CatalogNumber: return "Catalog Number";
    case Field::Custom1: return customHeadings[0];
    case Field::Custom2: return customHeadings[1];
    case Field::Quality: return "Quality";
    case Field::Notes: return "Notes";
    default: return std::string(detailName(field));
    }
}

std::vector<CsvColumn> csvColumns(const ViewOptions& switches,
                                  const std::array<std::string, 2>& customHeadings, bool withDetails)
{
    std::vector<Field> fields = {Field::Artist, Field::AlbumName, Field::MusicType, Field::MediaType,
                                 Field::Number};
    for (ViewOption option : kCsvColumnSwitches) {
        if (!switches.on(option))
            continue;
        switch (option) {
        case ViewOption::ShowProducers:
            fields.insert(fields.end(), {Field::Producer1, Field::Producer2});
            break;
        case ViewOption::ShowLabel: fields.push_back(Field::Label); break;
        case ViewOption::ShowCatalogNum: fields.push_back(Field::CatalogNumber); break;
        case ViewOption::ShowCustom1: fields.push_back(Field::Custom1); break;
        case ViewOption::ShowCustom2: fields.push_back(Field::Custom2); break;
        case ViewOption::ShowQuality: fields.push_back(Field::Quality); break;
        case ViewOption::ShowSongs:
            for (int k = 1; k <= kSongSlots; ++k)
                fields.insert(fields.end(), {titleField(k), timeField(k)});
            break;
        case ViewOption::ShowNotes: fields.push_back(Field::Notes); break;
        case ViewOption::ShowPeople:
            for (int k = 1; k <= kPerformerSlots; ++k)
                fields.insert(fields.end(), {performerField(k), instrumentField(k)});
            break;
        default: break;
        }
    }
    if (withDetails)
        for (int f = kFirstDetail; f < kCollectionDetailEnd; ++f)
            fields.push_back(fieldAt(f));
    std::vector<CsvColumn> columns;
    columns.reserve(fields.size());
    for (Field f : fields)
        columns.push_back({csvHeading(f, customHeadings), f});
    return columns;
}

} // namespace discora
