// The window when memory runs out: a list that could be built only in part is shown with its
// message, and any other command says "Not enough memory" and changes nothing.
#include "core/order/songlist.h"
#include "support/allocationlimit.h"
#include "support/documentfixture.h"
#include "support/fakeprompter.h"
#include "support/testcatalogue.h"
#include "ui/app/application.h"
#include "ui/app/mainwindow.h"
#include "ui/printing/pdfoutput.h"

#include <QFileInfo>
#if __has_include(<sanitizer/lsan_interface.h>)
#include <sanitizer/lsan_interface.h>
#endif
#include <QPageSize>

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace discora {
namespace {

#if defined(__SANITIZE_ADDRESS__) && __has_include(<sanitizer/lsan_interface.h>)
using LeaksIgnored = __lsan::ScopedDisabler;
#else
struct LeaksIgnored
{
};
#endif

class WindowOutOfMemory : public ::testing::Test
{
protected:
    WindowOutOfMemory() : m_app(m_store, &m_prompter)
    {
        m_app.start();
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
    // The limit holds for this thread only: the list is built here rather than beside the window.
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

// A PDF that runs out of memory part-way is not written at all: "Not enough memory", and no file
// (nor a half of one) where it was to go. Each run fails a later allocation of the job.
TEST_F(WindowOutOfMemory, APdfThatRunsOutOfMemoryIsNotWritten)
{
    doc().runOrder(SortOrder::BySong);
    const std::string pdf = m_dir.path().toStdString() + "/songs.pdf";
    const QPageSize a4(QPageSize::A4);
    int failed = 0;
    for (long at : {0L, 5L, 50L, 500L, 5000L}) {
        Status status = success();
        {
            // Qt's own objects caught in a failed allocation inside Qt are not all given back;
            // that is Qt's affair, not a leak of ours.
            const LeaksIgnored ignored;
            const AllocationLimit limit = AllocationLimit::failingAt(at);
            status = printToPdf(doc(), pdf, a4);
        }
        if (status)
            continue;
        ++failed;
        EXPECT_NE(status.error().find(kNotEnoughMemory), std::string::npos) << at << ": " << status.error();
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(pdf))) << at;
    }
    EXPECT_GT(failed, 0);
    ASSERT_TRUE(printToPdf(doc(), pdf, QPageSize(QPageSize::A4)));
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(pdf)));
}

} // namespace
} // namespace discora
