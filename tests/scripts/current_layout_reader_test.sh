#!/usr/bin/env bash
# A catalogue with collection details read by a reader of the current layout's lists alone
# (read_lists.py): it finds every album Discora's own export shows, text for text, and the details
# block after the lists, which Discora reads back into the export's detail columns.
# Usage: current_layout_reader_test.sh DISCORA
set -euo pipefail
discora="$1"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT

printf '%s\r\n' \
    'Artist,Album,Song1,Status,Year,Location,Media Condition,Rating' \
    'Nightjar Choir,Harbour Lights,Harbour Lights,Wanted,1994,Shelf 2,VG+,4' \
    'Amber,"Quotes ""inside"", and a comma",First,,1971,,,' \
    $'Caf\xc3\xa9 Noir,\xe6\x97\xa5\xe6\x9c\xac,Second,Sold,,Box 7,,' >"$dir/in.csv"
"$discora" --import-csv "$dir/in.csv" --save-as "$dir/with.dcf" 2>/dev/null
"$discora" --export-csv "$dir/out.csv" --with-details "$dir/with.dcf" 2>/dev/null
python3 "$here/read_lists.py" "$dir/with.dcf" >"$dir/lists.json"

python3 - "$dir/lists.json" "$dir/out.csv" <<'PY'
import csv, io, json, sys

lists = json.load(open(sys.argv[1], encoding="utf-8"))
raw = open(sys.argv[2], "rb").read()
text = raw.decode("utf-8-sig") if raw.startswith(b"\xef\xbb\xbf") else raw.decode("cp1252")
rows = list(csv.DictReader(io.StringIO(text, newline="")))

ARTIST, ALBUM_NAME, SONG1 = 2, 7, 9
albums = lists["albums"]
assert len(albums) == len(rows) == 3, (len(albums), len(rows))
by_name = {a[ALBUM_NAME]: a for a in albums}
for row in rows:
    album = by_name[row["Album Name"]]
    assert album[ARTIST] == row["Group/Artist"], (album[ARTIST], row["Group/Artist"])
assert lists["after_lists"]["starts"] == "DCFX", lists["after_lists"]
details = {row["Album Name"]: row for row in rows}
assert details["Harbour Lights"]["Status"] == "Wanted"
assert details["Harbour Lights"]["Year"] == "1994"
assert details["Harbour Lights"]["Media Condition"] == "VG+"
assert details["Harbour Lights"]["Rating"] == "4"
assert details["\u65e5\u672c"]["Location"] == "Box 7"
print("a reader of the lists found %d albums and %d bytes of details after them"
      % (len(albums), lists["after_lists"]["bytes"]))
PY
