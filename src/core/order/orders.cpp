#include "core/order/orders.h"

#include "core/document/cataloguedocument.h"
#include "core/order/albumorders.h"
#include "core/order/performerlist.h"
#include "core/order/producerlist.h"
#include "core/order/songlist.h"

namespace discora {

void DiscardDerivedLists(CatalogueDocument& doc)
{
    doc.mutableDerivedLists().clear();
}

void runOrder(CatalogueDocument& doc, SortOrder order)
{
    if (isAlbumOrder(order)) {
        runAlbumOrder(doc, order);
        return;
    }
    doc.setCurrentOrder(order);
    switch (order) {
    case SortOrder::ByArtistShort:
        runAlbumOrder(doc, SortOrder::ByArtist, ArtistSortRole::ArtistShortStep);
        buildSongList(doc);
        if (doc.viewOptions().on(ViewOption::ArtistSongSort))
            sortSongList(doc);
        break;
    case SortOrder::BySong:
    case SortOrder::BySongDetail:
        buildSongList(doc);
        sortSongList(doc);
        break;
    case SortOrder::ByProducer: buildProducerList(doc); break;
    case SortOrder::ByPerformer: buildPerformerList(doc); break;
    default: break;
    }
    doc.UpdateAllViews();
}

void ReapplyCurrentOrder(CatalogueDocument& doc)
{
    if (doc.displayedCount() < 2) {
        // Nothing to order, and a derived list would point at albums that may be gone.
        DiscardDerivedLists(doc);
        doc.setCurrentOrder(SortOrder::ByArtist);
        doc.setViewStyle(ViewStyle::Normal);
        doc.UpdateAllViews();
        return;
    }
    runOrder(doc, doc.currentOrder());
    if (doc.viewStyle() == ViewStyle::SingleLineSorts)
        setViewStyle(doc, ViewStyle::SingleLineSorts);
}

void setViewStyle(CatalogueDocument& doc, ViewStyle style)
{
    doc.setViewStyle(style);
    if (style == ViewStyle::SingleLineSorts) {
        // The single-line layouts show albums only.
        const bool derivedShown = !doc.albumOrderCurrent();
        DiscardDerivedLists(doc);
        if (derivedShown) {
            runAlbumOrder(doc, SortOrder::ByArtist);
            return;
        }
    }
    doc.UpdateAllViews();
}

void setViewOptionsAndResort(CatalogueDocument& doc, const ViewOptions& options)
{
    const ViewOptions previous = doc.viewOptions();
    doc.setViewOptions(options);
    if (doc.displayedCount() < 2)
        return;
    const auto changed = [&](ViewOption o) { return previous.on(o) != options.on(o); };
    const SortOrder current = doc.currentOrder();
    const bool artistOrAlbumName = current == SortOrder::ByArtist || current == SortOrder::ByAlbumName;
    bool rerun = false;
    if (current == SortOrder::BySong || current == SortOrder::BySongDetail)
        rerun = changed(ViewOption::SongThe);
    else if (current == SortOrder::ByArtistShort)
        rerun = changed(ViewOption::ArtistThe);
    else if (artistOrAlbumName && doc.viewStyle() == ViewStyle::Normal)
        rerun = changed(ViewOption::NlViewThe);
    else if (artistOrAlbumName && doc.viewStyle() == ViewStyle::SingleLineSorts)
        rerun = changed(ViewOption::GroupViewThe);
    if (rerun)
        runOrder(doc, current);
}

std::string_view songTitle(const CatalogueDocument& doc, const SongEntry& entry)
{
    if (entry.isHeader())
        return {};
    return doc.text(titleField(entry.slot), static_cast<int>(entry.album));
}

std::string_view songTitle(const CatalogueDocument& doc, std::size_t entry)
{
    return songTitle(doc, doc.derivedLists().songs[entry]);
}

std::string_view songTrack(const CatalogueDocument& doc, const SongEntry& entry)
{
    if (entry.isHeader())
        return {};
    return doc.text(trackField(entry.slot), static_cast<int>(entry.album));
}

std::string_view producerName(const CatalogueDocument& doc, const ProducerEntry& entry)
{
    switch (entry.producer) {
    case 1: return doc.text(Field::Producer1, static_cast<int>(entry.album));
    case 2: return doc.text(Field::Producer2, static_cast<int>(entry.album));
    default: return kNoProducerListed;
    }
}

std::string_view producerName(const CatalogueDocument& doc, std::size_t entry)
{
    return producerName(doc, doc.derivedLists().producers[entry]);
}

std::string_view performerName(const CatalogueDocument& doc, const PerformerEntry& entry)
{
    return trimmedPerformerName(doc.text(performerField(entry.slot), static_cast<int>(entry.album)));
}

std::string_view performerName(const CatalogueDocument& doc, std::size_t entry)
{
    return performerName(doc, doc.derivedLists().performers[entry]);
}

std::string_view performerInstrument(const CatalogueDocument& doc, const PerformerEntry& entry)
{
    if (entry.header)
        return {};
    return doc.text(instrumentField(entry.slot), static_cast<int>(entry.album));
}

} // namespace discora
