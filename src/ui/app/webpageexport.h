// File > Export > Web Page... and --export-html: the core writes the pages; this part makes the
// covers' thumbnails they show, which needs the image library.
#pragma once

#include "core/base/progresssink.h"
#include "core/base/result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace discora {

class CatalogueDocument;

// The thumbnails' longest side in pixels: sharp on a screen of twice the density at the page's size.
inline constexpr int kWebPageThumbnailSide = 250;
inline constexpr const char* kWebPageCoversStatusText = "Making the Covers of the Web Page";

struct WebPageReport
{
    int pages = 0;
    int covers = 0;                         // thumbnails the pages show
    std::vector<std::string> missingCovers; // covers named by albums that could not be read
};

// Writes the albums, in this sequence, as a web page into folder (see webpagefolder.h for the
// folders it takes): the pages, with the totals of these albums, and a JPEG thumbnail of each
// album's front cover. A thumbnail an earlier export left is kept, since a cover's name follows
// its bytes; those no page shows any more are removed.
Result<WebPageReport> exportWebPage(const CatalogueDocument& doc, std::span<const std::uint32_t> albums,
                                    const std::string& folder, const std::string& title,
                                    ProgressSink* progress = nullptr);

// The page's title for a catalogue file: its name without the folder and ".dcf".
std::string webPageTitleOf(const std::string& cataloguePath);

} // namespace discora
