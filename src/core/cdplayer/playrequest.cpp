#include "core/cdplayer/playrequest.h"

#include "core/layout/viewlayout.h"
#include "core/order/orderentries.h"
#include "core/order/orders.h"

namespace discora {

namespace {

void loadAlbum(PlayRequest& request, const Catalogue& doc, std::optional<std::uint32_t> album)
{
    if (!album || *album >= static_cast<std::uint32_t>(doc.albumCount()))
        return;
    const int a = static_cast<int>(*album);
    request.albumTexts = {std::string(doc.text(Field::Artist, a)), std::string(doc.text(Field::AlbumName, a)),
                          std::string(doc.text(Field::MusicType, a)),
                          std::string(doc.text(Field::Number, a))};
    request.trackTitles.clear();
    for (int k = 1; k <= kSongSlots; ++k)
        request.trackTitles.emplace_back(doc.text(titleField(k), a));
}

std::optional<std::uint32_t> albumOfFirstSelected(const Catalogue& doc, const ViewSelection& selection)
{
    if (!selection.playOrder().empty())
        return albumOfEntry(doc, selection.playOrder().front());
    if (const auto unplayable = selection.lastUnplayable())
        return albumOfEntry(doc, *unplayable);
    return std::nullopt;
}

} // namespace

PlayRequest playRequestFor(const Catalogue& doc, const ViewSelection& selection)
{
    PlayRequest request;
    const SortOrder order = doc.currentOrder();
    if (order == SortOrder::ByArtistShort) {
        loadAlbum(request, doc, albumOfFirstSelected(doc, selection));
        return request;
    }
    if (order != SortOrder::BySong && order != SortOrder::BySongDetail) {
        if (!selection.playOrder().empty())
            loadAlbum(request, doc, albumOfEntry(doc, selection.playOrder().front()));
        return request;
    }

    const std::vector<SongEntry>& songs = doc.derivedLists().songs;
    const auto& playOrder = selection.playOrder();
    const auto taken = std::min<std::size_t>(static_cast<std::size_t>(std::max(selection.playInsertPos(), 0)),
                                             playOrder.size());
    std::optional<std::uint32_t> firstAlbum;
    for (std::size_t i = 0; i < taken; ++i) {
        const auto position = static_cast<std::size_t>(playOrder[i]);
        if (position >= songs.size())
            continue;
        const SongEntry& song = songs[position];
        request.playList.push_back(readNumber(songTrack(doc, song)));
        request.trackTitles.emplace_back(songTitle(doc, song));
        if (!firstAlbum)
            firstAlbum = song.album;
    }
    request.wholeDisc = request.playList.empty();
    if (request.wholeDisc) {
        if (const auto unplayable = selection.lastUnplayable())
            loadAlbum(request, doc, albumOfEntry(doc, *unplayable));
        return request;
    }
    // The titles stay the selected songs'; the texts are those of the first song's album.
    const std::vector<std::string> titles = request.trackTitles;
    loadAlbum(request, doc, firstAlbum);
    request.trackTitles = titles;
    return request;
}

} // namespace discora
