// The packed album store: every album's texts sit in one record of a shared buffer, so a change to
// one album rewrites its record, and the others must read exactly as before, whatever moved.
#include "core/model/albumstore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace discora {
namespace {

// An album whose texts name it, in a few fields spread over the record, the rest empty.
AlbumRecord namedAlbum(int n)
{
    const std::string id = std::to_string(n);
    AlbumRecord album;
    album.artist = "Artist " + id;
    album.songs[0].title = "First song of " + id;
    album.songs[12].time = id + ":00";
    album.performers[9].name = "Player " + id;
    album.notes = n % 2 ? "" : "Notes of album " + id;
    return album;
}

void expectAlbums(const AlbumStore& store, const std::vector<AlbumRecord>& albums)
{
    ASSERT_EQ(store.albumCount(), static_cast<int>(albums.size()));
    for (int a = 0; a < store.albumCount(); ++a) {
        EXPECT_EQ(store.album(a), albums[static_cast<std::size_t>(a)]) << "album " << a;
        for (int f = 0; f < kFieldCount; ++f) {
            const std::string& text = albums[static_cast<std::size_t>(a)].text(fieldAt(f));
            EXPECT_EQ(store.text(fieldAt(f), a), text) << "album " << a << ", field " << f;
            EXPECT_EQ(store.hasText(fieldAt(f), a), !text.empty()) << "album " << a << ", field " << f;
        }
    }
}

struct EditCase
{
    const char* name;
    // Changes album 2 of five, both in the store and in the expected records.
    void (*edit)(AlbumStore&, std::vector<AlbumRecord>&);
};

void PrintTo(const EditCase& c, std::ostream* os)
{
    *os << c.name;
}

class EditedAlbum : public ::testing::TestWithParam<EditCase>
{
};

TEST_P(EditedAlbum, ChangesItsOwnTextsAndNoNeighbours)
{
    AlbumStore store;
    std::vector<AlbumRecord> albums;
    for (int n = 0; n < 5; ++n) {
        albums.push_back(namedAlbum(n));
        store.appendAlbum(albums.back());
    }
    GetParam().edit(store, albums);
    expectAlbums(store, albums);
    // And again after the waste has been dropped.
    store.shrinkToFit();
    expectAlbums(store, albums);
}

INSTANTIATE_TEST_SUITE_P(Edits, EditedAlbum,
                         ::testing::Values(EditCase{"LongerText",
                                                    [](AlbumStore& s, std::vector<AlbumRecord>& a) {
                                                        s.setText(Field::Artist, 2,
                                                                  "A much longer artist than before");
                                                        a[2].artist = "A much longer artist than before";
                                                    }},
                                           EditCase{"ShorterText",
                                                    [](AlbumStore& s, std::vector<AlbumRecord>& a) {
                                                        s.setText(Field::Artist, 2, "A");
                                                        a[2].artist = "A";
                                                    }},
                                           EditCase{"EmptiedText",
                                                    [](AlbumStore& s, std::vector<AlbumRecord>& a) {
                                                        s.setText(Field::FirstTitle, 2, "");
                                                        a[2].songs[0].title.clear();
                                                    }},
                                           EditCase{"TextInAnEmptySlotBetweenOthers",
                                                    [](AlbumStore& s, std::vector<AlbumRecord>& a) {
                                                        s.setText(titleField(5), 2, "Fifth");
                                                        a[2].songs[4].title = "Fifth";
                                                    }},
                                           EditCase{"FirstAndLastField",
                                                    [](AlbumStore& s, std::vector<AlbumRecord>& a) {
                                                        s.setText(Field::Custom1, 2, "first");
                                                        s.setText(Field::Notes, 2, "last");
                                                        a[2].custom1 = "first";
                                                        a[2].notes = "last";
                                                    }},
                                           EditCase{"TextOfAnotherAlbum",
                                                    [](AlbumStore& s, std::vector<AlbumRecord>& a) {
                                                        // The text handed in is the store's own; the buffer
                                                        // may move while it is read.
                                                        for (int i = 0; i < 200; ++i)
                                                            s.setText(Field::Label, 2,
                                                                      s.text(Field::Artist,
                                                                             (i % 4) + (i % 4 >= 2 ? 1 : 0)));
                                                        a[2].label = a[4].artist;
                                                    }},
                                           EditCase{"WholeAlbum",
                                                    [](AlbumStore& s, std::vector<AlbumRecord>& a) {
                                                        a[2] = namedAlbum(77);
                                                        s.setAlbum(2, a[2]);
                                                    }},
                                           EditCase{"EveryFieldEmptied",
                                                    [](AlbumStore& s, std::vector<AlbumRecord>& a) {
                                                        a[2] = AlbumRecord{};
                                                        s.setAlbum(2, a[2]);
                                                    }},
                                           EditCase{"ManyTimesOver",
                                                    [](AlbumStore& s, std::vector<AlbumRecord>& a) {
                                                        // Enough rewrites that the buffer is compacted
                                                        // several times on the way.
                                                        for (int i = 0; i < 3000; ++i) {
                                                            a[2].notes = std::string(
                                                                static_cast<std::size_t>(i % 97), 'n');
                                                            s.setAlbum(2, a[2]);
                                                        }
                                                    }},
                                           EditCase{"AlbumRemoved",
                                                    [](AlbumStore& s, std::vector<AlbumRecord>& a) {
                                                        s.removeAlbum(2);
                                                        a.erase(a.begin() + 2);
                                                    }},
                                           EditCase{"AlbumsRemoved",
                                                    [](AlbumStore& s, std::vector<AlbumRecord>& a) {
                                                        s = s.without({true, false, true, false, true});
                                                        a = {a[1], a[3]};
                                                    }},
                                           EditCase{"ShrunkAndGrown",
                                                    [](AlbumStore& s, std::vector<AlbumRecord>& a) {
                                                        s.resize(3);
                                                        s.resize(6);
                                                        a.resize(3);
                                                        a.resize(6);
                                                    }}),
                         [](const auto& info) { return std::string(info.param.name); });

// A record of 64 KiB or more keeps 32-bit ends; the same album back under the limit keeps 16-bit
// ones. Either way its texts and its neighbours' read as written.
TEST(LargeRecord, CrossesTheLimitOfShortEndsBothWays)
{
    AlbumStore store;
    std::vector<AlbumRecord> albums = {namedAlbum(0), namedAlbum(1), namedAlbum(2)};
    for (const AlbumRecord& album : albums)
        store.appendAlbum(album);

    albums[1].notes = std::string(70000, 'x');
    albums[1].songs[25].title = "Last song";
    store.setAlbum(1, albums[1]);
    expectAlbums(store, albums);

    albums[1].notes = "short again";
    store.setAlbum(1, albums[1]);
    expectAlbums(store, albums);

    // Just under and just over: the record's own ends count towards its size.
    for (std::size_t size : {65000u, 65535u, 65536u, 66000u}) {
        albums[1].notes = std::string(size, 'y');
        store.setAlbum(1, albums[1]);
        expectAlbums(store, albums);
    }
}

TEST(StoreCopies, AreIndependentOfTheirSource)
{
    AlbumStore store;
    store.appendAlbum(namedAlbum(1));
    AlbumStore copy = store;
    store.setText(Field::Artist, 0, "changed");
    EXPECT_EQ(copy.text(Field::Artist, 0), "Artist 1");

    AlbumStore moved = std::move(copy);
    EXPECT_EQ(moved.text(Field::Artist, 0), "Artist 1");
    store = moved;
    EXPECT_EQ(store.text(Field::Artist, 0), "Artist 1");
}

TEST(StoreCursor, WalksAnAlbumsTextsInFieldOrder)
{
    AlbumStore store;
    store.appendAlbum(namedAlbum(0));
    AlbumStore::TextCursor cursor = store.textCursor(0, fieldIndex(Field::FirstTitle));
    std::vector<std::string> seen;
    for (int f = fieldIndex(Field::FirstTitle); f < kFieldCount; ++f)
        if (cursor.has(f))
            seen.emplace_back(cursor.take());
    EXPECT_EQ(seen, (std::vector<std::string>{"First song of 0", "0:00", "Player 0", "Notes of album 0"}));
}

} // namespace
} // namespace discora
