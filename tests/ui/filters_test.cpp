#include "cli/commandlinemodes.h"
#include "core/model/albumdetails.h"
#include "support/fakeprompter.h"
#include "ui/app/application.h"
#include "ui/app/mainwindow.h"
#include "ui/dialogs/filtersdialog.h"
#include "ui/view/catalogueview.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "support/documentfixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace discora {
namespace {

AlbumRecord album(const char* artist, const char* musicType, const char* performer = "")
{
    AlbumRecord a;
    a.artist = artist;
    a.musicType = musicType;
    a.performers[0].name = performer;
    return a;
}

class FiltersTest : public ::testing::Test
{
protected:
    FiltersTest() : m_app(m_store, &m_prompter)
    {
        m_app.start();
        CatalogueDocument source;
        for (const AlbumRecord& a :
             {album("The Rockets", "Rock", "Ann"), album("Zed", "rock", "Bob"),
              album("Amber", "Rock and Roll"), album("Hardliners", "Hard Rock", "ann")})
            fixture::appendAlbums(source, {a});
        const std::string file = (m_dir.path() + "/f.dcf").toStdString();
        EXPECT_TRUE(source.saveFile(file));
        EXPECT_TRUE(m_app.mainWindow().openFile(QString::fromStdString(file)));
    }

    // Runs the Filters command; answer() is called with the dialog while it is open.
    void runFilters(const std::function<void(FiltersDialog&)>& answer)
    {
        QTimer::singleShot(0, [answer] {
            auto* dialog = qobject_cast<FiltersDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(*dialog);
        });
        m_app.mainWindow().runCommand(CommandId::Filters);
    }

    CatalogueDocument& doc() { return m_app.document(); }

    QTemporaryDir m_dir;
    MemorySettingsStore m_store;
    FakePrompter m_prompter;
    Application m_app;
};

TEST_F(FiltersTest, OfferAllFirstThenValuesIgnoringALeadingThe)
{
    QStringList artists;
    runFilters([&](FiltersDialog& dialog) {
        QComboBox* box = dialog.comboBox(FilterField::Artist);
        for (int i = 0; i < box->count(); ++i)
            artists << box->itemText(i);
        EXPECT_EQ(box->currentText(), "All");
        QComboBox* performers = dialog.comboBox(FilterField::Performer);
        EXPECT_EQ(performers->count(), 3); // All, Ann, Bob: "ann" is the same name
        dialog.reject();
    });
    EXPECT_EQ(artists, (QStringList{"All", "Amber", "Hardliners", "The Rockets", "Zed"}));
}

TEST_F(FiltersTest, OkAppliesAPrefixFilterAndCancelKeepsIt)
{
    ASSERT_EQ(doc().displayedCount(), 4);
    runFilters([](FiltersDialog& dialog) {
        dialog.comboBox(FilterField::MusicType)->setEditText("Rock");
        dialog.accept();
    });
    EXPECT_EQ(doc().filter(FilterField::MusicType), "Rock");
    EXPECT_EQ(doc().displayedCount(), 3); // Rock, rock, Rock and Roll; not Hard Rock

    const auto before = doc().displayOrder();
    runFilters([](FiltersDialog& dialog) {
        dialog.comboBox(FilterField::MusicType)->setEditText("Jazz");
        dialog.reject();
    });
    EXPECT_EQ(doc().filter(FilterField::MusicType), "Rock");
    EXPECT_EQ(doc().displayOrder(), before);
}

TEST_F(FiltersTest, AStoredTextReopensAsItselfAndOkKeepsIt)
{
    // "A" begins "All" and "ro" begins "Rock": neither may turn into the entry it begins.
    doc().setFilter(FilterField::Artist, "A");
    doc().setFilter(FilterField::MusicType, "ro");
    doc().setFilter(FilterField::Label, "all");
    runFilters([](FiltersDialog& dialog) {
        EXPECT_EQ(dialog.comboBox(FilterField::Artist)->currentText(), "A");
        EXPECT_EQ(dialog.comboBox(FilterField::MusicType)->currentText(), "ro");
        EXPECT_EQ(dialog.comboBox(FilterField::Label)->currentText(), "All");
        dialog.accept();
    });
    EXPECT_EQ(doc().filter(FilterField::Artist), "A");
    EXPECT_EQ(doc().filter(FilterField::MusicType), "ro");
    EXPECT_EQ(doc().displayedCount(), 1); // Amber, Rock and Roll

    runFilters([](FiltersDialog& dialog) {
        dialog.comboBox(FilterField::Artist)->setEditText("");
        dialog.accept();
    });
    EXPECT_EQ(doc().displayedCount(), 3); // an empty artist box lets every artist through
}

TEST_F(FiltersTest, TypedTextIsKeptAsTypedAndChoosingFromTheListStillWorks)
{
    runFilters([](FiltersDialog& dialog) {
        // Typed as a user types: into the box that has the focus, over the text it shows.
        const auto type = [&](FilterField field, const char* text) {
            QLineEdit* edit = dialog.comboBox(field)->lineEdit();
            QApplication::setActiveWindow(&dialog);
            edit->setFocus();
            QApplication::processEvents();
            ASSERT_TRUE(edit->hasFocus());
            edit->selectAll();
            QTest::keyClicks(edit, QString::fromLatin1(text));
        };
        type(FilterField::MusicType, "Ro");
        type(FilterField::Artist, "a");
        QTest::keyClick(dialog.comboBox(FilterField::Performer), Qt::Key_Down); // All -> Ann
        QTest::keyClick(dialog.comboBox(FilterField::MusicType)->lineEdit(), Qt::Key_Return);
        dialog.accept();
    });
    EXPECT_EQ(doc().filter(FilterField::MusicType), "Ro");
    EXPECT_EQ(doc().filter(FilterField::Artist), "a");
    EXPECT_EQ(doc().filter(FilterField::Performer), "Ann");
}

TEST_F(FiltersTest, CancelLeavesTheShownSongListIntact)
{
    m_app.mainWindow().runCommand(CommandId::SortByPerformer);
    const auto performers = doc().derivedLists().performers;
    ASSERT_FALSE(performers.empty());
    runFilters([](FiltersDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(doc().currentOrder(), SortOrder::ByPerformer);
    EXPECT_EQ(doc().derivedLists().performers, performers);
}

AlbumRecord withStatus(const char* artist, AlbumStatus status)
{
    AlbumRecord a = album(artist, "Jazz");
    a.text(Field::Status) = storedStatus(status);
    return a;
}

TEST_F(FiltersTest, TheWantListShowsWhatIsWantedOrOrderedAndFollowsTheFiltersDialog)
{
    fixture::appendAlbums(doc(), {withStatus("Wish", AlbumStatus::Wanted),
                                  withStatus("Coming", AlbumStatus::Ordered),
                                  withStatus("Gone", AlbumStatus::Sold)});
    ASSERT_EQ(doc().displayedCount(), 7);
    MainWindow& window = m_app.mainWindow();
    QAction* wantList = window.action(CommandId::WantList);
    window.refreshActions();
    EXPECT_TRUE(wantList->isEnabled());
    EXPECT_FALSE(wantList->isChecked());

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.view(), Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc().filter(FilterField::Status), kWantListFilter);
    EXPECT_EQ(doc().displayedCount(), 2); // Wanted and Ordered
    EXPECT_TRUE(wantList->isChecked());

    // The Filters dialog shows the want list as the Status filter, and putting it back to All
    // unchecks the menu entry.
    runFilters([](FiltersDialog& dialog) {
        QComboBox* status = dialog.comboBox(FilterField::Status);
        EXPECT_EQ(status->currentText(), kWantListFilter);
        status->setCurrentIndex(status->findText("All"));
        dialog.accept();
    });
    EXPECT_EQ(doc().displayedCount(), 7);
    EXPECT_FALSE(wantList->isChecked());

    runFilters([](FiltersDialog& dialog) {
        dialog.comboBox(FilterField::Status)->setEditText("want list");
        dialog.accept();
    });
    EXPECT_TRUE(wantList->isChecked()) << "any letter case names the want list";
    wantList->trigger();
    EXPECT_EQ(doc().filter(FilterField::Status), "All");
    EXPECT_EQ(doc().displayedCount(), 7);
    EXPECT_FALSE(wantList->isChecked());
}

TEST_F(FiltersTest, OkRefusesATextNoAlbumCouldMatchAndKeepsTheDialogOpenAtIt)
{
    const struct
    {
        FilterField field;
        const char* text;
        const char* message;
    } cases[] = {
        {FilterField::Year, "abc", "The year filter takes a year or a range of years"},
        {FilterField::Year, "1979-1970", "The year filter takes a year or a range of years"},
        {FilterField::OnLoan, "Maybe", "The On Loan filter takes Yes or No."},
        {FilterField::Status, "Lost", "The status filter takes one of"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        m_prompter.errors.clear();
        runFilters([&](FiltersDialog& dialog) {
            QApplication::setActiveWindow(&dialog);
            dialog.comboBox(FilterField::MusicType)->setEditText("Rock");
            QComboBox* box = dialog.comboBox(c.field);
            box->setEditText(QString::fromLatin1(c.text));
            dialog.accept();
            EXPECT_TRUE(dialog.isVisible());
            ASSERT_EQ(m_prompter.errors.size(), 1u);
            EXPECT_NE(m_prompter.errors[0].find(c.message), std::string::npos) << m_prompter.errors[0];
            const QWidget* focus = QApplication::focusWidget();
            EXPECT_TRUE(focus && (focus == box || box->isAncestorOf(focus)));
            dialog.reject();
        });
        EXPECT_EQ(doc().filter(c.field), "All");
        EXPECT_EQ(doc().filter(FilterField::MusicType), "All") << "nothing of a refused dialog is kept";
    }
}

class ListCommand : public ::testing::Test
{
protected:
    std::string run(const std::vector<std::string>& args, int* exitCode = nullptr)
    {
        std::ostringstream captured;
        auto* old = std::cout.rdbuf(captured.rdbuf());
        const int code = runCommandLineMode(parseCommandLine(args), m_store);
        std::cout.rdbuf(old);
        if (exitCode)
            *exitCode = code;
        return captured.str();
    }

    std::string writeSample(const std::vector<std::pair<LayoutId, ColumnLayout>>& layouts = {})
    {
        CatalogueDocument doc;
        for (const auto& [id, layout] : layouts)
            doc.setColumnLayout(id, layout);
        AlbumRecord a = album("The Beatles", "Rock", " Ringo");
        a.albumName = "Abbey Road";
        a.number = "10";
        a.songs[0] = {"Come Together", "4:20", "01"};
        a.songs[1] = {"The End", "2:05", "16"};
        a.performers[0].instrument = "Drums";
        AlbumRecord b = album("Can", "Krautrock", "Holger");
        b.albumName = "Tago Mago";
        b.number = "2";
        b.producer1 = "Conny";
        b.songs[0] = {"Halleluhwah", "18:32", "01"};
        b.performers[0].instrument = "Bass";
        fixture::appendAlbums(doc, {a});
        fixture::appendAlbums(doc, {b});
        const std::string file = (m_dir.path() + "/list.dcf").toStdString();
        EXPECT_TRUE(doc.saveFile(file));
        return file;
    }

    QTemporaryDir m_dir;
    MemorySettingsStore m_store;
};

TEST_F(ListCommand, PrintsTheColumnsOfAnAlbumOrder)
{
    const std::string file = writeSample();
    // The Beatles sort under B with the ignore-"The" switch on (the default).
    EXPECT_EQ(run({"--list", "by-artist", file}), "The Beatles\tAbbey Road\t10\nCan\tTago Mago\t2\n");
    m_store.writeInt("User Data", "NlViewThe", 0);
    EXPECT_EQ(run({"--list", "by-artist", file}), "Can\tTago Mago\t2\nThe Beatles\tAbbey Road\t10\n");
    EXPECT_EQ(run({"--list", "by-number", file}), "2\tCan\tTago Mago\n10\tThe Beatles\tAbbey Road\n");
}

TEST_F(ListCommand, PrintsDerivedListsWithTheirHeadings)
{
    const std::string file = writeSample();
    EXPECT_EQ(run({"--list", "by-song", file}),
              "Come Together\t01\tThe Beatles\t10\nThe End\t16\tThe Beatles\t10\nHalleluhwah\t01\tCan\t2\n");
    EXPECT_EQ(run({"--list", "by-performer", file}), "Holger\nBass\tCan\tTago Mago\t2\n"
                                                     "Ringo\nDrums\tThe Beatles\tAbbey Road\t10\n");
    EXPECT_EQ(run({"--list", "by-producer", file}), "Conny\tCan\t2\nNo producer listed\tThe Beatles\t10\n");
    EXPECT_EQ(run({"--list", "artist-short-list", file}),
              "The Beatles\nCome Together\t01\t10\t\t\nThe End\t16\t10\t\t\nCan\nHalleluhwah\t01\t2\t\t\n");
}

TEST_F(ListCommand, PrintsOnlyTheColumnsTheViewShows)
{
    // Layouts as a file may hold them: a gap between occupied slots, an occupied slot without a
    // left edge, and a fifth song-list field, for which the list has no room.
    std::vector<std::pair<LayoutId, ColumnLayout>> layouts;
    ColumnLayout byArtist = defaultColumnLayouts(96)[static_cast<int>(LayoutId::ByArtist)];
    byArtist.fieldColumns = {1, 0, 2, 9, 0, 0};
    layouts.emplace_back(LayoutId::ByArtist, byArtist);
    ColumnLayout byLabel = defaultColumnLayouts(96)[static_cast<int>(LayoutId::ByLabel)];
    byLabel.fieldColumns = {9, 1, 2, 0, 0, 0};
    byLabel.leftEdges[0] = 0;
    layouts.emplace_back(LayoutId::ByLabel, byLabel);
    ColumnLayout bySong = defaultColumnLayouts(96)[static_cast<int>(LayoutId::BySong)];
    bySong.fieldColumns = {1, 9, 3, 6, 2};
    layouts.emplace_back(LayoutId::BySong, bySong);
    const std::string file = writeSample(layouts);

    EXPECT_EQ(run({"--list", "by-artist", file}), "The Beatles\tAbbey Road\t10\nCan\tTago Mago\t2\n");
    EXPECT_EQ(run({"--list", "by-label", file}), "10\tAbbey Road\n2\tTago Mago\n");
    EXPECT_EQ(run({"--list", "by-song", file}),
              "Come Together\t01\tThe Beatles\t10\t\t\n"
              "The End\t16\tThe Beatles\t10\t\t\nHalleluhwah\t01\tCan\t2\t\t\n");
}

TEST_F(ListCommand, FiltersApplyBeforeTheOrder)
{
    const std::string file = writeSample();
    EXPECT_EQ(run({"--list", "by-artist", "--filter", "music-type=kraut", file}), "Can\tTago Mago\t2\n");
    EXPECT_EQ(run({"--list", "by-artist", "--filter", "performer=holg", file}), "Can\tTago Mago\t2\n");
    // The stored name " Ringo" is offered as "Ringo", so that is what the filter matches.
    EXPECT_EQ(run({"--list", "by-artist", "--filter", "performer=ring", file}),
              "The Beatles\tAbbey Road\t10\n");
}

TEST_F(ListCommand, AnUnreadableFileExitsWithOne)
{
    int code = 0;
    run({"--list", "by-artist", (m_dir.path() + "/missing.dcf").toStdString()}, &code);
    EXPECT_EQ(code, 1);
}

} // namespace
} // namespace discora
