// Which field each column fills: the heading names one by one, the whole heading row of a Discora
// export, a field claimed by two columns, the user's assignments and the columns named on the
// command line.
#include "core/import/columnmapping.h"
#include "core/view/csvcolumns.h"

#include <gtest/gtest.h>

#include <cctype>

namespace discora {
namespace {

const std::array<std::string, 2> kHeadings = {"Box", "Shelf"};

struct HeadingCase
{
    const char* heading;
    ImportTarget target;
};

void PrintTo(const HeadingCase& c, std::ostream* os)
{
    *os << '"' << c.heading << '"';
}

class HeadingNames : public ::testing::TestWithParam<HeadingCase>
{
};

TEST_P(HeadingNames, NameTheirField)
{
    EXPECT_EQ(targetOfHeading(GetParam().heading, kHeadings), GetParam().target);
}

ImportTarget of(Field f)
{
    return ImportTarget::of(f);
}

INSTANTIATE_TEST_SUITE_P(
    Headings, HeadingNames,
    ::testing::Values(
        // Discora's own headings, in any letter case
        HeadingCase{"Group/Artist", of(Field::Artist)}, HeadingCase{"GROUP/ARTIST", of(Field::Artist)},
        HeadingCase{"Album Name", of(Field::AlbumName)}, HeadingCase{"music type", of(Field::MusicType)},
        HeadingCase{"Media Type", of(Field::MediaType)}, HeadingCase{"Number", of(Field::Number)},
        HeadingCase{"Producers2", of(Field::Producer2)}, HeadingCase{"Label", of(Field::Label)},
        HeadingCase{"Catalog Number", of(Field::CatalogNumber)}, HeadingCase{"Quality", of(Field::Quality)},
        HeadingCase{"Notes", of(Field::Notes)}, HeadingCase{"box", of(Field::Custom1)},
        HeadingCase{" Shelf ", of(Field::Custom2)}, HeadingCase{"Song1", of(titleField(1))},
        HeadingCase{"song26", of(titleField(26))}, HeadingCase{"Time7", of(timeField(7))},
        HeadingCase{"Performers1", of(performerField(1))},
        HeadingCase{"Instrument/Vocals10", of(instrumentField(10))},
        // written another way
        HeadingCase{"album_name", of(Field::AlbumName)}, HeadingCase{"Song 3", of(titleField(3))},
        // common names
        HeadingCase{"Artist", of(Field::Artist)}, HeadingCase{"Band", of(Field::Artist)},
        HeadingCase{"Album", of(Field::AlbumName)}, HeadingCase{"Title", of(Field::AlbumName)},
        HeadingCase{"Genre", of(Field::MusicType)}, HeadingCase{"Format", of(Field::MediaType)},
        HeadingCase{"No.", of(Field::Number)}, HeadingCase{"Producer", of(Field::Producer1)},
        HeadingCase{"Record Label", of(Field::Label)}, HeadingCase{"Cat. No.", of(Field::CatalogNumber)},
        HeadingCase{"Comments", of(Field::Notes)}, HeadingCase{"Custom 2", of(Field::Custom2)},
        HeadingCase{"Track 3 Title", of(titleField(3))}, HeadingCase{"Track 03", of(titleField(3))},
        HeadingCase{"track_5_time", of(timeField(5))}, HeadingCase{"Track 12 Length", of(timeField(12))},
        HeadingCase{"Performer 2", of(performerField(2))},
        HeadingCase{"Performer 2 Instrument", of(instrumentField(2))},
        // beyond what an album holds
        HeadingCase{"Song27", {ImportTarget::Kind::ExtraSong, Field::Artist, 27}},
        HeadingCase{"Track 30 Time", {ImportTarget::Kind::ExtraSong, Field::Artist, 30}},
        HeadingCase{"Performers11", {ImportTarget::Kind::ExtraPerformer, Field::Artist, 11}},
        // the collection's details, by their own headings and Discogs's
        HeadingCase{"Year", of(Field::Year)}, HeadingCase{"Released", of(Field::Year)},
        HeadingCase{"release_id", of(Field::DiscogsId)}, HeadingCase{"UPC", of(Field::Barcode)},
        HeadingCase{"Collection Media Condition", of(Field::MediaCondition)},
        HeadingCase{"MusicBrainz Release ID", of(Field::MusicBrainzId)},
        // nothing
        HeadingCase{"Mood", {}}, HeadingCase{"", {}}, HeadingCase{"Track", {}}, HeadingCase{"Song0", {}},
        HeadingCase{"Disc 1 Track 2", {}}),
    [](const auto& info) {
        std::string name;
        for (char c : std::string(info.param.heading))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name.empty() ? std::string("empty") : name;
    });

ColumnMapping mappingOf(std::vector<std::string_view> headings,
                        const std::array<std::string, 2>& custom = kHeadings)
{
    return ColumnMapping::fromHeadings(headings, custom);
}

std::vector<ImportTarget> targets(const ColumnMapping& m)
{
    std::vector<ImportTarget> out;
    for (int c = 0; c < m.columnCount(); ++c)
        out.push_back(m.target(c));
    return out;
}

TEST(ColumnMapping, ASpreadsheetsColumnsFillTheirFieldsAndLeaveTheRest)
{
    std::vector<std::string_view> headings = {"Artist", "Album", "Year", "Genre"};
    std::vector<std::string> tracks;
    for (int k = 1; k <= 12; ++k)
        tracks.push_back("Track " + std::to_string(k));
    headings.insert(headings.end(), tracks.begin(), tracks.end());
    std::vector<ImportTarget> expected = {of(Field::Artist), of(Field::AlbumName), of(Field::Year),
                                          of(Field::MusicType)};
    for (int k = 1; k <= 12; ++k)
        expected.push_back(of(titleField(k)));
    const ColumnMapping m = mappingOf(headings);
    EXPECT_EQ(targets(m), expected);
    EXPECT_TRUE(m.fillsAnyField());
    EXPECT_EQ(m.columnOf(Field::MusicType), 3);
    EXPECT_EQ(m.columnOf(Field::Custom1), std::nullopt);
}

TEST(ColumnMapping, AFieldGoesToTheFirstColumnNamingItAndOwnHeadingsComeFirst)
{
    EXPECT_EQ(targets(mappingOf({"Artist", "Band"})), (std::vector<ImportTarget>{of(Field::Artist), {}}));
    // "Title" would be the album name, but "Album Name" is Discora's own heading for it.
    EXPECT_EQ(targets(mappingOf({"Title", "Album Name"})),
              (std::vector<ImportTarget>{{}, of(Field::AlbumName)}));
    // A custom heading called "Genre" is that custom field, not the music type.
    EXPECT_EQ(targets(mappingOf({"Genre", "Music Type"}, {"Genre", "Custom 2"})),
              (std::vector<ImportTarget>{of(Field::Custom1), of(Field::MusicType)}));
}

TEST(ColumnMapping, NoHeadingNamingAFieldFillsNothing)
{
    EXPECT_FALSE(mappingOf({"Mood", "Colour", ""}).fillsAnyField());
}

// A custom heading may repeat one of Discora's own; the heading row of an export still tells the
// columns apart, whichever switches wrote it. Where two sets of switches write the same row (only
// the notes, or only the first custom field, here called "Notes"), the built-in field is taken.
TEST(ColumnMapping, AnExportsHeadingRowGivesEachColumnItsOwnField)
{
    const std::array<std::string, 2> custom = {"Notes", "Label"};
    for (unsigned mask : {0u, 0x1FFu, 0x1AAu, 0x4Fu, 0x180u, 0x102u}) {
        ViewOptions switches;
        for (std::size_t s = 0; s < kCsvColumnSwitches.size(); ++s)
            switches.set(kCsvColumnSwitches[s], (mask >> s) & 1u);
        std::vector<std::string_view> headings;
        std::vector<ImportTarget> expected;
        const auto columns = csvColumns(switches, custom);
        for (const CsvColumn& c : columns) {
            headings.push_back(c.heading);
            expected.push_back(of(c.field));
        }
        headings.push_back(""); // the cell after the separator that ends every line
        expected.push_back({});
        EXPECT_EQ(targets(mappingOf(headings, custom)), expected) << "switches " << mask;
    }
}

TEST(ColumnMapping, AssigningAFieldTakesItFromTheColumnThatHadIt)
{
    ColumnMapping m = mappingOf({"Artist", "Mood", "Box"});
    EXPECT_EQ(m.target(2), of(Field::Custom1));
    m.assign(1, of(Field::Custom1));
    EXPECT_EQ(targets(m), (std::vector<ImportTarget>{of(Field::Artist), of(Field::Custom1), {}}));
    m.assign(0, {});
    EXPECT_EQ(m.target(0), ImportTarget{});
    EXPECT_EQ(m.columnOf(Field::Custom1), 1);
}

TEST(ColumnMapping, AColumnIsNamedByItsHeadingOrItsNumber)
{
    const std::vector<std::string_view> headings = {"Artist", "Year", "2"};
    EXPECT_EQ(columnNamed(headings, "year"), 1);
    EXPECT_EQ(columnNamed(headings, "1"), 0);
    EXPECT_EQ(columnNamed(headings, "2"), 2); // a heading of that text comes first
    EXPECT_EQ(columnNamed(headings, "4"), std::nullopt);
    EXPECT_EQ(columnNamed(headings, "0"), std::nullopt);
    EXPECT_EQ(columnNamed(headings, "Genre"), std::nullopt);
    EXPECT_EQ(columnNamed(headings, ""), std::nullopt);
}

TEST(ImportTargets, EveryFieldButTheTrackNumbersHasANameThatFindsIt)
{
    EXPECT_EQ(importableFields().size(), 85u + kCollectionDetailCount);
    for (Field f : importableFields()) {
        const std::string name = importFieldName(f);
        EXPECT_EQ(importTargetFromName(name), of(f)) << name;
    }
    EXPECT_EQ(importTargetFromName("ALBUM-NAME"), of(Field::AlbumName));
    EXPECT_EQ(importTargetFromName("ignore"), ImportTarget{});
    EXPECT_EQ(importTargetFromName("song27"), std::nullopt);
    EXPECT_EQ(importTargetFromName("year"), of(Field::Year));
    EXPECT_EQ(importTargetFromName("colour"), std::nullopt);
}

} // namespace
} // namespace discora
