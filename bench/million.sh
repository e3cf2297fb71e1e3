#!/usr/bin/env bash
# Whole-process figures at a million albums (ALBUMS to change it): the time and peak resident
# memory of copying the file (cp, for scale), `discora --save-as`, `discora --list` of an album
# order, the song list and the performer list, and, where xvfb-run and xdotool are installed, the
# window opening the catalogue (the time until it is visible). Then `--list by-song` on a catalogue
# of 100,000 albums where a quarter of the songs share a few dozen titles. Each runs RUNS times (3
# unless set); the least time and the largest peak are shown. The catalogues are written under
# WORK (a temporary folder unless set; a million albums take about 550 MB) and kept there when WORK
# is given, so that a second run skips generating them.
#   bench/million.sh [BUILD_DIR]    (build/release unless given)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/release}"
runs="${RUNS:-3}"
albums="${ALBUMS:-1000000}"
if [[ -n "${WORK:-}" ]]; then
    work="$WORK"
    mkdir -p "$work"
else
    work="$(mktemp -d)"
    trap 'rm -rf "$work"' EXIT
fi
export XDG_CONFIG_HOME="$work/config"

catalogue="$work/albums-$albums.dcf"
common="$work/common-titles-100000.dcf"
[[ -f "$catalogue" ]] || "$build/tools/discora-generate" --albums "$albums" --seed 1 "$catalogue" >/dev/null
[[ -f "$common" ]] || "$build/tools/discora-generate" --albums 100000 --seed 1 --common-titles 25 "$common" >/dev/null
size=$(stat -L -c %s "$catalogue")

measure() {
    local name="$1" file="$2"
    shift 2
    local best="" peak=0
    for _ in $(seq "$runs"); do
        /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null
        read -r seconds kb <"$work/time"
        if [[ -z "$best" ]] || awk "BEGIN { exit !($seconds < $best) }"; then best="$seconds"; fi
        ((kb > peak)) && peak="$kb"
    done
    printf '%-28s %6s s  %8d KB peak  (%.2f x the file)\n' "$name" "$best" "$peak" \
        "$(awk "BEGIN { print $peak * 1024 / $(stat -L -c %s "$file") }")"
}

echo "catalogue: $albums albums, $size bytes"
measure "cp" "$catalogue" cp "$catalogue" "$work/copy.dcf"
rm -f "$work/copy.dcf"
measure "--save-as" "$catalogue" "$build/src/discora" --save-as "$work/out.dcf" "$catalogue"
cmp -s "$work/out.dcf" "$catalogue" || echo "warning: --save-as did not reproduce the file byte for byte"
rm -f "$work/out.dcf"
measure "--list by-artist" "$catalogue" "$build/src/discora" --list by-artist "$catalogue"
measure "--list by-song" "$catalogue" "$build/src/discora" --list by-song "$catalogue"
measure "--list by-performer" "$catalogue" "$build/src/discora" --list by-performer "$catalogue"
measure "--list by-song (common)" "$common" "$build/src/discora" --list by-song "$common"

if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
    echo "window: not measured (needs xvfb-run and xdotool)"
    exit 0
fi
cat >"$work/window.sh" <<'ONCE'
#!/usr/bin/env bash
set -euo pipefail
start=$(date +%s%N)
"$1" "$2" 2>/dev/null &
pid=$!
until xdotool search --onlyvisible --name "${2##*/}" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "discora ended before its window showed" >&2; exit 1; }
    sleep 0.005
done
up=$(date +%s%N)
sleep 1
peak=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
kill "$pid"
wait "$pid" || true
echo "$(((up - start) / 1000000)) $peak"
ONCE
chmod +x "$work/window.sh"
best="" peak=0
for _ in $(seq "$runs"); do
    # A display server still closing from the run before can keep a new one from starting: once more.
    read -r ms kb < <(xvfb-run -a -s "-screen 0 1280x900x24" "$work/window.sh" "$build/src/discora" "$catalogue" ||
        { sleep 1; xvfb-run -a -s "-screen 0 1280x900x24" "$work/window.sh" "$build/src/discora" "$catalogue"; })
    if [[ -z "$best" ]] || ((ms < best)); then best="$ms"; fi
    ((kb > peak)) && peak="$kb"
done
printf '%-28s %6s s  %8d KB peak  (%.2f x the file)\n' "window visible" "$(awk "BEGIN { print $best / 1000 }")" \
    "$peak" "$(awk "BEGIN { print $peak * 1024 / $size }")"
