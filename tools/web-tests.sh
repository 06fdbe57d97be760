#!/bin/sh
# The web page's tests: builds the WebAssembly module and the page
# (build-web/), walks every month 1870-2100 in every mode and option through
# the module in Node against the native sheets, then drives the page in
# headless Chromium against the native program: the month, the day cells
# against the native lore, the year view, the printed pages (PDF read back
# with poppler's pdfinfo, pdftotext and pdftoppm), the start with no network.
# Screenshots, PDFs and their pictures are kept in build-web/screenshots/.
#   tools/web-tests.sh [NATIVE_BUILD_DIR]   (default: build; configured and
#                                            built here when missing)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
native=${1:-$root/build}
jobs=$(nproc 2>/dev/null || echo 2)

if [ ! -f "$native/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$native" -j "$jobs" --target web_sheet_walk tenvo-term >/dev/null

start=$(date +%s)
"$root/tools/web-build.sh" "$root/build-web"
echo "module and page built in $(($(date +%s) - start)) s"

"$native/tests/web/web_sheet_walk" hashes >"$root/build-web/native-hashes.txt"
"$native/tests/web/web_sheet_walk" lore >"$root/build-web/native-lore.txt"
node "$root/tests/web/module_walk.mjs" "$root/build-web/module/vorane2.js" \
    "$root/build-web/native-hashes.txt" "$root/build-web/native-lore.txt"

node "$root/tests/web/browser_test.mjs" "$root/build-web/site" \
    "$native/tests/web/web_sheet_walk" "$native/app/tenvo-term" "$root/build-web/screenshots"
node "$root/tests/web/views_test.mjs" "$root/build-web/site" \
    "$native/tests/web/web_sheet_walk" "$native/app/tenvo-term" "$root/build-web/screenshots"
echo "web tests passed in $(($(date +%s) - start)) s"
