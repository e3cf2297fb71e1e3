// The block of collection details after a catalogue's lists: every detail and every album's
// identity back as written, the lists untouched by it, and a block that does not fit its file left
// unread with a message while the albums open.
#include "core/fileformat/albumdetailsblock.h"
#include "core/fileformat/cataloguereader.h"
#include "core/fileformat/cataloguewriter.h"
#include "core/model/albumdetails.h"
#include "support/documentfixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace discora {
namespace {

const ColumnLayouts kLayouts = defaultColumnLayouts(96);
const std::array<std::string, 2> kHeadings = {"Box", "Shelf"};

AlbumRecord collected()
{
    AlbumRecord a = fixture::albumOf("Nightjar Choir", "Harbour Lights");
    a.songs[0] = {"Harbour Lights", "4:12", "01"};
    a.text(Field::Status) = "Wanted";
    a.text(Field::Year) = "1994";
    a.text(Field::Barcode) = "5099902987521";
    a.text(Field::MusicBrainzId) = "b84ee12a-09ef-421b-82de-0441a926375b";
    a.text(Field::DiscogsId) = "367104";
    a.text(Field::Location) = "Shelf " + std::string(300, 'x'); // longer than a one-byte length
    a.text(Field::PurchaseDate) = "2024-05-01";
    a.text(Field::PurchasePrice) = "12.50";
    a.text(Field::Currency) = "\xE2\x82\xAC"; // the euro sign, in Windows-1252
    a.text(Field::BoughtFrom) = "\xE5\xAE\x87\xE5\xA4\x9A\xE7\x94\xB0 Records"; // beyond it
    a.text(Field::CurrentValue) = "30";
    a.text(Field::MediaCondition) = "VG+";
    a.text(Field::SleeveCondition) = "NM";
    a.text(Field::Rating) = "4";
    a.text(Field::DateAdded) = "2024-05-02";
    a.text(Field::DateModified) = "2024-06-01";
    a.text(Field::Cover) = "0123456789abcdef0123456789abcdef.jpg";
    a.text(Field::Loans) = lend(returned(lend("", {"Ann", "2024-07-01", "2024-07-15", ""}), "2024-07-10"),
                                {"Bob", "2024-08-01", "", ""});
    return a;
}

AlbumStore storeOf(const std::vector<AlbumRecord>& albums)
{
    AlbumStore store;
    for (const AlbumRecord& a : albums)
        store.appendAlbum(a);
    return store;
}

AlbumRecord withoutDetails(AlbumRecord a)
{
    a.details = {};
    return a;
}

LoadedCatalogue read(std::string_view bytes)
{
    auto loaded = readCatalogue(bytes, LoadBase{kLayouts, kHeadings}, nullptr);
    EXPECT_TRUE(loaded.ok()) << loaded.error();
    return loaded.ok() ? std::move(loaded.value()) : LoadedCatalogue{};
}

TEST(DetailsBlock, EveryDetailAndEveryIdentityComeBackAndSoDoTheBytes)
{
    AlbumRecord dated = fixture::albumOf("Amber", "Only a date");
    dated.text(Field::DateAdded) = "2025-01-31";
    const std::vector<AlbumRecord> albums = {collected(), fixture::albumOf("Birch", "Nothing kept"), dated};
    const AlbumStore store = storeOf(albums);
    const std::string bytes = writeCatalogue(store, kLayouts, kHeadings);
    const LoadedCatalogue loaded = read(bytes);
    EXPECT_EQ(loaded.detailsNotice, "");
    ASSERT_EQ(loaded.albums.albumCount(), 3);
    for (int a = 0; a < 3; ++a) {
        EXPECT_EQ(loaded.albums.album(a), albums[static_cast<std::size_t>(a)]) << a;
        EXPECT_EQ(loaded.albums.albumId(a), store.albumId(a)) << a;
    }
    EXPECT_EQ(writeCatalogue(loaded.albums, loaded.layouts, loaded.headings), bytes);
}

TEST(DetailsBlock, AReaderOfTheListsAloneFindsTheFileItKnowsFollowedByTheBlock)
{
    const AlbumStore store = storeOf({collected(), fixture::albumOf("Birch", "Nothing kept")});
    const std::string withBlock = writeCatalogue(store, kLayouts, kHeadings);
    const std::string listsOnly =
        writeCatalogue(storeOf({withoutDetails(collected()), fixture::albumOf("Birch", "Nothing kept")}),
                       kLayouts, kHeadings);
    ASSERT_GT(withBlock.size(), listsOnly.size());
    EXPECT_EQ(withBlock.substr(0, listsOnly.size()), listsOnly);
    EXPECT_EQ(withBlock.substr(listsOnly.size(), 4), kDetailsMarker);
}

TEST(DetailsBlock, ALargeCatalogueReadInTwoPartsKeepsEachAlbumsOwnDetails)
{
    // Enough albums for the reader's two threads; details on every third album, so that the parts
    // hold different numbers of them.
    AlbumStore store;
    std::vector<AlbumRecord> albums;
    for (int i = 0; i < 100000; ++i) {
        AlbumRecord a = fixture::albumOf("Artist " + std::to_string(i % 977), "Album " + std::to_string(i));
        if (i % 3 == 0) {
            a.text(Field::Location) = "Box " + std::to_string(i / 100);
            a.text(Field::Year) = std::to_string(1950 + i % 70);
        }
        store.appendAlbum(a);
        if (i % 997 == 0)
            albums.push_back(a);
    }
    const LoadedCatalogue loaded = read(writeCatalogue(store, kLayouts, kHeadings));
    ASSERT_EQ(loaded.albums.albumCount(), 100000);
    EXPECT_EQ(loaded.detailsNotice, "");
    for (int i = 0, k = 0; i < 100000; i += 997, ++k) {
        EXPECT_EQ(loaded.albums.album(i), albums[static_cast<std::size_t>(k)]) << i;
        EXPECT_EQ(loaded.albums.albumId(i), store.albumId(i)) << i;
    }
}

// Where the block begins in a file of these albums.
std::size_t blockStart(const std::string& bytes)
{
    return bytes.rfind(kDetailsMarker);
}

void putU32(std::string& bytes, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

TEST(DetailsBlock, ABlockThatDoesNotFitItsFileIsLeftUnreadAndTheAlbumsOpen)
{
    const std::vector<AlbumRecord> albums = {collected(), fixture::albumOf("Birch", "Nothing kept")};
    const std::string good = writeCatalogue(storeOf(albums), kLayouts, kHeadings);
    const std::size_t block = blockStart(good);
    struct Case
    {
        const char* name;
        std::function<void(std::string&)> change;
        std::string notice;
    };
    const Case cases[] = {
        {"an album's list text changed by another program",
         [&](std::string& b) { b[b.find("Harbour Lights")] = 'h'; }, detailsNotApplied(kDetailsDoNotMatch)},
        {"another album count", [&](std::string& b) { putU32(b, block + kDetailsHeaderBytes, 3); },
         "that part of the file is damaged (it describes 3 albums where the file has 2"},
        {"cut short", [](std::string& b) { b.pop_back(); }, "that part of the file is damaged"},
        {"something after it", [](std::string& b) { b += "x"; }, "that part of the file is damaged"},
        {"not a block at all", [&](std::string& b) { b[block] = 'X'; }, "that part of the file is damaged"},
        {"two albums of one identity",
         [&](std::string& b) {
             AlbumStore twins = storeOf(albums);
             twins.setAlbumId(1, twins.albumId(0));
             b = writeCatalogue(twins, kLayouts, kHeadings);
         },
         "that part of the file is damaged (two albums have the same identity"},
        {"details out of order",
         [&](std::string& b) {
             // The first album's first detail (its status) named as its last (its loans).
             b[block + kDetailsHeaderBytes + 4 + 8 + 4 + 1] = static_cast<char>(kDetailCount - 1);
         },
         "that part of the file is damaged (an album's details are out of order"},
    };
    for (const Case& c : cases) {
        std::string bytes = good;
        c.change(bytes);
        const LoadedCatalogue loaded = read(bytes);
        ASSERT_EQ(loaded.albums.albumCount(), 2) << c.name;
        const std::string expected =
            c.notice.back() == '.' ? c.notice.substr(0, c.notice.size() - 1) : c.notice;
        EXPECT_NE(loaded.detailsNotice.find(expected), std::string::npos)
            << c.name << ": " << loaded.detailsNotice;
        EXPECT_FALSE(loaded.albums.hasDetails()) << c.name;
        EXPECT_EQ(loaded.albums.album(1), withoutDetails(albums[1])) << c.name;
    }
}

TEST(DetailsBlock, ASongCorrectedByAnotherProgramLeavesTheDetailsInPlace)
{
    std::string bytes = writeCatalogue(storeOf({collected()}), kLayouts, kHeadings);
    bytes[bytes.find("4:12")] = '5';
    const LoadedCatalogue loaded = read(bytes);
    EXPECT_EQ(loaded.detailsNotice, "");
    EXPECT_EQ(loaded.albums.text(Field::Status, 0), "Wanted");
    EXPECT_EQ(loaded.albums.text(timeField(1), 0), "5:12");
}

TEST(DetailsBlock, ANewerProgramsBlockIsKeptAsItWasWhileNoAlbumHasDetailsOfOurs)
{
    const std::string lists =
        writeCatalogue(storeOf({fixture::albumOf("Amber", "One")}), kLayouts, kHeadings);
    std::string newer(kDetailsMarker);
    newer += std::string("\x02\0\0\0", 4);
    const std::string rest = "whatever a later version keeps";
    for (int i = 0; i < 8; ++i)
        newer += static_cast<char>(i == 0 ? rest.size() : 0);
    newer += rest;
    const LoadedCatalogue loaded = read(lists + newer);
    EXPECT_EQ(loaded.detailsNotice, detailsNotApplied(kDetailsNewer));
    EXPECT_EQ(loaded.keptBlock, newer);
    EXPECT_EQ(writeCatalogue(loaded.albums, loaded.layouts, loaded.headings, loaded.keptBlock),
              lists + newer);

    // A block of this version naming a detail it does not know is a later version's too.
    std::string laterDetail = writeCatalogue(storeOf({collected()}), kLayouts, kHeadings);
    const std::size_t firstTag = laterDetail.rfind(kDetailsMarker) + kDetailsHeaderBytes + 4 + 8 + 4 + 1;
    ASSERT_EQ(laterDetail[firstTag], 0) << "the status comes first";
    laterDetail[firstTag] = static_cast<char>(kDetailCount + 3);
    const LoadedCatalogue unknown = read(laterDetail);
    EXPECT_EQ(unknown.detailsNotice, detailsNotApplied(kDetailsNewer));
    EXPECT_FALSE(unknown.albums.hasDetails());
    EXPECT_EQ(writeCatalogue(unknown.albums, unknown.layouts, unknown.headings, unknown.keptBlock),
              laterDetail);

    // Details of this program's own take the block's place.
    AlbumStore changed = loaded.albums;
    changed.setText(Field::Location, 0, "Box 1");
    const std::string written = writeCatalogue(changed, loaded.layouts, loaded.headings, loaded.keptBlock);
    EXPECT_EQ(read(written).albums.text(Field::Location, 0), "Box 1");
}

} // namespace
} // namespace discora
