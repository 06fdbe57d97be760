#!/bin/sh
# Every C and C++ source of ours is formatted as .clang-format says.
set -eu
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format not installed"; exit 1; }
git ls-files '*.c' '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
