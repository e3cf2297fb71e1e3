// The fifteen orders: sorting the displayed albums, building and ordering the derived lists, and
// applying the current order again after the catalogue changed. Also the sorted value lists the
// Filters dialog offers.
#pragma once

#include "core/catalogue/valuelist.h"
#include "core/catalogue/derivedlists.h"
#include "core/catalogue/sortorder.h"

#include <string>
#include <string_view>
#include <vector>

namespace discora {

class CatalogueDocument;
class ViewOptions;

// Runs an order's command: sorts displayOrder (album orders) or builds and orders its list
// (derived orders), makes it current and announces the change.
void runOrder(CatalogueDocument& doc, SortOrder order);

// After the catalogue or the display order changed: fewer than two displayed albums make ByArtist
// current in the Normal style without sorting; otherwise the current order runs again.
void ReapplyCurrentOrder(CatalogueDocument& doc);

// Empties the song, producer and performer lists.
void DiscardDerivedLists(CatalogueDocument& doc);

// Switching the view style, with its effect on the current order: entering Single Line Sorts
// while a derived list is shown makes ByArtist current and sorts by it.
void setViewStyle(CatalogueDocument& doc, ViewStyle style);

// Stores the view options and re-runs the orders an option change affects.
void setViewOptionsAndResort(CatalogueDocument& doc, const ViewOptions& options);

// The distinct performer names of the displayed albums, sorted, as the Filters dialog offers them.
// Leaves the document's lists alone.
std::vector<std::string> distinctPerformerNames(const CatalogueDocument& doc);

// A value list as the Filters dialog offers it: ordered with a leading "The " ignored, whatever
// the options say.
std::vector<std::string> sortedFilterValues(const CatalogueDocument& doc, ValueListId list);

// What a Filters box shows for a stored selection: the first of its entries (as the box lists
// them, "All" first) that begins with the selection, letter case ignored; else the selection.
std::string filterSelectionShown(const std::vector<std::string>& entries, const std::string& stored);

// The texts a derived-list entry shows, by entry number or by entry.
std::string_view songTitle(const CatalogueDocument& doc, std::size_t entry);
std::string_view songTitle(const CatalogueDocument& doc, const SongEntry& entry); // empty for a header
std::string_view songTrack(const CatalogueDocument& doc, const SongEntry& entry);
std::string_view producerName(const CatalogueDocument& doc, std::size_t entry);
std::string_view producerName(const CatalogueDocument& doc, const ProducerEntry& entry);
// Performer name with leading white space removed; a header shows the name of its group.
std::string_view performerName(const CatalogueDocument& doc, std::size_t entry);
std::string_view performerName(const CatalogueDocument& doc, const PerformerEntry& entry);
// The instrument or vocals text as stored; a header has none.
std::string_view performerInstrument(const CatalogueDocument& doc, const PerformerEntry& entry);

} // namespace discora
