#include "orderlisting.h"

#include "catalogue/cataloguedocument.h"
#include "orders.h"

namespace discora {

namespace {

void appendColumns(std::string& line, const CatalogueDocument& doc, const ColumnLayout& layout, int album,
                   bool leadingTab)
{
    bool first = !leadingTab;
    for (int field : layout.fieldColumns) {
        if (field == 0)
            break;
        if (!first)
            line += '\t';
        first = false;
        line += columnText(doc, field, album);
    }
}

} // namespace

std::string columnText(const CatalogueDocument& doc, int columnField, int album)
{
    const auto field = fieldOfColumn(columnField);
    return field ? std::string(doc.text(*field, album)) : std::string("Failed");
}

std::vector<std::string> listCurrentOrder(const CatalogueDocument& doc)
{
    std::vector<std::string> lines;
    const SortOrder order = doc.currentOrder();
    const ColumnLayout& layout = doc.columnLayout(layoutOf(order));
    const DerivedLists& lists = doc.derivedLists();
    switch (order) {
    case SortOrder::BySong:
    case SortOrder::BySongDetail:
    case SortOrder::ByArtistShort:
        for (std::size_t i = 0; i < lists.songs.size(); ++i) {
            const SongEntry& e = lists.songs[i];
            const int album = static_cast<int>(e.album);
            if (e.isHeader()) {
                lines.emplace_back(doc.text(Field::Artist, album));
                continue;
            }
            std::string line(songTitle(doc, i));
            line += '\t';
            line += doc.text(trackField(e.slot), album);
            appendColumns(line, doc, layout, album, true);
            lines.push_back(std::move(line));
        }
        break;
    case SortOrder::ByProducer:
        for (std::size_t i = 0; i < lists.producers.size(); ++i) {
            std::string line(producerName(doc, i));
            appendColumns(line, doc, layout, static_cast<int>(lists.producers[i].album), true);
            lines.push_back(std::move(line));
        }
        break;
    case SortOrder::ByPerformer:
        for (std::size_t i = 0; i < lists.performers.size(); ++i) {
            const PerformerEntry& e = lists.performers[i];
            if (e.header) {
                lines.emplace_back(performerName(doc, i));
                continue;
            }
            std::string line(doc.text(instrumentField(e.slot), static_cast<int>(e.album)));
            appendColumns(line, doc, layout, static_cast<int>(e.album), true);
            lines.push_back(std::move(line));
        }
        break;
    default:
        for (std::uint32_t album : doc.displayOrder()) {
            std::string line;
            appendColumns(line, doc, layout, static_cast<int>(album), false);
            lines.push_back(std::move(line));
        }
        break;
    }
    return lines;
}

} // namespace discora
