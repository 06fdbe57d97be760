#!/bin/bash
# Configures and builds the Windows deliverables (vorane2.dll, tenvo.exe and
# the Windows test programs) with a MinGW-w64 toolchain and Ninja.
#   tools/windows-build.sh [--arch i686|x86_64] [BUILD_DIR]
# i686 (the default) is the shipped 32-bit build, in build-win; x86_64 is the
# 64-bit build for machines that cannot run 32-bit programs, in build-win64.
# Extra CMake options may be given in $WINDOWS_CMAKE_OPTIONS, and the targets
# to build in $WINDOWS_BUILD_TARGETS (default: all, the test programs too).
# Prints where vorane2.dll (and tenvo.exe, once it exists) lie.
set -eu
project=$(cd "$(dirname "$0")/.." && pwd)
arch=i686
if [ "${1:-}" = "--arch" ]; then
    arch=$2
    shift 2
fi
case "$arch" in
i686) default_build=$project/build-win ;;
x86_64) default_build=$project/build-win64 ;;
*)
    echo "windows-build: unknown architecture '$arch' (i686 or x86_64)" >&2
    exit 2
    ;;
esac
build=${1:-$default_build}

for tool in cmake ninja "$arch-w64-mingw32-g++" "$arch-w64-mingw32-windres"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "windows-build: $tool is missing (run tools/install-deps.sh)" >&2
        exit 1
    fi
done

# Configured once; again only when the caller brings options of its own.
if [ ! -f "$build/CMakeCache.txt" ] || [ -n "${WINDOWS_CMAKE_OPTIONS:-}" ]; then
    # shellcheck disable=SC2086 # the options are words
    cmake -S "$project" -B "$build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$project/cmake/mingw-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo ${WINDOWS_CMAKE_OPTIONS:-} >/dev/null
fi
# shellcheck disable=SC2086 # the targets are words
ninja -C "$build" ${WINDOWS_BUILD_TARGETS:-} >&2

build=$(cd "$build" && pwd)
echo "vorane2.dll: $build/lib/vorane2.dll"
if [ -f "$build/app/win/tenvo.exe" ]; then
    echo "tenvo.exe:   $build/app/win/tenvo.exe"
fi
