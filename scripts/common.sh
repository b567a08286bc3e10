# Shared by the set-up scripts: packages, builds, and a private Wine session
# (prefix, persistent wineserver, Xvfb display) that is torn down on exit.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

PACKAGES=(cmake make binutils g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
          wine64 xvfb x11-apps imagemagick googletest clang libclang-rt-dev)

install_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "== installing: ${missing[*]}"
    local sudo=
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

# build_programs ARCH [extra cmake arguments]: ARCH is i686 or x86_64.
build_programs() {
    local arch=$1
    shift
    cmake -S "$ROOT" -B "$BUILD/$arch" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$WINE64" "$@" >/dev/null
    cmake --build "$BUILD/$arch" -j "$(nproc)" -- --no-print-directory
}

# Starts Xvfb on a free display and a private Wine prefix with one persistent
# wineserver; stop_wine (run on exit) ends both and removes the prefix.
start_wine() {
    export WINEPREFIX
    WINEPREFIX=$(mktemp -d /tmp/marlune-wine.XXXXXX)
    export WINEDEBUG=-all
    # No Mono or Gecko installers; a crashing program ends instead of waiting
    # in the debugger; an xcopy.exe put into the prefix's system32 is run
    # instead of Wine's own, which does not take the patcher's "dir\*.*"
    # destination and loops forever asking whether it is a file.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d;xcopy.exe=n"
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        break
    done
    trap stop_wine EXIT
    local i
    for i in $(seq 50); do
        [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break
        sleep 0.1
    done
    "$WINESERVER" -p
    "$WINE64" wineboot -i >/dev/null 2>&1
}

stop_wine() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        "$WINESERVER" -k 2>/dev/null
        "$WINESERVER" -w 2>/dev/null
        rm -rf "$WINEPREFIX"
    fi
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
}

# Windows path (Z: drive) of a file of this machine, for wine64.
winpath() {
    echo "Z:$(readlink -f "$1" | tr / '\\')"
}
