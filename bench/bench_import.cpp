// How long importing comma-separated values takes for 1,000 to 100,000 rows: a generated catalogue
// exported with every display switch on (85 columns, UTF-8 since some texts are outside
// Windows-1252) and read back. BM_Import is the whole of File > Import after the dialog's OK:
// reading and splitting the file, choosing the columns, making the albums and adding them to an
// empty catalogue, which sorts them by artist.
#include "benchdocument.h"

#include "core/document/cataloguedocument.h"
#include "core/export/csvexport.h"
#include "core/import/csvimport.h"
#include "core/import/csvreader.h"
#include "core/view/csvcolumns.h"

#include <benchmark/benchmark.h>

#include <map>
#include <numeric>

namespace discora {
namespace {

const std::array<std::string, 2> kHeadings = {"Custom 1", "Custom 2"};

const std::string& exportOf(int albums)
{
    static std::map<int, std::string> made;
    std::string& bytes = made[albums];
    if (bytes.empty()) {
        const CatalogueDocument& doc = benchDocument(albums);
        ExportSettings settings;
        for (ViewOption option : kCsvColumnSwitches)
            settings.switches.set(option, 1);
        std::vector<std::uint32_t> order(static_cast<std::size_t>(albums));
        std::iota(order.begin(), order.end(), 0u);
        bytes = csvExport(doc, settings, order).bytes;
    }
    return bytes;
}

void countRows(benchmark::State& state, std::size_t bytes)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
    state.counters["rows"] = static_cast<double>(state.range(0));
    state.counters["file_bytes"] = static_cast<double>(bytes);
}

void BM_ReadCsv(benchmark::State& state)
{
    const std::string& bytes = exportOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto table = readCsv(bytes);
        if (!table || table->rowCount() != state.range(0) + 1) {
            state.SkipWithError("the file did not read back");
            break;
        }
        benchmark::DoNotOptimize(table->rowCount());
    }
    countRows(state, bytes.size());
}
BENCHMARK(BM_ReadCsv)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ImportRows(benchmark::State& state)
{
    const std::string& bytes = exportOf(static_cast<int>(state.range(0)));
    const auto table = readCsv(bytes);
    const ColumnMapping mapping = ColumnMapping::fromHeadings(table->headings(), kHeadings);
    for (auto _ : state) {
        ImportedAlbums imported = importRows(*table, mapping, 0);
        benchmark::DoNotOptimize(imported.albums.albumCount());
    }
    countRows(state, bytes.size());
}
BENCHMARK(BM_ImportRows)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Import(benchmark::State& state)
{
    const std::string& bytes = exportOf(static_cast<int>(state.range(0)));
    CatalogueDocument doc;
    for (auto _ : state) {
        state.PauseTiming();
        doc.newDocument();
        doc.setHeadings(kHeadings[0], kHeadings[1]);
        state.ResumeTiming();
        auto table = readCsv(bytes);
        if (!table) {
            state.SkipWithError(table.error().c_str());
            break;
        }
        const ColumnMapping mapping = ColumnMapping::fromHeadings(table->headings(), doc.headings());
        ImportedAlbums imported = importRows(*table, mapping, doc.albumCount());
        const auto outcome = doc.importAlbums(std::move(imported.albums));
        if (outcome.changed != state.range(0)) {
            state.SkipWithError("not every row became an album");
            break;
        }
        benchmark::DoNotOptimize(doc.displayedCount());
    }
    countRows(state, bytes.size());
}
BENCHMARK(BM_Import)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace discora

BENCHMARK_MAIN();
