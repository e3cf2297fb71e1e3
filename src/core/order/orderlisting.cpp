#include "core/order/orderlisting.h"

#include "core/catalogue/catalogue.h"
#include "core/order/orders.h"

#include <algorithm>

namespace discora {

void appendText(std::string& line, std::string_view text)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char* escape = c == '\t'   ? "\\t"
                             : c == '\n' ? "\\n"
                             : c == '\r' ? "\\r"
                             : c == '\\' ? "\\\\"
                                         : nullptr;
        if (!escape)
            continue;
        line.append(text.substr(start, i - start));
        line += escape;
        start = i + 1;
    }
    line.append(text.substr(start));
}

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
        if (const auto f = fieldOfColumn(field))
            appendText(line, doc.text(*f, album));
        else
            line += "Failed";
    }
}

// The entries of a sorted list visit the albums in no particular order, and each line's texts would
// be a trip to memory of their own: the records of the lines a few entries on are asked for ahead.
class LinePrefetch
{
public:
    LinePrefetch(const Catalogue& doc, const std::vector<int>& fields) : m_albums(doc.albums())
    {
        for (int field : fields)
            if (const auto f = fieldOfColumn(field))
                m_fields.push_back(*f);
    }

    // Before the line of entry i, given the album of any entry.
    template <class AlbumOf> void ahead(std::size_t i, std::size_t count, AlbumOf albumOf, Field own) const
    {
        if (i + kIndexDistance < count)
            m_albums.prefetchIndex(static_cast<int>(albumOf(i + kIndexDistance)));
        if (i + kRecordDistance < count)
            m_albums.prefetchRecord(static_cast<int>(albumOf(i + kRecordDistance)));
        if (i + kTextDistance < count) {
            const int album = static_cast<int>(albumOf(i + kTextDistance));
            m_albums.prefetchTexts(album, fieldIndex(own));
            for (Field f : m_fields)
                m_albums.prefetchTexts(album, fieldIndex(f));
        }
    }

private:
    static constexpr std::size_t kIndexDistance = 32;
    static constexpr std::size_t kRecordDistance = 16;
    static constexpr std::size_t kTextDistance = 8;
    const AlbumStore& m_albums;
    std::vector<Field> m_fields;
};

} // namespace

void listCurrentOrder(const Catalogue& doc, const std::function<void(std::string_view line)>& emit)
{
    const SortOrder order = doc.currentOrder();
    const ColumnLayout& layout = doc.columnLayout(layoutOf(order));
    const DerivedLists& lists = doc.derivedLists();
    // Song lists lead with title and track, the producer and performer lists with one text.
    const std::vector<int> fields = shownFieldColumns(layout, sortOrderInfo(order).fixedColumns);
    const LinePrefetch prefetch(doc, fields);
    std::string line;
    switch (sortOrderInfo(order).entries) {
    case EntryList::Songs: {
        const auto albumOf = [&](std::size_t i) { return lists.songs[i].album; };
        for (std::size_t i = 0; i < lists.songs.size(); ++i) {
            const SongEntry& e = lists.songs[i];
            prefetch.ahead(i, lists.songs.size(), albumOf, titleField(std::max<int>(e.slot, 1)));
            const int album = static_cast<int>(e.album);
            line.clear();
            if (e.isHeader()) {
                appendText(line, doc.text(Field::Artist, album));
                emit(line);
                continue;
            }
            appendText(line, songTitle(doc, i));
            line += '\t';
            appendText(line, doc.text(trackField(e.slot), album));
            appendColumns(line, doc, fields, album, true);
            emit(line);
        }
        break;
    }
    case EntryList::Producers: {
        const auto albumOf = [&](std::size_t i) { return lists.producers[i].album; };
        for (std::size_t i = 0; i < lists.producers.size(); ++i) {
            prefetch.ahead(i, lists.producers.size(), albumOf, Field::Producer1);
            line.clear();
            appendText(line, producerName(doc, i));
            appendColumns(line, doc, fields, static_cast<int>(lists.producers[i].album), true);
            emit(line);
        }
        break;
    }
    case EntryList::Performers: {
        const auto albumOf = [&](std::size_t i) { return lists.performers[i].album; };
        for (std::size_t i = 0; i < lists.performers.size(); ++i) {
            const PerformerEntry& e = lists.performers[i];
            prefetch.ahead(i, lists.performers.size(), albumOf, instrumentField(std::max<int>(e.slot, 1)));
            line.clear();
            if (e.header) {
                appendText(line, performerName(doc, i));
                emit(line);
                continue;
            }
            appendText(line, doc.text(instrumentField(e.slot), static_cast<int>(e.album)));
            appendColumns(line, doc, fields, static_cast<int>(e.album), true);
            emit(line);
        }
        break;
    }
    case EntryList::Albums: {
        const auto& shown = doc.displayOrder();
        const auto albumOf = [&](std::size_t i) { return shown[i]; };
        for (std::size_t i = 0; i < shown.size(); ++i) {
            prefetch.ahead(i, shown.size(), albumOf, Field::Artist);
            line.clear();
            appendColumns(line, doc, fields, static_cast<int>(shown[i]), false);
            emit(line);
        }
        break;
    }
    }
}

} // namespace discora
