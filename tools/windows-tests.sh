#!/bin/bash
# The Windows tests, for each Windows build this machine can run (both the
# 32-bit and the 64-bit one where 32-bit programs run, else the 64-bit one
# alone; TENVO_WINDOWS_64_ONLY=1 forces the latter), under Wine on a virtual
# screen:
#   1. the binary interface: tests/windows/abi_probe.cpp built natively and
#      with MinGW calls every built export with the same arguments; the
#      outputs of libvorane2.so and vorane2.dll must be identical byte for
#      byte, and the DLL must export exactly the built names and ordinals;
#   2. the program: the driver (tests/windows/driver*.cpp) operates the real
#      tenvo.exe as a person would and checks what it shows, stores and
#      copies. Screenshots are left in the build folder.
#   3. a seeded random walk of 1,000 actions over the program
#      (tests/windows/random_actions.cpp), in the first build that runs here
#      only, to keep the time down; the seed is printed, and
#      TENVO_RANDOM_SEED chooses it (tools/random-actions.sh N SEED replays
#      a walk of any length).
# The 32-bit build is made in any case, and its DLL's export table is read
# statically: every name at its ordinal, every one a stdcall function,
# nothing else exported.
#
# Usage: tools/windows-tests.sh [NATIVE_BUILD_DIR]
#   NATIVE_BUILD_DIR  a native build of the project (its lib/libvorane2.so and
#                     lib/built_exports.txt are used); without it the library
#                     is built natively in build-win/native.
# The MinGW trees are build-win (32-bit) and build-win64 (64-bit) in the
# project, or $WINDOWS_BUILD_DIR and $WINDOWS64_BUILD_DIR.
# Exit status 0 only when every test passed.
set -u
project=$(cd "$(dirname "$0")/.." && pwd)
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

# shellcheck source=tools/wine-env.sh
. "$project/tools/wine-env.sh"
trap wine_env_cleanup EXIT
trap 'exit 130' INT TERM

run_arches=$(wine_env_windows_arches)

build_dir_of() { # build_dir_of ARCH
    local dir
    if [ "$1" = i686 ]; then dir=${WINDOWS_BUILD_DIR:-$project/build-win}; else
        dir=${WINDOWS64_BUILD_DIR:-$project/build-win64}
    fi
    mkdir -p "$dir"
    (cd "$dir" && pwd)
}

# ---- Builds -------------------------------------------------------------

for arch in i686 x86_64; do
    winbuild=$(build_dir_of "$arch")
    if ! "$project/tools/windows-build.sh" --arch "$arch" "$winbuild" \
        >"$winbuild/windows-build.log" 2>&1; then
        tail -n 40 "$winbuild/windows-build.log"
        record "MinGW build $arch" FAIL "see $winbuild/windows-build.log"
        summary
        exit 1
    fi
    record "MinGW build $arch" PASS
done

if [ -z "$native" ]; then
    native=$(build_dir_of i686)/native
    if ! { cmake -S "$project" -B "$native" -G Ninja -DVORANE2_TESTS=OFF >/dev/null &&
        ninja -C "$native" vorane2 >/dev/null; }; then
        record "native library build" FAIL
        summary
        exit 1
    fi
fi
native=$(cd "$native" && pwd)

probe_native=$(build_dir_of i686)/abi_probe_native
if ! ${CXX:-g++} -std=c++20 -O2 -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Werror \
    -ffp-contract=off -I"$project/lib" "$project/tests/windows/abi_probe.cpp" -ldl \
    -o "$probe_native"; then
    record "native probe build" FAIL
    summary
    exit 1
fi

# ---- 0. The 32-bit export table, read from the file ---------------------

# objdump lists each name beside its index from the ordinal base; nm shows
# the stdcall decoration (_ad2jd@48) that the .def's plain name resolves to.
static_exports_test() {
    local winbuild dll expected actual
    winbuild=$(build_dir_of i686)
    dll=$winbuild/lib/vorane2.dll
    expected=$(sort -t: -k1,1n "$winbuild/lib/built_exports.txt" | grep .)
    actual=$(i686-w64-mingw32-objdump -p "$dll" | awk '
        /Ordinal Base/ { base = $NF }
        /^\[Ordinal\/Name Pointer\] Table/ { names = 1; next }
        names && /^\t\[/ { gsub(/[\[\]]/, " "); print $1 + base ":" $2; next }
        names { names = 0 }' | sort -t: -k1,1n)
    if [ "$expected" != "$actual" ]; then
        echo "vorane2.dll (32-bit) exports, '<' expected, '>' found:"
        diff <(echo "$expected") <(echo "$actual") | head -n 20
        record "32-bit export table" FAIL "names or ordinals differ"
        return
    fi
    local slots
    slots=$(i686-w64-mingw32-objdump -p "$dll" | awk '/^\tExport Address Table/ { print $NF; exit }')
    slots=$((16#${slots:-0}))
    if [ "$slots" != "$(echo "$expected" | grep -c .)" ]; then
        record "32-bit export table" FAIL "$slots ordinals for $(echo "$expected" | grep -c .) names"
        return
    fi
    local symbols name missing=""
    symbols=$(i686-w64-mingw32-nm "$dll")
    for name in $(echo "$expected" | cut -d: -f2); do
        grep -Eq " T _${name}@[0-9]+\$" <<<"$symbols" || missing="$missing $name"
    done
    if [ -n "$missing" ]; then
        record "32-bit export table" FAIL "not stdcall:$missing"
        return
    fi
    record "32-bit export table" PASS "$(echo "$expected" | grep -c .) names at their ordinals, all stdcall"
}
static_exports_test

# ---- Wine ---------------------------------------------------------------

if ! wine_env_start_xvfb; then
    record "virtual screen" FAIL
    summary
    exit 1
fi

# ---- 1. Binary interface ------------------------------------------------

abi_test() { # abi_test ARCH WINBUILD WORK RUN_DIR
    local arch=$1 winbuild=$2 work=$3 run_dir=$4
    if ! cmp -s "$native/lib/built_exports.txt" "$winbuild/lib/built_exports.txt"; then
        echo "The native and the MinGW build list different exports:"
        diff "$native/lib/built_exports.txt" "$winbuild/lib/built_exports.txt"
        record "binary interface $arch" FAIL "export lists differ; rebuild both"
        return
    fi
    local count
    count=$(grep -c . "$winbuild/lib/built_exports.txt")
    if ! "$probe_native" "$native/lib/libvorane2.so" "$native/lib/built_exports.txt" \
        >"$work/abi-native.txt" 2>"$work/abi-native.err"; then
        cat "$work/abi-native.err"
        record "binary interface $arch" FAIL "native probe"
        return
    fi
    if ! (cd "$run_dir" && wine_env_run 120 ./abi_probe.exe vorane2.dll built_exports.txt \
        >"$work/abi-windows.txt" 2>"$work/abi-windows.err"); then
        cat "$work/abi-windows.err"
        record "binary interface $arch" FAIL "Windows probe (exports, ordinals or a crash)"
        return
    fi
    local lines
    lines=$(wc -l <"$work/abi-native.txt")
    if ! cmp -s "$work/abi-native.txt" "$work/abi-windows.txt"; then
        echo "vorane2.dll ($arch) and libvorane2.so give different results ('<' native, '>' DLL):"
        diff "$work/abi-native.txt" "$work/abi-windows.txt" | head -n 40
        local differing
        differing=$(diff "$work/abi-native.txt" "$work/abi-windows.txt" | grep -c '^<')
        record "binary interface $arch" FAIL "$differing of $lines calls differ; see $work/abi-*.txt"
        return
    fi
    record "binary interface $arch" PASS "$count exports, $lines calls identical"
}

# ---- 2. The program -----------------------------------------------------

program_test() { # program_test ARCH WINBUILD WORK RUN_DIR
    local arch=$1 winbuild=$2 work=$3 run_dir=$4
    local missing=""
    for exe in tenvo.exe tenvo_driver.exe tenvo_random_actions.exe window_logic_test.exe; do
        [ -f "$run_dir/$exe" ] || missing="$missing $exe"
    done
    if [ -n "$missing" ]; then
        record "program $arch" FAIL "not built:$missing"
        return
    fi

    if (cd "$run_dir" && wine_env_run 60 ./window_logic_test.exe 2>&1 | tr -d '\r' \
        >"$work/window-logic.log"; exit "${PIPESTATUS[0]}"); then
        record "window rules and settings $arch" PASS "$(tail -n 1 "$work/window-logic.log")"
    else
        grep FAIL "$work/window-logic.log"
        record "window rules and settings $arch" FAIL "see $work/window-logic.log"
    fi

    local shots=$winbuild/screenshots
    rm -rf "$shots"
    mkdir -p "$shots"
    if (cd "$run_dir" && wine_env_run 170 ./tenvo_driver.exe tenvo.exe "Z:$shots" \
        partial-library 2>&1 | tr -d '\r' | tee "$work/driver.log" | grep '^FAIL'
        exit "${PIPESTATUS[0]}"); then
        record "program (driver) $arch" PASS "$(tail -n 1 "$work/driver.log")"
    else
        record "program (driver) $arch" FAIL "$(tail -n 1 "$work/driver.log"); see $work/driver.log"
    fi
    if [ "$arch" = "$walk_arch" ]; then
        random_walk_test "$arch" "$work" "$run_dir"
    fi
    # The screenshots as PNG files.
    if command -v convert >/dev/null 2>&1; then
        for bmp in "$shots"/*.bmp; do
            [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
        done
    fi
}

# ---- 3. The random walk ---------------------------------------------------

walk_arch=${run_arches%% *}
walk_seed=${TENVO_RANDOM_SEED:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}

random_walk_test() { # random_walk_test ARCH WORK RUN_DIR
    local arch=$1 work=$2 run_dir=$3
    echo "random walk $arch: 1000 actions, seed $walk_seed"
    if (cd "$run_dir" && wine_env_run 900 ./tenvo_random_actions.exe tenvo.exe 1000 "$walk_seed" \
        2>&1 | tr -d '\r' >"$work/random-walk.log"; exit "${PIPESTATUS[0]}"); then
        record "random walk $arch" PASS "$(tail -n 1 "$work/random-walk.log")"
    else
        grep -A 40 '^FAIL' "$work/random-walk.log"
        record "random walk $arch" FAIL "seed $walk_seed; replay: tools/random-actions.sh 1000 $walk_seed"
    fi
}

# ---- Each Windows build this machine can run ----------------------------

for arch in $run_arches; do
    winbuild=$(build_dir_of "$arch")
    if [ "$arch" = i686 ]; then WINE_ENV_ARCH=win32; else WINE_ENV_ARCH=win64; fi
    if ! wine_env_prefix "$winbuild/wineprefix" fresh; then
        record "Wine prefix $arch" FAIL
        continue
    fi
    record "Wine prefix $arch" PASS "$WINEPREFIX"

    # Programs run from one folder beside the DLL they load; the incomplete
    # library of the tests lies in a folder of its own below it.
    work=$winbuild/windows-tests
    rm -rf "$work"
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

    abi_test "$arch" "$winbuild" "$work" "$run_dir"
    if [ -f "$project/app/win/CMakeLists.txt" ]; then
        program_test "$arch" "$winbuild" "$work" "$run_dir"
    fi
    # The next build runs in a prefix of its own: end this one's processes.
    wine_env_timeout 30 wineserver -k >/dev/null 2>&1
done

summary
exit "$failed"
