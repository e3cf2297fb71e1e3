// Covers the audio import finds: the front cover embedded in each kind of file, written byte by
// byte and by the encoders, and the picture an album's folder holds under a cover's usual names.
#include "core/import/audiofilereader.h"
#include "core/import/coverimage.h"
#include "support/audiofiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include <stdlib.h>

namespace discora {
namespace {

namespace fs = std::filesystem;
using fixture::apicFrame;
using fixture::flacPicture;

// Picture bytes with a zero and high bytes in them, so that nothing reads them as a text.
const std::string kFront = std::string("\xFF\xD8\xFF\xE0\0front\x80\xFF", 12);
const std::string kBack = std::string("\xFF\xD8\xFF\xE0\0back", 9);
const std::string kOther = std::string("\x89PNG\r\n\x1A\n\0other", 14);

class Covers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char name[] = "/tmp/discora-coverimage-XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        m_dir = name;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path m_dir;
};

TEST_F(Covers, TheFrontCoverIsTakenFromEachKindOfFile)
{
    const fixture::AudioTags tags = {{"TITLE", "Song"}};
    const struct
    {
        const char* name;
        std::string bytes;
        std::string cover;
    } cases[] = {
        {"front.flac",
         fixture::flacBytes(tags, 3,
                            {flacPicture(4, "image/jpeg", kBack), flacPicture(3, "image/jpeg", kFront),
                             flacPicture(3, "image/png", kOther)}),
         kFront},
        {"no-front.flac",
         fixture::flacBytes(tags, 3, {flacPicture(0, "image/png", kOther), flacPicture(4, "", kBack)}),
         kOther},
        {"empty-picture.flac",
         fixture::flacBytes(tags, 3, {flacPicture(3, "image/jpeg", ""), flacPicture(4, "image/jpeg", kBack)}),
         kBack},
        {"none.flac", fixture::flacBytes(tags, 3), ""},
        {"front.mp3",
         fixture::mp3Bytes(apicFrame(4, "image/jpeg", kBack) + apicFrame(3, "image/jpeg", kFront), 3),
         kFront},
        {"no-front.mp3",
         fixture::mp3Bytes(fixture::latin1Frame("TIT2", "Song") + apicFrame(0, "image/png", kOther), 3),
         kOther},
        {"none.mp3", fixture::mp3Bytes(fixture::latin1Frame("TIT2", "Song"), 3), ""},
        {"two.m4a", fixture::mp4Bytes({kFront, kBack}), kFront},
        {"none.m4a", fixture::mp4Bytes({}), ""},
        {"text.flac", "a letter, not a song", ""},
        {"picture.mp3", kFront, ""},
        {"picture.jpg", kFront, ""},
    };
    for (const auto& c : cases) {
        const fs::path file = m_dir / c.name;
        fixture::writeBytes(file, c.bytes);
        EXPECT_EQ(readFrontCover(file.string()), c.cover) << c.name;
    }
    EXPECT_EQ(readFrontCover((m_dir / "missing.flac").string()), "");
}

TEST_F(Covers, TagsAreReadBesideThePictures)
{
    const fs::path file = m_dir / "song.flac";
    fixture::writeBytes(file,
                        fixture::flacBytes({{"TITLE", "Song"}}, 3, {flacPicture(3, "image/jpeg", kFront)}));
    const Result<AudioTrack> track = readAudioFile(file.string());
    ASSERT_TRUE(track) << track.error();
    EXPECT_EQ(track->title, "Song");
    EXPECT_EQ(track->seconds, 3);
}

TEST_F(Covers, PicturesTheEncodersEmbedAreRead)
{
    const std::string d = m_dir.string() + "/";
    fixture::writeBytes(m_dir / "silence.raw", std::string(17640, '\0'));
    fixture::writeBytes(m_dir / "front.jpg", kFront);
    const std::string raw =
        " --force-raw-format --endian=little --sign=signed --channels=2 --bps=16 --sample-rate=44100 ";
    const std::pair<std::string, std::string> encoded[] = {
        {"a.flac", "flac --silent" + raw + "--picture='3|image/jpeg||1x1x24|" + d + "front.jpg' -o " + d +
                       "a.flac " + d + "silence.raw"},
        {"b.ogg", "oggenc -Q -r -B 16 -C 2 -R 44100 -c METADATA_BLOCK_PICTURE=" +
                      fixture::base64(flacPicture(3, "image/jpeg", kFront)) + " -o " + d + "b.ogg " + d +
                      "silence.raw"},
        {"c.mp3", "lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian --ti " + d + "front.jpg " +
                      d + "silence.raw " + d + "c.mp3"},
    };
    for (const auto& [name, command] : encoded) {
        ASSERT_EQ(std::system((command + " 2>/dev/null").c_str()), 0) << command;
        EXPECT_EQ(readFrontCover(d + name), kFront) << name;
    }
}

TEST_F(Covers, TheFolderImageIsChosenByNameThenExtension)
{
    const struct
    {
        const char* name;
        std::vector<std::string> files; // a trailing slash makes a folder
        const char* album;
        const char* chosen; // nullptr for none
    } cases[] = {
        {"cover", {"cover.jpg", "01 Song.flac"}, "Blue Train", "cover.jpg"},
        {"letter case", {"Cover.JPG"}, "Blue Train", "Cover.JPG"},
        {"folder", {"FOLDER.Png"}, "Blue Train", "FOLDER.Png"},
        {"front", {"front.jpeg"}, "Blue Train", "front.jpeg"},
        {"names in order",
         {"front.jpg", "Blue Train.jpg", "folder.jpg", "cover.png"},
         "Blue Train",
         "cover.png"},
        {"then folder", {"front.jpg", "Blue Train.jpg", "Folder.jpeg"}, "Blue Train", "Folder.jpeg"},
        {"then front", {"Blue Train.jpg", "front.png"}, "Blue Train", "front.png"},
        {"album name", {"blue TRAIN.Png", "back.jpg"}, "Blue Train", "blue TRAIN.Png"},
        {"extensions in order", {"cover.png", "cover.jpeg", "cover.jpg"}, "", "cover.jpg"},
        {"jpeg before png", {"cover.png", "cover.JPEG"}, "", "cover.JPEG"},
        {"case twins by bytes", {"cover.jpg", "Cover.jpg", "COVER.jpg"}, "", "COVER.jpg"},
        {"a folder is no picture", {"cover.jpg/", "folder.jpg"}, "", "folder.jpg"},
        {"other names",
         {"cover.gif", "covers.jpg", "back.jpg", "cover.jpg.txt", "cover", "xcover.jpg"},
         "",
         nullptr},
        {"no album name", {".jpg", ".png"}, "", nullptr},
        {"empty folder", {}, "Blue Train", nullptr},
    };
    for (const auto& c : cases) {
        const fs::path folder = m_dir / c.name;
        fs::create_directories(folder);
        for (const std::string& file : c.files) {
            if (file.ends_with('/'))
                fs::create_directories(folder / file);
            else
                fixture::writeBytes(folder / file, kFront);
        }
        const std::optional<std::string> chosen = folderCoverImage(folder.string(), c.album);
        if (c.chosen)
            EXPECT_EQ(chosen, (folder / c.chosen).string()) << c.name;
        else
            EXPECT_EQ(chosen, std::nullopt) << c.name << ": " << chosen.value_or("");
    }
    EXPECT_EQ(folderCoverImage((m_dir / "missing").string(), "Blue Train"), std::nullopt);
}

TEST_F(Covers, ALinkToAPictureCountsAndABrokenLinkDoesNot)
{
    fixture::writeBytes(m_dir / "art" / "scan.jpg", kFront);
    fs::create_directories(m_dir / "album");
    fs::create_symlink("../art/scan.jpg", m_dir / "album" / "folder.jpg");
    fs::create_symlink("../art/gone.jpg", m_dir / "album" / "cover.jpg");
    EXPECT_EQ(folderCoverImage((m_dir / "album").string(), ""), (m_dir / "album" / "folder.jpg").string());
}

} // namespace
} // namespace discora
