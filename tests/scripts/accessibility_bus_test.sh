#!/usr/bin/env bash
# Opens a catalogue in a real window on a virtual screen and reads it through the desktop's
# accessibility bus (AT-SPI), as a screen reader does: the view's rows in two orders and the CD
# player's buttons. Usage: accessibility_bus_test.sh DISCORA CATALOGUE
set -euo pipefail
if [ "${1:-}" != --inside ]; then
    # A private session bus; the accessibility bus starts on it when first asked for.
    exec dbus-run-session -- "$0" --inside "$@"
fi
discora=$2
catalogue=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
# A copy, so that the lock file the killed window leaves lies beside it and not in the tree.
cp "$catalogue" "$work/catalogue.dcf"
catalogue="$work/catalogue.dcf"

"$discora" --list by-artist "$catalogue" | head -n 5 >"$work/by-artist"
"$discora" --list by-album-name "$catalogue" | head -n 5 >"$work/by-album-name"

# Xvfb picks a free display and writes its number once it is ready for clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 300); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
display=$(tr -d '[:space:]' <"$work/display")
[ -n "$display" ] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }

export DISPLAY=":$display" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export XDG_CONFIG_HOME="$work/config" DISCORA_CD_DEVICE="$work/no-drive"
# The window is killed at the end, so there is no exit for the leak check to run at.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
"$discora" "$catalogue" >"$work/discora.log" 2>&1 &
pids+=($!)

if ! /usr/bin/python3 "$here/read_aloud.py" "$work/by-artist" "$work/by-album-name"; then
    cat "$work/discora.log" >&2
    exit 1
fi
