// The 111 text lists that make up a catalogue, numbered in the order the catalogue file stores them,
// followed by the details a collector keeps about each copy, which the file keeps in a block of
// their own after the lists (core/fileformat/albumdetailsblock.h).
#pragma once

#include <cassert>
#include <cstdint>

namespace discora {

constexpr int kSongSlots = 26;
constexpr int kPerformerSlots = 10;

enum class Field : std::uint8_t
{
    Custom1 = 0,
    Custom2,
    Artist,
    Producer1,
    Producer2,
    MediaType,
    MusicType,
    AlbumName,
    Number,
    FirstTitle = 9,
    FirstTime = FirstTitle + kSongSlots,
    FirstTrack = FirstTime + kSongSlots,
    FirstInstrument = FirstTrack + kSongSlots,
    FirstPerformer = FirstInstrument + kPerformerSlots,
    CatalogNumber = FirstPerformer + kPerformerSlots,
    Quality,
    Label,
    Notes,
    // The details, in the order the file's block numbers them.
    Status,
    Year,
    Barcode,
    MusicBrainzId,
    DiscogsId,
    Location,
    PurchaseDate,
    PurchasePrice,
    Currency,
    BoughtFrom,
    CurrentValue,
    MediaCondition,
    SleeveCondition,
    Rating,
    DateAdded,
    DateModified,
    Loans,
    // The name of the album's front cover in the catalogue's covers folder (coverfolder.h).
    Cover,
};

// The file's lists.
constexpr int kFieldCount = static_cast<int>(Field::Notes) + 1;
static_assert(kFieldCount == 111);
// Every text an album keeps: the lists and the details.
constexpr int kStoredFieldCount = static_cast<int>(Field::Cover) + 1;
constexpr int kFirstDetail = kFieldCount;
constexpr int kDetailCount = kStoredFieldCount - kFieldCount;
// The details the collector types and a CSV export carries: Status to Loans (the cover is a
// picture, kept apart).
constexpr int kCollectionDetailEnd = static_cast<int>(Field::Loans) + 1;
constexpr int kCollectionDetailCount = kCollectionDetailEnd - kFirstDetail;

constexpr bool isDetail(int index)
{
    return index >= kFirstDetail;
}

constexpr int fieldIndex(Field f)
{
    return static_cast<int>(f);
}
constexpr Field fieldAt(int index)
{
    return static_cast<Field>(index);
}

// Song and performer slots are numbered from 1, as the user sees them.
constexpr Field titleField(int slot)
{
    return fieldAt(fieldIndex(Field::FirstTitle) + slot - 1);
}
constexpr Field timeField(int slot)
{
    return fieldAt(fieldIndex(Field::FirstTime) + slot - 1);
}
constexpr Field trackField(int slot)
{
    return fieldAt(fieldIndex(Field::FirstTrack) + slot - 1);
}
constexpr Field instrumentField(int slot)
{
    return fieldAt(fieldIndex(Field::FirstInstrument) + slot - 1);
}
constexpr Field performerField(int slot)
{
    return fieldAt(fieldIndex(Field::FirstPerformer) + slot - 1);
}

} // namespace discora
