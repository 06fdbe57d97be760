#!/bin/bash
# Configures and builds the Windows deliverables (vorane2.dll, tenvo.exe and
# the Windows test programs) with the 32-bit MinGW-w64 toolchain and Ninja.
#   tools/windows-build.sh [BUILD_DIR]      (default: build-win in the project)
# Prints where vorane2.dll (and tenvo.exe, once it exists) lie.
set -eu
project=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$project/build-win}

for tool in cmake ninja i686-w64-mingw32-g++ i686-w64-mingw32-windres; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "windows-build: $tool is missing (run tools/install-deps.sh)" >&2
        exit 1
    fi
done

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$project" -B "$build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$project/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
ninja -C "$build" >&2

build=$(cd "$build" && pwd)
echo "vorane2.dll: $build/lib/vorane2.dll"
if [ -f "$build/app/win/tenvo.exe" ]; then
    echo "tenvo.exe:   $build/app/win/tenvo.exe"
fi
