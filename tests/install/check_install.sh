#!/bin/sh
# Installs the library into a temporary prefix and builds a small C consumer
# against it twice: through the CMake package and through pkg-config. Both
# consumers must run and print the same line. The C++ interface's consumer
# is built both ways too.
set -eu
build_dir=$1
source_dir=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
libdir=$(find "$work/prefix" -name 'libvorane2.so.1' -printf '%h\n' | head -n 1)
test -n "$libdir" || { echo "libvorane2.so.1 not installed"; exit 1; }
test -L "$libdir/libvorane2.so" || { echo "no development symlink"; exit 1; }
test -f "$work/prefix/include/vorane2.h" || { echo "header not installed"; exit 1; }

cmake -S "$source_dir/consumer" -B "$work/with-cmake" -G Ninja \
    -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/with-cmake" >/dev/null
out_cmake=$(LD_LIBRARY_PATH="$libdir" "$work/with-cmake/consumer")

export PKG_CONFIG_PATH="$libdir/pkgconfig"
flags=$(pkg-config --cflags --libs vorane2)
cc "$source_dir/consumer/main.c" $flags -o "$work/with-pkg-config"
out_pc=$(LD_LIBRARY_PATH="$libdir" "$work/with-pkg-config")

test "$out_cmake" = "1.0 2451544.0" || { echo "CMake consumer printed: $out_cmake"; exit 1; }
test "$out_pc" = "$out_cmake" || { echo "pkg-config consumer printed: $out_pc"; exit 1; }
test -f "$work/prefix/include/vorane2.hpp" || { echo "vorane2.hpp not installed"; exit 1; }
cmake -S "$source_dir/cxx_consumer" -B "$work/cxx-with-cmake" -G Ninja \
    -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cxx-with-cmake" >/dev/null
cxx_cmake=$(LD_LIBRARY_PATH="$libdir" "$work/cxx-with-cmake/day_page" 2033-12-22)
c++ -std=c++20 "$source_dir/cxx_consumer/main.cpp" $(pkg-config --cflags --libs vorane2-cxx) \
    -o "$work/cxx-with-pkg-config"
cxx_pc=$(LD_LIBRARY_PATH="$libdir" "$work/cxx-with-pkg-config" 2033-12-22)
# 2033-12-22 begins the leap month 10 of the months numbered by their terms.
case "$cxx_cmake" in "2033/10/1 leap "*) ;; *) echo "C++ consumer printed: $cxx_cmake"; exit 1 ;; esac
test "$cxx_pc" = "$cxx_cmake" ||
    { echo "C++ consumers printed: '$cxx_cmake' and '$cxx_pc'"; exit 1; }
readelf -d "$libdir/libvorane2.so.1.0" | grep -q 'SONAME.*libvorane2.so.1' || { echo "soname"; exit 1; }
# The terminal view runs from the prefix, finding the installed library by
# its relative run path, and its manual page is there.
"$work/prefix/bin/tenvo-term" --version | grep -q '1\.0' || { echo "tenvo-term"; exit 1; }
grep -q '^\.TH TENVO-TERM 1' "$work/prefix/share/man/man1/tenvo-term.1" ||
    { echo "no manual page"; exit 1; }
echo "installed and consumed both ways: $out_cmake"
