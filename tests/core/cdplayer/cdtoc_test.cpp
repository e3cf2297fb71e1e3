// Track lengths and play ranges from a table of contents, and the "MM:SS" form of a length.
#include "core/cdplayer/cdtoc.h"

#include <gtest/gtest.h>

namespace discora {
namespace {

TEST(CdToc, LengthsAreSectorDifferencesInWholeSeconds)
{
    // 03:05 and a frame, 00:59 and 74 frames, then 12:00.
    const CdToc toc({{0, true}, {185 * 75 + 1, true}, {185 * 75 + 1 + 59 * 75 + 74, true}},
                    185 * 75 + 1 + 59 * 75 + 74 + 720 * 75);
    ASSERT_EQ(toc.trackCount(), 3);
    EXPECT_EQ(toc.length(1), (CdTime{3, 5}));
    EXPECT_EQ(toc.length(2), (CdTime{0, 59}));
    EXPECT_EQ(toc.length(3), (CdTime{12, 0}));
    EXPECT_EQ(toc.end(3), toc.start(4)); // the lead-out
}

TEST(CdToc, TimesAreWrittenWithTwoDigitsEach)
{
    struct Row
    {
        CdTime time;
        const char* text;
    };
    for (const Row row : {Row{{3, 5}, "03:05"}, Row{{0, 59}, "00:59"}, Row{{0, 0}, "00:00"},
                          Row{{74, 10}, "74:10"}, Row{{104, 3}, "104:03"}})
        EXPECT_EQ(formatTrackTime(row.time), row.text);
}

TEST(CdToc, AnEnhancedCdKeepsItsDataTrackAndTheSessionGapOutOfTheMusic)
{
    // Two audio tracks of a minute, then the data track of the second session 11400 sectors on.
    const std::int32_t dataStart = 2 * 4500 + kSessionGapSectors;
    const CdToc toc({{0, true}, {4500, true}, {dataStart, false}}, dataStart + 30000, dataStart);
    EXPECT_EQ(toc.trackCount(), 2);
    EXPECT_EQ(toc.sectors(2), 4500);
    EXPECT_EQ(toc.length(2), (CdTime{1, 0}));
    EXPECT_EQ(toc.end(2), 9000);

    // Without a second session (a disc image, say) nothing is taken off.
    const CdToc oneSession({{0, true}, {4500, true}, {9000, false}}, 20000);
    EXPECT_EQ(oneSession.trackCount(), 2);
    EXPECT_EQ(oneSession.sectors(2), 4500);
}

TEST(CdToc, ALastTrackShorterThanFourSecondsIsTooShortWhateverItHolds)
{
    struct Row
    {
        const char* name;
        CdToc toc;
        bool tooShort;
    };
    const Row rows[] = {
        {"four seconds", CdToc({{0, true}, {750, true}}, 750 + 300), false},
        {"a frame less", CdToc({{0, true}, {750, true}}, 750 + 299), true},
        {"a short first track before a long last one", CdToc({{0, true}, {10, true}}, 10 + 300), false},
        {"a short data track last", CdToc({{0, true}, {750, false}}, 750 + 100), true},
        {"no tracks", CdToc(), false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.toc.lastTrackTooShort(), row.tooShort) << row.name;
}

TEST(CdToc, AMixedDiscWithDataFirstKeepsEveryTrack)
{
    const CdToc toc({{0, false}, {6000, true}, {9000, true}}, 12000);
    EXPECT_EQ(toc.trackCount(), 3);
    EXPECT_FALSE(toc.isAudio(1));
    EXPECT_TRUE(toc.isAudio(2));
}

} // namespace
} // namespace discora
