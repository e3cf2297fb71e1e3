// Invented but lifelike catalogues for the benchmarks, the tests and the sample file. The same seed
// and options give the same albums on every machine: the generator draws from its own generator
// and word lists, never from the standard library's distributions.
#pragma once

#include "core/model/albumstore.h"

#include <cstdint>

namespace discora {

struct GeneratorOptions
{
    // Mean songs per album (0 to 26) and performers per album (0 to 10).
    double averageSongs = 12.0;
    double averagePerformers = 3.0;
    // Share of albums, in percent, with one text outside Windows-1252 (Japanese, Greek, an emoji...).
    int foreignTextPercent = 1;
    // Share of songs, in percent, titled with one of a few dozen titles that collections repeat
    // ("Intro", "Untitled", the standards).
    int commonTitlePercent = 0;
    // Whether albums carry collection details (status, year, conditions, rating, prices and
    // values, loans), drawn apart from the lists so that the lists are the same either way.
    bool collectionDetails = false;
};

AlbumStore generateCatalogue(int albums, std::uint32_t seed, const GeneratorOptions& options = {});

} // namespace discora
