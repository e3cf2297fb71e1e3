#include "core/order/orders.h"

#include "core/order/performerlist.h"
#include "core/view/catalogue.h"

namespace discora {

std::string_view songTitle(const Catalogue& doc, const SongEntry& entry)
{
    if (entry.isHeader())
        return {};
    return doc.text(titleField(entry.slot), static_cast<int>(entry.album));
}

std::string_view songTitle(const Catalogue& doc, std::size_t entry)
{
    return songTitle(doc, doc.derivedLists().songs[entry]);
}

std::string_view songTrack(const Catalogue& doc, const SongEntry& entry)
{
    if (entry.isHeader())
        return {};
    return doc.text(trackField(entry.slot), static_cast<int>(entry.album));
}

std::string_view producerName(const Catalogue& doc, const ProducerEntry& entry)
{
    switch (entry.producer) {
    case 1: return doc.text(Field::Producer1, static_cast<int>(entry.album));
    case 2: return doc.text(Field::Producer2, static_cast<int>(entry.album));
    default: return kNoProducerListed;
    }
}

std::string_view producerName(const Catalogue& doc, std::size_t entry)
{
    return producerName(doc, doc.derivedLists().producers[entry]);
}

std::string_view performerName(const Catalogue& doc, const PerformerEntry& entry)
{
    return trimmedPerformerName(doc.text(performerField(entry.slot), static_cast<int>(entry.album)));
}

std::string_view performerName(const Catalogue& doc, std::size_t entry)
{
    return performerName(doc, doc.derivedLists().performers[entry]);
}

std::string_view performerInstrument(const Catalogue& doc, const PerformerEntry& entry)
{
    if (entry.header)
        return {};
    return doc.text(instrumentField(entry.slot), static_cast<int>(entry.album));
}

} // namespace discora
