#!/usr/bin/env bash
# Whole-process figures at 100,000 albums: the time and peak resident memory of `discora --save-as`
# and `discora --list by-song`, the peak of --save-as on an empty catalogue (the program's own size),
# and, where xvfb-run and xdotool are installed (Debian packages xvfb and xdotool), the window
# opening the catalogue: the time until it is visible (the file read, the lists built, the albums
# sorted by artist and the first screen drawn) and the peak a second later, in its own Xvfb
# display. Each runs RUNS times (5 unless set); the least time and the largest peak are shown, as
# other work on the machine only ever adds to the time.
#   bench/process.sh [BUILD_DIR]    (build/release unless given)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/release}"
runs="${RUNS:-5}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Settings of their own, so that a user's switches change nothing.
export XDG_CONFIG_HOME="$work/config"

"$build/tools/discora-generate" --albums 100000 --seed 1 "$work/catalogue.dcf" >/dev/null
"$build/tools/discora-generate" --albums 0 --seed 1 "$work/empty.dcf" >/dev/null
size=$(stat -c %s "$work/catalogue.dcf")

measure() {
    local name="$1"
    shift
    local best="" peak=0
    for _ in $(seq "$runs"); do
        /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null
        read -r seconds kb <"$work/time"
        if [[ -z "$best" ]] || awk "BEGIN { exit !($seconds < $best) }"; then best="$seconds"; fi
        ((kb > peak)) && peak="$kb"
    done
    printf '%-28s %6s s  %8d KB peak  (%.2f x the file)\n' "$name" "$best" "$peak" \
        "$(awk "BEGIN { print $peak * 1024 / $size }")"
}

echo "catalogue: 100,000 albums, $size bytes"
measure "--save-as (empty)" "$build/src/discora" --save-as "$work/out0.dcf" "$work/empty.dcf"
measure "--save-as" "$build/src/discora" --save-as "$work/out.dcf" "$work/catalogue.dcf"
cmp -s "$work/out.dcf" "$work/catalogue.dcf" || echo "warning: --save-as did not reproduce the file byte for byte"
measure "--list by-song" "$build/src/discora" --list by-song "$work/catalogue.dcf"

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
    read -r ms kb < <(xvfb-run -a -s "-screen 0 1280x900x24" "$work/window.sh" "$build/src/discora" "$work/catalogue.dcf")
    if [[ -z "$best" ]] || ((ms < best)); then best="$ms"; fi
    ((kb > peak)) && peak="$kb"
done
printf '%-28s %6s s  %8d KB peak  (%.2f x the file)\n' "window visible" "$(awk "BEGIN { print $best / 1000 }")" \
    "$peak" "$(awk "BEGIN { print $peak * 1024 / $size }")"
