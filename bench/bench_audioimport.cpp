// How fast a folder of audio files is read: 1,000 or 10,000 small tagged files (nine FLAC files to
// one MP3) in albums of ten, written once into a temporary folder and then read warm from the
// page cache. BM_ScanAudioFolder is the worker thread's whole part of File > Import > Audio Files
// Folder: walking the folders and reading every file's tags and length; BM_AudioImport adds the
// grouping and the albums entering an empty catalogue.
#include "core/document/audioimportplan.h"
#include "support/audiofiles.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <map>

namespace discora {
namespace {

namespace fs = std::filesystem;

// The generated folders, removed when the program ends.
class AudioFolders
{
public:
    ~AudioFolders()
    {
        for (const auto& [files, dir] : m_dirs) {
            std::error_code error;
            fs::remove_all(dir, error);
        }
    }

    const fs::path& of(int files)
    {
        fs::path& dir = m_dirs[files];
        if (!dir.empty())
            return dir;
        dir = fs::temp_directory_path() /
              ("discora-bench-audio-" + std::to_string(::getpid()) + "-" + std::to_string(files));
        for (int f = 0; f < files; ++f) {
            const int album = f / 10;
            const int track = f % 10 + 1;
            const std::string artist = "Artist " + std::to_string(album / 4);
            const std::string title = "Album " + std::to_string(album);
            const fs::path folder = dir / artist / title;
            if (track == 10) {
                const std::string frames = fixture::latin1Frame("TPE1", artist) +
                                           fixture::latin1Frame("TALB", title) +
                                           fixture::latin1Frame("TIT2", "Song " + std::to_string(f)) +
                                           fixture::latin1Frame("TRCK", std::to_string(track)) +
                                           fixture::latin1Frame("TCON", "Rock");
                fixture::writeBytes(folder / "10.mp3", fixture::mp3Bytes(frames, 1));
            } else {
                fixture::writeBytes(folder / (std::to_string(track) + ".flac"),
                                    fixture::flacBytes({{"ARTIST", artist},
                                                        {"ALBUM", title},
                                                        {"TITLE", "Song " + std::to_string(f)},
                                                        {"TRACKNUMBER", std::to_string(track)},
                                                        {"GENRE", "Rock"},
                                                        {"DATE", "1999"}},
                                                       200 + f % 100));
            }
        }
        scanAudioFolder(dir.string()); // once, so that every run reads from the page cache
        return dir;
    }

private:
    std::map<int, fs::path> m_dirs;
};

AudioFolders& folders()
{
    static AudioFolders made;
    return made;
}

void countFiles(benchmark::State& state)
{
    state.counters["files_per_second"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                            benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ScanAudioFolder(benchmark::State& state)
{
    const fs::path& dir = folders().of(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto scan = scanAudioFolder(dir.string());
        if (!scan || static_cast<int>(scan->tracks.size()) != state.range(0)) {
            state.SkipWithError("not every file was read");
            break;
        }
        benchmark::DoNotOptimize(scan->tracks.data());
    }
    countFiles(state);
}
BENCHMARK(BM_ScanAudioFolder)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_AudioImport(benchmark::State& state)
{
    const fs::path& dir = folders().of(static_cast<int>(state.range(0)));
    CatalogueDocument doc;
    for (auto _ : state) {
        state.PauseTiming();
        doc.newDocument();
        state.ResumeTiming();
        auto plan = planAudioImport(doc, dir.string(), *scanAudioFolder(dir.string()));
        if (!plan || applyAudioImport(doc, *plan).edit.changed != state.range(0) / 10) {
            state.SkipWithError("not every album was added");
            break;
        }
        benchmark::DoNotOptimize(doc.displayedCount());
    }
    countFiles(state);
}
BENCHMARK(BM_AudioImport)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace discora

BENCHMARK_MAIN();
