// How long the statistics take on generated catalogues with collection details, of 1,000 to
// 1,000,000 albums: every displayed album (sorted by artist, as after a load) and the albums a year
// filter leaves, and the lines --stats prints from them.
#include "cataloguegenerator.h"

#include "core/document/cataloguedocument.h"
#include "core/export/collectionstatistics.h"
#include "core/export/statisticslisting.h"
#include "core/fileformat/cataloguereader.h"
#include "core/model/columnlayout.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace discora {
namespace {

constexpr std::uint32_t kBenchSeed = 20240611;

CatalogueDocument& documentWithDetails(int albums)
{
    static std::map<int, std::unique_ptr<CatalogueDocument>> made;
    auto& doc = made[albums];
    if (!doc) {
        doc = std::make_unique<CatalogueDocument>();
        doc->newDocument();
        GeneratorOptions options;
        options.collectionDetails = true;
        LoadedCatalogue loaded;
        loaded.albums = generateCatalogue(albums, kBenchSeed, options);
        loaded.layouts = defaultColumnLayouts(96);
        loaded.headings = {"Custom 1", "Custom 2"};
        doc->adoptLoaded(std::move(loaded));
    }
    return *doc;
}

void BM_Statistics(benchmark::State& state, const char* yearFilter)
{
    CatalogueDocument& doc = documentWithDetails(static_cast<int>(state.range(0)));
    doc.setFilter(FilterField::Year, yearFilter);
    const std::string today = todaysDate();
    for (auto _ : state) {
        const CollectionStatistics stats = collectionStatistics(doc.albums(), doc.displayOrder(), today);
        benchmark::DoNotOptimize(stats.albums);
    }
    state.counters["albums"] = static_cast<double>(doc.displayedCount());
    doc.setFilter(FilterField::Year, kNoFilter);
}
BENCHMARK_CAPTURE(BM_Statistics, AllAlbums, kNoFilter)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Statistics, Seventies, "1970-1979")
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

void BM_StatisticsText(benchmark::State& state)
{
    CatalogueDocument& doc = documentWithDetails(static_cast<int>(state.range(0)));
    const CollectionStatistics stats = collectionStatistics(doc.albums(), doc.displayOrder(), todaysDate());
    for (auto _ : state) {
        const std::string text = statisticsText(statisticsSections(stats));
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_StatisticsText)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace discora

BENCHMARK_MAIN();
