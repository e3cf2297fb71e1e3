// Which field each column of an imported file fills. Chosen first from the heading row; the user
// may then give any column another field, or none.
#pragma once

#include "core/import/importtarget.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

class ColumnMapping
{
public:
    ColumnMapping() = default;
    explicit ColumnMapping(int columns) : m_targets(static_cast<std::size_t>(columns)) {}

    // The headings of an export Discora wrote, for any display switches, give each column the field
    // it was written from. Otherwise each heading is matched on its own, in any letter case:
    // Discora's own headings first (the custom headings included), then common names such as
    // "Artist", "Genre", "Format" or "Track 3 Title". A field goes to the first column that names
    // it; a heading that names none leaves its column ignored.
    static ColumnMapping fromHeadings(std::span<const std::string_view> headings,
                                      const std::array<std::string, 2>& customHeadings);

    int columnCount() const { return static_cast<int>(m_targets.size()); }
    const ImportTarget& target(int column) const { return m_targets[static_cast<std::size_t>(column)]; }
    // A field is filled from one column only: a column that filled it before is ignored from now on.
    void assign(int column, const ImportTarget& target);

    bool fillsAnyField() const;
    // Whether the headings are those of a Discogs collection export (release_id, CollectionFolder
    // and the rest), whose texts are made Discora's as they come in (csvimport.h).
    bool discogsExport() const { return m_discogs; }
    // The column that fills field, if any.
    std::optional<int> columnOf(Field field) const;

private:
    std::vector<ImportTarget> m_targets;
    bool m_discogs = false;
};

// The column a name given by the user stands for: the column with that heading (in any letter
// case), else the column of that 1-based number.
std::optional<int> columnNamed(std::span<const std::string_view> headings, std::string_view name);

// What a heading alone says a column holds, with no other column to compete with: Discora's
// headings, then the common names.
ImportTarget targetOfHeading(std::string_view heading, const std::array<std::string, 2>& customHeadings);

} // namespace discora
