#!/bin/sh
# Builds everything and opens the calendar on this month: the Windows program
# under Wine on this display, or, with no display, the terminal view.
# `tools/run.sh --web` builds the web page and serves it instead.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

"$root/tools/install-deps.sh"

# --web: the calendar as a web page, built and served on this machine only
# (127.0.0.1, PORT or 8080); no display needed. Ctrl-C stops the server.
if [ "${1:-}" = "--web" ]; then
    "$root/tools/web-build.sh" "$root/build-web"
    port=${PORT:-8080}
    echo "The calendar is at http://127.0.0.1:$port/ (Ctrl-C stops it)"
    exec /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory "$root/build-web/site"
fi

# A tree the test command made is used as it is (same build type).
if [ ! -f "$root/build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$root/build" -j "$jobs"

if [ -x "$root/tools/run-windows.sh" ]; then
    exec "$root/tools/run-windows.sh" "$root/build" "$@"
fi
exec "$root/build/app/tenvo-term" "$@"
