// Covers as the document keeps them: found by the audio import, held until the catalogue has a
// file, written beside it on save, copied by Save As, cleaned up when no album and no undo step
// uses them, and a missing one never in the way of an open.
#include "core/document/audioimportplan.h"
#include "core/document/cataloguedocument.h"
#include "core/fileformat/coverfolder.h"
#include "core/import/audiofolderscan.h"
#include "support/audiofiles.h"
#include "support/documentfixture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace discora {
namespace {

namespace fs = std::filesystem;

const std::string kFrontJpeg = std::string("\xFF\xD8\xFF\xE0", 4) + "the front of the box";
const std::string kFolderPng = std::string("\x89PNG\r\n\x1A\n", 8) + "a picture beside the files";

class DocumentCovers : public ::testing::Test
{
protected:
    DocumentCovers() : m_dir(fs::temp_directory_path() / ("discora-covers-" + std::to_string(::getpid())))
    {
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "music");
    }
    ~DocumentCovers() override { fs::remove_all(m_dir); }

    // Two albums: one whose file holds its cover, one with a cover.png beside its file.
    void importMusic(CatalogueDocument& doc)
    {
        fixture::writeBytes(m_dir / "music/Embedded/1.flac",
                            fixture::flacBytes({{"ARTIST", "Amber"}, {"ALBUM", "Embedded"}, {"TITLE", "One"}},
                                               60, {fixture::flacPicture(3, "image/jpeg", kFrontJpeg)}));
        fixture::writeBytes(
            m_dir / "music/Beside/1.flac",
            fixture::flacBytes({{"ARTIST", "Birch"}, {"ALBUM", "Beside"}, {"TITLE", "Two"}}, 60));
        fixture::writeBytes(m_dir / "music/Beside/cover.png", kFolderPng);
        auto scan = scanAudioFolder((m_dir / "music").string());
        ASSERT_TRUE(scan) << scan.error();
        auto plan = planAudioImport(doc, (m_dir / "music").string(), std::move(*scan));
        ASSERT_TRUE(plan) << plan.error();
        applyAudioImport(doc, *plan);
        ASSERT_EQ(doc.albumCount(), 2);
    }

    std::string coverOf(const CatalogueDocument& doc, const std::string& artist)
    {
        for (int a = 0; a < doc.albumCount(); ++a)
            if (doc.text(Field::Artist, a) == artist)
                return std::string(doc.text(Field::Cover, a));
        return {};
    }

    fs::path m_dir;
};

TEST_F(DocumentCovers, TheImportsCoversAreKeptUntilTheCatalogueIsSavedAndComeBackWithIt)
{
    CatalogueDocument doc;
    doc.newDocument();
    importMusic(doc);
    const std::string embedded = coverOf(doc, "Amber");
    const std::string beside = coverOf(doc, "Birch");
    ASSERT_TRUE(isCoverName(embedded)) << embedded;
    ASSERT_TRUE(isCoverName(beside)) << beside;
    EXPECT_EQ(doc.coverImage(embedded), kFrontJpeg);
    EXPECT_EQ(doc.coverImage(beside), kFolderPng);
    EXPECT_FALSE(fs::exists(m_dir / "Jazz.covers")) << "no folder before the catalogue has a file";

    ASSERT_TRUE(doc.saveFile((m_dir / "Jazz.dcf").string()));
    EXPECT_TRUE(coverPresent((m_dir / "Jazz.covers").string(), embedded));
    EXPECT_TRUE(coverPresent((m_dir / "Jazz.covers").string(), beside));

    CatalogueDocument again;
    ASSERT_TRUE(again.openFile((m_dir / "Jazz.dcf").string()));
    EXPECT_EQ(again.coverImage(coverOf(again, "Amber")), kFrontJpeg);
    EXPECT_EQ(again.coverImage(coverOf(again, "Birch")), kFolderPng);
}

TEST_F(DocumentCovers, SaveAsTakesTheCoversAlongAndCleaningUpSparesUndoAndTheUsersFiles)
{
    CatalogueDocument doc;
    doc.newDocument();
    importMusic(doc);
    ASSERT_TRUE(doc.saveFile((m_dir / "Jazz.dcf").string()));
    const std::string folder = (m_dir / "Jazz.covers").string();
    fixture::writeBytes(m_dir / "Jazz.covers/notes.txt", "mine");

    // Save As: the new file's folder gets the covers in use.
    ASSERT_TRUE(doc.saveFile((m_dir / "Copy.dcf").string()));
    EXPECT_TRUE(coverPresent((m_dir / "Copy.covers").string(), coverOf(doc, "Amber")));
    EXPECT_TRUE(doc.missingCovers().empty());

    // A deleted album's cover stays while Undo can bring the album back.
    const std::string amber = coverOf(doc, "Amber");
    ASSERT_TRUE(doc.openFile((m_dir / "Jazz.dcf").string()));
    for (int a = 0; a < doc.albumCount(); ++a) {
        if (doc.text(Field::Artist, a) == "Amber") {
            const std::uint32_t album[] = {static_cast<std::uint32_t>(a)};
            doc.deleteAlbums(album);
        }
    }
    ASSERT_TRUE(doc.saveFile((m_dir / "Jazz.dcf").string()));
    EXPECT_TRUE(coverPresent(folder, amber));
    doc.undo();
    EXPECT_EQ(doc.coverImage(coverOf(doc, "Amber")), kFrontJpeg);

    // Once nothing can bring it back, the next save removes it; the user's own file stays.
    ASSERT_TRUE(doc.openFile((m_dir / "Jazz.dcf").string()));
    ASSERT_TRUE(doc.saveFile((m_dir / "Jazz.dcf").string()));
    EXPECT_FALSE(coverPresent(folder, amber));
    EXPECT_TRUE(coverPresent(folder, coverOf(doc, "Birch")));
    EXPECT_TRUE(fs::exists(m_dir / "Jazz.covers/notes.txt"));
}

TEST_F(DocumentCovers, AMissingCoverIsNoObstacleAndSaveAsNamesIt)
{
    CatalogueDocument doc;
    doc.newDocument();
    importMusic(doc);
    ASSERT_TRUE(doc.saveFile((m_dir / "Jazz.dcf").string()));
    const std::string birch = coverOf(doc, "Birch");
    fs::remove(coverPath((m_dir / "Jazz.covers").string(), birch));

    CatalogueDocument again;
    ASSERT_TRUE(again.openFile((m_dir / "Jazz.dcf").string()));
    EXPECT_EQ(again.coverImage(birch), std::nullopt);
    ASSERT_TRUE(again.saveFile((m_dir / "Elsewhere.dcf").string()));
    EXPECT_EQ(again.missingCovers(), std::vector<std::string>{birch});
    EXPECT_TRUE(coverPresent((m_dir / "Elsewhere.covers").string(), coverOf(again, "Amber")));
}

} // namespace
} // namespace discora
