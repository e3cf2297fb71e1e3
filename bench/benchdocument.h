// The benchmarks' catalogues: generated from one seed and loaded into a document as opening a file
// would. Generating and loading 100,000 albums takes seconds, so each size is made once per run;
// each benchmark sets the order it needs.
#pragma once

#include "cataloguegenerator.h"

#include "core/document/cataloguedocument.h"
#include "core/fileformat/cataloguereader.h"
#include "core/model/columnlayout.h"

#include <map>
#include <memory>

namespace discora {

inline constexpr std::uint32_t kBenchSeed = 20240611;

template <class Document = CatalogueDocument> Document& benchDocument(int albums)
{
    static std::map<int, std::unique_ptr<Document>> made;
    auto& doc = made[albums];
    if (!doc) {
        doc = std::make_unique<Document>();
        doc->newDocument();
        LoadedCatalogue loaded;
        loaded.albums = generateCatalogue(albums, kBenchSeed);
        loaded.layouts = defaultColumnLayouts(96);
        loaded.headings = {"Custom 1", "Custom 2"};
        doc->adoptLoaded(std::move(loaded));
    }
    return *doc;
}

} // namespace discora
