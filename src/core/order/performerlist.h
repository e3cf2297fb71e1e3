// The performer list behind ByPerformer: one entry per named performer of a displayed album,
// ordered by name, with a header entry before each run of byte-identical names.
#pragma once

#include "core/catalogue/derivedlists.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace discora {

class Catalogue;
class ProgressSink;

// A performer's name as the list shows and compares it: leading blanks, tabs and line breaks removed.
std::string_view trimmedPerformerName(std::string_view name);

// The collect and sort steps: entries without headers, ordered by name. Names that compare equal
// but differ in their bytes are kept apart within their run, so each spelling forms one group.
struct SortedPerformers
{
    std::vector<PerformerEntry> entries;
    // Per entry: whether its name differs from the previous entry's byte for byte (a new group),
    // and whether it differs by CompareNames (a new name).
    std::vector<bool> startsGroup;
    std::vector<bool> startsName;
};
SortedPerformers collectSortedPerformers(const Catalogue& catalogue, ProgressSink* progress);

// The performer list of the displayed albums: collect, sort, organize.
std::vector<PerformerEntry> performerList(const Catalogue& catalogue, ProgressSink* progress);

} // namespace discora
