#!/bin/bash
# Replays (or extends) the random walk over the Windows program: N seeded
# random actions on tenvo.exe, checked every 100 actions and at the end, in
# a fresh Wine prefix on a virtual screen. The build is the 32-bit one where
# this machine runs 32-bit programs, else the 64-bit one
# (TENVO_WINDOWS_64_ONLY=1 forces the latter).
#
# Usage: tools/random-actions.sh N SEED
# Prints the seed, a line every 1,000 actions, the actions done by kind, and
# on a failure the failing action and those before it (the whole output is
# kept in the build's random-actions/random-walk.log). One walk at a time per
# build tree: it uses the tree's random-actions folder and wineprefix-walk.
# Exit status 0 when every check passed.
set -u
project=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -ne 2 ] || ! [[ $1 =~ ^[0-9]+$ && $2 =~ ^[0-9]+$ ]]; then
    echo "usage: tools/random-actions.sh N SEED   (N actions, a decimal seed)" >&2
    exit 2
fi
actions=$1 seed=$2

# shellcheck source=tools/wine-env.sh
. "$project/tools/wine-env.sh"
trap wine_env_cleanup EXIT
trap 'exit 130' INT TERM

case "$(wine_env_windows_arches)" in
i686*) arch=i686 winbuild=${WINDOWS_BUILD_DIR:-$project/build-win} WINE_ENV_ARCH=win32 ;;
*) arch=x86_64 winbuild=${WINDOWS64_BUILD_DIR:-$project/build-win64} WINE_ENV_ARCH=win64 ;;
esac
mkdir -p "$winbuild"
if ! "$project/tools/windows-build.sh" --arch "$arch" "$winbuild" >"$winbuild/windows-build.log" 2>&1; then
    tail -n 30 "$winbuild/windows-build.log" >&2
    echo "random-actions: the Windows build failed (log: $winbuild/windows-build.log)" >&2
    exit 1
fi

wine_env_start_xvfb || exit 1
wine_env_prefix "$winbuild/wineprefix-walk" fresh || exit 1
run_dir=$winbuild/random-actions
rm -rf "$run_dir"
mkdir -p "$run_dir"
cp "$winbuild/app/win/tenvo.exe" "$winbuild/lib/vorane2.dll" \
    "$winbuild/tests/windows/tenvo_random_actions.exe" "$run_dir/"
cd "$run_dir" || exit 1
# About a tenth of a second per action, with room to spare.
limit=$((120 + actions))
wine_env_run "$limit" ./tenvo_random_actions.exe tenvo.exe "$actions" "$seed" 2>&1 |
    sed -u 's/\r$//' | tee "$run_dir/random-walk.log" | grep --line-buffered -v '^ok '
status=${PIPESTATUS[0]}
if [ "$status" = 124 ] || [ "$status" = 137 ]; then
    echo "random-actions: FAILED, the walk (seed $seed) took longer than $limit s"
fi
exit "$status"
