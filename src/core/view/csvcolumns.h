// The columns of the comma-separated export: which display switch brings each group of fields in,
// in which order, and the heading each field carries. The export writes them and the import reads
// them back, so both take them from here.
#pragma once

#include "core/model/field.h"
#include "core/view/displaysettings.h"

#include <array>
#include <string>
#include <vector>

namespace discora {

struct CsvColumn
{
    std::string heading;
    Field field;
};

// The switches that add columns, in the order their columns appear after the five fixed ones.
inline constexpr std::array<ViewOption, 9> kCsvColumnSwitches = {
    ViewOption::ShowProducers, ViewOption::ShowLabel,   ViewOption::ShowCatalogNum,
    ViewOption::ShowCustom1,   ViewOption::ShowCustom2, ViewOption::ShowQuality,
    ViewOption::ShowSongs,     ViewOption::ShowNotes,   ViewOption::ShowPeople,
};

// The heading of a field in the export: "Group/Artist", "Song3", the custom headings as given...
// Empty for the track numbers, which the export leaves out.
std::string csvHeading(Field field, const std::array<std::string, 2>& customHeadings);

// The export's columns for these switches, in order; with details, the collection details follow
// ("Status", "Year", ... "Loans").
std::vector<CsvColumn> csvColumns(const ViewOptions& switches,
                                  const std::array<std::string, 2>& customHeadings, bool withDetails = false);

} // namespace discora
