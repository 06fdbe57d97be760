#!/bin/sh
# Builds everything and opens the calendar on this month: the Windows program
# under Wine on this display, or, with no display, the terminal view.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

"$root/tools/install-deps.sh"
# A tree the test command made is used as it is (same build type).
if [ ! -f "$root/build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$root/build" -j "$jobs"

if [ -x "$root/tools/run-windows.sh" ]; then
    exec "$root/tools/run-windows.sh" "$root/build" "$@"
fi
exec "$root/build/app/tenvo-term" "$@"
