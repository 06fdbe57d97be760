#!/bin/sh
# Installs what building, running and testing the calendar need on Debian 12,
# group by group, so that a package apt cannot have costs only its group:
#
#   tools/install-deps.sh [GROUP...]      (no group: every group)
#   tools/install-deps.sh --list [GROUP...]   prints the groups' packages
#
#   terminal   the compiler, CMake and Ninja: enough for tenvo-term
#   native     the native build's tests and benchmarks (GoogleTest, Google
#              Benchmark, libical, clang-format, Python's headers, pybind11,
#              pytest, hypothesis)
#   sanitize   clang and its runtimes: the sanitizer and fuzzing builds
#   web        emscripten: the web page (serving it needs nothing more)
#   browser    Chromium and a Japanese font: the web page's tests
#   windows64  MinGW-w64, Wine with its 64-bit loader, the fonts and the
#              ja_JP.UTF-8 locale: the Windows program, 64-bit
#   windows-tests  Xvfb and ImageMagick: the Windows tests' virtual screen
#              and its screenshots
#   windows32  wine32:i386, Wine's 32-bit loader: the 32-bit Windows run.
#              Optional: when it cannot be installed this says so in one
#              line and goes on, and the Windows runs take the 64-bit path.
#   packaging  lintian, dpkg-dev, file, zip, unzip: the packages
#
# Idempotent: when every package of the groups asked for is installed,
# nothing is fetched, not even the package lists; lists fetched within the
# hour are not fetched again either (so that a package that cannot be had
# costs one try of apt-get update, not one at every run). Runs as root
# directly, or through sudo. When a package list cannot be fetched (apt-get
# update fails three times), it says so in one line and goes on with the
# lists that were.
# When a group other than windows32 cannot be installed it stops with status
# 1, naming the packages that are still missing and the command to run again.
#
# TENVO_APT_RETRY_SECONDS sets the pause between the tries of apt-get update
# (default 5); TENVO_APT_STAMP the file whose time tells when the lists were
# last fetched (default ~/.cache/tenvo/apt-lists-fetched: apt keeps the
# server's times on the lists themselves).
set -eu

group_packages() {
    case "$1" in
    terminal) echo "g++ cmake ninja-build" ;;
    native) echo "g++ cmake ninja-build pkg-config libgtest-dev libbenchmark-dev libical-dev
        clang-format python3-dev python3-pybind11 python3-pytest python3-hypothesis" ;;
    sanitize) echo "clang libclang-rt-14-dev" ;;
    web) echo "emscripten" ;;
    browser) echo "chromium fonts-ipafont-gothic poppler-utils" ;;
    windows64) echo "mingw-w64 wine wine64 fonts-ipafont-mincho fonts-ipafont-gothic fonts-wine
        locales" ;;
    windows-tests) echo "xvfb imagemagick" ;;
    windows32) echo "wine32:i386" ;;
    packaging) echo "lintian dpkg-dev file zip unzip" ;;
    *) return 1 ;;
    esac
}
all_groups="terminal native sanitize web browser windows64 windows-tests windows32 packaging"

list_only=no
if [ "${1:-}" = "--list" ]; then
    list_only=yes
    shift
fi
groups=${*:-$all_groups}
for group in $groups; do
    if ! group_packages "$group" >/dev/null; then
        echo "install-deps: unknown group '$group' (groups: $all_groups)" >&2
        exit 2
    fi
done

if [ "$list_only" = yes ]; then
    for group in $groups; do
        # shellcheck disable=SC2046 # one package a line
        printf '%s\n' $(group_packages "$group")
    done
    exit 0
fi

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

is_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

missing_of() { # missing_of GROUP: the group's packages that are not installed
    missing=""
    for p in $(group_packages "$1"); do
        is_installed "$p" || missing="$missing $p"
    done
    echo "${missing# }"
}

# The lists are fetched once, and only when something is to be installed
# and they are more than an hour old (or an architecture was just added).
lists_fetched=no
stamp=${TENVO_APT_STAMP:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/tenvo/apt-lists-fetched}
lists_recent() {
    [ -n "$(find "$stamp" -mmin -60 2>/dev/null)" ]
}
fetch_lists() {
    [ "$lists_fetched" = yes ] && return 0
    lists_fetched=yes
    [ "${1:-}" != force ] && lists_recent && return 0
    tries=0
    log=$(mktemp)
    while ! as_root apt-get update -qq >"$log" 2>&1; do
        tries=$((tries + 1))
        if [ "$tries" -ge 3 ]; then
            # The one line names the lists apt could not fetch.
            lists=$(sed -n 's/^E: Failed to fetch \([^ ]*\).*/\1/p' "$log" | tr '\n' ' ')
            echo "install-deps: apt-get update failed 3 times${lists:+ (${lists% })};" \
                "going on with the package lists that were fetched"
            break
        fi
        sleep "${TENVO_APT_RETRY_SECONDS:-5}"
    done
    rm -f "$log"
    mkdir -p "$(dirname "$stamp")" && touch "$stamp" || true
}

failed_groups=""
for group in $groups; do
    missing=$(missing_of "$group")
    [ -z "$missing" ] && continue
    if [ "$group" = windows32 ] &&
        ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
        lists_fetched=no
        fetch_lists force
    fi
    fetch_lists
    echo "install-deps: installing ($group): $missing"
    # apt's own account of an optional group's refusal would drown its one
    # line, so it is kept out of sight.
    if [ "$group" = windows32 ]; then
        # shellcheck disable=SC2086 # the packages are words
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o Dpkg::Use-Pty=0 $missing >/dev/null 2>&1 || true
    else
        # shellcheck disable=SC2086
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o Dpkg::Use-Pty=0 $missing || true
    fi
    missing=$(missing_of "$group")
    [ -z "$missing" ] && continue
    if [ "$group" = windows32 ]; then
        echo "install-deps: $missing could not be installed; the Windows runs take the 64-bit path"
    else
        echo "install-deps: could not install ($group): $missing" >&2
        failed_groups="$failed_groups $group"
    fi
done

if [ -n "$failed_groups" ]; then
    echo "install-deps: the groups${failed_groups} are incomplete; once apt can fetch them," \
        "run again: tools/install-deps.sh${failed_groups}" >&2
    exit 1
fi

# Code page 932 under Wine needs a generated Japanese locale.
case " $groups " in
*" windows64 "*)
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
        as_root localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
    fi
    ;;
esac
