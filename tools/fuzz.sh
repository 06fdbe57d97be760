#!/bin/sh
# Fuzzes every export of the library and the month sheet's composition with
# libFuzzer, under AddressSanitizer and UndefinedBehaviorSanitizer.
#
#   tools/fuzz.sh            brief: the committed seeds, then a few seconds each
#   tools/fuzz.sh SECONDS    long: SECONDS per target, on a growing corpus
#
# Prints the executions of each target; fails on any crash, hang or report.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-10}
build="$root/build-fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVORANE2_TESTS=OFF -DVORANE2_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_exports fuzz_month_sheet

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for target in fuzz_exports fuzz_month_sheet fuzz_cpp_interface; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus" "$build/artifacts"
    seeds="$root/tests/fuzz/corpus/$target"
    log="$build/$target.log"
    if "$build/tests/fuzz/$target" "$corpus" "$seeds" -max_total_time="$seconds" \
        -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" >"$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
        echo "$target: ${runs:-?} executions in ${seconds} s, no finding"
    else
        echo "$target: FAILED, see $log"
        tail -n 40 "$log"
        status=1
    fi
done
exit $status
