#!/bin/bash
# The environment in which the Windows program and its tests run under Wine:
# a virtual screen (Xvfb) when needed, a Wine prefix owned by the project,
# code page 932 (Japanese locale), the Mincho/Gothic font substitutions of
# tools/wine/japanese-fonts.reg and Wine's Marlett font in the prefix's Fonts
# folder (the caption buttons' symbols).
#
# The prefix is 32-bit (WINEARCH=win32) or, with WINE_ENV_ARCH=win64, 64-bit,
# run by Wine's 64-bit loader alone: some kernels cannot execute 32-bit
# programs at all, and there only the 64-bit build can run.
#
# Sourced, it only defines functions:
#   . tools/wine-env.sh
#   wine_env_windows_arches              # which builds can run here, and why
#   wine_env_start_xvfb                  # virtual screen; exports DISPLAY
#   wine_env_prefix DIR [fresh]          # exports WINEPREFIX etc., prepares DIR
#   wine_env_run SECONDS PROGRAM ARGS... # wine PROGRAM under a time limit
#   wine_env_cleanup                     # ends the prefix's processes and Xvfb
#
# Called, it runs one command in a fresh prefix on a virtual screen and
# cleans up afterwards:
#   tools/wine-env.sh [--prefix DIR] COMMAND ARGS...
#
# A tarball of an initialised prefix is kept under $WINE_ENV_CACHE (default
# build-win/wine-cache in the project); restoring it takes about two seconds
# instead of the fifteen that `wineboot -i` needs.

WINE_ENV_PROJECT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
: "${WINE_ENV_ARCH:=win32}"
: "${WINE_ENV_CACHE:=$WINE_ENV_PROJECT/build-win/wine-cache}"
WINE_ENV_XVFB_PID=""
WINE_ENV_TMP=""

wine_env_log() { echo "wine-env: $*" >&2; }

# Wine calls never hang a script: each gets a time limit and is killed
# five seconds after it.
wine_env_timeout() {
    local seconds=$1
    shift
    timeout --kill-after=5 "$seconds" "$@"
}

# The Wine loader of the prefix's architecture. Debian's `wine` picks the
# 32-bit loader whenever it is installed, even where the kernel refuses it,
# so a 64-bit prefix names the 64-bit loader itself.
wine_env_loader() {
    if [ "$WINE_ENV_ARCH" = win64 ]; then
        if [ -x /usr/lib/wine/wine64 ]; then
            echo /usr/lib/wine/wine64
        else
            echo wine64
        fi
    else
        echo wine
    fi
}

# Wine's 32-bit loader, Debian's /usr/lib/wine/wine (WINE_ENV_LOADER32
# names another). The `wine` wrapper is no witness: without the 32-bit
# loader it falls back to the 64-bit one and answers all the same.
: "${WINE_ENV_LOADER32:=/usr/lib/wine/wine}"

# Prints the Windows builds to run here (i686, x86_64 or both) on stdout and
# one line saying why on stderr. Whether 32-bit programs run is found by
# running the 32-bit loader itself: package lists and kernel names do not
# tell. Where they run, both builds run, so that the 64-bit path never rots;
# TENVO_WINDOWS_64_ONLY=1 forces the 64-bit path alone, as on a machine that
# cannot run 32-bit programs.
wine_env_windows_arches() {
    if [ "${TENVO_WINDOWS_64_ONLY:-0}" = 1 ]; then
        wine_env_log "Windows runs: 64-bit only (TENVO_WINDOWS_64_ONLY=1)"
        echo x86_64
    elif [ ! -x "$WINE_ENV_LOADER32" ]; then
        wine_env_log "Windows runs: 64-bit only (Wine's 32-bit loader is not installed)"
        echo x86_64
    elif "$WINE_ENV_LOADER32" --version >/dev/null 2>&1; then
        wine_env_log "Windows runs: 32-bit and 64-bit (this machine runs Wine's 32-bit loader)"
        echo "i686 x86_64"
    else
        wine_env_log "Windows runs: 64-bit only (this kernel cannot execute Wine's 32-bit loader)"
        echo x86_64
    fi
}

wine_env_check_tools() {
    local missing=""
    # Xvfb only where the screen is a virtual one of ours.
    for tool in "$(wine_env_loader)" wineserver ${WINE_ENV_XVFB_PID:+Xvfb} iconv timeout tar; do
        command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
    done
    if [ -n "$missing" ]; then
        wine_env_log "missing:$missing (run tools/install-deps.sh)"
        return 1
    fi
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
        wine_env_log "the ja_JP.UTF-8 locale is missing (run tools/install-deps.sh);" \
            "without it Wine uses code page 1252"
        return 1
    fi
}

# Starts Xvfb on a free display (it picks the number itself) and exports
# DISPLAY. The screen is larger than the program's window and its dialogs.
wine_env_start_xvfb() {
    [ -n "$WINE_ENV_XVFB_PID" ] && return 0
    if ! command -v Xvfb >/dev/null 2>&1; then
        wine_env_log "missing: Xvfb (run tools/install-deps.sh windows-tests)"
        return 1
    fi
    WINE_ENV_TMP=$(mktemp -d "${TMPDIR:-/tmp}/wine-env.XXXXXX")
    local numberfile="$WINE_ENV_TMP/display"
    : >"$numberfile"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numberfile" \
        >"$WINE_ENV_TMP/xvfb.log" 2>&1 &
    WINE_ENV_XVFB_PID=$!
    local i
    for i in $(seq 100); do
        if [ -s "$numberfile" ] && grep -q . "$numberfile"; then
            export DISPLAY=":$(head -n1 "$numberfile" | tr -d '[:space:]')"
            return 0
        fi
        if ! kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null; then break; fi
        sleep 0.1
    done
    wine_env_log "Xvfb did not start:"
    cat "$WINE_ENV_TMP/xvfb.log" >&2
    WINE_ENV_XVFB_PID=""
    return 1
}

wine_env_export() {
    export WINEPREFIX=$1
    export WINEARCH=$WINE_ENV_ARCH
    if [ "$WINE_ENV_ARCH" = win64 ]; then
        WINELOADER=$(wine_env_loader)
        export WINELOADER
    fi
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG=ja_JP.UTF-8
    export LC_ALL=ja_JP.UTF-8
}

wine_env_cache_file() {
    local version reg_sum
    version=$("$(wine_env_loader)" --version 2>/dev/null | tr -c 'A-Za-z0-9.\n' '_')
    reg_sum=$(cksum <"$WINE_ENV_PROJECT/tools/wine/japanese-fonts.reg" | cut -d' ' -f1)
    echo "$WINE_ENV_CACHE/prefix-${WINE_ENV_ARCH}-${version}-${reg_sum}.tar"
}

# Imports the font substitutions and the frame setting, converted to the
# UTF-16LE with a byte-order mark that regedit reads.
wine_env_import_settings() {
    local reg="$WINEPREFIX/drive_c/japanese-fonts.reg"
    { printf '\xff\xfe'; sed 's/$/\r/' "$WINE_ENV_PROJECT/tools/wine/japanese-fonts.reg" |
        iconv -f UTF-8 -t UTF-16LE; } >"$reg"
    wine_env_timeout 60 "$(wine_env_loader)" regedit /S 'C:\japanese-fonts.reg' || return 1
    wine_env_timeout 60 wineserver -w || return 1
    rm -f "$reg"
    if ! grep -q 'IPAMincho' "$WINEPREFIX/system.reg"; then
        wine_env_log "the font substitutions did not reach the registry"
        return 1
    fi
}

# The caption buttons (minimise, maximise, close) are the letters "0", "1"
# and "r" of the Marlett symbol font. Debian's Wine 8 looks for its own fonts
# in "<data dir>\../fonts", a path it never resolves, so none of them loads
# and the font mapper draws those letters in a text face. A font in the
# prefix's Fonts folder is loaded at every start, so Marlett goes there (a
# copy, idempotent; the other Wine fonts stay out so that no face the
# program or its dialogs use changes).
wine_env_font_dirs() {
    local loader_dir
    loader_dir=$(dirname "$(command -v "$(wine_env_loader)" 2>/dev/null || echo /usr/bin/wine)")
    echo /usr/share/wine/fonts /usr/local/share/wine/fonts "$loader_dir/../share/wine/fonts" \
        "$loader_dir/../../share/wine/fonts" /opt/wine*/share/wine/fonts
}

wine_env_install_symbol_font() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" dir
    [ -f "$fonts/marlett.ttf" ] && return 0
    for dir in $(wine_env_font_dirs); do
        if [ -f "$dir/marlett.ttf" ]; then
            mkdir -p "$fonts"
            cp "$dir/marlett.ttf" "$fonts/marlett.ttf"
            return 0
        fi
    done
    wine_env_log "Wine's marlett.ttf was not found (package fonts-wine):" \
        "the caption buttons will show letters"
    return 0
}

wine_env_init_prefix() {
    wine_env_log "initialising a Wine prefix in $WINEPREFIX (about 15 s)"
    mkdir -p "$WINEPREFIX"
    wine_env_timeout 180 "$(wine_env_loader)" wineboot -i >/dev/null 2>&1 || {
        wine_env_log "wineboot -i failed"
        return 1
    }
    wine_env_timeout 120 wineserver -w || return 1
    wine_env_import_settings || return 1
    wine_env_install_symbol_font
    touch "$WINEPREFIX/.tenvo-ready"
}

# Prepares the prefix DIR and exports the variables that select it. With
# "fresh", DIR is emptied first (tests start from a known state); otherwise
# an existing ready prefix is used as it is. A new prefix is restored from
# the cache when one exists, else initialised and then cached.
wine_env_prefix() {
    local dir=$1 mode=${2:-}
    wine_env_check_tools || return 1
    if [ -z "${DISPLAY:-}" ]; then
        wine_env_log "no DISPLAY: a prefix made without a screen never shows a window"
        return 1
    fi
    mkdir -p "$(dirname "$dir")"
    dir=$(cd "$(dirname "$dir")" && pwd)/$(basename "$dir")
    wine_env_export "$dir"
    if [ "$mode" = fresh ]; then
        wine_env_timeout 30 wineserver -k 2>/dev/null
        rm -rf "$dir"
    elif [ -f "$dir/.tenvo-ready" ]; then
        # A prefix made before the symbol font was installed gets it now.
        wine_env_install_symbol_font
        return 0
    fi
    local cache
    cache=$(wine_env_cache_file)
    if [ -f "$cache" ]; then
        rm -rf "$dir"
        mkdir -p "$dir"
        if tar -xf "$cache" -C "$dir"; then
            wine_env_install_symbol_font
            return 0
        fi
        wine_env_log "the cached prefix $cache is unreadable; making a new one"
        rm -rf "$dir" "$cache"
    fi
    rm -rf "$dir"
    wine_env_init_prefix || return 1
    mkdir -p "$WINE_ENV_CACHE"
    tar -cf "$cache.tmp" -C "$dir" . && mv "$cache.tmp" "$cache"
}

# wine_env_run SECONDS PROGRAM ARGS...: runs a Windows program in the prefix.
wine_env_run() {
    local seconds=$1
    shift
    wine_env_timeout "$seconds" "$(wine_env_loader)" "$@"
}

# Ends whatever still runs in the prefix, then the virtual screen we started.
wine_env_cleanup() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        wine_env_timeout 30 wineserver -k >/dev/null 2>&1
    fi
    if [ -n "$WINE_ENV_XVFB_PID" ]; then
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null
        wait "$WINE_ENV_XVFB_PID" 2>/dev/null
        WINE_ENV_XVFB_PID=""
    fi
    if [ -n "$WINE_ENV_TMP" ]; then
        rm -rf "$WINE_ENV_TMP"
        WINE_ENV_TMP=""
    fi
}

# Called rather than sourced: run one command in a fresh prefix.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -u
    prefix="$WINE_ENV_PROJECT/build-win/wineprefix"
    if [ "${1:-}" = "--prefix" ]; then
        prefix=$2
        shift 2
    fi
    if [ $# -eq 0 ] || [ "$1" = "--help" ]; then
        echo "usage: tools/wine-env.sh [--prefix DIR] COMMAND ARGS..." >&2
        echo "  runs COMMAND with a fresh Japanese Wine prefix on a virtual screen" >&2
        echo "  (32-bit; WINE_ENV_ARCH=win64 for a 64-bit one)" >&2
        exit 2
    fi
    trap wine_env_cleanup EXIT
    trap 'exit 130' INT TERM
    wine_env_start_xvfb || exit 1
    wine_env_prefix "$prefix" fresh || exit 1
    "$@"
    exit $?
fi
