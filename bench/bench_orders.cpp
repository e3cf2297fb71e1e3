// How long the orders take on generated catalogues of up to 100,000 albums (about 1.2 million
// songs), and the album orders, the song and performer lists at a million: each album order, the
// song, producer and performer lists, the performer names the Filters
// dialog offers, and a performer filter. For comparison, a plain quadratic exchange sort at
// 5,000 albums.
#include "benchdocument.h"

#include "core/document/cataloguedocument.h"
#include "core/export/orderlisting.h"
#include "core/model/columnlayout.h"
#include "core/order/comparenames.h"
#include "core/order/filters.h"
#include "core/order/orders.h"

#include <benchmark/benchmark.h>

namespace discora {
namespace {

// A document that can show every album in catalogue order (the generator's albums are in no
// particular order), so that every run sorts the same input. The program itself always keeps the
// sequence the albums had.
class BenchDocument : public CatalogueDocument
{
public:
    void showInCatalogueOrder()
    {
        m_view.filters.fill(kNoFilter);
        m_derived.displayOrder = filteredAlbums(*this);
        m_derived.lists.clear();
    }
};

void BM_AlbumOrder(benchmark::State& state, SortOrder order)
{
    BenchDocument& doc = benchDocument<BenchDocument>(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        doc.showInCatalogueOrder();
        state.ResumeTiming();
        doc.runOrder(order);
        benchmark::DoNotOptimize(doc.displayOrder().data());
    }
    state.counters["albums"] = static_cast<double>(doc.displayedCount());
}

#define ALBUM_ORDER(name)                                                                                    \
    BENCHMARK_CAPTURE(BM_AlbumOrder, name, SortOrder::name)                                                  \
        ->Arg(1000)                                                                                          \
        ->Arg(100000)                                                                                        \
        ->Arg(1000000)                                                                                       \
        ->Unit(benchmark::kMillisecond)
ALBUM_ORDER(ByArtist);
ALBUM_ORDER(ByAlbumName);
ALBUM_ORDER(ByCatalogNumber);
ALBUM_ORDER(ByCustom1);
ALBUM_ORDER(ByCustom2);
ALBUM_ORDER(ByLabel);
ALBUM_ORDER(ByMediaType);
ALBUM_ORDER(ByMusicType);
ALBUM_ORDER(ByNumber);
ALBUM_ORDER(ByQuality);
#undef ALBUM_ORDER

// Building the list and ordering it, from albums in artist order.
void BM_DerivedList(benchmark::State& state, SortOrder order, int sortSongsAlso)
{
    BenchDocument& doc = benchDocument<BenchDocument>(static_cast<int>(state.range(0)));
    ViewOptions options = doc.viewOptions();
    options.set(ViewOption::ArtistSongSort, sortSongsAlso);
    doc.setViewOptions(options);
    for (auto _ : state) {
        state.PauseTiming();
        doc.showInCatalogueOrder();
        doc.runOrder(SortOrder::ByArtist);
        state.ResumeTiming();
        doc.runOrder(order);
        benchmark::DoNotOptimize(&doc.derivedLists());
    }
    const DerivedLists& lists = doc.derivedLists();
    state.counters["entries"] =
        static_cast<double>(lists.songs.size() + lists.producers.size() + lists.performers.size());
}

BENCHMARK_CAPTURE(BM_DerivedList, BySong, SortOrder::BySong, 0)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DerivedList, ArtistShortList, SortOrder::ByArtistShort, 0)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DerivedList, ArtistShortListSortSongsAlso, SortOrder::ByArtistShort, 1)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DerivedList, ByProducer, SortOrder::ByProducer, 0)
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DerivedList, ByPerformer, SortOrder::ByPerformer, 0)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

// The lines `discora --list` prints for a list already made, counted and dropped.
void BM_ListLines(benchmark::State& state, SortOrder order)
{
    BenchDocument& doc = benchDocument<BenchDocument>(static_cast<int>(state.range(0)));
    doc.showInCatalogueOrder();
    doc.runOrder(SortOrder::ByArtist);
    doc.runOrder(order);
    std::size_t lines = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        lines = 0;
        bytes = 0;
        listCurrentOrder(doc, [&](std::string_view line) {
            ++lines;
            bytes += line.size();
        });
    }
    benchmark::DoNotOptimize(bytes);
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK_CAPTURE(BM_ListLines, BySong, SortOrder::BySong)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ListLines, ByPerformer, SortOrder::ByPerformer)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

void BM_DistinctPerformerNames(benchmark::State& state)
{
    BenchDocument& doc = benchDocument<BenchDocument>(static_cast<int>(state.range(0)));
    doc.showInCatalogueOrder();
    std::size_t names = 0;
    for (auto _ : state) {
        const auto distinct = distinctPerformerNames(doc);
        names = distinct.size();
        benchmark::DoNotOptimize(distinct.data());
    }
    state.counters["names"] = static_cast<double>(names);
}
BENCHMARK(BM_DistinctPerformerNames)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A common first name, and a text no performer begins with, which makes every album test all ten.
void BM_ApplyFiltersPerformer(benchmark::State& state, const char* performer)
{
    BenchDocument& doc = benchDocument<BenchDocument>(static_cast<int>(state.range(0)));
    doc.setFilter(FilterField::Performer, performer);
    std::size_t shown = 0;
    for (auto _ : state) {
        const auto albums = filteredAlbums(doc);
        shown = albums.size();
        benchmark::DoNotOptimize(albums.data());
    }
    state.counters["shown"] = static_cast<double>(shown);
    doc.setFilter(FilterField::Performer, kNoFilter);
}
BENCHMARK_CAPTURE(BM_ApplyFiltersPerformer, Theo, "Theo")
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ApplyFiltersPerformer, NoMatch, "Zz")
    ->Arg(1000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// A plain exchange sort: n - 1 passes over neighbours, reading both keys from the catalogue
// at every comparison, no early exit. For the record only; ByArtist gives the same result.
void BM_PlainExchangeSort(benchmark::State& state)
{
    BenchDocument& doc = benchDocument<BenchDocument>(static_cast<int>(state.range(0)));
    const bool ignoreThe = doc.viewRuleIgnoresThe();
    for (auto _ : state) {
        state.PauseTiming();
        doc.showInCatalogueOrder();
        auto order = doc.displayOrder();
        state.ResumeTiming();
        const std::size_t n = order.size();
        for (std::size_t pass = 0; pass + 1 < n; ++pass) {
            for (std::size_t j = 0; j + 1 < n - pass; ++j) {
                std::string_view a = doc.text(Field::Artist, static_cast<int>(order[j]));
                std::string_view b = doc.text(Field::Artist, static_cast<int>(order[j + 1]));
                if (ignoreThe) {
                    a = stripLeadingThe(a);
                    b = stripLeadingThe(b);
                }
                if (CompareNames(a, b) > 0)
                    std::swap(order[j], order[j + 1]);
            }
        }
        benchmark::DoNotOptimize(order.data());
    }
}
BENCHMARK(BM_PlainExchangeSort)->Arg(5000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace discora

BENCHMARK_MAIN();
