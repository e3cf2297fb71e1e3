# Installs the Debian packages the build needs, when any is missing. Sourced by scripts/run,
# scripts/test, scripts/format and .ci/run.
DISCORA_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6 qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins libgl-dev libx11-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libcdio-dev libpulse-dev libdiscid-dev libtag1-dev zlib1g-dev
    poppler-utils
    pulseaudio pulseaudio-utils # the sound test's private server
)

# What the tests of the installed desktop files use to validate them, and the encoders the audio
# import's tests make their sound files with, and what reads the window as a screen reader does.
DISCORA_TEST_PACKAGES=(
    desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl man-db groff-base
    flac vorbis-tools lame
    xvfb xdotool dbus at-spi2-core python3-pyatspi # the window read through the accessibility bus
    python3-html5lib chromium # the web page export read by a validator and a browser
)

# scripts/fuzz: clang, and libFuzzer with the sanitizer runtimes for clang.
DISCORA_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# Packages named as arguments are installed too when missing (clang-format, for the format check).
discora_install_packages() {
    local missing=()
    local p
    for p in "${DISCORA_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "These Debian packages are missing and there is no sudo to install them: ${missing[*]}" >&2
            return 1
        fi
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
