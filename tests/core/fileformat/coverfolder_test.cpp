// The covers folder beside a catalogue: names that follow the bytes, one file for a shared picture,
// the folder made only for a first cover, Save As with covers gone missing, clean-up that spares
// what a user keeps there, and names that would lead out of the folder.
#include "core/fileformat/coverfolder.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

#include <stdlib.h>

namespace discora {
namespace {

namespace fs = std::filesystem;
using fixture::fileBytes;
using fixture::putFileBytes;

const std::string kJpeg = std::string("\xFF\xD8\xFF\xE0", 4) + "a small picture";
const std::string kPng = std::string("\x89PNG\r\n\x1A\n", 8) + "another picture";

class CoverFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temporary.made());
        m_folder = coverFolderOf((m_dir / "Jazz.dcf").string());
    }

    static std::set<std::string> filesIn(const fs::path& folder) { return fixture::filesIn(folder); }
    std::string add(const std::string& bytes) const
    {
        const Result<std::string> name = addCover(m_folder, bytes);
        EXPECT_TRUE(name) << name.error();
        return name ? *name : std::string();
    }

    fixture::TemporaryFolder m_temporary{"discora-covers"};
    const fs::path& m_dir = m_temporary.path();
    std::string m_folder;
};

TEST(CoverFolderOf, TheFolderIsNamedAfterTheCatalogue)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/a/Jazz.dcf", "/a/Jazz.covers"},     {"/a/Jazz.DCF", "/a/Jazz.covers"},
        {"Jazz.dcf", "Jazz.covers"},           {"/a/Old.Jazz.dcf", "/a/Old.Jazz.covers"},
        {"/a/Jazz.bak", "/a/Jazz.bak.covers"}, {"/a/Jazz", "/a/Jazz.covers"},
        {"/a/.dcf", "/a/.dcf.covers"},         {"/a.dcf/Jazz", "/a.dcf/Jazz.covers"},
    };
    for (const auto& [catalogue, folder] : cases)
        EXPECT_EQ(coverFolderOf(catalogue), folder) << catalogue;
}

TEST(CoverName, FollowsTheBytesAndTheirKind)
{
    const Result<std::string> jpeg = coverNameOf(kJpeg);
    const Result<std::string> png = coverNameOf(kPng);
    ASSERT_TRUE(jpeg && png);
    EXPECT_TRUE(isCoverName(*jpeg) && jpeg->ends_with(".jpg")) << *jpeg;
    EXPECT_TRUE(isCoverName(*png) && png->ends_with(".png")) << *png;
    EXPECT_EQ(*coverNameOf(kJpeg), *jpeg);

    // Pictures that differ anywhere, by one bit at the end or only in length, differ in both halves.
    std::string lastBitChanged = kJpeg;
    lastBitChanged.back() ^= 1;
    for (const std::string& other : {lastBitChanged, kJpeg + '\0', std::string(kJpeg, 0, kJpeg.size() - 1)}) {
        const std::string name = *coverNameOf(other);
        EXPECT_NE(name.substr(0, 16), jpeg->substr(0, 16));
        EXPECT_NE(name.substr(16, 16), jpeg->substr(16, 16));
    }
}

TEST(CoverName, OnlyJpegAndPngPicturesWithinTheLimitAreTaken)
{
    std::string largest = kJpeg;
    largest.resize(kCoverByteLimit, 'x');
    const struct
    {
        const char* name;
        std::string bytes;
        const char* refusal; // nullptr when taken
    } cases[] = {
        {"jpeg", kJpeg, nullptr},
        {"png", kPng, nullptr},
        {"at the limit", largest, nullptr},
        {"beyond the limit", largest + 'x', kCoverTooLarge},
        {"empty", "", kCoverNotAnImage},
        {"gif", "GIF89a....", kCoverNotAnImage},
        {"jpeg start cut short", "\xFF\xD8", kCoverNotAnImage},
        {"png signature cut short", "\x89PNG\r\n", kCoverNotAnImage},
        {"text", "not a picture at all", kCoverNotAnImage},
    };
    for (const auto& c : cases) {
        const Result<std::string> name = coverNameOf(c.bytes);
        if (!c.refusal) {
            EXPECT_TRUE(name) << c.name;
        } else {
            ASSERT_FALSE(name) << c.name;
            EXPECT_EQ(name.error(), c.refusal) << c.name;
        }
    }
}

TEST_F(CoverFolder, IsMadeOnlyWhenTheFirstCoverIsAdded)
{
    EXPECT_FALSE(fs::exists(m_folder));
    EXPECT_FALSE(addCover(m_folder, "GIF89a"));
    EXPECT_FALSE(addCover(m_folder, kJpeg + std::string(kCoverByteLimit, 'x')));
    EXPECT_FALSE(fs::exists(m_folder)) << "a refused picture made the folder";

    const std::string name = add(kJpeg);
    EXPECT_TRUE(fs::is_directory(m_folder));
    EXPECT_EQ(filesIn(m_folder), std::set<std::string>{name});
    EXPECT_EQ(fileBytes(coverPath(m_folder, name)), kJpeg);
    EXPECT_TRUE(coverPresent(m_folder, name));
}

TEST_F(CoverFolder, AlbumsWithTheSamePictureShareOneFile)
{
    const std::string first = add(kJpeg);
    const std::string second = add(kJpeg);
    const std::string other = add(kPng);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, other);
    EXPECT_EQ(filesIn(m_folder), (std::set<std::string>{first, other}));

    // A file of the name that lost its bytes is written again.
    putFileBytes(coverPath(m_folder, first), "cut sh");
    EXPECT_EQ(add(kJpeg), first);
    EXPECT_EQ(fileBytes(coverPath(m_folder, first)), kJpeg);
}

TEST_F(CoverFolder, AFileInThePlaceOfTheFolderIsSaid)
{
    putFileBytes(m_folder, "not a folder");
    const Result<std::string> name = addCover(m_folder, kJpeg);
    ASSERT_FALSE(name);
    EXPECT_NE(name.error().find("covers folder"), std::string::npos) << name.error();
    EXPECT_EQ(fileBytes(m_folder), "not a folder");
}

TEST_F(CoverFolder, NamesThatAreNotCoverNamesNeverBecomePaths)
{
    const std::string valid = *coverNameOf(kJpeg);
    const std::string digits = valid.substr(0, 32);
    // Each would reach a file outside the folder or one a user keeps there.
    putFileBytes(m_dir / "outside.jpg", kJpeg);
    fs::create_directories(m_folder);
    putFileBytes(fs::path(m_folder) / "Cover.JPG", kJpeg);
    const std::string hostile[] = {
        "",
        "../outside.jpg",
        "/etc/passwd",
        "Cover.JPG",
        digits + ".JPG",
        digits + ".jpeg",
        digits + ".gif",
        std::string(32, 'A') + ".jpg",
        digits.substr(1) + ".jpg",
        digits + "0.jpg",
        "../" + digits.substr(3) + ".jpg",
        digits + ".jpg/../../outside.jpg",
        digits.substr(0, 31) + "/.jpg",
        std::string(digits).append(1, '\0') + "jpg",
    };
    for (const std::string& name : hostile) {
        EXPECT_FALSE(isCoverName(name)) << name;
        EXPECT_EQ(coverPath(m_folder, name), "") << name;
        EXPECT_FALSE(coverPresent(m_folder, name)) << name;
    }
    EXPECT_EQ(coverPath(m_folder, valid), m_folder + "/" + valid);
    EXPECT_EQ(coverPath(m_folder + "/", valid), m_folder + "/" + valid);
}

TEST_F(CoverFolder, SaveAsCopiesTheCoversInUseAndNamesTheMissingOnes)
{
    const std::string jpeg = add(kJpeg);
    const std::string png = add(kPng);
    const std::string unused = add(kJpeg + "unused");
    const std::string gone = *coverNameOf(kPng + "deleted since");
    const std::string names[] = {jpeg, gone, png, jpeg, "../Jazz.dcf"};

    const std::string copy = coverFolderOf((m_dir / "Copy.dcf").string());
    const Result<std::vector<std::string>> missing = copyCovers(m_folder, copy, names);
    ASSERT_TRUE(missing) << missing.error();
    EXPECT_EQ(*missing, (std::vector<std::string>{gone, "../Jazz.dcf"}));
    EXPECT_EQ(filesIn(copy), (std::set<std::string>{jpeg, png}));
    EXPECT_EQ(fileBytes(coverPath(copy, png)), kPng);
    EXPECT_TRUE(coverPresent(m_folder, unused)) << "the old folder is left as it was";

    // Again over the copy, and onto the folder itself: nothing changes, the missing are still said.
    EXPECT_EQ(*copyCovers(m_folder, copy, names), *missing);
    EXPECT_EQ(*copyCovers(m_folder, m_folder, names), *missing);
    EXPECT_EQ(filesIn(copy), (std::set<std::string>{jpeg, png}));
    EXPECT_EQ(filesIn(m_folder).size(), 3u);
}

TEST_F(CoverFolder, SaveAsMakesTheFolderOnlyForACoverItCopies)
{
    const std::string jpeg[] = {add(kJpeg)};
    const std::string gone[] = {*coverNameOf(kPng)};
    const std::string copy = coverFolderOf((m_dir / "Copy.dcf").string());
    EXPECT_EQ(copyCovers(m_folder, copy, gone)->size(), 1u);
    EXPECT_FALSE(fs::exists(copy));

    const std::string unreachable = coverFolderOf((m_dir / "no such folder" / "Copy.dcf").string());
    const Result<std::vector<std::string>> missing = copyCovers(m_folder, unreachable, jpeg);
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.error().find("covers folder"), std::string::npos) << missing.error();
}

TEST_F(CoverFolder, CleanUpRemovesOnlyUnusedCoversDiscoraWrote)
{
    const std::string used = add(kJpeg);
    const std::string unused = add(kPng);
    add(kJpeg + "another");
    const fs::path folder(m_folder);
    const std::string upperCase = [&] {
        std::string name = unused.substr(0, 32);
        std::transform(name.begin(), name.end(), name.begin(),
                       [](char c) { return static_cast<char>(std::toupper(c)); });
        return name + ".png";
    }();
    const std::set<std::string> usersOwn = {"notes.txt", "Cover.JPG", upperCase, used + ".txt",
                                            unused.substr(0, 32) + ".jpeg"};
    for (const std::string& name : usersOwn)
        putFileBytes(folder / name, "kept by the user");
    // A folder of a cover's name is not a file Discora wrote either.
    const std::string folderName = *coverNameOf(kPng + "folder");
    fs::create_directories(folder / folderName / "inside");

    const std::string usedNames[] = {used, "../Jazz.dcf"};
    EXPECT_EQ(removeUnusedCovers(m_folder, usedNames), 2);
    std::set<std::string> expected = usersOwn;
    expected.insert({used, folderName});
    EXPECT_EQ(filesIn(folder), expected);
    EXPECT_TRUE(fs::exists(m_dir)) << "nothing outside the folder is touched";

    EXPECT_EQ(removeUnusedCovers(m_folder, usedNames), 0);
    EXPECT_EQ(removeUnusedCovers((m_dir / "Missing.covers").string(), usedNames), 0);
}

} // namespace
} // namespace discora
