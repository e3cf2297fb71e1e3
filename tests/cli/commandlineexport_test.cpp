// The exports run from the command line: which albums they write, in which sequence, for a filter
// and an order.
#include "cli/commandline.h"
#include "cli/commandlineexport.h"
#include "support/documentfixture.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

using fixture::albumOf;
using fixture::loadAlbums;
using Filters = std::vector<std::pair<FilterField, std::string>>;

class CommandLineExport : public ::testing::Test
{
protected:
    CommandLineExport()
    {
        AlbumRecord zulu = albumOf("Cat", "Zulu");
        zulu.musicType = "Rock";
        zulu.songs[0].title = "Zebra";
        AlbumRecord alpha = albumOf("Bat", "Alpha");
        alpha.musicType = "Rock";
        alpha.songs[0].title = "Aardvark";
        AlbumRecord jazz = albumOf("Ant", "Mid");
        jazz.musicType = "Jazz";
        loadAlbums(doc, {zulu, alpha, jazz});
        doc.setFilter(FilterField::Label, "left over");
    }

    std::string albumColumn(SortOrder order, const Filters& filters)
    {
        ExportSettings settings;
        settings.switches.set(ViewOption::ShowSongs, 0);
        const std::string csv =
            exportDisplayedAlbums(doc, ExportFormat::Csv, order, filters, settings).value().bytes;
        std::string names;
        std::size_t line = csv.find("\r\n");
        while ((line = csv.find("\r\n\"", line)) != std::string::npos) {
            const std::size_t start = csv.find("\",\"", line) + 3;
            names += csv.substr(start, csv.find('"', start) - start) + ";";
            line += 2;
        }
        return names;
    }

    CatalogueDocument doc;
};

TEST_F(CommandLineExport, WritesTheFilteredAlbumsInTheChosenOrder)
{
    EXPECT_EQ(albumColumn(SortOrder::ByArtist, {}), "Mid;Alpha;Zulu;") << "an old filter does not stay";
    EXPECT_EQ(albumColumn(SortOrder::ByAlbumName, {{FilterField::MusicType, "rock"}}), "Alpha;Zulu;");
}

TEST_F(CommandLineExport, ASongOrderWritesTheAlbumSequenceBeneathIt)
{
    // The song list puts Alpha's "Aardvark" first; the albums keep the sequence it was built from,
    // which is by artist, as after the load.
    EXPECT_EQ(albumColumn(SortOrder::BySong, {{FilterField::MusicType, "Rock"}}), "Alpha;Zulu;");
    EXPECT_EQ(albumColumn(SortOrder::ByArtistShort, {}), "Mid;Alpha;Zulu;");
}

struct EqualKeysCase
{
    SortOrder order;
    const char* albums;
};

TEST_F(CommandLineExport, AlbumsWithEqualKeysKeepTheWindowsSequenceByArtist)
{
    // File order differs from artist order within each label and each media type.
    const auto album = [](const char* artist, const char* name, const char* label, const char* media) {
        AlbumRecord a = albumOf(artist, name);
        a.label = label;
        a.mediaType = media;
        return a;
    };
    loadAlbums(doc, {album("Cat", "Zulu", "EMI", "CD"), album("Bat", "Alpha", "EMI", "LP"),
                     album("Ant", "Mid", "Decca", "CD"), album("Dog", "Last", "EMI", "CD")});
    const EqualKeysCase cases[] = {
        {SortOrder::ByLabel, "Mid;Alpha;Zulu;Last;"},
        {SortOrder::ByMediaType, "Mid;Zulu;Last;Alpha;"},
    };
    for (const EqualKeysCase& c : cases) {
        EXPECT_EQ(albumColumn(c.order, {}), c.albums) << orderName(c.order);
        // The window after the same load and order shows the same sequence.
        CatalogueDocument window;
        loadAlbums(window, {album("Cat", "Zulu", "EMI", "CD"), album("Bat", "Alpha", "EMI", "LP"),
                            album("Ant", "Mid", "Decca", "CD"), album("Dog", "Last", "EMI", "CD")});
        ASSERT_TRUE(window.runOrder(c.order));
        EXPECT_EQ(window.displayOrder(), doc.displayOrder()) << orderName(c.order);
    }
}

TEST_F(CommandLineExport, TextFormatUsesTheGivenHeadings)
{
    ExportSettings settings;
    settings.switches.set(ViewOption::ShowSongs, 0);
    settings.switches.set(ViewOption::ShowCustom2, 1);
    settings.headings = {"One", "Shelf"};
    const Filters filters = {{FilterField::Artist, "Ant"}};
    const ExportedFile file =
        exportDisplayedAlbums(doc, ExportFormat::Text, SortOrder::ByArtist, filters, settings).value();
    EXPECT_EQ(file.bytes, "Group/Artist: Ant\nAlbum Name: Mid\nMusic Type: Jazz\nMedia Type: \nNumber: \n"
                          "Shelf: \n\n\n");
}

} // namespace
} // namespace discora
