#!/bin/sh
# Builds everything and runs every test: the native suites, the same suites
# under AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows
# binaries under Wine. Installs what it needs first (idempotent).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

"$root/tools/install-deps.sh"

step() { printf '\n==== %s ====\n' "$*"; }

step "native build and tests"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" -j "$jobs"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

step "tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$root" -B "$root/build-sanitize" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORANE2_SANITIZE=ON
cmake --build "$root/build-sanitize" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs"

step "fuzzing every export and the month sheet, briefly"
"$root/tools/fuzz.sh" 10

if [ -x "$root/tools/windows-tests.sh" ]; then
    step "Windows binaries under Wine"
    "$root/tools/windows-tests.sh" "$root/build"
fi

step "all tests passed"
