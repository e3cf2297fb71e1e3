// The producer list behind ByProducer: one entry per producer named in a displayed album, and one
// "No producer listed" entry for an album that names none.
#pragma once

#include "core/model/derivedlists.h"

#include <string_view>
#include <vector>

namespace discora {

class Catalogue;
class ProgressSink;

inline constexpr const char* kProducersOutOfMemory = "Out of memory! Cannot sort the producers!";

// The producer list of the displayed albums, ordered: named producers by name, then the entries
// without a usable name. When memory runs out while it is built, building stops at that album and
// the entries so far are kept as built, without the ordering; when it runs out for the ordering,
// the list stays as built.
BuiltList<ProducerEntry> producerList(const Catalogue& catalogue, ProgressSink* progress);

// A producer text that sorts after every named one: empty, starting with a blank, or exactly
// "No producer listed".
bool isUnnamedProducer(std::string_view producer);

} // namespace discora
