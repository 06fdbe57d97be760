#!/bin/bash
# Runs the Windows program tenvo.exe beside vorane2.dll under Wine on this
# display, building them first when needed: the 32-bit build, or the 64-bit
# one where this machine cannot run 32-bit programs (or TENVO_WINDOWS_64_ONLY=1).
# The Wine prefix persists between runs (so does the settings file MIVARO.INI
# inside it): it is made on first use, with code page 932 and the Mincho font
# substitution, in $TENVO_WINEPREFIX (default ~/.local/share/tenvo-wine, and
# ~/.local/share/tenvo-wine64 for the 64-bit build).
#
# Usage: tools/run-windows.sh [NATIVE_BUILD_DIR] [TERMINAL_VIEW_ARGS...]
# With no display it says so and prints the terminal view of this month
# instead (tenvo-term of the native build, given the remaining arguments).
set -u
project=$(cd "$(dirname "$0")/.." && pwd)
native=$project/build
if [ $# -gt 0 ] && [ -d "$1" ]; then
    native=$1
    shift
fi

terminal_view() {
    local term=""
    for candidate in "$native/app/tenvo-term" "$native/app/term/tenvo-term" \
        "$project/build/app/tenvo-term"; do
        if [ -x "$candidate" ]; then
            term=$candidate
            break
        fi
    done
    if [ -z "$term" ]; then
        echo "run-windows: the terminal view tenvo-term is not built either (tools/run.sh builds it)" >&2
        exit 1
    fi
    exec "$term" "$@"
}

if [ -z "${DISPLAY:-}" ]; then
    echo "run-windows: no display (DISPLAY is not set), so the window cannot open." >&2
    echo "run-windows: here is the terminal view of the month instead." >&2
    terminal_view "$@"
fi

# shellcheck source=tools/wine-env.sh
. "$project/tools/wine-env.sh"
# The decision's one line (why 32-bit or 64-bit) goes to the user as it is.
case "$(wine_env_windows_arches)" in
i686*)
    arch=i686 winbuild=$project/build-win WINE_ENV_ARCH=win32
    default_prefix=$HOME/.local/share/tenvo-wine
    ;;
*)
    echo "run-windows: opening the 64-bit build of the calendar" >&2
    arch=x86_64 winbuild=$project/build-win64 WINE_ENV_ARCH=win64
    default_prefix=$HOME/.local/share/tenvo-wine64
    ;;
esac
mkdir -p "$winbuild"
# Only the program and its library: the test programs are the test command's.
if ! WINDOWS_BUILD_TARGETS="tenvo vorane2" "$project/tools/windows-build.sh" --arch "$arch" "$winbuild" \
    >"$winbuild/windows-build.log" 2>&1; then
    tail -n 30 "$winbuild/windows-build.log" >&2
    echo "run-windows: the Windows build failed (log: $winbuild/windows-build.log)" >&2
    exit 1
fi

run_dir=$winbuild/run
mkdir -p "$run_dir"
cp "$winbuild/app/win/tenvo.exe" "$winbuild/lib/vorane2.dll" "$run_dir/"

if ! wine_env_prefix "${TENVO_WINEPREFIX:-$default_prefix}"; then
    echo "run-windows: the Wine prefix could not be prepared" >&2
    exit 1
fi
# If the run is interrupted, end what runs in the prefix too.
trap 'wine_env_timeout 30 wineserver -k; exit 130' INT TERM

cd "$run_dir" || exit 1
# A generous limit: the calendar is meant to stay open on the desk.
wine_env_run "${TENVO_RUN_SECONDS:-86400}" ./tenvo.exe
status=$?
wine_env_timeout 30 wineserver -w
exit "$status"
