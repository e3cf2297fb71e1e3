#include "core/export/csvexport.h"

#include "core/catalogue/catalogue.h"
#include "core/catalogue/progresssink.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace discora {

namespace {

struct Column
{
    std::string heading;
    Field field;
};

std::vector<Column> columnsFor(const ExportSettings& settings)
{
    const ViewOptions& on = settings.switches;
    std::vector<Column> columns = {{"Group/Artist", Field::Artist},
                                   {"Album Name", Field::AlbumName},
                                   {"Music Type", Field::MusicType},
                                   {"Media Type", Field::MediaType},
                                   {"Number", Field::Number}};
    if (on.on(ViewOption::ShowProducers)) {
        columns.push_back({"Producers1", Field::Producer1});
        columns.push_back({"Producers2", Field::Producer2});
    }
    if (on.on(ViewOption::ShowLable))
        columns.push_back({"Label", Field::Label});
    if (on.on(ViewOption::ShowCatalogNum))
        columns.push_back({"Catalog Number", Field::CatalogNumber});
    if (on.on(ViewOption::ShowCustom1))
        columns.push_back({settings.headings[0], Field::Custom1});
    if (on.on(ViewOption::ShowCustom2))
        columns.push_back({settings.headings[1], Field::Custom2});
    if (on.on(ViewOption::ShowQuality))
        columns.push_back({"Quality", Field::Quality});
    if (on.on(ViewOption::ShowSongs)) {
        for (int k = 1; k <= kSongSlots; ++k) {
            columns.push_back({"Song" + std::to_string(k), titleField(k)});
            columns.push_back({"Time" + std::to_string(k), timeField(k)});
        }
    }
    if (on.on(ViewOption::ShowNotes))
        columns.push_back({"Notes", Field::Notes});
    if (on.on(ViewOption::ShowPeople)) {
        for (int k = 1; k <= kPerformerSlots; ++k) {
            columns.push_back({"Performers" + std::to_string(k), performerField(k)});
            columns.push_back({"Instrument/Vocals" + std::to_string(k), instrumentField(k)});
        }
    }
    return columns;
}

void appendValue(std::string& out, std::string_view text)
{
    out += '"';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += "\",";
}

} // namespace

std::string csvText(const Catalogue& doc, const ExportSettings& settings,
                    std::span<const std::uint32_t> albums, ProgressSink* progress)
{
    const std::vector<Column> columns = columnsFor(settings);
    std::string out;
    for (const Column& c : columns)
        appendValue(out, c.heading);
    out += "\r\n";

    ProgressScope scope(progress, kCsvStatusText, std::max(static_cast<int>(albums.size()) - 1, 0));
    for (std::uint32_t album : albums) {
        for (const Column& c : columns)
            appendValue(out, doc.text(c.field, static_cast<int>(album)));
        out += "\r\n";
        scope.step();
    }
    return out;
}

ExportedFile csvExport(const Catalogue& doc, const ExportSettings& settings,
                       std::span<const std::uint32_t> albums, ProgressSink* progress)
{
    return encodeExport(csvText(doc, settings, albums, progress));
}

} // namespace discora
