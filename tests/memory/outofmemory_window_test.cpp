// The window when memory runs out: a list that could be built only in part is shown with its
// message, and any other command says "Not enough memory" and changes nothing.
#include "core/order/songlist.h"
#include "support/allocationlimit.h"
#include "support/documentfixture.h"
#include "support/fakeprompter.h"
#include "support/testcatalogue.h"
#include "ui/app/application.h"
#include "ui/app/mainwindow.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace discora {
namespace {

class WindowOutOfMemory : public ::testing::Test
{
protected:
    WindowOutOfMemory() : m_app(m_store, &m_prompter)
    {
        m_app.start(CommandLine{});
        std::vector<AlbumRecord> albums;
        for (int a = 0; a < 300; ++a)
            albums.push_back(fixture::distinctAlbum(a));
        CatalogueDocument source;
        fixture::loadAlbums(source, albums);
        const QString file = m_dir.path() + "/big.dcf";
        EXPECT_TRUE(source.saveFile(file.toStdString()));
        EXPECT_TRUE(m_app.mainWindow().openFile(file));
        doc().setModified(true); // unsaved changes that must survive
    }

    CatalogueDocument& doc() { return m_app.document(); }

    QTemporaryDir m_dir;
    MemorySettingsStore m_store;
    FakePrompter m_prompter;
    Application m_app;
};

TEST_F(WindowOutOfMemory, ASongListBuiltInPartIsShownWithItsMessage)
{
    {
        // 300 albums of 26 songs need a list of 62,400 bytes; a block of 16 KiB is the most there is.
        AllocationLimit limit(16 * 1024);
        m_app.mainWindow().runCommand(CommandId::SortBySong);
    }
    EXPECT_EQ(m_prompter.errors, (std::vector<std::string>{kSongsOutOfMemory}));
    EXPECT_EQ(doc().currentOrder(), SortOrder::BySong);
    EXPECT_GT(doc().derivedLists().songs.size(), 0u);
    EXPECT_LT(doc().derivedLists().songs.size(), 300u * kSongSlots);
    EXPECT_TRUE(doc().isModified());
}

TEST_F(WindowOutOfMemory, AnyOtherCommandSaysNotEnoughMemoryAndChangesNothing)
{
    const auto shown = doc().displayOrder();
    {
        auto limit = AllocationLimit::failingAt(0);
        m_app.mainWindow().runCommand(CommandId::SortByAlbumName);
    }
    EXPECT_EQ(m_prompter.errors, (std::vector<std::string>{kNotEnoughMemory}));
    EXPECT_EQ(doc().currentOrder(), SortOrder::ByArtist);
    EXPECT_EQ(doc().displayOrder(), shown);
    EXPECT_TRUE(doc().isModified());
}

} // namespace
} // namespace discora
