// Printing as the user and the command line see it: PDF files printed offscreen and read back
// with poppler's pdfinfo and pdftotext, the print dialog's Selection range, the preview's page
// keys, and the progress a job reports.
#include "cli/printcommandline.h"
#include "core/base/progresssink.h"
#include "core/fileformat/coverfolder.h"
#include "core/layout/viewselection.h"
#include "core/settings/appsettings.h"
#include "support/documentfixture.h"
#include "support/fakeprompter.h"
#include "ui/app/application.h"
#include "ui/app/mainstatusbar.h"
#include "ui/app/mainwindow.h"
#include "ui/printing/cataloguepages.h"
#include "ui/printing/pdfoutput.h"
#include "ui/printing/printhandlers.h"
#include "ui/support/qttext.h"
#include "ui/view/catalogueview.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace discora {
namespace {

using fixture::albumOf;
using fixture::loadAlbums;

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPageCount(const QString& path)
{
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    for (const QString& line : info.split(u'\n'))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// The text of every page, one string a page.
std::vector<QString> pdfPages(const QString& path)
{
    std::vector<QString> pages;
    for (int page = 1, count = pdfPageCount(path); page <= count; ++page)
        pages.push_back(run(QStringLiteral("pdftotext"),
                            {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                             QString::number(page), QStringLiteral("-layout"), path, QStringLiteral("-")}));
    return pages;
}

std::vector<AlbumRecord> albumsByArtist(const std::vector<std::string>& artists)
{
    std::vector<AlbumRecord> albums;
    for (const std::string& artist : artists)
        albums.push_back(albumOf(artist, "Album of " + artist));
    return albums;
}

// Every display switch off: albums of five lines.
ViewOptions shortAlbums(int normalPageBreak)
{
    ViewOptions o;
    o.set(ViewOption::ShowSongs, 0);
    o.set(ViewOption::NlViewPrint, normalPageBreak);
    return o;
}

class PrintingTest : public ::testing::Test
{
protected:
    QString pdf(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
};

TEST_F(PrintingTest, APdfHoldsTheLetterGroupsOnTheirPagesWithTheFooter)
{
    CatalogueDocument doc;
    doc.setViewOptions(shortAlbums(2));
    loadAlbums(doc, albumsByArtist({"Cher", "Abba", "Blur", "Air", "The Band"}));
    ASSERT_TRUE(printToPdf(doc, toStd(pdf("letters.pdf")), QPageSize(QPageSize::A4)));

    const std::vector<QString> pages = pdfPages(pdf("letters.pdf"));
    ASSERT_EQ(pages.size(), 3u);
    const struct
    {
        QStringList shown;
        QStringList absent;
    } expected[] = {
        {{"Abba", "Album of Air", "Page Number 1 of 3"}, {"Blur", "Cher"}},
        {{"The Band", "Blur", "Page Number 2 of 3"}, {"Abba", "Cher"}},
        {{"Cher", "Page Number 3 of 3"}, {"Air", "Blur"}},
    };
    for (std::size_t page = 0; page < pages.size(); ++page) {
        EXPECT_TRUE(pages[page].contains(QStringLiteral("Group/Artist"))) << page;
        for (const QString& text : expected[page].shown)
            EXPECT_TRUE(pages[page].contains(text)) << page << " " << toStd(text);
        for (const QString& text : expected[page].absent)
            EXPECT_FALSE(pages[page].contains(text)) << page << " " << toStd(text);
    }
}

TEST_F(PrintingTest, WithTheCoverOptionEachCoverPrintsBesideItsAlbumAndTheTextsStayWhole)
{
    CatalogueDocument doc;
    ViewOptions options = shortAlbums(0);
    options.set(ViewOption::ShowCover, 1);
    doc.setViewOptions(options);
    QImage picture(300, 300, QImage::Format_RGB32);
    picture.fill(QColor(20, 90, 200));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    const std::string cover = coverNameOf(png.toStdString()).value();
    std::vector<AlbumRecord> albums = albumsByArtist({"Air", "Blur", "Cher"});
    albums[0].text(Field::Cover) = cover;
    albums[2].text(Field::Cover) = cover;
    loadAlbums(doc, albums);
    ASSERT_EQ(doc.addCoverImage(png.toStdString()).value(), cover); // kept in memory: no file yet
    ASSERT_TRUE(printToPdf(doc, toStd(pdf("covers.pdf")), QPageSize(QPageSize::A4)));

    // Two pictures on the page (poppler lists each image drawn), and every text as without covers.
    const QStringList images = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf("covers.pdf")})
                                   .split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(images.size(), 2 + 2) << toStd(images.join(u'\n')); // two heading lines, then the images
    const std::vector<QString> pages = pdfPages(pdf("covers.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    for (const char* text : {"Album of Air", "Album of Blur", "Album of Cher", "Group/Artist"})
        EXPECT_TRUE(pages[0].contains(QString::fromLatin1(text))) << text;
}

// Times loaded from a disc are always MM:SS: on every paper each prints whole, under its
// heading, and the block stays inside the page.
TEST_F(PrintingTest, SongTimesPrintWholeOnA4LetterAndA5)
{
    AlbumRecord album = albumOf("Quartet", "Long Suite");
    std::vector<QString> times;
    for (int n = 1; n <= kSongSlots; ++n) {
        album.songs[n - 1] = {"Movement " + std::to_string(n),
                              QString::asprintf("%02d:%02d", 10 + n, 30 + n).toStdString(),
                              QString::asprintf("%02d", n).toStdString()};
        times.push_back(QString::fromStdString(album.songs[n - 1].time));
    }
    for (const auto paper : {QPageSize::A4, QPageSize::Letter, QPageSize::A5}) {
        CatalogueDocument doc;
        doc.setViewOptions(ViewOptions{}); // songs shown
        loadAlbums(doc, {album});
        const QString file = pdf("times.pdf");
        ASSERT_TRUE(printToPdf(doc, toStd(file), QPageSize(paper)));
        QString text;
        for (const QString& page : pdfPages(file))
            text += page;
        for (const QString& time : times)
            EXPECT_TRUE(text.contains(time)) << toStd(QPageSize(paper).name()) << " " << toStd(time);
        EXPECT_GE(text.count(QStringLiteral("Time")), 2) << toStd(QPageSize(paper).name());
    }
}

// An album taller than the page prints the lines that fit and stops above the footer.
TEST_F(PrintingTest, AnAlbumTallerThanThePageStopsAboveTheFooter)
{
    AlbumRecord album = albumOf("Quartet", "Long Suite");
    for (int n = 1; n <= kSongSlots; ++n)
        album.songs[n - 1] = {"Movement " + std::to_string(n), "04:00",
                              QString::asprintf("%02d", n).toStdString()};
    CatalogueDocument doc;
    ViewOptions options;
    options.set(ViewOption::ShowPageNum, 1);
    doc.setViewOptions(options);
    loadAlbums(doc, {album});
    const QString file = pdf("tall.pdf");
    ASSERT_TRUE(printToPdf(doc, toStd(file), QPageSize(QSizeF(5, 2.5), QPageSize::Inch)));
    const std::vector<QString> pages = pdfPages(file);
    ASSERT_EQ(pages.size(), 1u);
    QStringList lines = pages[0].split(u'\n', Qt::SkipEmptyParts);
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.last().trimmed(), QStringLiteral("Page Number 1 of 1"));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Quartet")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Movement 26"))); // cut, not squeezed in
}

TEST_F(PrintingTest, AnEmptyCataloguePrintsOnePageWithItsFooter)
{
    CatalogueDocument doc;
    doc.setViewOptions(shortAlbums(2));
    doc.newDocument();
    ASSERT_TRUE(printToPdf(doc, toStd(pdf("empty.pdf")), QPageSize(QPageSize::A4)));
    const std::vector<QString> pages = pdfPages(pdf("empty.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Page Number 1 of 1")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Group/Artist")));
}

TEST_F(PrintingTest, ThePrintFontKeepsItsPointSizeAtThePrintersResolution)
{
    CatalogueDocument doc;
    loadAlbums(doc, albumsByArtist({"Abba"}));
    for (const int dpi : {300, 600, 1200}) {
        QPdfWriter writer(pdf("font.pdf"));
        writer.setResolution(dpi);
        const CataloguePages job(doc, writer, std::nullopt);
        // The default font is 8 points: 8/72 of an inch.
        EXPECT_EQ(job.printFont().pixelSize(), 8 * dpi / 72) << dpi;
        EXPECT_GE(job.pagination().lineHeight, 8 * dpi / 72) << dpi;
    }
}

class RecordingProgress : public ProgressSink
{
public:
    void begin(std::string_view text, int range) override
    {
        texts.emplace_back(text);
        this->range = range;
    }
    void setRange(int r) override { range = r; }
    void step() override { ++steps; }
    void end() override { ++ends; }
    void setText(std::string_view text) override { texts.emplace_back(text); }

    std::vector<std::string> texts;
    int range = -1;
    int steps = 0;
    int ends = 0;
};

TEST_F(PrintingTest, AJobReportsItsPagesAsItPrintsThem)
{
    CatalogueDocument doc;
    doc.setViewOptions(shortAlbums(1));
    loadAlbums(doc, albumsByArtist({"A", "B", "C", "D", "E", "F"}));
    QPdfWriter writer(pdf("progress.pdf"));
    writer.setResolution(300);
    const CataloguePages job(doc, writer, std::nullopt);
    RecordingProgress progress;
    ASSERT_TRUE(printPages(writer, job, PageSpan{2, 5, 1}, &progress));
    ASSERT_FALSE(progress.texts.empty());
    EXPECT_EQ(progress.texts.front(), "Printing page 2 of 6");
    EXPECT_EQ(progress.range, 4);
    EXPECT_EQ(progress.steps, 4);
    EXPECT_EQ(progress.ends, 1);
    EXPECT_EQ(pdfPageCount(pdf("progress.pdf")), 4);

    // Asked to stop after two pages, the job keeps the two it printed.
    QPdfWriter stopped(pdf("stopped.pdf"));
    stopped.setResolution(300);
    const CataloguePages again(doc, stopped, std::nullopt);
    std::vector<std::pair<int, int>> asked;
    ASSERT_TRUE(printPages(stopped, again, {}, nullptr, [&](int printed, int total) {
        asked.emplace_back(printed, total);
        return printed < 2;
    }));
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{1, 6}, {2, 6}}));
    EXPECT_EQ(pdfPageCount(pdf("stopped.pdf")), 2);
}

// The command line, with the settings of a store and a catalogue file written by the program.
class PrintCommandLineTest : public PrintingTest
{
protected:
    PrintCommandLineTest()
    {
        CatalogueDocument doc;
        std::vector<AlbumRecord> albums = albumsByArtist({"Cher", "Abba", "Blur"});
        albums[0].label = "Decca";
        albums[1].label = "EMI";
        albums[2].label = "Decca";
        loadAlbums(doc, albums);
        EXPECT_TRUE(doc.saveFile(toStd(m_dir.filePath(QStringLiteral("music.dcf")))));
    }

    int print(std::vector<std::string> args)
    {
        args.push_back(toStd(m_dir.filePath(QStringLiteral("music.dcf"))));
        const CommandLine cl = parseCommandLine(args);
        EXPECT_TRUE(cl.error.empty()) << cl.error;
        return runPrintingMode(cl, m_store);
    }

    MemorySettingsStore m_store;
};

TEST_F(PrintCommandLineTest, WritesThePagesWithTheSettingsPageBreaksAndPageNumbers)
{
    m_store.writeInt(kUserData, "NlViewPrint", 1);
    m_store.writeInt(kUserData, "ShowPageNum", 0);
    ASSERT_EQ(print({"--print-pdf", toStd(pdf("records.pdf")), "--order", "by-album-name"}), kExitSuccess);
    const std::vector<QString> pages = pdfPages(pdf("records.pdf"));
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Album of Abba")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Album of Blur")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Album of Cher")));
    for (const QString& page : pages)
        EXPECT_FALSE(page.contains(QStringLiteral("Page Number")));

    // Single lines grouped by label name: Decca's two albums, then EMI's.
    m_store.writeInt(kUserData, "GroupViewPrint", 2);
    m_store.writeInt(kUserData, "ShowPageNum", 1);
    ASSERT_EQ(
        print({"--print-pdf", toStd(pdf("labels.pdf")), "--order", "by-label", "--style", "single-line"}),
        kExitSuccess);
    const std::vector<QString> labels = pdfPages(pdf("labels.pdf"));
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_TRUE(labels[0].contains(QStringLiteral("Blur")) && labels[0].contains(QStringLiteral("Cher")));
    EXPECT_TRUE(labels[0].contains(QStringLiteral("Page Number 1 of 2")));
    EXPECT_TRUE(labels[1].contains(QStringLiteral("EMI")));
    EXPECT_FALSE(labels[1].contains(QStringLiteral("Decca")));
}

TEST_F(PrintCommandLineTest, AFileThatCannotBeWrittenFailsAndWritesNothing)
{
    const QString out = m_dir.filePath(QStringLiteral("missing/out.pdf"));
    EXPECT_EQ(print({"--print-pdf", toStd(out)}), kExitFailure);
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(PrintCommandLineTest, PrintingWithoutAPrinterSaysSo)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a printer is set up here; the test would print on it";
    testing::internal::CaptureStderr();
    EXPECT_EQ(print({"--print"}), kExitFailure);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no printer"), std::string::npos);
}

// Print and Print Preview in the window.
class PrintWindowTest : public PrintingTest
{
protected:
    PrintWindowTest() : m_app(m_store, &m_prompter)
    {
        m_app.start();
        window().resize(900, 700);
        QApplication::processEvents();
        doc().setViewOptions(shortAlbums(0));
        loadAlbums(doc(), albumsByArtist({"Abba", "Blur", "Cher", "Dido"}));
        QApplication::processEvents();
    }

    MainWindow& window() { return m_app.mainWindow(); }
    CatalogueDocument& doc() { return m_app.document(); }
    CatalogueView& view() { return *window().view(); }
    PrintHandlers& printing() { return m_app.printHandlers(); }

    // Selects entries with Ctrl+click, as the user would.
    void select(std::initializer_list<int> positions)
    {
        const int lh = view().metrics().lineHeight;
        for (int position : positions) {
            const QPoint at(40, position * view().linesPerRecord() * lh + lh + lh / 2);
            QTest::mouseClick(view().viewport(), Qt::LeftButton, Qt::ControlModifier, at);
        }
        ASSERT_TRUE(view().selection().anySelected());
    }

    QPrinter& pdfPrinter(const char* name)
    {
        QPrinter& printer = printing().printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf(name));
        return printer;
    }

    MemorySettingsStore m_store;
    FakePrompter m_prompter;
    Application m_app;
};

TEST_F(PrintWindowTest, ThePrintDialogOffersAndChoosesTheSelectionOnlyWhenEntriesAreSelected)
{
    for (const bool selected : {false, true}) {
        if (selected)
            select({1});
        bool offered = !selected;
        bool chosen = !selected;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            offered = dialog->testOption(QAbstractPrintDialog::PrintSelection);
            chosen = dialog->printer()->printRange() == QPrinter::Selection;
            dialog->reject();
        });
        window().runCommand(CommandId::Print);
        EXPECT_EQ(offered, selected);
        EXPECT_EQ(chosen, selected);
    }
}

TEST_F(PrintWindowTest, ThePrintDialogsPageRangeCountsThePagesOfWhatItPrints)
{
    doc().setViewOptions(shortAlbums(1)); // one album a page
    for (const bool selected : {false, true}) {
        if (selected)
            select({2});
        int lastPage = 0;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            lastPage = dialog->maxPage();
            dialog->reject();
        });
        window().runCommand(CommandId::Print);
        EXPECT_EQ(lastPage, selected ? 1 : 4);
    }
}

TEST_F(PrintWindowTest, PrintSetupSetsUpThePrinterThePrintCommandsUse)
{
    QPrinter* shown = nullptr;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPageSetupDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = dialog->printer();
        dialog->reject();
    });
    window().runCommand(CommandId::PrintSetup);
    EXPECT_EQ(shown, &printing().printer());
}

TEST_F(PrintWindowTest, PrintingTheSelectionPrintsOnlyItAndKeepsIt)
{
    select({1, 3});
    ASSERT_TRUE(printing().printOn(pdfPrinter("selection.pdf"), true));
    const std::vector<QString> pages = pdfPages(pdf("selection.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Blur")) && pages[0].contains(QStringLiteral("Dido")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Abba")) || pages[0].contains(QStringLiteral("Cher")));
    EXPECT_EQ(view().selection().positions(), (std::vector<int>{1, 3}));

    // Printing everything clears the selection first.
    ASSERT_TRUE(printing().printOn(pdfPrinter("all.pdf"), false));
    EXPECT_FALSE(view().selection().anySelected());
    const std::vector<QString> all = pdfPages(pdf("all.pdf"));
    ASSERT_EQ(all.size(), 1u);
    EXPECT_TRUE(all[0].contains(QStringLiteral("Abba")) && all[0].contains(QStringLiteral("Cher")));
}

TEST_F(PrintWindowTest, TheStatusBarShowsWhichPageIsPrinting)
{
    MainStatusBar& bar = *window().mainStatusBar();
    ProgressSink& sink = bar;
    sink.begin(printingPageText(1, 40), 40);
    sink.step();
    sink.setText(printingPageText(2, 40));
    EXPECT_TRUE(bar.inProgressLayout());
    EXPECT_EQ(bar.statusText(), QStringLiteral("Printing page 2 of 40"));
    sink.end();
    EXPECT_FALSE(bar.inProgressLayout());
    EXPECT_EQ(bar.statusText(), QStringLiteral("Ready"));
}

TEST_F(PrintWindowTest, APrinterThatCannotStartIsReported)
{
    QPrinter& printer = printing().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir.filePath(QStringLiteral("missing/out.pdf")));
    EXPECT_FALSE(printing().printOn(printer, false));
    EXPECT_EQ(m_prompter.errors, (std::vector<std::string>{"Could not start print job."}));
}

TEST_F(PrintWindowTest, ThePreviewTurnsPagesWithPageDownAndPageUpAndClosesWithEscape)
{
    doc().setViewOptions(shortAlbums(1)); // one album a page: four pages
    std::vector<int> seen;
    bool closed = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* pages = dialog->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(pages, nullptr);
        seen.push_back(pages->pageCount());
        // The offscreen platform does not activate a dialog by itself; a shown preview is active.
        QApplication::setActiveWindow(dialog);
        // The page box is the line edit that holds a page number.
        QLineEdit* box = nullptr;
        for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
            if (edit->text() == QStringLiteral("1"))
                box = edit;
        ASSERT_NE(box, nullptr);
        QTest::keyClick(dialog, Qt::Key_PageDown);
        QTest::keyClick(dialog, Qt::Key_PageDown);
        seen.push_back(pages->currentPage());
        seen.push_back(box->text().toInt());
        QTest::keyClick(dialog, Qt::Key_PageUp);
        seen.push_back(pages->currentPage());
        seen.push_back(box->text().toInt());
        QTest::keyClick(dialog, Qt::Key_Escape);
        closed = !dialog->isVisible();
    });
    window().runCommand(CommandId::PrintPreview);
    EXPECT_EQ(seen, (std::vector<int>{4, 3, 3, 2, 2}));
    EXPECT_TRUE(closed);
}

} // namespace
} // namespace discora
