#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks that a desktop finds what it needs there:
# the program, the desktop entry, the catalogue file type (by name and by content), the icons, the
# AppStream metainfo and the manual page. Each validator runs when it is installed (scripts/test
# installs them).
#   install_test.sh BUILD_DIR SAMPLE.dcf
set -euo pipefail
build="$1"
sample="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
share="$work/root/usr/share"
id=com.quorvane.Discora

for f in "$work/root/usr/bin/discora" "$share/applications/$id.desktop" "$share/metainfo/$id.metainfo.xml" \
    "$share/mime/packages/$id.xml" "$share/man/man1/discora.1.gz" "$share/icons/hicolor/scalable/apps/$id.svg" \
    "$share/doc/discora/copyright"; do
    [ -s "$f" ] || fail "not installed: ${f#"$work/root"}"
done
for size in 16 22 24 32 48 64 128 256; do
    png="$share/icons/hicolor/${size}x${size}/apps/$id.png"
    if [ ! -s "$png" ]; then
        fail "no ${size}x${size} icon"
    elif [ "$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}')" != "${size}x${size}" ]; then
        fail "the ${size}x${size} icon has another size"
    fi
done

desktop="$share/applications/$id.desktop"
grep -qx 'MimeType=application/x-discora-catalogue;' "$desktop" || fail "the desktop entry does not open catalogues"
grep -qx 'Exec=discora --print %f' "$desktop" || fail "the desktop entry has no print action"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >"$work/appstream.log" 2>&1 ||
        { cat "$work/appstream.log" >&2; fail "appstreamcli validate"; }
fi
if command -v man >/dev/null; then
    warnings="$(MANWIDTH=80 man --warnings -E UTF-8 -l "$share/man/man1/discora.1.gz" 2>&1 >/dev/null || true)"
    [ -z "$warnings" ] || fail "the manual page has warnings: $warnings"
    # Every long option --help names is in the manual page.
    page="$(MANWIDTH=200 man -E UTF-8 -l "$share/man/man1/discora.1.gz" 2>/dev/null | sed 's/\xe2\x80\x90/-/g')"
    for option in $("$work/root/usr/bin/discora" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
        grep -q -- "$option" <<<"$page" || fail "the manual page does not describe $option"
    done
fi
if command -v update-mime-database >/dev/null && command -v xdg-mime >/dev/null; then
    data="$work/data"
    mkdir -p "$data/mime/packages"
    cp "$share/mime/packages/$id.xml" "$data/mime/packages/"
    update-mime-database "$data/mime" >/dev/null 2>&1
    cp "$sample" "$work/renamed.bin"
    for f in "$sample" "$work/renamed.bin"; do
        type="$(XDG_DATA_HOME="$data" XDG_DATA_DIRS="$data:/usr/share" xdg-mime query filetype "$f" 2>/dev/null)"
        [ "$type" = application/x-discora-catalogue ] || fail "$(basename "$f") is taken for ${type:-nothing}"
    done
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures problem(s) with the installed files" >&2
    exit 1
fi
echo "installed files: all present and valid"
