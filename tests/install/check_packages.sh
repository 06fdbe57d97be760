#!/bin/sh
# The packages as a user gets them: tools/package.sh makes them, the Debian
# packages are unpacked into a temporary root (nothing on this machine
# changes), and from there tenvo-term runs, the C++ consumer builds through
# the CMake package and pkg-config, and the Python module imports; the
# Windows zips hold what they should.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$root/tools/package.sh" "$work/out" >"$work/package.log" 2>&1 || { cat "$work/package.log"; exit 1; }
sysroot="$work/root"
for deb in "$work"/out/deb/*.deb; do dpkg-deb -x "$deb" "$sysroot"; done
ls "$work"/out/deb/libvorane2-1_*.deb "$work"/out/deb/libvorane2-dev_*.deb \
    "$work"/out/deb/tenvo-term_*.deb >/dev/null
libdir="$sysroot/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
export LD_LIBRARY_PATH="$libdir"

# tenvo-term from the root, on the root's library, with its manual page.
test "$(ldd "$sysroot/usr/bin/tenvo-term" | sed -n 's/.*libvorane2.so.1 => \([^ ]*\).*/\1/p')" = \
    "$libdir/libvorane2.so.1" || { echo "tenvo-term does not load the unpacked library"; exit 1; }
"$sysroot/usr/bin/tenvo-term" --sheet 2019 5 | head -n 1 | grep -q '５月' ||
    { echo "tenvo-term --sheet 2019 5 from the root"; exit 1; }
zcat "$sysroot/usr/share/man/man1/tenvo-term.1.gz" | grep -q '^\.TH TENVO-TERM 1' ||
    { echo "no manual page"; exit 1; }

# The development headers stand alone, free of warnings at the strictest
# settings: C99 and C++20 alike.
printf '#include <vorane2.h>\nint main(void) { return 0; }\n' >"$work/header.c"
cc -std=c99 -Wall -Wextra -Wpedantic -Werror -I"$sysroot/usr/include" -c "$work/header.c" -o /dev/null
printf '#include <vorane2.hpp>\nint main() { return 0; }\n' >"$work/header.cpp"
c++ -std=c++20 -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Werror \
    -I"$sysroot/usr/include" -c "$work/header.cpp" -o /dev/null

# The C++ consumer against the root, both ways.
cmake -S "$root/tests/install/cxx_consumer" -B "$work/cxx" -G Ninja \
    -DCMAKE_PREFIX_PATH="$sysroot/usr" -DCMAKE_FIND_USE_CMAKE_SYSTEM_PATH=OFF >/dev/null
cmake --build "$work/cxx" >/dev/null
PKG_CONFIG_PATH="$libdir/pkgconfig" PKG_CONFIG_LIBDIR="$libdir/pkgconfig" \
    pkg-config --cflags --libs vorane2-cxx >"$work/flags"
c++ -std=c++20 "$root/tests/install/cxx_consumer/main.cpp" $(cat "$work/flags") -o "$work/day_page"
for date in 1870-02-01 1985-02-20 2033-12-22 2100-12-30; do
    a=$("$work/cxx/day_page" "$date")
    b=$("$work/day_page" "$date")
    # The Python module from the root gives the same line.
    c=$(PYTHONPATH="$sysroot/usr/lib/python3/dist-packages" /usr/bin/python3 -c '
import datetime, sys, vorane2
assert vorane2.__file__.startswith(sys.argv[2]), vorane2.__file__
d = datetime.date.fromisoformat(sys.argv[1])
l = vorane2.lunisolar(d, "terms")
six = vorane2.rokuyo(d, "terms")
leap = " leap" if l.leap else ""
print(f"{l.year}/{l.month}/{l.day}{leap} {six} {vorane2.kanshi(d).day}")
' "$date" "$sysroot")
    if [ "$a" != "$b" ] || [ "$a" != "$c" ]; then
        echo "$date: CMake consumer '$a', pkg-config consumer '$b', Python '$c'"
        exit 1
    fi
done

# Each zip holds one folder with the program, the library and its files.
for zip in "$work"/out/zip/*.zip; do
    name=$(basename "$zip" .zip)
    listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort | tr '\n' ' ')
    expected=""
    for f in README.en.txt README.ja.txt tenvo.exe vorane2.def vorane2.dll vorane2.h; do
        expected="$expected$name/$f "
    done
    test "$listed" = "$expected" || { echo "$zip holds: $listed"; exit 1; }
    unzip -p "$zip" "$name/README.ja.txt" | iconv -f CP932 -t UTF-8 | grep -q '卓上カレンダー' ||
        { echo "$zip: the Japanese read-me is not Shift-JIS"; exit 1; }
    unzip -p "$zip" "$name/vorane2.def" | grep -q '^ *adto9rek @5$' || { echo "$zip: .def"; exit 1; }
done
test "$(ls "$work"/out/zip/*.zip | wc -l)" -eq 2 || { echo "expected two zips"; exit 1; }
file "$work"/out/zip/*.zip >/dev/null
echo "packages built, unpacked and used: $(ls "$work"/out/deb | tr '\n' ' ')$(ls "$work"/out/zip | tr '\n' ' ')"
