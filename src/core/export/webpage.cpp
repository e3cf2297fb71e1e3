#include "core/export/webpage.h"

#include "core/base/groupednumber.h"
#include "core/export/collectionstatistics.h"
#include "core/fileformat/coverfolder.h"
#include "core/view/catalogue.h"

#include <algorithm>
#include <charconv>

namespace discora {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Light and dark after the reader's system; the covers shrink and the songs take one column on a
// phone's width.
constexpr std::string_view kStyle = R"(
:root{color-scheme:light dark;--bg:#f3f2ee;--card:#fff;--ink:#1f1f22;--muted:#686870;--line:#e1dfd8;--accent:#9a4a1c}
@media (prefers-color-scheme:dark){:root{--bg:#17171a;--card:#232327;--ink:#ececef;--muted:#a2a2ab;--line:#37373d;--accent:#e8905a}}
*{box-sizing:border-box}
[hidden]{display:none!important}
body{margin:0;background:var(--bg);color:var(--ink);font:15px/1.45 system-ui,-apple-system,"Segoe UI",Roboto,"Noto Sans",sans-serif}
header,main,footer,.pages{max-width:1100px;margin:0 auto;padding:0 16px}
header{padding-top:24px}
h1{margin:0;font-size:28px;line-height:1.2}
.range{margin:4px 0 0;color:var(--muted)}
.totals{display:flex;flex-wrap:wrap;gap:8px;margin:16px 0}
.totals div{background:var(--card);border:1px solid var(--line);border-radius:8px;padding:6px 14px}
.totals dt{font-size:12px;color:var(--muted);text-transform:uppercase;letter-spacing:.05em}
.totals dd{margin:0;font-size:20px;font-weight:600}
.search{margin:0 0 4px}
.search label{display:block;font-weight:600;margin-bottom:4px}
.search input{width:100%;font:inherit;font-size:17px;padding:9px 14px;border:1px solid var(--line);border-radius:8px;background:var(--card);color:var(--ink)}
.shown{margin:4px 0 0;color:var(--muted);min-height:1.45em}
.others{margin:0;padding-left:20px}
.album{display:flex;gap:18px;background:var(--card);border:1px solid var(--line);border-radius:10px;padding:14px;margin:12px 0}
.cover{flex:none;width:160px;height:160px;object-fit:contain;border-radius:4px;background:var(--line)}
.nocover{display:flex;align-items:center;justify-content:center;font-size:56px;color:var(--muted)}
.about{flex:1;min-width:0}
.artist{margin:0;color:var(--accent);font-weight:600}
h2{margin:0;font-size:20px;line-height:1.25;overflow-wrap:anywhere}
.facts{margin:4px 0 8px;color:var(--muted)}
.facts span+span::before{content:" \00B7  "}
.songs{margin:0;padding:0;list-style:none;columns:2 260px;column-gap:28px}
.songs li{display:flex;gap:8px;break-inside:avoid;border-bottom:1px dotted var(--line);padding:2px 0}
.songs .n,.songs .d{color:var(--muted);font-variant-numeric:tabular-nums}
.songs .n{min-width:1.8em}
.songs .t{flex:1;overflow-wrap:anywhere}
.pages{display:flex;flex-wrap:wrap;gap:6px;margin-top:16px;margin-bottom:16px}
.pages a,.pages span{padding:3px 10px;border-radius:6px;border:1px solid var(--line);background:var(--card);color:var(--ink);text-decoration:none}
.pages [aria-current]{background:var(--accent);border-color:var(--accent);color:#fff}
footer{color:var(--muted);font-size:13px;padding-bottom:24px}
@media (max-width:600px){.album{gap:12px;padding:10px}.cover{width:88px;height:88px}.nocover{font-size:32px}h1{font-size:23px}}
)";

// Hides the albums whose text lacks any word typed, letter case and accents aside. "#q=WORDS" in
// the page's address fills the box when the page opens, so a search can be linked to.
constexpr std::string_view kScript = R"js(
(function () {
  var form = document.getElementById("search"), box = document.getElementById("q");
  var shown = document.getElementById("shown"), albums = document.querySelectorAll(".album");
  function fold(s) {
    return (s.normalize ? s.normalize("NFD").replace(/[\u0300-\u036f]/g, "") : s).toLowerCase();
  }
  function has(text, words) {
    return words.every(function (w) { return text.indexOf(w) >= 0; });
  }
  var texts = [];
  for (var i = 0; i < albums.length; i++) texts.push(fold(albums[i].textContent));
  // With several pages, search.js names every album; those of other pages are offered as links. It
  // is read at the first search, so that the page opens without waiting for it.
  var others = document.getElementById("others"), body = document.body;
  var page = +body.getAttribute("data-page"), per = +body.getAttribute("data-per-page");
  var names = null, folded = null, asking = false;
  function elsewhere(words) {
    others.textContent = "";
    if (!words.length || +body.getAttribute("data-pages") < 2) return;
    if (!names) {
      if (asking) return;
      asking = true;
      var script = document.createElement("script");
      script.src = "search.js";
      script.onload = function () { names = window.discoraAlbums || []; filter(); };
      document.head.appendChild(script);
      return;
    }
    if (!folded) folded = names.map(fold);
    var found = 0;
    for (var i = 0; i < names.length; i++) {
      var where = Math.floor(i / per);
      if (where === page || !has(folded[i], words) || ++found > 50) continue;
      var item = document.createElement("li"), link = document.createElement("a");
      link.href = (where ? "page-" + (where + 1) + ".html" : "index.html") + "#album-" + (i + 1);
      link.textContent = names[i] + " (page " + (where + 1) + ")";
      item.appendChild(link);
      others.appendChild(item);
    }
    if (found > 50) {
      var more = document.createElement("li");
      more.textContent = "and " + (found - 50) + " more on other pages";
      others.appendChild(more);
    }
  }
  function filter() {
    var words = fold(box.value).split(/\s+/).filter(function (w) { return w; });
    var count = 0;
    for (var i = 0; i < albums.length; i++) {
      var hit = has(texts[i], words);
      albums[i].hidden = !hit;
      if (hit) count++;
    }
    shown.textContent = words.length ? count + " of " + albums.length + " albums" : "";
    elsewhere(words);
  }
  form.addEventListener("submit", function (e) { e.preventDefault(); });
  box.addEventListener("input", filter);
  var asked = /^#q=(.*)$/.exec(location.hash);
  if (asked) {
    try { box.value = decodeURIComponent(asked[1].replace(/\+/g, " ")); } catch (e) { box.value = asked[1]; }
  }
  form.hidden = false;
  filter();
})();
)js";

// The length of the UTF-8 sequence at text[i] and its code point; 0 when the bytes are not one.
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& cp)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

// The characters HTML parsers report as errors wherever they stand.
bool allowedInHtml(char32_t cp)
{
    if (cp == '\t' || cp == '\n' || cp == '\f' || cp == '\r')
        return true;
    if (cp < 0x20 || (cp >= 0x7F && cp <= 0x9F))
        return false;
    if (cp >= 0xFDD0 && cp <= 0xFDEF)
        return false;
    return (cp & 0xFFFE) != 0xFFFE;
}

std::string twoDigits(long long n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// "42 min", "3 h 05 min", "1,204 h 00 min".
std::string playingTimeText(long long seconds)
{
    const long long minutes = (seconds + 30) / 60;
    if (minutes < 60)
        return std::to_string(minutes) + " min";
    return groupedNumber(minutes / 60) + " h " + twoDigits(minutes % 60) + " min";
}

// text inside a JavaScript string literal: quotes, backslashes, line and paragraph separators and "<"
// escaped, a control character a blank (a line feed parts the names), and what is not UTF-8
// replaced as in a page.
void appendJsText(std::string& out, std::string_view text)
{
    constexpr std::string_view hex = "0123456789abcdef";
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        const std::size_t length = decodeUtf8(text, i, cp);
        if (length == 0 || !allowedInHtml(cp)) {
            out += "\\ufffd";
            i += std::max<std::size_t>(length, 1);
            continue;
        }
        if (cp == '"' || cp == '\\') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp < 0x20) {
            out += ' ';
        } else if (cp == '<' || cp == 0x2028 || cp == 0x2029) {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(cp >> shift) & 0xF];
        } else {
            out.append(text.substr(i, length));
        }
        i += length;
    }
}

void appendIfAny(std::string& out, std::string_view open, std::string_view text, std::string_view close)
{
    if (text.empty())
        return;
    out += open;
    appendHtmlText(out, text);
    out += close;
}

void appendAlbum(std::string& out, const Catalogue& doc, const WebPageSource& source, std::size_t position)
{
    const std::uint32_t album = source.albums[position];
    const auto text = [&](Field f) { return doc.text(f, static_cast<int>(album)); };
    out += "<section class=\"album\" id=\"album-" + std::to_string(position + 1) + "\">\n";
    const std::string thumbnail = source.thumbnailOf ? source.thumbnailOf(album) : std::string();
    if (thumbnail.empty()) {
        out += "<div class=\"cover nocover\" aria-hidden=\"true\">\xE2\x99\xAA</div>\n";
    } else {
        out += "<img class=\"cover\" src=\"";
        appendHtmlText(out, thumbnail);
        out += "\" alt=\"Front cover\" width=\"160\" height=\"160\" loading=\"lazy\">\n";
    }
    out += "<div class=\"about\">\n";
    appendIfAny(out, "<p class=\"artist\">", text(Field::Artist), "</p>\n");
    out += "<h2>";
    appendHtmlText(out, text(Field::AlbumName));
    out += "</h2>\n";
    const Field facts[] = {Field::Year, Field::MediaType, Field::MusicType, Field::Label};
    if (std::any_of(std::begin(facts), std::end(facts), [&](Field f) { return !text(f).empty(); })) {
        out += "<p class=\"facts\">";
        for (Field f : facts)
            appendIfAny(out, "<span>", text(f), "</span>");
        out += "</p>\n";
    }
    bool anySong = false;
    for (int slot = 1; slot <= kSongSlots; ++slot) {
        if (text(titleField(slot)).empty())
            continue;
        if (!anySong)
            out += "<ol class=\"songs\">\n";
        anySong = true;
        out += "<li>";
        appendIfAny(out, "<span class=\"n\">", text(trackField(slot)), "</span>");
        appendIfAny(out, "<span class=\"t\">", text(titleField(slot)), "</span>");
        appendIfAny(out, "<span class=\"d\">", text(timeField(slot)), "</span>");
        out += "</li>\n";
    }
    if (anySong)
        out += "</ol>\n";
    out += "</div>\n</section>\n";
}

std::string rangeText(std::size_t first, std::size_t last, std::size_t total)
{
    return "Albums " + groupedNumber(static_cast<long long>(first)) + "\xE2\x80\x93" +
           groupedNumber(static_cast<long long>(last)) + " of " +
           groupedNumber(static_cast<long long>(total));
}

void appendPageLinks(std::string& out, std::size_t albums, int page, int pages)
{
    if (pages < 2)
        return;
    out += "<nav class=\"pages\" aria-label=\"Pages\">\n";
    for (int p = 0; p < pages; ++p) {
        const std::size_t first = static_cast<std::size_t>(p) * kAlbumsPerWebPage;
        const std::size_t last = std::min(albums, first + kAlbumsPerWebPage);
        const std::string number = std::to_string(p + 1);
        const std::string range = rangeText(first + 1, last, albums);
        if (p == page)
            out += "<span aria-current=\"page\" title=\"" + range + "\">" + number + "</span>\n";
        else
            out += "<a href=\"" + webPageFileName(p) + "\" title=\"" + range + "\">" + number + "</a>\n";
    }
    out += "</nav>\n";
}

} // namespace

void appendHtmlText(std::string& out, std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: {
            char32_t cp = 0;
            const std::size_t length = decodeUtf8(text, i, cp);
            if (length == 0) {
                out += kReplacement;
                ++i;
                continue;
            }
            if (allowedInHtml(cp))
                out.append(text.substr(i, length));
            else
                out += kReplacement;
            i += length;
            continue;
        }
        }
        ++i;
    }
}

std::string htmlText(std::string_view text)
{
    std::string out;
    appendHtmlText(out, text);
    return out;
}

int webPageCount(std::size_t albums)
{
    return static_cast<int>(std::max<std::size_t>(1, (albums + kAlbumsPerWebPage - 1) / kAlbumsPerWebPage));
}

std::string webPageFileName(int page)
{
    return page == 0 ? "index.html" : "page-" + std::to_string(page + 1) + ".html";
}

bool isWebPageFileName(std::string_view name)
{
    if (name == "index.html")
        return true;
    if (!name.starts_with("page-") || !name.ends_with(".html"))
        return false;
    const std::string_view number = name.substr(5, name.size() - 10);
    int value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    return !number.empty() && error == std::errc() && end == number.data() + number.size() && value >= 2 &&
           number[0] != '0';
}

std::string thumbnailFileName(std::string_view coverName)
{
    if (!isCoverName(coverName))
        return {};
    return std::string(kWebPageFolderOfCovers) + "/" + std::string(coverName.substr(0, coverName.find('.'))) +
           ".jpg";
}

std::string webPageText(const Catalogue& doc, const WebPageSource& source, int page)
{
    const std::size_t total = source.albums.size();
    const int pages = webPageCount(total);
    const std::size_t first = std::min(total, static_cast<std::size_t>(page) * kAlbumsPerWebPage);
    const std::size_t last = std::min(total, first + kAlbumsPerWebPage);

    std::string out;
    out.reserve((last - first) * 1200 + 8192);
    out += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
           "<meta name=\"generator\" content=\"Discora\">\n<title>";
    appendHtmlText(out, source.title);
    if (pages > 1)
        out += " \xE2\x80\x93 page " + std::to_string(page + 1) + " of " + std::to_string(pages);
    out += "</title>\n<style>";
    out += kStyle;
    out += "</style>\n</head>\n<body data-page=\"" + std::to_string(page) + "\" data-pages=\"" +
           std::to_string(pages) + "\" data-per-page=\"" + std::to_string(kAlbumsPerWebPage) +
           "\">\n<header>\n<h1>";
    appendHtmlText(out, source.title);
    out += "</h1>\n";
    if (pages > 1)
        out += "<p class=\"range\">" + rangeText(first + 1, last, total) + "</p>\n";
    if (!source.totals.empty()) {
        out += "<dl class=\"totals\">\n";
        for (const WebPageFigure& figure : source.totals) {
            appendIfAny(out, "<div><dt>", figure.name, "</dt>");
            appendIfAny(out, "<dd>", figure.value, "</dd></div>\n");
        }
        out += "</dl>\n";
    }
    out += "<form class=\"search\" id=\"search\" role=\"search\" hidden>\n"
           "<label for=\"q\">";
    out += pages > 1 ? "Search the albums on this page" : "Search the albums";
    out +=
        "</label>\n<input type=\"search\" id=\"q\" autocomplete=\"off\" "
        "placeholder=\"Artist, album, song, label, year\">\n"
        "<p class=\"shown\" id=\"shown\" aria-live=\"polite\"></p>\n"
        "<ul class=\"others\" id=\"others\" aria-label=\"Found on other pages\"></ul>\n</form>\n</header>\n";
    appendPageLinks(out, total, page, pages);
    out += "<main>\n";
    if (total == 0)
        out += "<p>There are no albums to show.</p>\n";
    for (std::size_t position = first; position < last; ++position)
        appendAlbum(out, doc, source, position);
    out += "</main>\n";
    appendPageLinks(out, total, page, pages);
    out += "<footer><p>Made with Discora.</p></footer>\n<script>";
    out += kScript;
    out += "</script>\n</body>\n</html>\n";
    return out;
}

std::string webSearchIndexText(const Catalogue& doc, std::span<const std::uint32_t> albums)
{
    // One string literal, split when read: a script engine reads it far faster than as many
    // literals as there are albums.
    std::string out = "window.discoraAlbums = \"";
    bool first = true;
    for (std::uint32_t album : albums) {
        const auto text = [&](Field f) { return doc.text(f, static_cast<int>(album)); };
        std::string name(text(Field::Artist));
        name += " \xE2\x80\x93 ";
        name += text(Field::AlbumName);
        for (Field f : {Field::Year, Field::Label})
            if (!text(f).empty())
                name += ", " + std::string(text(f));
        if (!first)
            out += "\\n";
        first = false;
        appendJsText(out, name);
    }
    return out += "\".split(\"\\n\");\n";
}

std::vector<WebPageFigure> webPageTotals(const Catalogue& doc, std::span<const std::uint32_t> albums)
{
    // Loans and overdue dates are the collector's own business, not the page's.
    const CollectionStatistics stats = collectionStatistics(doc.albums(), albums, {});
    std::vector<WebPageFigure> totals = {
        {"Albums", groupedNumber(stats.albums)},
        {"Artists", groupedNumber(stats.artists)},
        {"Labels", groupedNumber(stats.labels)},
        {"Songs", groupedNumber(stats.songs)},
    };
    if (stats.timedSongs > 0)
        totals.push_back({"Playing time", playingTimeText(stats.playingSeconds)});
    if (stats.wantList() > 0)
        totals.push_back({"On the want list", groupedNumber(stats.wantList())});
    return totals;
}

} // namespace discora
