// What the entries of the derived lists show, and the sorted lists the Filters dialog offers.
#pragma once

#include "core/model/derivedlists.h"
#include "core/model/valuelist.h"
#include "core/view/sortorder.h"

#include <string>
#include <string_view>
#include <vector>

namespace discora {

class Catalogue;
class ProgressSink;

// The distinct performer names of the displayed albums, sorted, as the Filters dialog offers them.
// Leaves the document's lists alone.
std::vector<std::string> distinctPerformerNames(const Catalogue& catalogue, ProgressSink* progress = nullptr);

// A value list as the Filters dialog offers it: ordered with a leading "The " ignored, whatever
// the options say.
std::vector<std::string> sortedFilterValues(const Catalogue& doc, ValueListId list);

// What a Filters box shows for a stored selection: "All" for no filter, else the selection exactly
// as stored, so that reopening the dialog and pressing OK never changes which albums pass.
std::string filterSelectionShown(const std::string& stored);

// The texts a derived-list entry shows, by entry number or by entry.
std::string_view songTitle(const Catalogue& doc, std::size_t entry);
std::string_view songTitle(const Catalogue& doc, const SongEntry& entry); // empty for a header
std::string_view songTrack(const Catalogue& doc, const SongEntry& entry);
std::string_view producerName(const Catalogue& doc, std::size_t entry);
std::string_view producerName(const Catalogue& doc, const ProducerEntry& entry);
// Performer name with leading white space removed; a header shows the name of its group.
std::string_view performerName(const Catalogue& doc, std::size_t entry);
std::string_view performerName(const Catalogue& doc, const PerformerEntry& entry);
// The instrument or vocals text as stored; a header has none.
std::string_view performerInstrument(const Catalogue& doc, const PerformerEntry& entry);

} // namespace discora
