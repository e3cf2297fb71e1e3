#include "core/settings/optionpages.h"
#include "support/fakeprompter.h"
#include "ui/app/application.h"
#include "ui/app/mainwindow.h"
#include "ui/options/customheadingsdialog.h"
#include "ui/options/fontchooser.h"
#include "ui/options/optionspage.h"
#include "ui/options/optionssheet.h"
#include "ui/options/screencolordialog.h"
#include "ui/support/colors.h"
#include "ui/view/catalogueview.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "support/documentfixture.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <memory>

namespace discora {
namespace {

// Answers the next modal dialog once its event loop runs. A dialog of another type is closed, so
// a wrong guess fails the test instead of hanging it.
template <typename D> void answerNext(std::function<void(D&)> answer)
{
    QTimer::singleShot(0, [answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<D*>(modal))
            return answer(*dialog);
        ADD_FAILURE() << "another dialog is open: " << (modal ? modal->metaObject()->className() : "none");
        if (auto* other = qobject_cast<QDialog*>(modal))
            other->reject();
    });
}

// Answers the color chooser the next "Select Color" opens.
void chooseColor(QColor expectedStart, QColor chosen)
{
    answerNext<QColorDialog>([=](QColorDialog& chooser) {
        EXPECT_EQ(chooser.currentColor(), expectedStart);
        chooser.setCurrentColor(chosen);
        chooser.accept();
    });
}

AlbumRecord albumNamed(const char* name)
{
    AlbumRecord a;
    a.artist = "Artist";
    a.albumName = name;
    return a;
}

class OptionsTest : public ::testing::Test
{
protected:
    OptionsTest() : m_app(m_store, &m_prompter) {}

    void start(const std::vector<AlbumRecord>& albums = {})
    {
        m_app.start();
        if (albums.empty())
            return;
        CatalogueDocument source;
        for (const AlbumRecord& a : albums)
            fixture::appendAlbums(source, {a});
        const std::string file = (m_dir.path() + "/o.dcf").toStdString();
        ASSERT_TRUE(source.saveFile(file));
        ASSERT_TRUE(m_app.mainWindow().openFile(QString::fromStdString(file)));
    }

    template <typename D> void run(CommandId command, std::function<void(D&)> answer)
    {
        answerNext<D>(std::move(answer));
        m_app.mainWindow().runCommand(command);
    }
    void runOptions(std::function<void(OptionsSheet&)> answer) { run(CommandId::Options, std::move(answer)); }

    std::vector<std::string> shownNames()
    {
        std::vector<std::string> names;
        for (std::uint32_t a : doc().displayOrder())
            names.emplace_back(doc().text(Field::AlbumName, static_cast<int>(a)));
        return names;
    }

    const SettingsStore& store() const { return m_store; }
    int stored(const char* key) const { return store().readInt(kUserData, key, -99); }
    std::string storedText(const char* key) const { return store().readString(kUserData, key, "(absent)"); }
    CatalogueDocument& doc() { return m_app.document(); }

    QTemporaryDir m_dir;
    MemorySettingsStore m_store;
    FakePrompter m_prompter;
    Application m_app;
};

TEST_F(OptionsTest, SevenPagesCarryTheirSwitchesAndChoices)
{
    start();
    runOptions([](OptionsSheet& sheet) {
        QStringList titles;
        for (int i = 0; i < sheet.tabs()->count(); ++i)
            titles << sheet.tabs()->tabText(i);
        EXPECT_EQ(titles, (QStringList{"General", "Normal View", "Single Line Sorts", "Artist - Short List",
                                       "Song Sort", "Producer", "Performers"}));
        // The General page holds switches only: one check box each.
        EXPECT_EQ(sheet.page(0)->findChildren<QCheckBox*>().size(),
                  static_cast<qsizetype>(optionPages()[0].controls.size()));
        EXPECT_EQ(sheet.page(1)->findChildren<QRadioButton*>().size(), 4);
        EXPECT_EQ(sheet.page(5)->findChildren<QCheckBox*>().size(), 1); // no Ignore "The" for producers
        auto* songBreak = qobject_cast<QCheckBox*>(sheet.button("SongPrint"));
        ASSERT_NE(songBreak, nullptr);
        EXPECT_EQ(songBreak->text(), "Print a Page Break after each Letter of the Alphabet");
        EXPECT_EQ(sheet.button("NlViewThe")->text(), "Ignore \"The\" When Sorting");
        EXPECT_TRUE(sheet.button("ShowSongs")->isChecked()); // the defaults are in force
        EXPECT_TRUE(sheet.button("NlViewPrint", 0)->isChecked());
        EXPECT_EQ(sheet.button("FetchCovers")->text(),
                  "Fetch the front cover when looking an album up online");
        EXPECT_TRUE(sheet.button("FetchCovers")->isChecked());
        sheet.reject();
    });
}

TEST_F(OptionsTest, OkStoresTheChangedValuesAndCancelNone)
{
    start();
    runOptions([](OptionsSheet& sheet) {
        for (const char* key : {"ShowSongs", "ShowNotes", "LoadLast", "SongPrint", "FetchCovers"})
            sheet.button(key)->click();
        sheet.button("NlViewPrint", 3)->click();
        sheet.button("ArtistPrint", 2)->click();
        sheet.accept();
    });
    EXPECT_EQ(stored("ShowSongs"), 0);
    EXPECT_EQ(stored("ShowNotes"), 1);
    EXPECT_EQ(stored("LoadLast"), 1);
    EXPECT_EQ(stored("SongPrint"), 1);
    EXPECT_EQ(stored("FetchCovers"), 0);
    EXPECT_EQ(stored("NlViewPrint"), 3);
    EXPECT_EQ(stored("ArtistPrint"), 2);
    EXPECT_EQ(doc().viewOptions().value(ViewOption::NlViewPrint), 3);

    runOptions([](OptionsSheet& sheet) {
        EXPECT_TRUE(sheet.button("LoadLast")->isChecked()); // opened on the values in force
        EXPECT_FALSE(sheet.button("FetchCovers")->isChecked());
        sheet.button("NlViewPrint", 1)->click();
        sheet.reject();
    });
    EXPECT_EQ(stored("NlViewPrint"), 3);
}

TEST_F(OptionsTest, TheCdDriveIsChosenHereTooAndWhatIsNoDriveNorFileIsRefused)
{
    const QString moved = m_dir.path() + "/moved.cue";
    AppSettings(m_store).writeCdDrive(moved.toStdString());
    start();
    const QString pipe = m_dir.path() + "/pipe";
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    runOptions([&](OptionsSheet& sheet) {
        EXPECT_EQ(sheet.cdDriveEdit()->text(), moved);
        sheet.cdDriveEdit()->setText(pipe);
        sheet.accept();
    });
    EXPECT_EQ(m_prompter.errors,
              std::vector<std::string>{pipe.toStdString() + " is neither a CD drive nor a disc image file."});
    EXPECT_EQ(storedText("CD drive"), moved.toStdString());

    QFile image(m_dir.path() + "/found.cue");
    ASSERT_TRUE(image.open(QIODevice::WriteOnly));
    image.close();
    runOptions([&](OptionsSheet& sheet) {
        sheet.cdDriveEdit()->setText(QStringLiteral("  ") + image.fileName());
        sheet.accept();
    });
    EXPECT_EQ(storedText("CD drive"), image.fileName().toStdString());
    EXPECT_EQ(m_app.cdDrive(), image.fileName().toStdString());

    runOptions([&](OptionsSheet& sheet) {
        sheet.cdDriveEdit()->clear();
        sheet.reject();
    });
    EXPECT_EQ(m_app.cdDrive(), image.fileName().toStdString());
}

TEST_F(OptionsTest, CancelAfterConfirmingFontAndColorsChangesNothing)
{
    start();
    const ScreenFont font = doc().font();
    const DisplayColors colors = doc().colors();
    runOptions([](OptionsSheet& sheet) {
        answerNext<FontChooser>([](FontChooser& chooser) {
            chooser.setCurrentFont(QFont("DejaVu Serif", 11));
            chooser.accept();
        });
        sheet.page(0)->fontButton()->click();
        answerNext<ScreenColorDialog>([](ScreenColorDialog& dialog) {
            dialog.list()->item(0)->setSelected(true);
            chooseColor(Qt::black, Qt::red);
            dialog.selectButton()->click();
            dialog.accept();
        });
        sheet.page(0)->colorsButton()->click();
        sheet.reject();
    });
    EXPECT_EQ(doc().font(), font);
    EXPECT_EQ(doc().colors(), colors);
    EXPECT_EQ(storedText("Face Name"), font.faceName);
    EXPECT_EQ(stored("DataColor"), 0);
}

TEST_F(OptionsTest, TheChooserOffersUpTo12PointsAndStoresBoldOnlyAt700)
{
    start();
    // Confirmed unchanged, the chooser gives back the regular upright font it started from.
    runOptions([](OptionsSheet& sheet) {
        answerNext<FontChooser>([](FontChooser& chooser) {
            EXPECT_EQ(chooser.currentFont().pointSize(), 8);
            const QList<int> sizes = chooser.offeredSizes();
            EXPECT_TRUE(sizes.contains(12));
            for (int points : sizes)
                EXPECT_TRUE(points >= 2 && points <= 12) << points;
            chooser.accept();
        });
        sheet.page(0)->fontButton()->click();
        sheet.accept();
    });
    EXPECT_EQ(stored("Font Size"), 80);
    EXPECT_EQ(stored("Font Weight"), 400);
    EXPECT_EQ(stored("Italic"), 0);

    runOptions([](OptionsSheet& sheet) {
        answerNext<FontChooser>([](FontChooser& chooser) {
            QFont bold("DejaVu Sans", 10);
            bold.setWeight(QFont::Bold);
            chooser.setCurrentFont(bold);
            chooser.accept();
        });
        sheet.page(0)->fontButton()->click();
        sheet.accept();
    });
    EXPECT_EQ(storedText("Face Name"), "DejaVu Sans");
    EXPECT_EQ(stored("Font Size"), 100);
    EXPECT_EQ(stored("Font Weight"), 700);
    EXPECT_EQ(stored("Bold"), 1);
    EXPECT_EQ(doc().font().weight, 700);
}

TEST_F(OptionsTest, TheColorDialogEditsTheSelectedEntryOnly)
{
    start();
    bool chooserOpened = false;
    runOptions([&](OptionsSheet& sheet) {
        answerNext<ScreenColorDialog>([&](ScreenColorDialog& dialog) {
            QStringList names;
            for (int i = 0; i < dialog.list()->count(); ++i)
                names << dialog.list()->item(i)->text();
            EXPECT_EQ(names, (QStringList{"Data Color", "Heading Color", "Highlighted Background Color",
                                          "Highlighted Data Color"}));

            // Without a selection nothing opens; the guard closes a chooser opened by mistake and
            // does nothing once disarmed.
            auto armed = std::make_shared<bool>(true);
            QTimer::singleShot(0, [&chooserOpened, armed] {
                if (auto* c = qobject_cast<QColorDialog*>(QApplication::activeModalWidget()); c && *armed) {
                    chooserOpened = true;
                    c->reject();
                }
            });
            dialog.selectButton()->click();
            *armed = false;

            dialog.list()->item(1)->setSelected(true); // Heading Color
            EXPECT_EQ(dialog.groupBox()->palette().color(QPalette::Window), QColor(0, 0, 255));
            chooseColor(QColor(0, 0, 255), QColor(0x12, 0x34, 0x56));
            dialog.selectButton()->click();
            EXPECT_EQ(dialog.groupBox()->palette().color(QPalette::Window), QColor(0x12, 0x34, 0x56));

            const QPoint at = dialog.list()->visualItemRect(dialog.list()->item(3)).center();
            chooseColor(Qt::white, Qt::yellow);
            QTest::mouseClick(dialog.list()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(dialog.list()->viewport(), Qt::LeftButton, {}, at);
            dialog.accept();
        });
        sheet.page(0)->colorsButton()->click();
        sheet.accept();
    });
    EXPECT_FALSE(chooserOpened);
    EXPECT_EQ(stored("DataColor"), 0);
    EXPECT_EQ(stored("HeadingColor"), 0x563412); // red in the low byte
    EXPECT_EQ(stored("HBkColor"), 0);
    EXPECT_EQ(stored("HDataColor"), 0x00FFFF);
    EXPECT_EQ(toQColor(doc().colors().highlightedText), QColor(Qt::yellow));
}

TEST_F(OptionsTest, AMissingHeadingColorStaysMissingAndShowsBlue)
{
    m_store.writeInt(kUserData, "DataColor", 0x000080);
    start();
    runOptions([](OptionsSheet& sheet) {
        answerNext<ScreenColorDialog>([](ScreenColorDialog& dialog) {
            EXPECT_EQ(dialog.color(1), -1);
            dialog.list()->item(1)->setSelected(true);
            EXPECT_EQ(dialog.groupBox()->palette().color(QPalette::Window), QColor(0, 0, 255));
            dialog.accept();
        });
        sheet.page(0)->colorsButton()->click();
        sheet.accept();
    });
    EXPECT_EQ(stored("DataColor"), 0x000080);
    EXPECT_EQ(stored("HeadingColor"), -1);
    EXPECT_EQ(doc().colors().headingText, -1);
}

// The switch turned off, and the album-name order afterwards.
class IgnoreTheOption
    : public OptionsTest,
      public ::testing::WithParamInterface<std::tuple<const char*, std::vector<std::string>>>
{
};

TEST_P(IgnoreTheOption, ReSortsTheAlbumNameOrderOnlyForTheCurrentStyle)
{
    const auto& [key, after] = GetParam();
    start({albumNamed("The Bee"), albumNamed("Cat"), albumNamed("Ant")});
    m_app.mainWindow().runCommand(CommandId::SortByAlbumName);
    ASSERT_EQ(shownNames(), (std::vector<std::string>{"Ant", "The Bee", "Cat"}));
    runOptions([key](OptionsSheet& sheet) {
        sheet.button(key)->setChecked(false);
        sheet.accept();
    });
    EXPECT_EQ(stored(key), 0);
    EXPECT_EQ(shownNames(), after);
}

INSTANTIATE_TEST_SUITE_P(
    OptionsTest, IgnoreTheOption,
    ::testing::Values(std::tuple{"NlViewThe", std::vector<std::string>{"Ant", "Cat", "The Bee"}},
                      std::tuple{"GroupViewThe", std::vector<std::string>{"Ant", "The Bee", "Cat"}},
                      std::tuple{"SongThe", std::vector<std::string>{"Ant", "The Bee", "Cat"}}));

TEST_F(OptionsTest, WithOneAlbumShownNothingReSortsButTheValueIsStored)
{
    start({albumNamed("The Bee")});
    struct Counter : DocumentObserver
    {
        int updates = 0;
        void documentUpdated() override { ++updates; }
    } counter;
    doc().addObserver(&counter);
    runOptions([](OptionsSheet& sheet) {
        sheet.button("NlViewThe")->setChecked(false);
        sheet.accept();
    });
    doc().removeObserver(&counter);
    EXPECT_EQ(counter.updates, 0);
    EXPECT_EQ(stored("NlViewThe"), 0);
    EXPECT_FALSE(doc().viewOptions().on(ViewOption::NlViewThe));
}

TEST_F(OptionsTest, OkStartsTheViewAtTheTop)
{
    std::vector<AlbumRecord> albums;
    for (const char* name : {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L"})
        albums.push_back(albumNamed(name));
    start(albums);
    CatalogueView& view = *m_app.mainWindow().view();
    // A display switch, then nothing changed at all: OK starts at the top either way.
    for (const char* key : {"ShowNotes", ""}) {
        QTest::keyClick(&view, Qt::Key_End);
        ASSERT_GT(view.scrollY(), 0);
        runOptions([key](OptionsSheet& sheet) {
            if (*key)
                sheet.button(key)->click();
            sheet.accept();
        });
        EXPECT_EQ(view.scrollY(), 0) << key;
    }
}

// Headings typed in the dialog; what the document shows afterwards and whether it is modified.
TEST_F(OptionsTest, CustomHeadingsReachTheDocumentAndMarkOnlyACatalogueWithAlbums)
{
    start();
    const auto editHeadings = [this](const char* first, const char* second, bool ok) {
        run<CustomHeadingsDialog>(CommandId::EditCustomHeadings, [=](CustomHeadingsDialog& dialog) {
            dialog.edit(0)->setText(first);
            dialog.edit(1)->setText(second);
            ok ? dialog.accept() : dialog.reject();
        });
    };
    editHeadings("Year", "Mood", true);
    EXPECT_EQ(doc().headings(), (std::array<std::string, 2>{"Year", "Mood"}));
    EXPECT_EQ(storedText("Custom2"), "Mood");
    EXPECT_FALSE(doc().isModified()); // an empty catalogue has nothing to save

    fixture::appendAlbums(doc(), {albumNamed("One")});
    editHeadings("Decade", "", false);
    EXPECT_EQ(doc().heading(0), "Year");
    EXPECT_FALSE(doc().isModified());

    run<CustomHeadingsDialog>(CommandId::EditCustomHeadings, [](CustomHeadingsDialog& dialog) {
        EXPECT_EQ(dialog.edit(0)->text(), "Year"); // opened on the headings shown
        dialog.edit(0)->clear();
        dialog.edit(1)->clear();
        dialog.accept();
    });
    EXPECT_EQ(doc().headings(), (std::array<std::string, 2>{"Custom 1", "Custom 2"}));
    EXPECT_EQ(storedText("Custom1"), "Custom 1");
    EXPECT_TRUE(doc().isModified());
}

} // namespace
} // namespace discora
