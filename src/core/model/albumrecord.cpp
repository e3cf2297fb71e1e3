#include "core/model/albumrecord.h"

namespace discora {

const std::string& AlbumRecord::text(Field f) const
{
    const int i = fieldIndex(f);
    if (isDetail(i))
        return details[static_cast<std::size_t>(i - kFirstDetail)];
    if (i >= fieldIndex(Field::FirstTitle) && i < fieldIndex(Field::FirstTime))
        return songs[i - fieldIndex(Field::FirstTitle)].title;
    if (i >= fieldIndex(Field::FirstTime) && i < fieldIndex(Field::FirstTrack))
        return songs[i - fieldIndex(Field::FirstTime)].time;
    if (i >= fieldIndex(Field::FirstTrack) && i < fieldIndex(Field::FirstInstrument))
        return songs[i - fieldIndex(Field::FirstTrack)].trackNumber;
    if (i >= fieldIndex(Field::FirstInstrument) && i < fieldIndex(Field::FirstPerformer))
        return performers[i - fieldIndex(Field::FirstInstrument)].instrument;
    if (i >= fieldIndex(Field::FirstPerformer) && i < fieldIndex(Field::CatalogNumber))
        return performers[i - fieldIndex(Field::FirstPerformer)].name;
    switch (f) {
    case Field::Custom1: return custom1;
    case Field::Custom2: return custom2;
    case Field::Artist: return artist;
    case Field::Producer1: return producer1;
    case Field::Producer2: return producer2;
    case Field::MediaType: return mediaType;
    case Field::MusicType: return musicType;
    case Field::AlbumName: return albumName;
    case Field::Number: return number;
    case Field::CatalogNumber: return catalogNumber;
    case Field::Quality: return quality;
    case Field::Label: return label;
    default: return notes;
    }
}

std::string_view presetTrackNumber(int slot)
{
    static constexpr std::string_view kNumbers = "0102030405060708091011121314151617181920212223242526";
    static_assert(kNumbers.size() == 2 * kSongSlots);
    return kNumbers.substr(static_cast<std::size_t>(2 * (slot - 1)), 2);
}

std::string& AlbumRecord::text(Field f)
{
    return const_cast<std::string&>(static_cast<const AlbumRecord&>(*this).text(f));
}

} // namespace discora
