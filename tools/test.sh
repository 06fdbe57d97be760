#!/bin/sh
# Builds everything and runs every test: the native suites (g++, Release),
# the same suites built with clang++ under AddressSanitizer and
# UndefinedBehaviorSanitizer, the library's thread tests under
# ThreadSanitizer, a brief fuzzing, the web page (its module in Node, the
# page in headless Chromium), the Windows binaries under Wine (with a random
# walk over the program) and the packages. Warnings in our own code are
# errors here (and only here). Installs what it needs first (idempotent).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

"$root/tools/install-deps.sh"

step() { printf '\n==== %s ====\n' "$*"; }

step "native build (g++, Release) and tests"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORANE2_WERROR=ON \
    -DVORANE2_TESTS=ON
cmake --build "$root/build" -j "$jobs"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

step "tests built with clang++ under AddressSanitizer and UndefinedBehaviorSanitizer"
# A tree configured earlier with another compiler is made anew.
if [ -f "$root/build-sanitize/CMakeCache.txt" ] &&
    ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang' "$root/build-sanitize/CMakeCache.txt"; then
    rm -rf "$root/build-sanitize"
fi
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-sanitize" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORANE2_SANITIZE=ON -DVORANE2_WERROR=ON
cmake --build "$root/build-sanitize" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs"

step "the library and its thread tests under ThreadSanitizer"
# Only what the thread tests need is built: the library's objects, the
# month sheet and the tests themselves.
if [ -f "$root/build-tsan/CMakeCache.txt" ] &&
    ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang' "$root/build-tsan/CMakeCache.txt"; then
    rm -rf "$root/build-tsan"
fi
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-tsan" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORANE2_WERROR=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
    -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread
cmake --build "$root/build-tsan" -j "$jobs" --target thread_tests
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 "$root/build-tsan/tests/threads/thread_tests"

step "fuzzing every export and the month sheet, briefly"
"$root/tools/fuzz.sh" 10

step "the browser page: the WebAssembly module against the native sheets, the page in headless Chromium"
"$root/tools/web-tests.sh" "$root/build"

if [ -x "$root/tools/windows-tests.sh" ]; then
    step "Windows binaries under Wine"
    WINDOWS_CMAKE_OPTIONS=-DVORANE2_WERROR=ON "$root/tools/windows-tests.sh" "$root/build"
fi

step "packages: built, unpacked into a temporary root and used from there"
"$root/tests/install/check_packages.sh"

step "all tests passed"
