// How long loading and saving take for generated catalogues of 1,000 to 100,000 albums (saving with
// and without the disk; loading and saving to a file also at a million), the same with collection
// details on every album, and how much memory a loaded catalogue holds compared with its file.
#include "cataloguegenerator.h"

#include "core/document/cataloguedocument.h"
#include "core/fileformat/atomicfile.h"
#include "core/fileformat/cataloguereader.h"
#include "core/fileformat/cataloguewriter.h"
#include "core/model/columnlayout.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include <malloc.h>
#include <unistd.h>

namespace discora {
namespace {

constexpr std::uint32_t kSeed = 20240611;
const std::array<std::string, 2> kHeadings = {"Custom 1", "Custom 2"};

// Generating 100,000 albums takes longer than loading them, so each size is made once per run.
const AlbumStore& catalogueOf(int albums)
{
    static std::map<int, std::unique_ptr<AlbumStore>> made;
    auto& store = made[albums];
    if (!store)
        store = std::make_unique<AlbumStore>(generateCatalogue(albums, kSeed));
    return *store;
}

// The file of a store, written once per run.
const std::string& fileOf(const AlbumStore& store)
{
    static std::map<const AlbumStore*, std::string> written;
    std::string& bytes = written[&store];
    if (bytes.empty())
        bytes = writeCatalogue(store, defaultColumnLayouts(96), kHeadings);
    return bytes;
}

const std::string& fileOf(int albums)
{
    return fileOf(catalogueOf(albums));
}

// The same albums with what a collector keeps: a date added and a year on each, a location on two
// in three, a status, conditions and a price on some, and a loan on one in twenty.
const AlbumStore& collectionOf(int albums)
{
    static std::map<int, std::unique_ptr<AlbumStore>> made;
    auto& store = made[albums];
    if (!store) {
        const AlbumStore& plain = catalogueOf(albums);
        store = std::make_unique<AlbumStore>();
        for (int a = 0; a < albums; ++a) {
            AlbumRecord record = plain.album(a);
            record.text(Field::DateAdded) =
                "2024-0" + std::to_string(1 + a % 9) + "-1" + std::to_string(a % 10);
            record.text(Field::Year) = std::to_string(1950 + a % 75);
            if (a % 3 != 0)
                record.text(Field::Location) = "Shelf " + std::to_string(a % 40);
            if (a % 4 == 0) {
                record.text(Field::Status) = a % 8 == 0 ? "Wanted" : "Ordered";
                record.text(Field::MediaCondition) = "VG+";
                record.text(Field::SleeveCondition) = "NM";
                record.text(Field::PurchasePrice) = std::to_string(5 + a % 30) + ".99";
            }
            if (a % 20 == 0)
                record.text(Field::Loans) = "Ann\t2024-07-01\t2024-07-15\t";
            store->appendAlbum(record);
        }
    }
    return *store;
}

// VmRSS from /proc/self/status, in bytes; 0 when it cannot be read.
double residentBytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("VmRSS:"))
            return std::stod(line.substr(6)) * 1024.0;
    return 0;
}

// Counts the bytes and drops them: the writer's own time, without the disk's.
class CountingSink : public ByteSink
{
public:
    std::size_t bytes = 0;

protected:
    bool consume(std::string_view block) override
    {
        bytes += block.size();
        benchmark::DoNotOptimize(block.data());
        return true;
    }
};

// Writes store into a sink that only counts, as often as the benchmark asks.
void timeSave(benchmark::State& state, const AlbumStore& store)
{
    const ColumnLayouts layouts = defaultColumnLayouts(96);
    std::size_t size = 0;
    for (auto _ : state) {
        CountingSink sink;
        writeCatalogue(sink, store, layouts, kHeadings);
        sink.finish();
        size = sink.bytes;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.counters["file_bytes"] = static_cast<double>(size);
}

void BM_Save(benchmark::State& state)
{
    timeSave(state, catalogueOf(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_Save)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Saving to a file as the program does (a temporary file written block by block, flushed to the
// disk and renamed), beside writing the same bytes from memory the same way: the difference is
// the saving's own time, the rest the disk's.
std::string benchFilePath()
{
    return (std::filesystem::temp_directory_path() / ("discora-bench-" + std::to_string(::getpid()) + ".dcf"))
        .string();
}

void BM_SaveFile(benchmark::State& state)
{
    const AlbumStore& store = catalogueOf(static_cast<int>(state.range(0)));
    const ColumnLayouts layouts = defaultColumnLayouts(96);
    const std::string path = benchFilePath();
    for (auto _ : state) {
        const Status status = writeFileAtomically(
            path, [&](ByteSink& sink) { writeCatalogue(sink, store, layouts, kHeadings); });
        if (!status) {
            state.SkipWithError(status.error().c_str());
            break;
        }
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveFile)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_WriteFileBytes(benchmark::State& state)
{
    const std::string& bytes = fileOf(static_cast<int>(state.range(0)));
    const std::string path = benchFilePath();
    for (auto _ : state) {
        const Status status = writeFileAtomically(path, bytes);
        if (!status) {
            state.SkipWithError(status.error().c_str());
            break;
        }
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteFileBytes)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Reads a file's bytes as often as the benchmark asks; every read must give state.range(0)
// albums, with their details where the file has some.
void timeLoad(benchmark::State& state, const std::string& bytes)
{
    const LoadBase base{defaultColumnLayouts(96), {}};
    for (auto _ : state) {
        auto loaded = readCatalogue(bytes, base, nullptr);
        if (!loaded || loaded->albums.albumCount() != state.range(0) || !loaded->detailsNotice.empty()) {
            state.SkipWithError(!loaded ? loaded.error().c_str() : "the albums or their details changed");
            break;
        }
        benchmark::DoNotOptimize(loaded->albums.albumCount());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
}

void BM_Load(benchmark::State& state)
{
    timeLoad(state, fileOf(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_Load)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_SaveWithDetails(benchmark::State& state)
{
    timeSave(state, collectionOf(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_SaveWithDetails)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadWithDetails(benchmark::State& state)
{
    timeLoad(state, fileOf(collectionOf(static_cast<int>(state.range(0)))));
}
BENCHMARK(BM_LoadWithDetails)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// What opening a file costs beyond reading it: value lists, filters and the artist sort.
void BM_DocumentLoad(benchmark::State& state)
{
    const std::string& bytes = fileOf(static_cast<int>(state.range(0)));
    CatalogueDocument document;
    for (auto _ : state) {
        const Status status = document.load(bytes);
        if (!status) {
            state.SkipWithError(status.error().c_str());
            break;
        }
        benchmark::DoNotOptimize(document.displayedCount());
    }
}
BENCHMARK(BM_DocumentLoad)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Resident memory added by a loaded catalogue, with the file's bytes already in memory beforehand.
// Freed heap is handed back first so that earlier benchmarks' memory cannot hide the growth.
void BM_LoadedMemory(benchmark::State& state)
{
    const std::string& bytes = fileOf(static_cast<int>(state.range(0)));
    const auto fileSize = static_cast<double>(bytes.size());
    for (auto _ : state) {
        ::malloc_trim(0);
        double before = residentBytes();
        {
            auto loaded = readCatalogue(bytes, LoadBase{defaultColumnLayouts(96), {}}, nullptr);
            if (!loaded) {
                state.SkipWithError(loaded.error().c_str());
                break;
            }
            const double grown = residentBytes() - before;
            state.counters["file_bytes"] = fileSize;
            state.counters["rss_bytes"] = grown;
            state.counters["rss_per_file_byte"] = grown / fileSize;
            state.counters["counted_bytes"] = static_cast<double>(loaded->albums.memoryUsage());
        }
        ::malloc_trim(0);
        before = residentBytes();
        {
            CatalogueDocument document;
            if (!document.load(bytes)) {
                state.SkipWithError("the document did not load");
                break;
            }
            const double grown = residentBytes() - before;
            state.counters["doc_rss_bytes"] = grown;
            state.counters["doc_rss_per_file_byte"] = grown / fileSize;
        }
    }
}
BENCHMARK(BM_LoadedMemory)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace discora

BENCHMARK_MAIN();
