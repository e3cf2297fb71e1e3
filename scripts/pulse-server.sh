# A private PulseAudio server with a null sink for the real-sound test. Sourced by scripts/test.
#   discora_start_pulse_server   starts it in a temporary folder of its own and exports
#                                PULSE_SERVER and DISCORA_TEST_PULSE_SINK (or, when no server
#                                could be started, DISCORA_TEST_PULSE_SKIP with the reason)
#   discora_stop_pulse_server    stops it and removes the folder
# The user's own sound server is never touched: the server's runtime, state and config folders,
# and the client's, all live in the temporary folder.

discora_pulse_dir=""
discora_pulse_pid=""

discora_start_pulse_server() {
    local sink=discora_test
    if ! command -v pulseaudio >/dev/null 2>&1; then
        export DISCORA_TEST_PULSE_SKIP="pulseaudio is not installed, so no sound server could be started"
        return 0
    fi
    discora_pulse_dir="$(mktemp -d)"
    mkdir -p "$discora_pulse_dir/runtime" "$discora_pulse_dir/home"
    chmod 700 "$discora_pulse_dir/runtime"
    # --system=false with a runtime folder of its own also runs as root (it only warns); -n keeps
    # the user's default.pa out. The null sink must not rewind: a monitor source cannot follow a
    # rewind, so the first moments of a new stream would be missing from the recording.
    XDG_RUNTIME_DIR="$discora_pulse_dir/runtime" PULSE_RUNTIME_PATH="$discora_pulse_dir/runtime" \
        PULSE_STATE_PATH="$discora_pulse_dir/home" HOME="$discora_pulse_dir/home" \
        XDG_CONFIG_HOME="$discora_pulse_dir/home" \
        pulseaudio --daemonize=no --system=false --exit-idle-time=-1 --disallow-exit \
        --use-pid-file=no -n --log-target=file:"$discora_pulse_dir/server.log" \
        --load="module-null-sink sink_name=$sink rate=44100 channels=2 format=s16le norewinds=1" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$discora_pulse_dir/runtime/native" \
        >/dev/null 2>&1 &
    discora_pulse_pid=$!
    local server="unix:$discora_pulse_dir/runtime/native"
    local i
    for i in $(seq 1 50); do
        if [ -S "$discora_pulse_dir/runtime/native" ] && PULSE_SERVER="$server" pactl info >/dev/null 2>&1; then
            export PULSE_SERVER="$server"
            export DISCORA_TEST_PULSE_SINK="$sink"
            unset DISCORA_TEST_PULSE_SKIP
            echo "Private PulseAudio server for the sound test: $server (sink $sink)"
            return 0
        fi
        if ! kill -0 "$discora_pulse_pid" 2>/dev/null; then
            break
        fi
        sleep 0.1
    done
    local log=""
    [ -f "$discora_pulse_dir/server.log" ] && log="$(tail -n 3 "$discora_pulse_dir/server.log" | tr '\n' ' ')"
    export DISCORA_TEST_PULSE_SKIP="the private PulseAudio server did not start: ${log:-no log}"
    echo "No sound server for the sound test: $DISCORA_TEST_PULSE_SKIP" >&2
    discora_stop_pulse_server
    return 0
}

discora_stop_pulse_server() {
    if [ -n "$discora_pulse_pid" ]; then
        kill "$discora_pulse_pid" 2>/dev/null || true
        wait "$discora_pulse_pid" 2>/dev/null || true
        discora_pulse_pid=""
    fi
    if [ -n "$discora_pulse_dir" ]; then
        rm -rf "$discora_pulse_dir"
        discora_pulse_dir=""
    fi
}
