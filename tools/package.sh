#!/bin/sh
# Makes the project's packages:
#   OUT/deb/   Debian packages (CPack): libvorane2-1, libvorane2-dev,
#              tenvo-term and python3-vorane2 (where Python's headers and
#              pybind11 are there); lintian must report no error
#   OUT/zip/   tenvo-VERSION-win32.zip and tenvo-VERSION-win64.zip: tenvo.exe,
#              vorane2.dll, vorane2.h, vorane2.def, README.en.txt, README.ja.txt
#
#   tools/package.sh [OUT]      (OUT defaults to out/)
#
# The Debian packages come from a native build of their own (build-package:
# Release, installed under /usr, no run path); the zips from the Windows
# builds build-win and build-win64, made or brought up to date first.
# TENVO_PACKAGE_NO_ZIP=1 leaves the zips out.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/out}" && cd "${1:-$root/out}" && pwd)
build="$root/build-package"

launcher=""
if command -v ccache >/dev/null 2>&1; then
    launcher="-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
fi
# shellcheck disable=SC2086 # the launcher options are words
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_SKIP_INSTALL_RPATH=ON -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON -DVORANE2_TESTS=OFF \
    -DVORANE2_DEB=ON $launcher ${VORANE2_PACKAGE_CMAKE_OPTIONS:-} >/dev/null
targets="vorane2 vorane2_cxx tenvo-term"
if ninja -C "$build" -t targets all 2>/dev/null | grep -q '^_vorane2:'; then
    targets="$targets _vorane2"
else
    echo "package: no Python headers or pybind11 here, so no python3-vorane2" >&2
fi
# shellcheck disable=SC2086
cmake --build "$build" --target $targets

rm -rf "$out/deb" "$build/cpack"
mkdir -p "$out/deb"
cpack --config "$build/CPackConfig.cmake" -B "$build/cpack" >"$build/cpack.log" 2>&1 ||
    { cat "$build/cpack.log"; exit 1; }
cp "$build"/cpack/*.deb "$out/deb/"
# lintian's findings are shown (less its note on running as root); an error
# fails the packaging.
if ! lintian --fail-on error "$out"/deb/*.deb >"$build/lintian.log" 2>&1; then
    grep -v 'root privileges' "$build/lintian.log" >&2
    echo "package: lintian reports an error" >&2
    exit 1
fi
grep -v 'root privileges' "$build/lintian.log" || true
for deb in "$out"/deb/*.deb; do echo "package: $deb"; done

[ "${TENVO_PACKAGE_NO_ZIP:-0}" = 1 ] && exit 0

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
rm -rf "$out/zip"
mkdir -p "$out/zip"
for spec in i686:win32:build-win x86_64:win64:build-win64; do
    arch=${spec%%:*}
    rest=${spec#*:}
    name=${rest%%:*}
    win="$root/${rest#*:}"
    # Brought up to date (nothing to do when the test command has just built it).
    "$root/tools/windows-build.sh" --arch "$arch" "$win" >/dev/null
    if [ "$arch" = i686 ]; then
        bits="32-bit" calling="stdcall"
    else
        bits="64-bit" calling="the x64 calling convention"
    fi
    stage="$build/zip/tenvo-$version-$name"
    rm -rf "$stage"
    mkdir -p "$stage"
    cp "$win/app/win/tenvo.exe" "$win/lib/vorane2.dll" "$win/lib/vorane2.def" "$root/lib/vorane2.h" "$stage/"
    # The builds keep their debugging information; the zip does not need it.
    "$arch-w64-mingw32-strip" --strip-debug "$stage/tenvo.exe" "$stage/vorane2.dll"
    # Read-mes with Windows line ends; the Japanese one in the program's
    # own code page.
    for lang in en ja; do
        sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$bits/" -e "s/@CALLING@/$calling/" \
            -e 's/$/\r/' "$root/bindings/windows/README.$lang.txt" >"$stage/README.$lang.txt"
    done
    iconv -f UTF-8 -t CP932 "$stage/README.ja.txt" >"$stage/README.ja.sjis"
    mv "$stage/README.ja.sjis" "$stage/README.ja.txt"
    rm -f "$out/zip/tenvo-$version-$name.zip"
    (cd "$build/zip" && zip -q -X -r "$out/zip/tenvo-$version-$name.zip" "tenvo-$version-$name")
    echo "package: $out/zip/tenvo-$version-$name.zip"
done
