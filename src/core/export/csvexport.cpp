#include "core/export/csvexport.h"

#include "core/base/progresssink.h"
#include "core/view/catalogue.h"
#include "core/view/csvcolumns.h"

#include <algorithm>
#include <vector>

namespace discora {

namespace {

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
    const std::vector<CsvColumn> columns =
        csvColumns(settings.switches, settings.headings, settings.withDetails);
    std::string out;
    for (const CsvColumn& c : columns)
        appendValue(out, c.heading);
    out += "\r\n";

    ProgressScope scope(progress, kCsvStatusText, std::max(static_cast<int>(albums.size()) - 1, 0));
    for (std::uint32_t album : albums) {
        for (const CsvColumn& c : columns)
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
