// How fast the catalogue prints: every page of the normal and the single-line layout written to a
// PDF at 600 dpi on A4, for 1,000 and 10,000 albums, in pages a second; and how long a job takes
// to begin (measure the printer, find the entries, build the page tables) for each layout, with
// no breaks, letter breaks and name breaks, at 1,000 and 100,000 albums.
#include "benchdocument.h"
#include "qtbenchmarkmain.h"

#include "core/document/cataloguedocument.h"
#include "ui/printing/cataloguepages.h"
#include "ui/printing/pdfoutput.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

namespace discora {
namespace {

struct Setup
{
    SortOrder order;
    ViewStyle style;
    ViewOption breakOption; // the layout's page-break option
    int letterValue;        // its value for a break after each letter
    int nameValue;          // and after each name change; 0 where there is none
};

enum class Breaks
{
    None,
    Letter,
    Name
};

void prepare(CatalogueDocument& doc, const Setup& setup, Breaks breaks)
{
    ViewOptions options; // the defaults: songs shown in the normal layout, page numbers on
    options.set(setup.breakOption, breaks == Breaks::Letter ? setup.letterValue
                                   : breaks == Breaks::Name ? setup.nameValue
                                                            : 0);
    doc.setViewOptions(options);
    doc.setViewStyle(setup.style);
    if (doc.currentOrder() != setup.order)
        doc.runOrder(setup.order);
}

void BM_PrintToPdf(benchmark::State& state, Setup setup)
{
    CatalogueDocument& doc = benchDocument(static_cast<int>(state.range(0)));
    prepare(doc, setup, Breaks::None);
    int pages = 0;
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        setUpPdfPage(writer, QPageSize(QPageSize::A4));
        const CataloguePages job(doc, writer, std::nullopt);
        if (!printPages(writer, job))
            state.SkipWithError("the PDF could not be written");
        pages = job.pageCount();
        bytes = buffer.size();
    }
    state.counters["pages"] = pages;
    state.counters["pagesPerSecond"] =
        benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["megabytes"] = static_cast<double>(bytes) / 1e6;
}

void BM_BeginPrinting(benchmark::State& state, Setup setup, Breaks breaks)
{
    CatalogueDocument& doc = benchDocument(static_cast<int>(state.range(0)));
    prepare(doc, setup, breaks);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    setUpPdfPage(writer, QPageSize(QPageSize::A4));
    int pages = 0;
    int entries = 0;
    for (auto _ : state) {
        const CataloguePages job(doc, writer, std::nullopt);
        pages = job.pageCount();
        entries = job.pagination().printCount;
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = pages;
    state.counters["entries"] = entries;
}

constexpr Setup kNormal{SortOrder::ByArtist, ViewStyle::Normal, ViewOption::NlViewPrint, 2, 3};
constexpr Setup kSingleLine{SortOrder::ByLabel, ViewStyle::SingleLineSorts, ViewOption::GroupViewPrint, 1, 2};
constexpr Setup kSongs{SortOrder::BySong, ViewStyle::Normal, ViewOption::SongPrint, 1, 0};
constexpr Setup kSongDetail{SortOrder::BySongDetail, ViewStyle::Normal, ViewOption::SongPrint, 1, 0};
constexpr Setup kArtistShort{SortOrder::ByArtistShort, ViewStyle::Normal, ViewOption::ArtistPrint, 1, 2};
constexpr Setup kProducers{SortOrder::ByProducer, ViewStyle::Normal, ViewOption::ProducerPrint, 1, 2};
constexpr Setup kPerformers{SortOrder::ByPerformer, ViewStyle::Normal, ViewOption::PerformerPrint, 1, 2};

BENCHMARK_CAPTURE(BM_PrintToPdf, Normal, kNormal)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PrintToPdf, SingleLineByLabel, kSingleLine)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

#define DISCORA_BEGIN_BENCHMARK(name, setup, breaks)                                                         \
    BENCHMARK_CAPTURE(BM_BeginPrinting, name, setup, breaks)                                                 \
        ->Arg(1000)                                                                                          \
        ->Arg(100000)                                                                                        \
        ->Unit(benchmark::kMillisecond)
#define DISCORA_BEGIN_BENCHMARKS(name, setup)                                                                \
    DISCORA_BEGIN_BENCHMARK(name, setup, Breaks::None);                                                      \
    DISCORA_BEGIN_BENCHMARK(name##ByLetter, setup, Breaks::Letter)

DISCORA_BEGIN_BENCHMARKS(Normal, kNormal);
DISCORA_BEGIN_BENCHMARKS(SingleLine, kSingleLine);
DISCORA_BEGIN_BENCHMARKS(Songs, kSongs);
DISCORA_BEGIN_BENCHMARKS(SongDetail, kSongDetail);
DISCORA_BEGIN_BENCHMARKS(ArtistShortList, kArtistShort);
DISCORA_BEGIN_BENCHMARKS(Producers, kProducers);
DISCORA_BEGIN_BENCHMARKS(Performers, kPerformers);
DISCORA_BEGIN_BENCHMARK(NormalByName, kNormal, Breaks::Name);
DISCORA_BEGIN_BENCHMARK(SingleLineByName, kSingleLine, Breaks::Name);
DISCORA_BEGIN_BENCHMARK(ArtistShortListByName, kArtistShort, Breaks::Name);
DISCORA_BEGIN_BENCHMARK(ProducersByName, kProducers, Breaks::Name);
DISCORA_BEGIN_BENCHMARK(PerformersByName, kPerformers, Breaks::Name);

} // namespace
} // namespace discora

int main(int argc, char** argv)
{
    return discora::runQtBenchmarks<QGuiApplication>(argc, argv);
}
