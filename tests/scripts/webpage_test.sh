#!/usr/bin/env bash
# The exported web page as a validator and a browser read it, on a catalogue of albums imported from
# audio files (one with a cover), albums named like markup, and enough more for a second page.
#   webpage_test.sh DISCORA html     every page parses with html5lib in strict mode, and every file
#                                    a page names (covers, other pages) is in the folder
#   webpage_test.sh DISCORA browser  headless Chromium opens the page with a search in its address
#                                    (#q=...), which hides the albums without the words; the album
#                                    named like markup shows its name as text. Skipped (77) when
#                                    Chromium is not installed.
set -euo pipefail
discora=$1
mode=$2
chromium=${DISCORA_CHROMIUM:-/usr/bin/chromium}
# html5lib is the system's package, for the system's Python.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
if [ "$mode" = browser ] && [ ! -x "$chromium" ]; then
    echo "no browser at $chromium; skipped"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"

# Two albums from audio files, the first with a cover picture beside its songs.
python3 - "$work" <<'PY'
import os, struct, sys, wave, zlib
work = sys.argv[1]
def wav(path):
    with wave.open(path, "wb") as w:
        w.setnchannels(1); w.setsampwidth(2); w.setframerate(8000)
        w.writeframes(b"\0\0" * 8000 * 2)
def png(path, width, height, rgb):
    rows = b"".join(b"\0" + bytes(rgb) * width for _ in range(height))
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
for album in ("Blue Train", "Red Album"):
    os.makedirs(os.path.join(work, "music", album))
wav(os.path.join(work, "music", "Blue Train", "01 Moment.wav"))
wav(os.path.join(work, "music", "Blue Train", "02 Locomotion.wav"))
wav(os.path.join(work, "music", "Red Album", "01 Scarlet.wav"))
png(os.path.join(work, "music", "Blue Train", "cover.png"), 400, 400, (30, 60, 160))
with open(os.path.join(work, "more.csv"), "w", encoding="utf-8", newline="") as f:
    f.write('Artist,Album,Label,Year,Song1,Time1\r\n')
    f.write('"<b>Bold</b> & Co","<script>alert(1)</script>","A&M ""Quotes""",1971,"It\'s <i>",3:05\r\n')
    f.write('Caf\u00e9 Noir,\u65e5\u672c,,,Premi\u00e8re,4:00\r\n')
    for i in range(2010):
        f.write('Zed %04d,Filler %04d,,,Song %d,2:00\r\n' % (i, i, i))
PY
"$discora" --import-audio "$work/music" --save-as "$work/audio.dcf" 2>/dev/null
"$discora" --import-csv "$work/more.csv" --save-as "$work/all.dcf" "$work/audio.dcf" 2>/dev/null
"$discora" --export-html "$work/site" "$work/all.dcf"
[ -f "$work/site/index.html" ] && [ -f "$work/site/page-2.html" ] && [ ! -e "$work/site/page-3.html" ] &&
    [ -f "$work/site/search.js" ]

if [ "$mode" = html ]; then
    "$python" - "$work/site" <<'PY'
import glob, os, sys
from urllib.parse import urlsplit
import html5lib
site = sys.argv[1]
pages = sorted(glob.glob(os.path.join(site, "*.html")))
images = 0
for page in pages:
    parser = html5lib.HTMLParser(strict=True, namespaceHTMLElements=False)
    with open(page, "rb") as f:
        tree = parser.parse(f)  # raises at the first parse error
    for element in tree.iter():
        for attribute in ("src", "href"):
            target = element.get(attribute)
            if target is None:
                continue
            parts = urlsplit(target)
            assert not parts.scheme and not parts.netloc and not target.startswith("/"), target
            assert os.path.isfile(os.path.join(site, parts.path)), (page, target)
            images += element.tag == "img"
    assert tree.find(".//script[@src]") is None, page
    assert tree.find(".//link") is None, page
assert images == 1, images
print("%d pages are valid HTML; the cover and the links between pages are in the folder" % len(pages))
PY
    exit 0
fi

# The browser's profile is its own, and nothing is fetched: the page needs nothing from outside.
open_page() {
    "$chromium" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/profile" --dump-dom "file://$work/site/$1" 2>"$work/chromium.log" ||
        { cat "$work/chromium.log" >&2; return 1; }
}
open_page 'index.html#q=blue%20train' >"$work/blue.html"
open_page 'index.html#q=ALERT' >"$work/alert.html"
open_page 'index.html#q=cafe' >"$work/cafe.html"
open_page 'index.html' >"$work/all.html"
open_page 'page-2.html#q=blue' >"$work/elsewhere.html"
"$python" - "$work" <<'PY'
import os, sys
import html5lib
work = sys.argv[1]
def shown(name):
    with open(os.path.join(work, name), "rb") as f:
        tree = html5lib.parse(f, namespaceHTMLElements=False)
    assert tree.find(".//form[@id='search']").get("hidden") is None, "the search box stays hidden"
    names = [s.find(".//h2").text for s in tree.iter("section") if s.get("hidden") is None]
    # The page's own script, and the search index it reads for a search: no script from a name.
    scripts = [script.get("src") for script in tree.iter("script")]
    assert scripts.count(None) == 1 and set(scripts) <= {None, "search.js"}, (scripts, name)
    return names, tree
names, tree = shown("blue.html")
assert names == ["Blue Train"], names
assert tree.find(".//p[@id='shown']").text.startswith("1 of "), tree.find(".//p[@id='shown']").text
names, _ = shown("alert.html")
assert names == ["<script>alert(1)</script>"], names
names, _ = shown("cafe.html")
assert names == ["\u65e5\u672c"], names
names, _ = shown("all.html")
assert len(names) == 2000, len(names)
# On the second page, the search offers the album of the first page that has the words.
names, tree = shown("elsewhere.html")
assert names == [], names
links = [(a.get("href"), a.text) for a in tree.find(".//ul[@id='others']").iter("a")]
assert len(links) == 1 and links[0][0].startswith("index.html#album-"), links
assert links[0][1].startswith("Unknown Artist \u2013 Blue Train"), links
print("the search hides the albums without the words typed; markup in a name shows as text")
PY
