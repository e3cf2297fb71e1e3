// What `discora --list` prints: one line per entry whatever the texts hold, the fields apart.
#include "core/export/orderlisting.h"
#include "core/order/orders.h"
#include "support/documentfixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace discora {
namespace {

std::vector<std::string> listed(CatalogueDocument& doc, SortOrder order)
{
    EXPECT_TRUE(doc.runOrder(order));
    std::vector<std::string> lines;
    listCurrentOrder(doc, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

bool anyLineHas(const std::vector<std::string>& lines, const std::string& text)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

std::size_t tabs(const std::vector<std::string>& lines)
{
    std::size_t count = 0;
    for (const std::string& line : lines)
        count += static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t'));
    return count;
}

TEST(OrderListing, TabsLineBreaksAndBackslashesInTextsAreWrittenAsEscapes)
{
    // Texts a comma-separated import can bring in: a quoted field may hold any of these. The plain
    // catalogue has the same albums without them, so its list has as many lines.
    AlbumRecord odd = fixture::albumOf("Tab\there", "Two\nlines\r\nend");
    odd.songs[0].title = "Back\\slash\tsong";
    AlbumRecord plain = fixture::albumOf("Tab here", "Two lines end");
    plain.songs[0].title = "Back slash song";
    CatalogueDocument doc;
    fixture::loadAlbums(doc, {odd, fixture::albumOf("Plain", "Album")});
    CatalogueDocument plainDoc;
    fixture::loadAlbums(plainDoc, {plain, fixture::albumOf("Plain", "Album")});

    const struct
    {
        SortOrder order;
        std::vector<std::string> written; // each in one of the lines
    } cases[] = {
        {SortOrder::ByArtist, {"Tab\\there", "Two\\nlines\\r\\nend"}},
        {SortOrder::ByAlbumName, {"Two\\nlines\\r\\nend"}},
        {SortOrder::ByArtistShort, {"Tab\\there"}},
        {SortOrder::BySong, {"Back\\\\slash\\tsong\t"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(sortOrderInfo(c.order).name));
        const std::vector<std::string> lines = listed(doc, c.order);
        const std::vector<std::string> plainLines = listed(plainDoc, c.order);
        EXPECT_EQ(lines.size(), plainLines.size());
        EXPECT_EQ(tabs(lines), tabs(plainLines)) << "the fields stay apart";
        for (const std::string& line : lines)
            EXPECT_EQ(line.find_first_of("\n\r"), std::string::npos) << line;
        for (const std::string& text : c.written)
            EXPECT_TRUE(anyLineHas(lines, text)) << text;
    }
}

// Line k of a list long enough to be made a stretch at a time begins with expectedStart(k).
template <class ExpectedStart>
void expectEachLineAtItsPlace(const std::vector<std::string>& lines, std::size_t entries,
                              ExpectedStart expectedStart)
{
    ASSERT_EQ(lines.size(), entries);
    ASSERT_GT(lines.size(), 65536u);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::string expected = expectedStart(k);
        ASSERT_EQ(lines[k].substr(0, expected.size()), expected) << "line " << k;
    }
}

// A list long enough to be made a stretch at a time in album order still prints each entry's line
// at its place: line k is entry k's, for songs and performers spread over albums in every order,
// with the artist headers of the short list and the performer headings among them.
TEST(OrderListing, LongListsPrintEachEntryAtItsPlace)
{
    std::vector<AlbumRecord> albums;
    for (int a = 0; a < 6700; ++a) {
        AlbumRecord album = fixture::albumOf("Artist " + std::to_string(a * 7919 % 6700 / 3), "Album");
        for (int s = 0; s < 10; ++s)
            album.songs[s].title = "T" + std::to_string((a * 31 + s * 17) % 9973) + "-" + std::to_string(a);
        for (int p = 0; p < kPerformerSlots; ++p)
            album.performers[p] = {"P" + std::to_string((a * 13 + p * 7) % 4001), "i" + std::to_string(a)};
        albums.push_back(album);
    }
    CatalogueDocument doc;
    fixture::loadAlbums(doc, albums);
    for (SortOrder order : {SortOrder::BySong, SortOrder::ByArtistShort}) {
        SCOPED_TRACE(std::string(sortOrderInfo(order).name));
        const std::vector<std::string> lines = listed(doc, order);
        const auto& songs = doc.derivedLists().songs;
        expectEachLineAtItsPlace(lines, songs.size(), [&](std::size_t k) {
            const SongEntry& e = songs[k];
            return e.isHeader()
                       ? std::string(doc.text(Field::Artist, static_cast<int>(e.album)))
                       : std::string(songTitle(doc, e)) + "\t" + std::string(songTrack(doc, e)) + "\t";
        });
    }
    const std::vector<std::string> lines = listed(doc, SortOrder::ByPerformer);
    const auto& performers = doc.derivedLists().performers;
    expectEachLineAtItsPlace(lines, performers.size(), [&](std::size_t k) {
        const PerformerEntry& e = performers[k];
        return e.header ? std::string(performerName(doc, e))
                        : std::string(performerInstrument(doc, e)) + "\t";
    });
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (performers[k].header) {
            ASSERT_EQ(lines[k], std::string(performerName(doc, performers[k])))
                << "a heading is its name alone, line " << k;
        }
    }
}

} // namespace
} // namespace discora
