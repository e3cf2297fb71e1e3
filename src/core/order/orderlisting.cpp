#include "core/order/orderlisting.h"

#include "core/catalogue/catalogue.h"
#include "core/order/orders.h"

namespace discora {

namespace {

// The field ids of the columns the layout shows on screen, left to right. The view has room for six
// columns, the fixed ones included, and leaves out an empty slot and a column without a left edge;
// a layout read from a file may hold either between its occupied slots.
std::vector<int> shownFieldColumns(const ColumnLayout& layout, int fixedColumns)
{
    constexpr int kColumns = 6;
    std::vector<int> shown;
    for (int column = fixedColumns + 1; column <= kColumns; ++column) {
        const auto slot = static_cast<std::size_t>(column - fixedColumns - 1);
        if (slot >= layout.fieldColumns.size() || layout.fieldColumns[slot] == 0)
            continue;
        if (column > 1 && layout.leftEdges[static_cast<std::size_t>(column - 2)] == 0)
            continue;
        shown.push_back(layout.fieldColumns[slot]);
    }
    return shown;
}

void appendColumns(std::string& line, const Catalogue& doc, const std::vector<int>& fields, int album,
                   bool leadingTab)
{
    bool first = !leadingTab;
    for (int field : fields) {
        if (!first)
            line += '\t';
        first = false;
        line += columnText(doc, field, album);
    }
}

} // namespace

std::string columnText(const Catalogue& doc, int columnField, int album)
{
    const auto field = fieldOfColumn(columnField);
    return field ? std::string(doc.text(*field, album)) : std::string("Failed");
}

std::vector<std::string> listCurrentOrder(const Catalogue& doc)
{
    std::vector<std::string> lines;
    const SortOrder order = doc.currentOrder();
    const ColumnLayout& layout = doc.columnLayout(layoutOf(order));
    const DerivedLists& lists = doc.derivedLists();
    // Song lists lead with title and track, the producer and performer lists with one text.
    const std::vector<int> fields = shownFieldColumns(layout, sortOrderInfo(order).fixedColumns);
    switch (sortOrderInfo(order).entries) {
    case EntryList::Songs:
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
            appendColumns(line, doc, fields, album, true);
            lines.push_back(std::move(line));
        }
        break;
    case EntryList::Producers:
        for (std::size_t i = 0; i < lists.producers.size(); ++i) {
            std::string line(producerName(doc, i));
            appendColumns(line, doc, fields, static_cast<int>(lists.producers[i].album), true);
            lines.push_back(std::move(line));
        }
        break;
    case EntryList::Performers:
        for (std::size_t i = 0; i < lists.performers.size(); ++i) {
            const PerformerEntry& e = lists.performers[i];
            if (e.header) {
                lines.emplace_back(performerName(doc, i));
                continue;
            }
            std::string line(doc.text(instrumentField(e.slot), static_cast<int>(e.album)));
            appendColumns(line, doc, fields, static_cast<int>(e.album), true);
            lines.push_back(std::move(line));
        }
        break;
    case EntryList::Albums:
        for (std::uint32_t album : doc.displayOrder()) {
            std::string line;
            appendColumns(line, doc, fields, static_cast<int>(album), false);
            lines.push_back(std::move(line));
        }
        break;
    }
    return lines;
}

} // namespace discora
