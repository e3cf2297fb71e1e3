// The exports run from the command line: which albums they write, in which sequence, for a filter
// and an order.
#include "core/commands/commandlineexport.h"
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
        const std::string csv = exportDisplayedAlbums(doc, ExportFormat::Csv, order, filters, settings).bytes;
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
    // The song list puts Alpha's "Aardvark" first; the albums keep the sequence it was built from.
    EXPECT_EQ(albumColumn(SortOrder::BySong, {{FilterField::MusicType, "Rock"}}), "Zulu;Alpha;");
    EXPECT_EQ(albumColumn(SortOrder::ByArtistShort, {}), "Mid;Alpha;Zulu;");
}

TEST_F(CommandLineExport, TextFormatUsesTheGivenHeadings)
{
    ExportSettings settings;
    settings.switches.set(ViewOption::ShowSongs, 0);
    settings.switches.set(ViewOption::ShowCustom2, 1);
    settings.headings = {"One", "Shelf"};
    const Filters filters = {{FilterField::Artist, "Ant"}};
    const ExportedFile file =
        exportDisplayedAlbums(doc, ExportFormat::Text, SortOrder::ByArtist, filters, settings);
    EXPECT_EQ(file.bytes, "Group/Artist: Ant\nAlbum Name: Mid\nMusic Type: Jazz\nMedia Type: \nNumber: \n"
                          "Shelf: \n\n\n");
}

} // namespace
} // namespace discora
