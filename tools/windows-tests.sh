#!/bin/bash
# The Windows tests, run under Wine on a virtual screen:
#   1. the binary interface: tests/windows/abi_probe.cpp built natively and
#      with MinGW calls every built export with the same arguments; the
#      outputs of libvorane2.so and vorane2.dll must be identical byte for
#      byte, and the DLL must export exactly the built names and ordinals;
#   2. the program: the driver (tests/windows/driver*.cpp) operates the real
#      tenvo.exe as a person would and checks what it shows, stores and
#      copies. Screenshots are left in the build folder.
#
# Usage: tools/windows-tests.sh [NATIVE_BUILD_DIR]
#   NATIVE_BUILD_DIR  a native build of the project (its lib/libvorane2.so and
#                     lib/built_exports.txt are used); without it the library
#                     is built natively in build-win/native.
# The MinGW tree is build-win in the project, or $WINDOWS_BUILD_DIR.
# Exit status 0 only when every test passed.
set -u
project=$(cd "$(dirname "$0")/.." && pwd)
winbuild=${WINDOWS_BUILD_DIR:-$project/build-win}
native=${1:-}

results=()
failed=0
record() { # record NAME STATUS [DETAIL]
    results+=("$(printf '%-6s %s%s' "$2" "$1" "${3:+  ($3)}")")
    [ "$2" = PASS ] || failed=1
}
summary() {
    echo
    echo "==== Windows tests ===="
    for line in "${results[@]}"; do echo "$line"; done
    if [ "$failed" -eq 0 ]; then echo "All Windows tests passed."; else echo "Windows tests FAILED."; fi
}

# ---- Builds -------------------------------------------------------------

mkdir -p "$winbuild"
winbuild=$(cd "$winbuild" && pwd)
if ! "$project/tools/windows-build.sh" "$winbuild" >"$winbuild/windows-build.log" 2>&1; then
    tail -n 40 "$winbuild/windows-build.log"
    record "MinGW build" FAIL "see $winbuild/windows-build.log"
    summary
    exit 1
fi
record "MinGW build" PASS

if [ -z "$native" ]; then
    native=$winbuild/native
    if ! { cmake -S "$project" -B "$native" -G Ninja -DVORANE2_TESTS=OFF >/dev/null &&
        ninja -C "$native" vorane2 >/dev/null; }; then
        record "native library build" FAIL
        summary
        exit 1
    fi
fi
native=$(cd "$native" && pwd)

work=$winbuild/windows-tests
rm -rf "$work"
mkdir -p "$work"

probe_native=$work/abi_probe_native
if ! ${CXX:-g++} -std=c++20 -O2 -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Werror \
    -ffp-contract=off -I"$project/lib" "$project/tests/windows/abi_probe.cpp" -ldl \
    -o "$probe_native"; then
    record "native probe build" FAIL
    summary
    exit 1
fi

# ---- Wine -------------------------------------------------------------------

# shellcheck source=tools/wine-env.sh
. "$project/tools/wine-env.sh"
trap wine_env_cleanup EXIT
trap 'exit 130' INT TERM
if ! wine_env_start_xvfb || ! wine_env_prefix "$winbuild/wineprefix" fresh; then
    record "Wine prefix" FAIL
    summary
    exit 1
fi
record "Wine prefix" PASS "$WINEPREFIX"

# Programs run from one folder beside the DLL they load; the incomplete
# library of the tests lies in a folder of its own below it.
run_dir=$work/bin
mkdir -p "$run_dir"
cp "$winbuild/lib/vorane2.dll" "$winbuild/lib/built_exports.txt" "$run_dir/"
for exe in "$winbuild"/tests/windows/*.exe "$winbuild"/app/win/tenvo.exe; do
    [ -f "$exe" ] && cp "$exe" "$run_dir/"
done
if [ -f "$winbuild/tests/windows/partial-library/vorane2.dll" ]; then
    mkdir -p "$run_dir/partial-library"
    cp "$winbuild/tests/windows/partial-library/vorane2.dll" "$run_dir/partial-library/"
fi

# ---- 1. Binary interface ------------------------------------------------

abi_test() {
    if ! cmp -s "$native/lib/built_exports.txt" "$winbuild/lib/built_exports.txt"; then
        echo "The native and the MinGW build list different exports:"
        diff "$native/lib/built_exports.txt" "$winbuild/lib/built_exports.txt"
        record "binary interface" FAIL "export lists differ; rebuild both"
        return
    fi
    local count
    count=$(grep -c . "$winbuild/lib/built_exports.txt")
    if ! "$probe_native" "$native/lib/libvorane2.so" "$native/lib/built_exports.txt" \
        >"$work/abi-native.txt" 2>"$work/abi-native.err"; then
        cat "$work/abi-native.err"
        record "binary interface" FAIL "native probe"
        return
    fi
    if ! (cd "$run_dir" && wine_env_run 120 ./abi_probe.exe vorane2.dll built_exports.txt \
        >"$work/abi-windows.txt" 2>"$work/abi-windows.err"); then
        cat "$work/abi-windows.err"
        record "binary interface" FAIL "Windows probe (exports, ordinals or a crash)"
        return
    fi
    local lines
    lines=$(wc -l <"$work/abi-native.txt")
    if ! cmp -s "$work/abi-native.txt" "$work/abi-windows.txt"; then
        echo "vorane2.dll and libvorane2.so give different results ('<' native, '>' DLL):"
        diff "$work/abi-native.txt" "$work/abi-windows.txt" | head -n 40
        local differing
        differing=$(diff "$work/abi-native.txt" "$work/abi-windows.txt" | grep -c '^<')
        record "binary interface" FAIL "$differing of $lines calls differ; see $work/abi-*.txt"
        return
    fi
    record "binary interface" PASS "$count exports, $lines calls identical"
}
abi_test

# ---- 2. The program -------------------------------------------------------

program_test() {
    local missing=""
    for exe in tenvo.exe tenvo_driver.exe window_logic_test.exe; do
        [ -f "$run_dir/$exe" ] || missing="$missing $exe"
    done
    if [ -n "$missing" ]; then
        record "program" FAIL "not built:$missing"
        return
    fi

    if (cd "$run_dir" && wine_env_run 60 ./window_logic_test.exe 2>&1 | tr -d '\r' \
        >"$work/window-logic.log"; exit "${PIPESTATUS[0]}"); then
        record "window rules and settings" PASS "$(tail -n 1 "$work/window-logic.log")"
    else
        grep FAIL "$work/window-logic.log"
        record "window rules and settings" FAIL "see $work/window-logic.log"
    fi

    local shots=$winbuild/screenshots
    rm -rf "$shots"
    mkdir -p "$shots"
    if (cd "$run_dir" && wine_env_run 170 ./tenvo_driver.exe tenvo.exe "Z:$shots" \
        partial-library 2>&1 | tr -d '\r' | tee "$work/driver.log" | grep '^FAIL'
        exit "${PIPESTATUS[0]}"); then
        record "program (driver)" PASS "$(tail -n 1 "$work/driver.log")"
    else
        record "program (driver)" FAIL "$(tail -n 1 "$work/driver.log"); see $work/driver.log"
    fi
    # The screenshots as PNG files.
    if command -v convert >/dev/null 2>&1; then
        for bmp in "$shots"/*.bmp; do
            [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
        done
    fi
}
if [ -f "$project/app/win/CMakeLists.txt" ]; then
    program_test
fi

summary
exit "$failed"
