// The performer list behind ByPerformer: one entry per named performer of a displayed album,
// ordered by name, with a header entry before each run of byte-identical names.
#pragma once

#include "core/model/derivedlists.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace discora {

class Catalogue;
class ProgressSink;

// A performer's name as the list shows and compares it: leading blanks, tabs and line breaks removed.
std::string_view trimmedPerformerName(std::string_view name);

inline constexpr const char* kPerformersOutOfMemory = "Out of memory! Cannot sort the performers!";

// The collect and sort steps: entries without headers, ordered by name. Names that compare equal
// but differ in their bytes are kept apart within their run, so each spelling forms one group.
// When memory runs out while collecting, collecting stops at that album and the entries so far go
// on to be sorted; when it runs out for the sort, they stay in the order they were collected.
struct SortedPerformers
{
    std::vector<PerformerEntry> entries;
    std::vector<std::string_view> names; // per entry, its name as the list shows it
    bool outOfMemory = false;

    // Whether entry i's name differs from the previous entry's byte for byte (a new group), and
    // whether it differs by CompareNames (a new name).
    bool startsGroup(std::size_t i) const { return i == 0 || names[i] != names[i - 1]; }
    bool startsName(std::size_t i) const;
};
SortedPerformers collectSortedPerformers(const Catalogue& catalogue, ProgressSink* progress);

// The performer list of the displayed albums: collect, sort, organize. When memory runs out for
// the organizing, the list holds the groups organized so far.
BuiltList<PerformerEntry> performerList(const Catalogue& catalogue, ProgressSink* progress);

} // namespace discora
