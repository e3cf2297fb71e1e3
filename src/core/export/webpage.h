// The web page export's pages: plain HTML with its style and a small search script inside, so a
// page needs nothing from outside its folder. Each page holds a share of the albums, one section
// an album (front cover, artist, album, year, media and music type, label, songs with times),
// under the collection's totals; the script only hides the sections a search leaves out, so
// without it the page reads the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace discora {

class Catalogue;

// A page grows by about a kilobyte an album; at this many a page still opens at once.
inline constexpr std::size_t kAlbumsPerWebPage = 2000;
inline constexpr const char* kWebPageFolderOfCovers = "covers";
// With more than one page: every album's artist, name, year and label, which each page's search
// reads to offer the albums of the other pages.
inline constexpr const char* kWebSearchIndexFileName = "search.js";

// One of the totals the page shows above the albums: "Albums", "3,012".
struct WebPageFigure
{
    std::string name;
    std::string value;
};

struct WebPageSource
{
    std::string title; // the catalogue's name
    std::span<const std::uint32_t> albums;
    std::vector<WebPageFigure> totals;
    // The file (relative to the page) of the album's cover thumbnail, or empty for none.
    std::function<std::string(std::uint32_t album)> thumbnailOf;
};

// text with &, <, >, " and ' written as references, so it reads as text in an element or an
// attribute; a character HTML does not allow in a page (a control character other than tab, line
// feed, form feed and carriage return, a noncharacter) and a byte that is not UTF-8 become U+FFFD.
void appendHtmlText(std::string& out, std::string_view text);
std::string htmlText(std::string_view text);

// How many pages the albums take (one at least, for a page that says there are none).
int webPageCount(std::size_t albums);
// "index.html" for the first page (0), then "page-2.html", "page-3.html", ...
std::string webPageFileName(int page);
// Whether a name is one webPageFileName gives.
bool isWebPageFileName(std::string_view name);
// The thumbnail file of a cover: "covers/NAME.jpg" after the cover's name without its extension;
// empty for a name that is not a cover name.
std::string thumbnailFileName(std::string_view coverName);

// The whole text of one page (0 to webPageCount - 1), UTF-8.
std::string webPageText(const Catalogue& doc, const WebPageSource& source, int page);

// The text of the search index (kWebSearchIndexFileName): a script that sets window.discoraAlbums
// to one string an album ("Artist – Album, year, label"), in the pages' sequence.
std::string webSearchIndexText(const Catalogue& doc, std::span<const std::uint32_t> albums);

// The totals of the albums the page shows (collectionstatistics.h): albums, artists, labels, songs,
// their playing time where their times say it, and the albums on the want list when there are any.
std::vector<WebPageFigure> webPageTotals(const Catalogue& doc, std::span<const std::uint32_t> albums);

} // namespace discora
