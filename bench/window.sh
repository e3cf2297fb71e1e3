#!/usr/bin/env bash
# The window opening a catalogue of 100,000 albums, as a user starts it: the time from starting
# `discora FILE` until its window is visible (the file read, the lists built, the albums sorted by
# artist and the first screen drawn), and the process's peak resident memory a second later. Runs
# in its own Xvfb display; needs xvfb-run and xdotool (Debian packages xvfb and xdotool). Each run
# RUNS times (5 unless set); the least time and the largest peak are shown.
#   bench/window.sh [BUILD_DIR]    (build/release unless given)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/release}"
runs="${RUNS:-5}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"

"$build/tools/discora-generate" --albums 100000 --seed 1 "$work/catalogue.dcf" >/dev/null
size=$(stat -c %s "$work/catalogue.dcf")

cat >"$work/once.sh" <<'ONCE'
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
chmod +x "$work/once.sh"

best="" peak=0
for _ in $(seq "$runs"); do
    read -r ms kb < <(xvfb-run -a -s "-screen 0 1280x900x24" "$work/once.sh" "$build/src/discora" "$work/catalogue.dcf")
    if [[ -z "$best" ]] || ((ms < best)); then best="$ms"; fi
    ((kb > peak)) && peak="$kb"
done
echo "catalogue: 100,000 albums, $size bytes"
printf 'window visible              %6d ms  %8d KB peak  (%.2f x the file)\n' "$best" "$peak" \
    "$(awk "BEGIN { print $peak * 1024 / $size }")"
