// The text document export: golden blocks with every display switch off and on, the fixed columns
// of the songs and performers tables, and long values that push the columns out.
#include "core/export/textexport.h"
#include "core/order/orderentries.h"
#include "support/documentfixture.h"
#include "support/exportswitches.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

using fixture::albumOf;
using fixture::loadAlbums;

std::string blanks(int n)
{
    return std::string(static_cast<std::size_t>(n), ' ');
}

// Each line followed by a line feed.
std::string lines(std::initializer_list<std::string> texts)
{
    std::string out;
    for (const std::string& t : texts)
        out += t + "\n";
    return out;
}

ExportSettings allSwitches(bool on)
{
    return switchesAll(on, "Box", "Shelf:");
}

class TextExport : public ::testing::Test
{
protected:
    std::string exportAll(const ExportSettings& settings)
    {
        return textExport(doc, settings, albumsOfEntries(doc, {})).bytes;
    }
    CatalogueDocument doc;
};

TEST_F(TextExport, EverySwitchOffGivesFiveLabelledLinesThenTwoEmptyLines)
{
    AlbumRecord a = albumOf("Artist", "Album");
    a.number = "12";
    a.label = "not shown";
    loadAlbums(doc, {a, albumOf("Band", "")});
    EXPECT_EQ(exportAll(allSwitches(false)), "Group/Artist: Artist\n"
                                             "Album Name: Album\n"
                                             "Music Type: \n"
                                             "Media Type: \n"
                                             "Number: 12\n"
                                             "\n\n"
                                             "Group/Artist: Band\n"
                                             "Album Name: \n"
                                             "Music Type: \n"
                                             "Media Type: \n"
                                             "Number: \n"
                                             "\n\n");
}

TEST_F(TextExport, EverySwitchOnGivesTheWholeBlock)
{
    const std::string sixty(60, 'x');
    AlbumRecord a = albumOf("Artist", "Album");
    a.musicType = "Rock";
    a.mediaType = "CD";
    a.number = "7";
    a.producer1 = "P1";
    a.label = "Lab";
    a.catalogNumber = "C-1";
    a.custom1 = "c1";
    a.custom2 = "c2";
    a.quality = "Good";
    a.songs[0] = {"Intro", "1:00", "01"};
    a.songs[2] = {sixty, "9:59", "03"};
    a.songs[4] = {"", "0:10", "05"};
    a.songs[25] = {"Outro", "2:00", "26"};
    a.notes = "line one\r\nline two";
    a.performers[0] = {"Ann", "Bass"};
    a.performers[1] = {"", "Drums"};
    a.performers[9] = {"Zed", "Voc"};
    loadAlbums(doc, {a});

    EXPECT_EQ(exportAll(allSwitches(true)), lines({"Group/Artist: Artist",
                                                   "Album Name: Album",
                                                   "Music Type: Rock",
                                                   "Media Type: CD",
                                                   "Number: 7",
                                                   "Producers: P1",
                                                   blanks(11),
                                                   "Label: Lab",
                                                   "Catalog Number: C-1",
                                                   "Box: c1",
                                                   "Shelf:: c2",
                                                   "Quality: Good",
                                                   "",
                                                   "Num Songs" + blanks(45) + "Time",
                                                   "1   Intro" + blanks(45) + "1:00",
                                                   "3   " + sixty + "9:59",
                                                   "26  Outro" + blanks(45) + "2:00",
                                                   "",
                                                   "Notes: line one\r\nline two",
                                                   "",
                                                   "Performers" + blanks(44) + "Vocals/Instruments",
                                                   "Ann" + blanks(51) + "Bass",
                                                   "Zed" + blanks(51) + "Voc",
                                                   "",
                                                   ""}));
}

TEST_F(TextExport, ColumnsAreCountedInCharactersAndLongNamesPushTheSecondColumnOut)
{
    AlbumRecord a = albumOf("A", "B");
    a.songs[9] = {"Café", "3:00", "10"};
    a.performers[0] = {std::string(54, 'n'), "Guitar"};
    loadAlbums(doc, {a});
    ExportSettings settings = allSwitches(false);
    settings.switches.set(ViewOption::ShowSongs, 1);
    settings.switches.set(ViewOption::ShowPeople, 1);
    const ExportedFile file = textExport(doc, settings, albumsOfEntries(doc, {}));
    EXPECT_FALSE(file.utf8);
    EXPECT_NE(file.bytes.find("10  Caf\xE9" + blanks(46) + "3:00\n"), std::string::npos);
    EXPECT_NE(file.bytes.find("\n" + std::string(54, 'n') + "Guitar\n"), std::string::npos);

    a.songs[9].title = "東京";
    loadAlbums(doc, {a});
    const ExportedFile wide = textExport(doc, settings, albumsOfEntries(doc, {}));
    EXPECT_TRUE(wide.utf8);
    EXPECT_NE(wide.bytes.find("10  東京" + blanks(48) + "3:00\n"), std::string::npos);
}

} // namespace
} // namespace discora
