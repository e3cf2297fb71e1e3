#include "core/layout/rowmodel.h"

#include "core/layout/viewlayout.h"
#include "core/model/columnlayout.h"
#include "core/order/performerlist.h"
#include "core/view/catalogue.h"

namespace discora {

namespace {

RowColumn fieldColumn(int fieldId)
{
    return {ColumnSource::Field, fieldId, fieldOfColumn(fieldId)};
}

// The fixed columns, then the layout's columns as the view shows them. The view has room for six
// columns, the fixed ones included, and leaves out an empty slot and a column without a left edge;
// a layout read from a file may hold either between its occupied slots.
std::vector<RowColumn> lineColumns(LayoutKind kind, const ColumnLayout& layout)
{
    const LayoutKindInfo& info = layoutKindInfo(kind);
    std::vector<RowColumn> columns;
    for (int column = 1; column <= info.fixedColumns; ++column)
        columns.push_back({info.fixedSources[static_cast<std::size_t>(column - 1)], 0, std::nullopt});
    for (int column = info.fixedColumns + 1; column <= kMaxColumns; ++column) {
        const auto slot = static_cast<std::size_t>(column - info.fixedColumns - 1);
        if (slot >= layout.fieldColumns.size() || layout.fieldColumns[slot] == 0)
            continue;
        if (column > 1 && layout.leftEdges[static_cast<std::size_t>(column - 2)] == 0)
            continue;
        columns.push_back(fieldColumn(layout.fieldColumns[slot]));
    }
    return columns;
}

} // namespace

RowModel::RowModel(const Catalogue& doc)
    : m_albums(doc.albums()), m_lists(doc.derivedLists()), m_shown(doc.displayOrder()),
      m_entries(sortOrderInfo(doc.currentOrder()).entries),
      m_columns(lineColumns(layoutKindInfo(currentLayoutKind(doc)).lineKind,
                            doc.columnLayout(layoutOf(doc.currentOrder()))))
{}

RowModel::RowModel(const Catalogue& doc, std::span<const ListColumn> columns)
    : m_albums(doc.albums()), m_lists(doc.derivedLists()), m_shown(doc.displayOrder()),
      m_entries(sortOrderInfo(doc.currentOrder()).entries)
{
    for (const ListColumn& c : columns)
        m_columns.push_back(c.source == ColumnSource::Field ? fieldColumn(c.fieldId)
                                                            : RowColumn{c.source, 0, std::nullopt});
}

std::size_t RowModel::entryCount() const
{
    switch (m_entries) {
    case EntryList::Songs: return m_lists.songs.size();
    case EntryList::Producers: return m_lists.producers.size();
    case EntryList::Performers: return m_lists.performers.size();
    case EntryList::Albums: break;
    }
    return m_shown.size();
}

RowEntry RowModel::entry(std::size_t i) const
{
    switch (m_entries) {
    case EntryList::Songs: {
        const SongEntry& e = m_lists.songs[i];
        return {e.album, e.slot, e.isHeader()};
    }
    case EntryList::Producers: {
        const ProducerEntry& e = m_lists.producers[i];
        return {e.album, e.producer, false};
    }
    case EntryList::Performers: {
        const PerformerEntry& e = m_lists.performers[i];
        return {e.album, e.slot, e.header};
    }
    case EntryList::Albums: break;
    }
    return {m_shown[i], 0, false};
}

std::optional<RowEntry> RowModel::entryAt(int position) const
{
    if (position < 0 || static_cast<std::size_t>(position) >= entryCount())
        return std::nullopt;
    return entry(static_cast<std::size_t>(position));
}

std::vector<std::string_view> RowModel::texts(int position) const
{
    std::vector<std::string_view> texts;
    if (const std::optional<RowEntry> e = entryAt(position))
        forEachText(*e, [&](std::string_view text) { texts.push_back(text); });
    return texts;
}

// Only the artist short list and the performer list have headings.
Field RowModel::headingField(const RowEntry& entry) const
{
    return m_entries == EntryList::Performers ? performerField(entry.slot) : Field::Artist;
}

std::string_view RowModel::headingText(const RowEntry& entry, const AlbumStore::AlbumTexts& texts) const
{
    const std::string_view text = texts.text(headingField(entry));
    return m_entries == EntryList::Performers ? trimmedPerformerName(text) : text;
}

} // namespace discora
