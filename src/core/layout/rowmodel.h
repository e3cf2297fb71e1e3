// One entry's line in the column lists, cell by cell: the texts the view and the printed pages
// paint, `discora --list` writes and a screen reader hears are all read here.
#pragma once

#include "core/layout/layoutkinds.h"
#include "core/layout/listlayout.h"
#include "core/model/albumstore.h"
#include "core/model/derivedlists.h"
#include "core/model/field.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace discora {

class Catalogue;

// A cell of a line: where its text comes from, and for a field column its ColumnField id and the
// field that names (none for an id outside 1 to 10: the cell reads kFailedText).
struct RowColumn
{
    ColumnSource source = ColumnSource::Field;
    int fieldId = 0;
    std::optional<Field> field;
};

// An entry of the current order as its line reads it: its album, and the song, producer or performer
// slot the line shows (0 for an album, and for a producer entry without one). A group heading (an
// artist of the artist short list, a performer of the performer list) reads its heading text alone.
struct RowEntry
{
    std::uint32_t album = 0;
    std::uint8_t slot = 0;
    bool heading = false;
};

class RowModel
{
public:
    // The current order's lines as they are listed and heard: the fixed columns of its kind's line,
    // then the columns of its layout that the view shows.
    explicit RowModel(const Catalogue& doc);
    // The current order's lines in the columns a geometry placed (which leaves out a column that
    // has lost its edge).
    RowModel(const Catalogue& doc, std::span<const ListColumn> columns);

    const std::vector<RowColumn>& columns() const { return m_columns; }

    std::size_t entryCount() const;
    // Entry i of the order; i must be below entryCount().
    RowEntry entry(std::size_t i) const;
    // The entry at position; nothing for a position outside the order.
    std::optional<RowEntry> entryAt(int position) const;

    // Calls cell(text) for each text of the entry's line, left to right; the album is looked up once.
    template <class Cell> void forEachText(const RowEntry& entry, Cell cell) const
    {
        const AlbumStore::AlbumTexts texts = m_albums.albumTexts(static_cast<int>(entry.album));
        if (entry.heading) {
            cell(headingText(entry, texts));
            return;
        }
        for (const RowColumn& column : m_columns) {
            const std::optional<Field> f = fieldOf(column, entry);
            cell(f ? texts.text(*f) : missingText(column));
        }
    }

    // Calls visit(field) for each field those texts are read from, for a walk through many lines
    // that asks for them ahead.
    template <class Visit> void forEachField(const RowEntry& entry, Visit visit) const
    {
        if (entry.heading) {
            visit(headingField(entry));
            return;
        }
        for (const RowColumn& column : m_columns)
            if (const std::optional<Field> f = fieldOf(column, entry))
                visit(*f);
    }

    // The texts of the entry at position, as they stand; none for a position outside the order.
    std::vector<std::string_view> texts(int position) const;

private:
    static std::optional<Field> fieldOf(const RowColumn& column, const RowEntry& entry)
    {
        switch (column.source) {
        case ColumnSource::Field: return column.field;
        case ColumnSource::SongTitle: return titleField(entry.slot);
        case ColumnSource::TrackNumber: return trackField(entry.slot);
        case ColumnSource::ProducerName:
            if (entry.slot == 0)
                return std::nullopt;
            return entry.slot == 2 ? Field::Producer2 : Field::Producer1;
        case ColumnSource::PerformerRole: return instrumentField(entry.slot);
        }
        return std::nullopt;
    }
    static std::string_view missingText(const RowColumn& column)
    {
        return column.source == ColumnSource::ProducerName ? std::string_view(kNoProducerListed)
                                                           : kFailedText;
    }
    Field headingField(const RowEntry& entry) const;
    std::string_view headingText(const RowEntry& entry, const AlbumStore::AlbumTexts& texts) const;

    const AlbumStore& m_albums;
    const DerivedLists& m_lists;
    const std::vector<std::uint32_t>& m_shown;
    EntryList m_entries;
    std::vector<RowColumn> m_columns;
};

} // namespace discora
