#!/bin/sh
# Builds and opens the calendar on this month, installing first only what the
# chosen view needs:
#   tools/run.sh [ARGS...]   on a display: the Windows program under Wine
#                            (MinGW-w64, Wine, the fonts; Xvfb is not needed);
#                            with no display: the terminal view tenvo-term,
#                            given ARGS (the compiler, CMake and Ninja alone)
#   tools/run.sh --web       the web page, built and served on this machine
#                            only (127.0.0.1, PORT or 8080; emscripten alone)
# Each builds only what it runs. Ctrl-C stops the server or the program.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

if [ "${1:-}" = "--web" ]; then
    "$root/tools/install-deps.sh" web
    "$root/tools/web-build.sh" "$root/build-web"
    port=${PORT:-8080}
    echo "The calendar is at http://127.0.0.1:$port/ (Ctrl-C stops it)"
    exec /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory "$root/build-web/site"
fi

terminal_view() {
    "$root/tools/install-deps.sh" terminal
    # A tree the test command made is used as it is; a new one leaves out
    # the tests and benchmarks, which this view does not run.
    if [ ! -f "$root/build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DVORANE2_TESTS=OFF >/dev/null
    fi
    cmake --build "$root/build" -j "$jobs" --target tenvo-term >&2
    exec "$root/build/app/tenvo-term" "$@"
}

if [ -z "${DISPLAY:-}" ]; then
    echo "run: no display (DISPLAY is not set), so the window cannot open;" \
        "here is the terminal view of the month instead." >&2
    terminal_view "$@"
fi

# The 32-bit group is optional: without it the 64-bit build opens.
"$root/tools/install-deps.sh" windows64 windows32
exec "$root/tools/run-windows.sh" "$root/build" "$@"
