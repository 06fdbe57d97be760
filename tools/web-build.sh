#!/bin/sh
# Builds the calendar's web page into build-web/site/: the library and the
# platform-free month sheet compiled to WebAssembly with Debian's emscripten,
# with the page's HTML, stylesheet and script beside it, its manifest, icon
# and service worker. Incremental (ninja);
# the same sources give the same bytes.
#   tools/web-build.sh [BUILD_DIR]     (default: build-web in the checkout)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-web}
mkdir -p "$out/obj" "$out/site"
out=$(cd "$out" && pwd)

# The link step's optimiser runs Node scripts that need Debian's acorn.
export NODE_PATH=/usr/share/nodejs

exports="web_first_year web_last_year web_mode_count web_month web_month_era web_day
  web_month_days web_year_days web_year_title web_input web_read_date
  web_year_calendar web_places web_read_place"
exported=$(printf '_%s,' $exports)

# The sources of the module: every library family, the month sheet, the
# iCalendar stream and the page's functions.
sources=$(cd "$root" && ls lib/*.cpp)
# The native Shift-JIS conversion (text_encoding.cpp) is replaced by the
# host's decoder (web/shift_jis_web.cpp).
sources="$sources $(cd "$root" && ls app/*.cpp | grep -v '^app/text_encoding\.cpp$')
  app/term/icalendar.cpp $(cd "$root" && ls web/*.cpp)"

# Compilations go through ccache where it is installed (the test command
# rebuilds the module after every merge).
launcher=$(command -v ccache || true)

# Sources are compiled for size; the link is at -O2 all the same, which
# takes the C library's fast memcpy rather than its byte loop (a day's lore
# three times faster for 1 KB more).
{
    echo "root = $root"
    echo "cxxflags = -std=c++20 -Oz -DNDEBUG -ffp-contract=off -Wall -Wextra -Wpedantic" \
        "-Wshadow -Wconversion -Werror -ffile-prefix-map=$root/=" \
        "-I$root/lib -I$root/app -I$root/app/term"
    echo "ldflags = -O2 --no-entry -sMODULARIZE=1 -sEXPORT_NAME=createCalendarModule" \
        "-sENVIRONMENT=web,node -sFILESYSTEM=0 -sEXPORTED_FUNCTIONS=${exported%,}" \
        "-sEXPORTED_RUNTIME_METHODS=UTF8ToString,stringToUTF8,lengthBytesUTF8"
    echo "rule cxx"
    echo "  command = $launcher em++ \$cxxflags -MD -MF \$out.d -c \$in -o \$out"
    echo "  depfile = \$out.d"
    echo "  deps = gcc"
    echo "rule link"
    echo "  command = em++ \$ldflags \$in -o \$out"
    echo "rule cat"
    echo "  command = cat \$in > \$out"
    echo "rule copy"
    echo "  command = cp \$in \$out"
    # The worker's cache is named by the hash of every file it keeps.
    echo "rule worker"
    echo "  command = sed \"s/@FILES_HASH@/\$\$(cat \$files | sha256sum | cut -c1-16)/\" \$in > \$out"
    objects=""
    for s in $sources; do
        o="obj/$(echo "$s" | tr / _ | sed 's/\.cpp$/.o/')"
        echo "build $o: cxx \$root/$s"
        objects="$objects $o"
    done
    echo "build module/vorane2.js | module/vorane2.wasm: link $objects"
    echo "build site/vorane2.wasm: copy module/vorane2.wasm"
    echo "build site/calendar.js: cat module/vorane2.js \$root/web/calendar.js"
    echo "build site/index.html: copy \$root/web/index.html"
    for f in calendar.css manifest.webmanifest icon.svg; do
        echo "build site/$f: copy \$root/web/$f"
    done
    kept="site/index.html site/calendar.js site/calendar.css site/vorane2.wasm"
    kept="$kept site/manifest.webmanifest site/icon.svg"
    echo "build site/sw.js: worker \$root/web/sw.js | $kept"
    echo "  files = $kept"
} > "$out/build.ninja.new"
# Rewritten only when it changes, so that ninja keeps what it built.
if ! cmp -s "$out/build.ninja.new" "$out/build.ninja" 2>/dev/null; then
    mv "$out/build.ninja.new" "$out/build.ninja"
else
    rm "$out/build.ninja.new"
fi
ninja -C "$out" -j "${WEB_BUILD_JOBS:-2}" >"$out/build.log" 2>&1 || { cat "$out/build.log" >&2; exit 1; }
