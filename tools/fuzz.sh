#!/bin/sh
# Fuzzes every export of the library, the month sheet's composition, the C++
# interface, tenvo-term's command line (options, parsing and the views they
# choose) and the era-date reader with libFuzzer, under AddressSanitizer and
# UndefinedBehaviorSanitizer.
#
#   tools/fuzz.sh            brief: the committed seeds, then a few seconds each
#   tools/fuzz.sh SECONDS    long: SECONDS per target, on a growing corpus
#   FUZZ_RUNS=N tools/fuzz.sh SECONDS TARGET
#                            one target, stopping after N executions or
#                            SECONDS, whichever comes first
#
# Prints the executions of each target; fails on any crash, hang or report.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-10}
targets=${2:-fuzz_exports fuzz_month_sheet fuzz_command_line fuzz_cpp_interface fuzz_wareki}
build="$root/build-fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORANE2_TESTS=OFF -DVORANE2_FUZZ=ON >/dev/null
# shellcheck disable=SC2086 # the targets are words
cmake --build "$build" --target $targets

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for target in $targets; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus" "$build/artifacts"
    seeds="$root/tests/fuzz/corpus/$target"
    log="$build/$target.log"
    dict=""
    [ -f "$root/tests/fuzz/$target.dict" ] && dict="-dict=$root/tests/fuzz/$target.dict"
    started=$(date +%s)
    # shellcheck disable=SC2086 # an empty $dict is no argument
    if "$build/tests/fuzz/$target" "$corpus" "$seeds" $dict -max_total_time="$seconds" \
        -runs="${FUZZ_RUNS:--1}" \
        -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" >"$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
        echo "$target: ${runs:-?} executions in $(($(date +%s) - started)) s, no finding"
    else
        echo "$target: FAILED, see $log"
        tail -n 40 "$log"
        status=1
    fi
done
exit $status
