// Any bytes as a catalogue file: the reader either fails with a message or reads a catalogue that
// writes back and reads again unchanged (its collection details, identities and a newer program's
// block with it), and on which every order, list, filter and export works; and no input makes it
// use more memory than its size allows.
#include "allocationwatch.h"
#include "fuzzcheck.h"

#include "core/document/cataloguedocument.h"
#include "core/export/csvexport.h"
#include "core/export/orderlisting.h"
#include "core/export/textexport.h"
#include "core/fileformat/cataloguereader.h"
#include "core/fileformat/cataloguewriter.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

using namespace discora;
using fuzz::check;

namespace {

// What a file's size allows: an album costs at least 27 bytes of file (one per list of the oldest
// layout), and in memory 111 list entries of 8 bytes, its share of the value lists and sort keys,
// and a couple of kilobytes of text export with every field shown; so a few hundred bytes per byte
// of file. An unchecked count or length in a small file asks for far more.
constexpr long long kBytesPerInputByte = 256;
constexpr long long kFixedBytes = 8 << 20;

void exercise(CatalogueDocument& doc)
{
    ExportSettings settings = ExportSettings::of(doc);
    for (int i = 0; i < kViewOptionCount; ++i)
        settings.switches.setAt(i, 1);
    for (int o = 0; o < kSortOrderCount; ++o) {
        doc.runOrder(static_cast<SortOrder>(o));
        listCurrentOrder(doc, [](std::string_view) {});
    }
    settings.withDetails = true;
    csvExport(doc, settings, doc.displayOrder());
    textExport(doc, settings, doc.displayOrder());
    doc.setFilter(FilterField::Performer, "a");
    doc.runOrder(SortOrder::ByPerformer);
    for (const auto& [field, text] :
         {std::pair{FilterField::Status, "Want List"}, std::pair{FilterField::Year, "1970-1979"},
          std::pair{FilterField::Condition, "VG+"}, std::pair{FilterField::OnLoan, "Yes"},
          std::pair{FilterField::Overdue, "Yes"}, std::pair{FilterField::Location, "b"}})
        doc.setFilter(field, text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzz::AllocationWatch watch;
    {
        const LoadBase base{defaultColumnLayouts(96), {"Custom 1", "Custom 2"}};
        auto loaded = readCatalogue(bytes, base, nullptr);
        if (loaded) {
            const std::string written =
                writeCatalogue(loaded->albums, loaded->layouts, loaded->headings, loaded->keptBlock);
            auto again = readCatalogue(written, base, nullptr);
            check(again.ok(), "what was written cannot be read");
            check(again->detailsNotice.empty() || !loaded->keptBlock.empty(),
                  "the details written cannot be read back");
            check(writeCatalogue(again->albums, again->layouts, again->headings, again->keptBlock) == written,
                  "what was written reads back differently");
            // Identities are written with the details; a catalogue without any gets new ones.
            if (loaded->albums.hasDetails())
                for (int a = 0; a < loaded->albums.albumCount(); ++a)
                    check(again->albums.albumId(a) == loaded->albums.albumId(a),
                          "an album lost its identity");
            CatalogueDocument doc;
            doc.newDocument();
            doc.adoptLoaded(std::move(*loaded));
            exercise(doc);
        }
    }
    check(watch.peak() <= kBytesPerInputByte * static_cast<long long>(size) + kFixedBytes,
          "more memory than the input's size allows");
    return 0;
}
