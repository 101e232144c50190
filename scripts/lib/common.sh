# Shared set-up for scripts/run, scripts/test and scripts/screenshot.
# Every step is idempotent and fast when nothing changed.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="$ROOT/build"
WIN_BUILD="$BUILD/win"
NATIVE_BUILD="$BUILD/native"
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
JOBS="$(nproc 2>/dev/null || echo 2)"

log() { printf '== %s\n' "$*"; }

# Ends what a script started: the Wine server with its helpers, and a virtual display.
XVFB_PID=""
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT

# Installs the Debian packages that are missing; needs root (as on CI) or sudo.
ensure_packages() {
    local need=()
    command -v cmake >/dev/null || need+=(cmake)
    command -v ninja >/dev/null || need+=(ninja-build)
    command -v g++ >/dev/null || need+=(g++)
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
    command -v wine >/dev/null || need+=(wine)
    [ -x /usr/lib/wine/wine64 ] || need+=(wine64)
    command -v Xvfb >/dev/null || need+=(xvfb)
    command -v import >/dev/null || need+=(imagemagick)
    [ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
    command -v chmcmd >/dev/null || need+=(fp-utils)
    command -v wixl >/dev/null || need+=(wixl)
    command -v zip >/dev/null || need+=(zip)
    [ -f /usr/include/boost/regex.hpp ] || need+=(libboost1.81-dev)
    if [ ${#need[@]} -gt 0 ]; then
        log "installing: ${need[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}" >/dev/null
    fi
}

# Creates the Wine prefix once, without the Mono and Gecko installers (they wait for a click).
ensure_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "creating Wine prefix in $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i >"$BUILD/wineboot.log" 2>&1 || true
        # Without a display Wine falls back to its null driver, so in-process window tests need no X.
        wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f >>"$BUILD/wineboot.log" 2>&1 || true
        wineserver -w || true
    fi
}

# Drive T: of the prefix is a folder of the build that only the tests use, small enough to walk from its
# root. The mount manager reads drive links when the Wine server starts, so a new link ends the server.
ensure_test_drive() {
    mkdir -p "$BUILD/test-drive"
    if [ ! -L "$WINEPREFIX/dosdevices/t:" ]; then
        ln -s "$BUILD/test-drive" "$WINEPREFIX/dosdevices/t:"
        wineserver -k >/dev/null 2>&1 || true
    fi
    # Drive V: is a folder on another file system (memory), so that moves across volumes copy.
    local other="/dev/shm/findlark-volume-$(printf %s "$BUILD" | md5sum | cut -c1-8)"
    mkdir -p "$other"
    if [ ! -L "$WINEPREFIX/dosdevices/v:" ]; then
        ln -s "$other" "$WINEPREFIX/dosdevices/v:"
        wineserver -k >/dev/null 2>&1 || true
    fi
    # A folder with a link to a folder outside it, made anew for every run (a test deletes it). Wine
    # lists a Linux link as a link to a folder but cannot make one itself.
    local links="$BUILD/test-drive/links"
    rm -rf "$links"
    mkdir -p "$links/dir" "$links/outside"
    printf own >"$links/dir/own.txt"
    printf keep >"$links/outside/keep.txt"
    ln -s "$links/outside" "$links/dir/link"
}

# Keeps one Wine server alive for a whole run and ends it (and every helper) on exit.
# Wine's helper processes (services, the desktop) start with the first program and inherit its
# output; starting them here, writing to a file, keeps them off CTest's pipes.
start_wineserver() {
    wineserver -p >/dev/null 2>&1 || true
    wine cmd.exe /c exit >>"$BUILD/wineserver.log" 2>&1 </dev/null || true
}

build_windows() {
    log "building Findlark (Windows, mingw-w64)"
    if [ ! -f "$WIN_BUILD/build.ninja" ]; then
        cmake -S "$ROOT" -B "$WIN_BUILD" -G Ninja \
            -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DFINDLARK_NATIVE_TEST_DIR="$NATIVE_BUILD/tests" >/dev/null
    fi
    if [ $# -gt 0 ]; then
        cmake --build "$WIN_BUILD" -j "$JOBS" --target "$@"
    else
        cmake --build "$WIN_BUILD" -j "$JOBS"
    fi
}

build_native() {
    log "building portable logic (native, sanitizers)"
    if [ ! -f "$NATIVE_BUILD/build.ninja" ]; then
        cmake -S "$ROOT" -B "$NATIVE_BUILD" -G Ninja \
            -DCMAKE_BUILD_TYPE=Debug -DFINDLARK_SANITIZE=ON >/dev/null
    fi
    cmake --build "$NATIVE_BUILD" -j "$JOBS"
}

# Starts a virtual display when there is none; sets DISPLAY and stops it on exit.
ensure_display() {
    if [ -n "${DISPLAY:-}" ]; then return; fi
    local n=97
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
}
