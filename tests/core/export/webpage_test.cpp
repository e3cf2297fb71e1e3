// The web page export: text that stays text in elements and attributes, the names of the files it
// writes, albums split over pages with links between them, the folder it refuses and the earlier
// export it replaces, and the totals above the albums.
#include "core/export/webpage.h"
#include "core/export/webpagefolder.h"
#include "support/documentfixture.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
#include <regex>

#include <stdlib.h>

namespace discora {
namespace {

namespace fs = std::filesystem;
using fixture::albumOf;
using fixture::fileBytes;
using fixture::loadAlbums;
using fixture::putFileBytes;

const std::string kCover = std::string(32, 'a') + ".png";
constexpr std::string_view kBad = "\xEF\xBF\xBD";

struct EscapeCase
{
    const char* name;
    std::string text;
    std::string html;
};

TEST(WebPageText, EscapesMarkupAndReplacesWhatHtmlForbids)
{
    const EscapeCase cases[] = {
        {"plain", "Kind of Blue", "Kind of Blue"},
        {"markup", "<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"ampersand before a reference", "Simon &amp; Garfunkel", "Simon &amp;amp; Garfunkel"},
        {"quotes", "He said \"Hi\" & 'Bye'", "He said &quot;Hi&quot; &amp; &#39;Bye&#39;"},
        {"white space kept", "a\tb\nc\rd\fe", "a\tb\nc\rd\fe"},
        {"UTF-8 kept", "Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8E\xB5",
         "Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8E\xB5"},
        {"NUL", std::string("a\0b", 3), "a" + std::string(kBad) + "b"},
        {"C0 control",
         "a\x01"
         "b\x1B",
         "a" + std::string(kBad) + "b" + std::string(kBad)},
        {"DEL", "a\x7F", "a" + std::string(kBad)},
        {"C1 control", "a\xC2\x85", "a" + std::string(kBad)},
        {"noncharacter", "\xEF\xBF\xBE\xEF\xB7\x90", std::string(kBad) + std::string(kBad)},
        {"stray byte",
         "a\xFF"
         "b",
         "a" + std::string(kBad) + "b"},
        {"cut sequence", "a\xE6\x97", "a" + std::string(kBad) + std::string(kBad)},
        {"overlong", "\xC0\xBC", std::string(kBad) + std::string(kBad)},
        {"surrogate", "\xED\xA0\x80", std::string(kBad) + std::string(kBad) + std::string(kBad)},
    };
    for (const EscapeCase& c : cases)
        EXPECT_EQ(htmlText(c.text), c.html) << c.name;
}

TEST(WebPageText, NamesOnlyFilesItMakes)
{
    EXPECT_EQ(webPageFileName(0), "index.html");
    EXPECT_EQ(webPageFileName(1), "page-2.html");
    EXPECT_EQ(webPageFileName(49), "page-50.html");
    for (int page : {0, 1, 9, 123})
        EXPECT_TRUE(isWebPageFileName(webPageFileName(page))) << page;
    for (const char* name : {"page-1.html", "page-02.html", "page-.html", "page-2.htm", "page-2.html.bak",
                             "Index.html", "page-x.html", "notes.html"})
        EXPECT_FALSE(isWebPageFileName(name)) << name;

    const std::string digits(32, '0');
    EXPECT_EQ(thumbnailFileName(digits + ".jpg"), "covers/" + digits + ".jpg");
    EXPECT_EQ(thumbnailFileName(digits + ".png"), "covers/" + digits + ".jpg");
    for (const char* name : {"../../etc/passwd", "cover.jpg", "", "/abs.jpg"})
        EXPECT_EQ(thumbnailFileName(name), "") << name;
}

int sectionCount(const std::string& page)
{
    int count = 0;
    for (std::size_t at = page.find("<section"); at != std::string::npos; at = page.find("<section", at + 1))
        ++count;
    return count;
}

TEST(WebPageText, SplitsManyAlbumsIntoLinkedPages)
{
    EXPECT_EQ(webPageCount(0), 1);
    EXPECT_EQ(webPageCount(kAlbumsPerWebPage), 1);
    EXPECT_EQ(webPageCount(kAlbumsPerWebPage + 1), 2);

    CatalogueDocument doc;
    const std::size_t total = 2 * kAlbumsPerWebPage + 3;
    std::vector<AlbumRecord> records;
    for (std::size_t i = 0; i < total; ++i)
        records.push_back(albumOf("Artist " + std::to_string(i), "Album " + std::to_string(i)));
    loadAlbums(doc, records);
    // Backwards, so that the pages follow the sequence given, not the catalogue's.
    std::vector<std::uint32_t> albums(total);
    std::iota(albums.rbegin(), albums.rend(), 0u);
    const WebPageSource source{"Big", albums, {}, {}};
    ASSERT_EQ(webPageCount(total), 3);

    const std::string first = webPageText(doc, source, 0);
    const std::string last = webPageText(doc, source, 2);
    EXPECT_EQ(sectionCount(first), static_cast<int>(kAlbumsPerWebPage));
    EXPECT_EQ(sectionCount(last), 3);
    EXPECT_NE(first.find("<h2>Album " + std::to_string(total - 1) + "</h2>"), std::string::npos);
    EXPECT_NE(last.find("id=\"album-" + std::to_string(total) + "\""), std::string::npos);
    EXPECT_NE(last.find("<h2>Album 0</h2>"), std::string::npos);
    EXPECT_EQ(first.find("<h2>Album 0</h2>"), std::string::npos);
    EXPECT_NE(last.find("Albums 4,001\xE2\x80\x93"
                        "4,003 of 4,003"),
              std::string::npos);
    // Each page links to the others and marks itself.
    for (const std::string& page : {first, last}) {
        EXPECT_NE(page.find("<span aria-current=\"page\""), std::string::npos);
        EXPECT_NE(page.find("href=\"page-2.html\""), std::string::npos);
    }
    EXPECT_NE(last.find("href=\"index.html\""), std::string::npos);
    EXPECT_EQ(first.find("href=\"index.html\""), std::string::npos);
    // Each page's search reads the names of every album, in the pages' sequence.
    EXPECT_NE(first.find("data-pages=\"3\""), std::string::npos);
    const std::string index = webSearchIndexText(doc, albums);
    EXPECT_TRUE(index.starts_with("window.discoraAlbums = \"Artist " + std::to_string(total - 1) +
                                  " \xE2\x80\x93 Album "));
    EXPECT_TRUE(index.ends_with("\\nArtist 0 \xE2\x80\x93 Album 0\".split(\"\\n\");\n"));

    const std::vector<std::uint32_t> few = {0, 1};
    const std::string small = webPageText(doc, {"Small", few, {}, {}}, 0);
    EXPECT_EQ(small.find("class=\"pages\""), std::string::npos);
    EXPECT_NE(small.find("data-pages=\"1\""), std::string::npos);
    EXPECT_NE(webPageText(doc, {"None", {}, {}, {}}, 0).find("There are no albums to show."),
              std::string::npos);
}

TEST(WebPageText, ShowsEachAlbumsTextsAsTextWithItsCover)
{
    CatalogueDocument doc;
    AlbumRecord hostile = albumOf("\"><img src=x onerror=alert(1)>", "<script>alert('x')</script>");
    hostile.label = "A&M";
    hostile.mediaType = "CD";
    hostile.songs[0] = {"First & Last", "3:05", "01"};
    hostile.songs[2] = {"Third", "", "03"};
    hostile.text(Field::Year) = "1972";
    hostile.text(Field::Cover) = kCover;
    AlbumRecord plain = albumOf("Plain", "Unpictured");
    plain.text(Field::Cover) = "../../secret.png";
    loadAlbums(doc, {hostile, plain});
    const std::vector<std::uint32_t> albums = {0, 1};
    const WebPageSource source{"My <Jazz>", albums, {{"Albums", "2"}}, [&](std::uint32_t album) {
                                   return thumbnailFileName(doc.text(Field::Cover, static_cast<int>(album)));
                               }};
    const std::string page = webPageText(doc, source, 0);

    EXPECT_EQ(page.find("<script>alert"), std::string::npos);
    EXPECT_EQ(page.find("<img src=x"), std::string::npos);
    EXPECT_NE(page.find("<h2>&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;</h2>"), std::string::npos);
    EXPECT_NE(page.find("<p class=\"artist\">&quot;&gt;&lt;img src=x onerror=alert(1)&gt;</p>"),
              std::string::npos);
    EXPECT_NE(page.find("<title>My &lt;Jazz&gt;</title>"), std::string::npos);
    EXPECT_NE(page.find("<span>1972</span><span>CD</span><span>A&amp;M</span>"), std::string::npos);
    EXPECT_NE(page.find("<li><span class=\"n\">01</span><span class=\"t\">First &amp; Last</span>"
                        "<span class=\"d\">3:05</span></li>\n<li><span class=\"n\">03</span>"
                        "<span class=\"t\">Third</span></li>"),
              std::string::npos);
    EXPECT_NE(page.find("<dt>Albums</dt><dd>2</dd>"), std::string::npos);
    // One picture: the first album's thumbnail; a name leading out of the folder gives none.
    const std::regex image("<img [^>]*src=\"([^\"]*)\"");
    std::vector<std::string> sources;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), image); it != std::sregex_iterator(); ++it)
        sources.push_back((*it)[1]);
    EXPECT_EQ(sources, std::vector<std::string>{"covers/" + std::string(32, 'a') + ".jpg"});
    // Nothing is fetched from elsewhere.
    for (const char* address : {"://", "url(", "@import", "src=\"/", "href=\"/"})
        EXPECT_EQ(page.find(address), std::string::npos) << address;
}

TEST(WebPageText, TheSearchIndexHoldsEachAlbumInOneScriptString)
{
    CatalogueDocument doc;
    AlbumRecord odd = albumOf("Say \"Hi\" \\ Bye", "</script>\nNext\xE2\x80\xA8"
                                                   "End\xFF");
    odd.label = "Blue Note";
    odd.text(Field::Year) = "1959";
    loadAlbums(doc, {odd, albumOf("Plain", "Name")});
    const std::vector<std::uint32_t> albums = {0, 1};
    EXPECT_EQ(webSearchIndexText(doc, albums),
              "window.discoraAlbums = \"Say \\\"Hi\\\" \\\\ Bye \xE2\x80\x93 \\u003c/script> "
              "Next\\u2028End\\ufffd, "
              "1959, Blue Note\\nPlain \xE2\x80\x93 Name\".split(\"\\n\");\n");
}

TEST(WebPageText, TotalsAreThoseOfTheAlbumsShown)
{
    CatalogueDocument doc;
    AlbumRecord a = albumOf("Nina", "One");
    a.songs[0] = {"A", "3:30", ""};
    a.songs[1] = {"B", "1:00:30", ""};
    a.songs[5] = {"C", "soon", ""};
    a.label = "Bethlehem";
    AlbumRecord b = albumOf("Nina", "Two");
    b.songs[0] = {"D", "0:30", ""};
    b.text(Field::Status) = "Wanted";
    AlbumRecord c = albumOf("Miles", "Hidden");
    c.songs[0] = {"E", "40:00", ""};
    c.label = "Columbia";
    loadAlbums(doc, {a, b, c});
    const std::vector<std::uint32_t> shown = {0, 1};
    std::vector<std::pair<std::string, std::string>> totals;
    for (const WebPageFigure& figure : webPageTotals(doc, shown))
        totals.emplace_back(figure.name, figure.value);
    const std::vector<std::pair<std::string, std::string>> expected = {{"Albums", "2"},
                                                                       {"Artists", "1"},
                                                                       {"Labels", "1"},
                                                                       {"Songs", "4"},
                                                                       {"Playing time", "1 h 05 min"},
                                                                       {"On the want list", "1"}};
    EXPECT_EQ(totals, expected);
    const std::vector<std::uint32_t> untimed = {2};
    EXPECT_EQ(webPageTotals(doc, untimed).back().name, "Playing time");
    EXPECT_EQ(webPageTotals(doc, untimed).back().value, "40 min");
}

class WebPageFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temporary.made());
        std::vector<AlbumRecord> records;
        for (std::size_t i = 0; i < kAlbumsPerWebPage + 1; ++i)
            records.push_back(albumOf("Artist", "Album " + std::to_string(i)));
        loadAlbums(m_doc, records);
    }

    static std::set<std::string> filesIn(const fs::path& folder) { return fixture::filesIn(folder); }
    Status exportAlbums(const fs::path& folder, std::size_t count)
    {
        const std::vector<std::uint32_t> albums(m_doc.displayOrder().begin(),
                                                m_doc.displayOrder().begin() + static_cast<long>(count));
        if (Status status = prepareWebPageFolder(folder.string()); !status)
            return status;
        return writeWebPages(folder.string(), m_doc, {"Test", albums, {}, {}});
    }

    fixture::TemporaryFolder m_temporary{"discora-webpage"};
    const fs::path& m_dir = m_temporary.path();
    CatalogueDocument m_doc;
};

TEST_F(WebPageFolder, RefusesAFolderOfOtherFilesAndLeavesItAsItWas)
{
    const fs::path folder = m_dir / "mine";
    fs::create_directory(folder);
    putFileBytes(folder / "index.html", "my own page");
    const Status status = exportAlbums(folder, 3);
    ASSERT_FALSE(status);
    EXPECT_NE(status.error().find(kWebPageFolderInUse), std::string::npos);
    EXPECT_EQ(filesIn(folder), std::set<std::string>{"index.html"});
    EXPECT_EQ(fileBytes(folder / "index.html"), "my own page");

    putFileBytes(m_dir / "file", "x");
    EXPECT_FALSE(exportAlbums(m_dir / "file", 3));
    EXPECT_FALSE(exportAlbums(m_dir / "no" / "such", 3)); // only the last folder is made
    EXPECT_FALSE(fs::exists(m_dir / "no"));
    EXPECT_FALSE(prepareWebPageFolder(""));
}

TEST_F(WebPageFolder, WritesIntoANewOrEmptyFolderAndReplacesItsOwnExport)
{
    const fs::path made = m_dir / "made";
    ASSERT_TRUE(exportAlbums(made, kAlbumsPerWebPage + 1));
    EXPECT_EQ(filesIn(made), (std::set<std::string>{".discora-web-page", "covers", "index.html",
                                                    "page-2.html", "search.js"}));

    const fs::path empty = m_dir / "empty";
    fs::create_directory(empty);
    ASSERT_TRUE(exportAlbums(empty, 1));
    EXPECT_EQ(filesIn(empty), (std::set<std::string>{".discora-web-page", "covers", "index.html"}));

    // Again, with fewer albums: the second page goes, a user's file added since stays.
    putFileBytes(made / "notes.txt", "kept");
    putFileBytes(made / "page-x.html", "kept");
    ASSERT_TRUE(exportAlbums(made, 2));
    EXPECT_EQ(filesIn(made), (std::set<std::string>{".discora-web-page", "covers", "index.html", "notes.txt",
                                                    "page-x.html"}));
    EXPECT_EQ(sectionCount(fileBytes(made / "index.html")), 2);
}

TEST_F(WebPageFolder, ALinkInPlaceOfAPageIsReplacedAndWhatItNamesKept)
{
    const fs::path site = m_dir / "site";
    ASSERT_TRUE(exportAlbums(site, 1));
    putFileBytes(m_dir / "precious.txt", "keep me");
    fs::remove(site / "index.html");
    fs::create_symlink(m_dir / "precious.txt", site / "index.html");
    fs::create_symlink(m_dir / "precious.txt", site / "page-2.html");
    ASSERT_TRUE(exportAlbums(site, 2));
    EXPECT_EQ(fileBytes(m_dir / "precious.txt"), "keep me");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(site / "index.html")));
    EXPECT_EQ(sectionCount(fileBytes(site / "index.html")), 2);
    EXPECT_FALSE(fs::exists(fs::symlink_status(site / "page-2.html"))) << "a page no export needs";
}

TEST_F(WebPageFolder, RemovesOnlyThumbnailsNoPageShows)
{
    const fs::path folder = m_dir / "site";
    ASSERT_TRUE(prepareWebPageFolder(folder.string()));
    const std::string used = std::string(32, '1') + ".jpg";
    const std::string unused = std::string(32, '2') + ".jpg";
    const std::set<std::string> others = {"photo.jpg", std::string(32, '3') + ".png"};
    EXPECT_EQ(thumbnailPath(folder.string(), used), (folder / "covers" / used).string());
    EXPECT_EQ(thumbnailPath(folder.string(), "../x.jpg"), "");
    for (const std::string& name : {used, unused})
        putFileBytes(folder / "covers" / name, "jpeg");
    for (const std::string& name : others)
        putFileBytes(folder / "covers" / name, "mine");
    EXPECT_EQ(removeUnusedThumbnails(folder.string(), {used}), 1);
    std::set<std::string> left = others;
    left.insert(used);
    EXPECT_EQ(filesIn(folder / "covers"), left);
}

} // namespace
} // namespace discora
