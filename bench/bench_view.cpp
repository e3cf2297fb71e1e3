// How long one full repaint of the catalogue view takes, drawn into an offscreen image the size of a
// large window: the normal layout with every display switch on, a single-line layout and the song
// list, for 1,000 and 100,000 albums. The cost must not grow with the catalogue.
// Also how long the entry sheet takes to come up after its drop-down lists were refilled, with
// 1,000 and 100,000 different artists, and how long the Filters dialog takes to come up.
#include "benchdocument.h"
#include "qtbenchmarkmain.h"

#include "core/document/cataloguedocument.h"
#include "core/document/prompter.h"
#include "core/fileformat/cataloguereader.h"
#include "core/order/orders.h"
#include "ui/dialogs/filtersdialog.h"
#include "ui/entry/albumsheet.h"
#include "ui/view/catalogueview.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <string>

namespace discora {
namespace {

enum class Layout
{
    NormalAllSwitches,
    SingleLine,
    SongList
};

void prepare(CatalogueDocument& doc, Layout layout)
{
    ViewOptions options;
    for (ViewOption o : {ViewOption::ShowProducers, ViewOption::ShowLabel, ViewOption::ShowCatalogNum,
                         ViewOption::ShowCustom1, ViewOption::ShowCustom2, ViewOption::ShowQuality,
                         ViewOption::ShowSongs, ViewOption::ShowNotes, ViewOption::ShowPeople})
        options.set(o, 1);
    doc.setViewOptions(options);
    switch (layout) {
    case Layout::NormalAllSwitches:
        doc.setViewStyle(ViewStyle::Normal);
        doc.runOrder(SortOrder::ByArtist);
        break;
    case Layout::SingleLine:
        doc.setViewStyle(ViewStyle::SingleLineSorts);
        doc.runOrder(SortOrder::ByLabel);
        break;
    case Layout::SongList:
        doc.setViewStyle(ViewStyle::Normal);
        doc.runOrder(SortOrder::BySong);
        break;
    }
}

void BM_Repaint(benchmark::State& state, Layout layout)
{
    CatalogueDocument& doc = benchDocument(static_cast<int>(state.range(0)));
    CatalogueView view(doc); // before the options arrive, as in the program
    prepare(doc, layout);
    view.resize(1280, 900);
    view.show();
    QApplication::processEvents();
    // Somewhere in the middle, with a few entries selected, as a user would look at it.
    view.scrollVertically(ScrollRequest::ThumbPosition, view.scrollGeometry().contentHeight / 2);
    const QPoint row(200, view.metrics().lineHeight * 3);
    QMouseEvent click(QEvent::MouseButtonPress, row, view.viewport()->mapToGlobal(row), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &click);

    QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), view.colors().background);
        view.paintContents(painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["entries"] = view.entryCount();
    state.counters["linesPerEntry"] = view.linesPerRecord();
}

class SilentPrompter : public Prompter
{
public:
    SaveAnswer askSaveChanges(const std::string&) override { return SaveAnswer::Discard; }
    void showError(const std::string&) override {}
    void showMessage(const std::string&) override {}
};

// Refilling the sheet's lists from the document and showing the sheet, which sorts the changed
// lists into its drop-downs: the wait after Enter once the catalogue has changed. The albums carry
// only an artist each, all different, in descending order and mixed letter case.
void BM_EntrySheetArtists(benchmark::State& state)
{
    const int artists = static_cast<int>(state.range(0));
    CatalogueDocument doc;
    SilentPrompter prompter;
    AlbumSheet sheet(doc, prompter);
    LoadedCatalogue loaded;
    for (int i = artists; i > 0; --i) {
        AlbumRecord album;
        album.artist = std::string(i % 2 ? "artist " : "Artist ") + std::to_string(i);
        loaded.albums.appendAlbum(album);
    }
    loaded.layouts = defaultColumnLayouts(96);
    loaded.headings = {"Custom 1", "Custom 2"};
    doc.adoptLoaded(std::move(loaded));
    doc.setEntryListSink(&sheet);

    int shown = 0;
    for (auto _ : state) {
        doc.refillEntryLists();
        QTimer::singleShot(0, &sheet, [&] {
            shown = sheet.comboBox(Field::Artist)->count();
            sheet.reject();
        });
        sheet.editAlbum(AlbumRecord{}, doc.headings());
    }
    doc.setEntryListSink(nullptr);
    if (shown != artists)
        state.SkipWithError("the artist list does not hold every artist");
    state.counters["artists"] = shown;
}

BENCHMARK(BM_EntrySheetArtists)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The Filters dialog coming up: its six lists gathered and sorted and its boxes filled. The first
// opening after the albums or filters changed gathers the performer names; a later one reuses them.
void BM_FiltersDialog(benchmark::State& state, bool afterChange)
{
    CatalogueDocument& doc = benchDocument(static_cast<int>(state.range(0)));
    doc.setViewStyle(ViewStyle::Normal);
    doc.runOrder(SortOrder::ByArtist);
    std::size_t performers = 0;
    SilentPrompter prompter;
    for (auto _ : state) {
        if (afterChange) {
            state.PauseTiming();
            doc.setFilters(doc.filters());
            state.ResumeTiming();
        }
        const auto dialog = filtersDialogFor(doc, prompter, nullptr);
        performers = static_cast<std::size_t>(dialog->comboBox(FilterField::Performer)->count());
    }
    state.counters["performers"] = static_cast<double>(performers);
}
BENCHMARK_CAPTURE(BM_FiltersDialog, FirstAfterChange, true)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FiltersDialog, Again, false)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_Repaint, NormalAllSwitches, Layout::NormalAllSwitches)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Repaint, SingleLineByLabel, Layout::SingleLine)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Repaint, SongList, Layout::SongList)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace discora

int main(int argc, char** argv)
{
    return discora::runQtBenchmarks<QApplication>(argc, argv);
}
