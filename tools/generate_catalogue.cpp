// discora-generate: writes an invented catalogue file, for trying the program on a lively
// collection or on a very large one.
#include "cataloguegenerator.h"

#include "core/fileformat/atomicfile.h"
#include "core/fileformat/cataloguewriter.h"
#include "core/model/columnlayout.h"

#include <charconv>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr int kDefaultAlbums = 100;
constexpr std::uint32_t kDefaultSeed = 1;

void printUsage(std::FILE* to)
{
    std::fprintf(to,
                 "Usage: discora-generate [--albums N] [--seed S] [--common-titles P] [--details] OUT.dcf\n"
                 "Writes N invented albums (default %d) made from seed S (default %u) to OUT.dcf;\n"
                 "P percent of the songs (default 0) take titles that collections repeat often;\n"
                 "--details gives the albums collection details (status, year, condition, rating,\n"
                 "prices and values, loans).\n",
                 kDefaultAlbums, kDefaultSeed);
}

template <typename T> bool parseNumber(std::string_view text, T& out)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

int main(int argc, char** argv)
{
    int albums = kDefaultAlbums;
    std::uint32_t seed = kDefaultSeed;
    discora::GeneratorOptions options;
    std::string out;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printUsage(stdout);
            return 0;
        }
        if (arg == "--details") {
            options.collectionDetails = true;
            continue;
        }
        if (arg == "--albums" || arg == "--seed" || arg == "--common-titles") {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "discora-generate: %s needs a value.\n", argv[i]);
                return 2;
            }
            const std::string_view value = argv[++i];
            int& percent = options.commonTitlePercent;
            const bool ok = arg == "--albums" ? parseNumber(value, albums) && albums >= 0
                            : arg == "--seed" ? parseNumber(value, seed)
                                              : parseNumber(value, percent) && percent >= 0 && percent <= 100;
            if (!ok) {
                std::fprintf(stderr, "discora-generate: \"%s\" is not a valid value for %s.\n", argv[i],
                             argv[i - 1]);
                return 2;
            }
            continue;
        }
        if (arg.starts_with("-") || !out.empty()) {
            printUsage(stderr);
            return 2;
        }
        out = arg;
    }
    if (out.empty()) {
        printUsage(stderr);
        return 2;
    }

    const discora::AlbumStore store = discora::generateCatalogue(albums, seed, options);
    const std::string bytes =
        discora::writeCatalogue(store, discora::defaultColumnLayouts(96), {"Custom 1", "Custom 2"});
    const discora::Status status = discora::writeFileAtomically(out, bytes);
    if (!status) {
        std::fprintf(stderr, "discora-generate: cannot write \"%s\". %s\n", out.c_str(),
                     status.error().c_str());
        return 1;
    }
    std::printf("Wrote %d albums (seed %u, %zu bytes) to %s\n", store.albumCount(), seed, bytes.size(),
                out.c_str());
    return 0;
}
