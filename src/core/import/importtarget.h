// What a column of an imported file fills: nothing, one field of the album, or a song or performer
// beyond the 26 songs and 10 performers an album holds (read, then left out of the album).
// The fields a column can be given, with the names the command line knows them by.
#pragma once

#include "core/model/field.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace discora {

struct ImportTarget
{
    enum class Kind : std::uint8_t
    {
        Ignore,
        Field,
        ExtraSong,
        ExtraPerformer,
    };
    Kind kind = Kind::Ignore;
    discora::Field field = discora::Field::Artist; // Kind::Field
    int slot = 0;                                  // the song or performer number of an extra

    static ImportTarget of(discora::Field f) { return {Kind::Field, f, 0}; }
    bool fillsField() const { return kind == Kind::Field; }
    bool isExtra() const { return kind == Kind::ExtraSong || kind == Kind::ExtraPerformer; }
    bool operator==(const ImportTarget&) const = default;
};

// The fields a column can fill, in the order the export writes them: every field but the track
// numbers (85 in all).
std::span<const Field> importableFields();

// "artist", "album-name", "music-type", "media-type", "number", "producer1", "producer2", "label",
// "catalog-number", "quality", "custom1", "custom2", "notes", "song1".."song26", "time1".."time26",
// "performer1".."performer10", "instrument1".."instrument10".
std::string importFieldName(Field field);
// A field by that name in any letter case, or "ignore".
std::optional<ImportTarget> importTargetFromName(std::string_view name);
// The names for a usage text, the numbered ones written as ranges.
std::string importFieldNameList();

// What the import dialog shows: "(ignore)", the field's heading in the export (the custom
// headings as given), or "Song27 (not kept: ...)".
std::string importTargetLabel(const ImportTarget& target, const std::array<std::string, 2>& customHeadings);

} // namespace discora
