// The Statistics window offscreen: View > Statistics... shows the figures of the albums shown with
// a line on the filter, its charts name their figures, a click on a bar or slice filters the
// catalogue, the figures follow, a large catalogue is counted beside the window, and the report
// and images are written (the PDF read back with pdftotext).
#include "core/export/statisticscharts.h"
#include "core/model/albumdetails.h"
#include "core/order/comparenames.h"
#include "support/documentfixture.h"
#include "support/fakeprompter.h"
#include "ui/app/application.h"
#include "ui/app/mainwindow.h"
#include "ui/app/statisticshandlers.h"
#include "ui/stats/statisticswindow.h"
#include "ui/stats/statschart.h"

#include <QDeadlineTimer>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace discora {
namespace {

AlbumRecord album(const char* artist, const char* media, const char* year, const char* label = "")
{
    AlbumRecord a = fixture::albumOf(artist, std::string("Album of ") + artist);
    a.mediaType = media;
    a.label = label;
    a.text(Field::Year) = year;
    a.songs[0] = {"One", "3:00", "01"};
    return a;
}

class StatisticsTest : public ::testing::Test
{
protected:
    StatisticsTest() : m_app(m_store, &m_prompter)
    {
        m_app.start();
        fixture::loadAlbums(doc(), {album("Ann", "CD", "1971", "Blue"), album("Bob", "LP", "1975", "Blue"),
                                    album("Cy", "CD", "1982"), album("Dee", "cd", "1999", "Red"),
                                    album("Eve", "Cassette", "")});
    }

    CatalogueDocument& doc() { return m_app.document(); }
    MainWindow& window() { return m_app.mainWindow(); }

    StatisticsWindow* openStatistics()
    {
        window().runCommand(CommandId::Statistics);
        waitForTheTask();
        StatisticsWindow* stats = window().statisticsHandlers().statisticsWindow();
        if (stats && !QTest::qWaitForWindowExposed(stats))
            ADD_FAILURE() << "the window did not come up";
        return stats;
    }

    bool waitForTheTask()
    {
        // A refresh is asked for once the event loop turns; then it runs at once or beside the window.
        QCoreApplication::processEvents();
        if (!window().taskRunner().busy())
            return true;
        QSignalSpy finished(&window().taskRunner(), &TaskRunner::finished);
        return finished.wait(10000);
    }

    // Whether the chart got its place on the screen (a new one has it once the events are handled).
    static bool laidOut(StatsChart& chart)
    {
        QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired()) {
            QCoreApplication::processEvents();
            if (chart.surface()->width() > 100 && chart.surface()->rect().contains(chart.categoryPosition(0)))
                return true;
        }
        return false;
    }

    StatsChart* chartTitled(StatisticsWindow& stats, const std::string& title)
    {
        for (StatsChart* chart : stats.charts())
            if (chart->chart().title == title)
                return chart;
        ADD_FAILURE() << "no chart " << title;
        return nullptr;
    }

    QString pdfText(const QString& path)
    {
        QProcess process;
        process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            return {};
        // The PDF may set "fi" as one ligature.
        return QString::fromUtf8(process.readAllStandardOutput())
            .replace(QChar(0xFB01), QStringLiteral("fi"));
    }

    MemorySettingsStore m_store;
    FakePrompter m_prompter;
    Application m_app;
    QTemporaryDir m_dir;
};

TEST_F(StatisticsTest, ShowsTheTotalsAndChartsOfTheShownAlbums)
{
    QAction* command = window().action(CommandId::Statistics);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->text(), "St&atistics...");
    EXPECT_TRUE(command->isEnabled());
    StatisticsWindow* stats = openStatistics();
    ASSERT_NE(stats, nullptr);
    EXPECT_EQ(stats->scopeText(), "No filter applies: all 5 albums.");
    EXPECT_TRUE(stats->totalsText().contains("Albums:</td><td align=\"right\"><b>5</b>"))
        << stats->totalsText().toStdString();
    EXPECT_TRUE(stats->totalsText().contains("Playing time:</td><td align=\"right\"><b>0:15:00</b>"));

    std::vector<std::string> titles;
    for (StatsChart* chart : stats->charts()) {
        titles.push_back(chart->chart().title);
        EXPECT_TRUE(chart->isVisible()) << chart->chart().title;
        EXPECT_EQ(chart->accessibleName().toStdString(), chart->chart().title);
    }
    EXPECT_EQ(titles,
              (std::vector<std::string>{"Albums by media type", "Albums by decade",
                                        "Condition of media or sleeve", "Albums by year of release",
                                        "Artists with most albums", "Labels with most albums", "Rating"}));
    StatsChart* media = chartTitled(*stats, "Albums by media type");
    ASSERT_NE(media, nullptr);
    EXPECT_EQ(media->chart().categories, (std::vector<std::string>{"CD", "Cassette", "LP"}));
    EXPECT_EQ(media->accessibleDescription(),
              "Albums by media type. CD: 3 albums. Cassette: 1 album. LP: 1 album.");
}

TEST_F(StatisticsTest, AClickOnABarOrSliceFiltersTheCatalogueAndTheFiguresFollow)
{
    StatisticsWindow* stats = openStatistics();
    ASSERT_NE(stats, nullptr);
    StatsChart* decades = chartTitled(*stats, "Albums by decade");
    ASSERT_NE(decades, nullptr);
    ASSERT_EQ(decades->chart().categories, (std::vector<std::string>{"1970s", "1980s", "1990s"}));

    // A click on the 1970s bar filters the catalogue to its albums; the bar names them.
    const QPoint seventies = decades->categoryPosition(0);
    EXPECT_EQ(decades->chart().entryText(0, 0), "1970s: 2 albums");
    QTest::mouseClick(decades->surface(), Qt::LeftButton, {}, seventies);
    EXPECT_EQ(doc().filter(FilterField::Year), "1970-1979");
    EXPECT_EQ(doc().displayedCount(), 2);

    // The figures are those of the albums now shown.
    ASSERT_TRUE(waitForTheTask());
    EXPECT_EQ(stats->scopeText(), "A filter applies: 2 of 5 albums (Year: 1970-1979).");
    StatsChart* media = chartTitled(*stats, "Albums by media type");
    ASSERT_NE(media, nullptr);
    EXPECT_EQ(media->chart().categories, (std::vector<std::string>{"CD", "LP"}));
    ASSERT_TRUE(laidOut(*media));

    // A slice filters by its media type.
    QTest::mouseClick(media->surface(), Qt::LeftButton, {}, media->categoryPosition(0));
    EXPECT_EQ(doc().filter(FilterField::MediaType), "\"CD\"");
    EXPECT_EQ(doc().displayedCount(), 1);
}

// A click shows just the albums its bar or slice counts: "Rock" without "Rock and Roll", a producer
// named on either producer field, a rating; the values per currency take no click.
TEST_F(StatisticsTest, AClickShowsJustTheAlbumsItsBarCounts)
{
    const auto album = [](const char* name, const char* music, const char* producer1, const char* producer2,
                          const char* rating) {
        AlbumRecord a = fixture::albumOf("Artist", name);
        a.musicType = music;
        a.producer1 = producer1;
        a.producer2 = producer2;
        a.text(Field::Rating) = rating;
        a.text(Field::PurchasePrice) = "10.00";
        a.text(Field::Currency) = "USD";
        return a;
    };
    fixture::loadAlbums(doc(),
                        {album("A", "Rock", "Ann Lee", "", "4"), album("B", "rock", "Bo", "ann lee", "4"),
                         album("C", "Rock and Roll", "Bo", "", "2"), album("D", "Jazz", "", "", ""),
                         album("E", "Rock and Roll", "Cy", "", "4")});
    StatisticsWindow* stats = openStatistics();
    ASSERT_NE(stats, nullptr);
    const auto shownNames = [&] {
        std::vector<std::string> names;
        for (std::uint32_t a : doc().displayOrder())
            names.emplace_back(doc().text(Field::AlbumName, static_cast<int>(a)));
        std::sort(names.begin(), names.end());
        return names;
    };
    // Clicks the category named name (in any letter case) on the chart titled title.
    const auto click = [&](const std::string& title, std::string_view name) {
        StatsChart* chart = chartTitled(*stats, title);
        if (!chart || !laidOut(*chart))
            return false;
        const auto& names = chart->chart().categories;
        const auto at = std::find_if(names.begin(), names.end(),
                                     [&](const std::string& n) { return CompareNames(n, name) == 0; });
        if (at == names.end())
            return false;
        const auto category = static_cast<std::size_t>(at - names.begin());
        QTest::mouseClick(chart->surface(), Qt::LeftButton, {}, chart->categoryPosition(category));
        return true;
    };
    const auto showAll = [&] {
        std::array<std::string, kFilterCount> none;
        none.fill(kNoFilter);
        EXPECT_TRUE(doc().setFilters(none));
        EXPECT_TRUE(waitForTheTask());
    };
    using Names = std::vector<std::string>;

    ASSERT_TRUE(click("Albums by music type", "Rock"));
    EXPECT_EQ(shownNames(), (Names{"A", "B"}));
    showAll();

    ASSERT_TRUE(click("Producers with most albums", "Ann Lee"));
    EXPECT_EQ(CompareNames(doc().filter(FilterField::Producer), "\"Ann Lee\""), 0);
    EXPECT_EQ(shownNames(), (Names{"A", "B"}));
    // Within them another producer is no click: one producer filter cannot keep albums naming both.
    ASSERT_TRUE(waitForTheTask());
    StatsChart* producers = chartTitled(*stats, "Producers with most albums");
    ASSERT_NE(producers, nullptr);
    ASSERT_EQ(producers->chart().categories.size(), 2u);
    EXPECT_EQ(producers->clickable(0), CompareNames(producers->chart().categories[0], "Ann Lee") == 0);
    EXPECT_EQ(producers->clickable(1), CompareNames(producers->chart().categories[1], "Ann Lee") == 0);
    showAll();

    ASSERT_TRUE(click("Rating", "4 stars"));
    EXPECT_EQ(doc().filter(FilterField::Rating), "4 stars");
    EXPECT_EQ(shownNames(), (Names{"A", "B", "E"}));
    showAll();

    StatsChart* values = chartTitled(*stats, "Purchase price and current value");
    ASSERT_NE(values, nullptr);
    ASSERT_TRUE(laidOut(*values));
    EXPECT_FALSE(values->clickable(0));
    QTest::mouseClick(values->surface(), Qt::LeftButton, {}, values->categoryPosition(0));
    EXPECT_EQ(doc().displayedCount(), 5);
}

TEST_F(StatisticsTest, ALargeCatalogueIsCountedBesideTheWindow)
{
    window().setLongOrderFrom(2);
    window().runCommand(CommandId::Statistics);
    StatisticsWindow* stats = window().statisticsHandlers().statisticsWindow();
    ASSERT_NE(stats, nullptr);
    // The command returned with the work going on; the window says so until the figures come.
    EXPECT_TRUE(window().taskRunner().busy());
    EXPECT_EQ(stats->scopeText(), "Working out the statistics...");
    ASSERT_TRUE(waitForTheTask());
    EXPECT_EQ(stats->scopeText(), "No filter applies: all 5 albums.");
    EXPECT_FALSE(stats->charts().empty());
}

TEST_F(StatisticsTest, SavesAReportAndImagesOfTheCharts)
{
    StatisticsWindow* stats = openStatistics();
    ASSERT_NE(stats, nullptr);
    const QString pdf = m_dir.filePath("stats.pdf");
    ASSERT_TRUE(stats->saveReport(pdf));
    const QString text = pdfText(pdf);
    for (const char* expected : {"Statistics", "No filter applies: all 5 albums.", "Playing time", "0:15:00",
                                 "Albums by media type", "Albums by decade", "Artists with most albums"})
        EXPECT_TRUE(text.contains(expected)) << expected << "\n" << text.toStdString();

    const Result<QStringList> images = stats->saveImages(m_dir.path());
    ASSERT_TRUE(images) << images.error();
    ASSERT_EQ(images->size(), static_cast<qsizetype>(stats->charts().size()));
    EXPECT_TRUE(images->contains(m_dir.filePath("albums-by-media-type.png")));
    const QImage image(m_dir.filePath("albums-by-decade.png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1200, 800));
    // Something is drawn on it: not every pixel is the background.
    bool drawn = false;
    for (int y = 0; y < image.height() && !drawn; y += 4)
        for (int x = 0; x < image.width() && !drawn; x += 4)
            drawn = image.pixel(x, y) != image.pixel(0, 0);
    EXPECT_TRUE(drawn);

    const Status refused = stats->saveReport(m_dir.filePath("no such folder/stats.pdf"));
    EXPECT_FALSE(refused);
}

} // namespace
} // namespace discora
