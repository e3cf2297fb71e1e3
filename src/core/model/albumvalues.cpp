#include "core/model/albumvalues.h"

namespace discora {

void addAlbumValues(const AlbumStore& albums, int album, ValueLists& lists)
{
    // The album's texts are walked through in field order, so its two producers go in one after
    // the other.
    const auto add = [&](Field f, std::string_view text) {
        if (const auto id = valueListOf(f))
            lists[static_cast<int>(*id)].addDistinctValue(text);
    };
    albums.forEachText(album, fieldIndex(Field::Artist), fieldIndex(Field::AlbumName) + 1, add);
    albums.forEachText(album, fieldIndex(Field::Quality), fieldIndex(Field::Label) + 1, add);
    if (albums.hasText(Field::Location, album))
        add(Field::Location, albums.text(Field::Location, album));
}

ValueLists valueListsOf(const AlbumStore& albums, ProgressSink* progress)
{
    ValueLists lists;
    const int count = albums.albumCount();
    ProgressScope scope(progress, kUpdatingValueLists, count);
    for (int a = 0; a < count; ++a) {
        albums.prefetchAhead(
            static_cast<std::size_t>(a), static_cast<std::size_t>(count), [](std::size_t k) { return k; },
            Field::CatalogNumber);
        addAlbumValues(albums, a, lists);
        scope.step();
    }
    return lists;
}

} // namespace discora
