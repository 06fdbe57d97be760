#!/bin/sh
# Installs what building, running and testing the calendar need on Debian 12.
# Idempotent: packages already present are not fetched again. Runs as root
# directly, or through sudo when available.
set -eu

packages="g++ cmake ninja-build pkg-config libgtest-dev libbenchmark-dev clang clang-format libclang-rt-14-dev
  mingw-w64 wine wine32:i386 wine64 xvfb imagemagick fonts-ipafont-mincho fonts-ipafont-gothic fonts-wine
  locales valgrind libical-dev emscripten chromium
  python3-dev python3-pybind11 python3-pytest python3-hypothesis lintian dpkg-dev file zip unzip"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    echo "Installing:$missing"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
fi

# Code page 932 under Wine needs a generated Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    as_root localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
