# Shared by the project's scripts: installs what is missing and builds, without prompts.
# shellcheck shell=bash

QUORVEL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Everything the build, the tests and the program need, as Debian/Ubuntu packages. The CMake
# files of Data Visualization also look for Qt's OpenGL, QML and Quick, which its package does
# not pull in.
QUORVEL_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-serialport-dev qt6-svg-dev qt6-translations-l10n libgl-dev nlohmann-json3-dev
    qt6-datavisualization-dev libqt6opengl6-dev qt6-declarative-dev qt6-charts-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang-format python3 poppler-utils
    locales clang ccache xvfb xauth
)

# The Windows build of the Qt-free libraries (scripts/test-windows): the cross compiler with its
# posix threading variant, GoogleTest's sources to build for it, and wine to run the tests.
QUORVEL_WINDOWS_PACKAGES=(
    cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine wine64
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs only the packages that are not installed yet; apt-get runs only when one is missing.
ensure_packages() {
    local missing=()
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# configure_and_build_quietly BUILD_DIR [cmake options...]: as configure_and_build, but shows the
# build's output only when it fails, so a compiler error is never swallowed.
configure_and_build_quietly() {
    local log
    log=$(mktemp)
    if ! configure_and_build "$@" >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        echo "The build failed; the compiler's messages are above." >&2
        return 1
    fi
    rm -f "$log"
}

# configure_and_build BUILD_DIR [cmake options...]
configure_and_build() {
    local dir="$1"
    shift
    # ccache, where installed, keeps compiled objects between builds and build directories;
    # paths are taken relative to the checkout so that two checkouts share them.
    local launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
        export CCACHE_BASEDIR="$QUORVEL_ROOT" CCACHE_NOHASHDIR=true
    fi
    cmake -S "$QUORVEL_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${QUORVEL_BUILD_TYPE:-RelWithDebInfo}" "${launcher[@]}" "$@"
    cmake --build "$dir" -j "$(nproc)"
}
