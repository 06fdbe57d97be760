#!/bin/bash
# tools/install-deps.sh and the Windows runs' 32-bit decision, driven with no
# network: stand-ins for apt-get, dpkg-query and dpkg come first on PATH and
# keep their "installed" packages in a folder of the test's own.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

mkdir -p "$work/bin"
# apt-get: `update` fails while $STATE/update-fails exists; `install` is all
# or nothing, refusing when any package is listed in $STATE/refused.
cat >"$work/bin/apt-get" <<'EOF'
#!/bin/sh
echo "$*" >>"$STATE/apt.log"
case " $* " in
*" update "*)
    if [ -f "$STATE/update-fails" ]; then
        echo "E: Failed to fetch http://deb.example/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size" >&2
        exit 100
    fi
    exit 0 ;;
*" install "*)
    packages=""
    skip=no
    for a in "$@"; do
        if [ "$skip" = yes ]; then skip=no; continue; fi
        case "$a" in -o) skip=yes ;; -*|install) ;; *) packages="$packages $a" ;; esac
    done
    for p in $packages; do
        if grep -qx "$p" "$STATE/refused" 2>/dev/null; then
            echo "E: Package '$p' has no installation candidate" >&2
            exit 100
        fi
    done
    for p in $packages; do echo "$p" >>"$STATE/installed"; done ;;
esac
EOF
cat >"$work/bin/dpkg-query" <<'EOF'
#!/bin/sh
for p; do :; done
grep -qx "$p" "$STATE/installed" 2>/dev/null || exit 1
printf 'install ok installed'
EOF
cat >"$work/bin/dpkg" <<'EOF'
#!/bin/sh
case "$1" in
--print-foreign-architectures) cat "$STATE/arches" 2>/dev/null ;;
--add-architecture) echo "$2" >>"$STATE/arches" ;;
esac
EOF
# Whoever runs the test, the script sees root, and the locale is there.
printf '#!/bin/sh\necho 0\n' >"$work/bin/id"
printf '#!/bin/sh\necho ja_JP.utf8\n' >"$work/bin/locale"
chmod +x "$work/bin/"*

all_packages=$("$root/tools/install-deps.sh" --list | sort -u)
[ "$(echo "$all_packages" | grep -c .)" -gt 20 ] || fail "--list gives too few packages"

# run_case NAME [SETUP...]: a fresh state; SETUP is evaluated in it. Leaves
# the exit status in $status and the output in $work/NAME.out (both streams).
run_case() {
    local name=$1
    shift
    export STATE=$work/$name
    mkdir -p "$STATE"
    : >"$STATE/apt.log"
    : >"$STATE/installed"
    for setup; do eval "$setup"; done
    PATH=$work/bin:$PATH TENVO_APT_RETRY_SECONDS=0 TENVO_APT_STAMP=$STATE/stamp \
        "$root/tools/install-deps.sh" >"$work/$name.out" 2>&1
    status=$?
}

# Every list but one fetched: three tries, one line, and everything installed.
run_case bad-list 'touch "$STATE/update-fails"; echo i386 >"$STATE/arches"'
[ "$status" -eq 0 ] || fail "bad list: exit status $status"
[ "$(grep -c '^update' "$STATE/apt.log")" -eq 3 ] || fail "bad list: not three tries of update"
[ "$(grep -c 'apt-get update failed 3 times' "$work/bad-list.out")" -eq 1 ] ||
    fail "bad list: no one line saying so"
grep -q 'binary-i386/Packages.xz' "$work/bad-list.out" || fail "bad list: the list is not named"
for p in $all_packages; do grep -qx "$p" "$STATE/installed" || fail "bad list: $p not installed"; done

# wine32:i386 refused: one line, status 0, every other group installed.
run_case no-wine32 'echo "wine32:i386" >"$STATE/refused"'
[ "$status" -eq 0 ] || fail "wine32 refused: exit status $status"
[ "$(grep -c 'wine32:i386 could not be installed; the Windows runs take the 64-bit path' \
    "$work/no-wine32.out")" -eq 1 ] || fail "wine32 refused: no one line saying so"
grep -qx i386 "$STATE/arches" || fail "wine32 refused: the i386 architecture was not added"
for p in emscripten chromium mingw-w64 wine64 lintian clang g++; do
    grep -qx "$p" "$STATE/installed" || fail "wine32 refused: $p not installed with it"
done
grep -q . "$work/no-wine32.out" && [ "$(grep -c 'E: ' "$work/no-wine32.out")" -eq 0 ] ||
    fail "wine32 refused: apt's own errors shown beside the one line"

# A required package refused: a non-zero exit naming it and the command again.
run_case no-emscripten 'echo emscripten >"$STATE/refused"'
[ "$status" -ne 0 ] || fail "emscripten refused: exit status 0"
grep -q 'could not install (web): emscripten' "$work/no-emscripten.out" ||
    fail "emscripten refused: the package is not named"
grep -q 'run again: tools/install-deps.sh web' "$work/no-emscripten.out" ||
    fail "emscripten refused: the command to run again is not given"
grep -qx chromium "$STATE/installed" || fail "emscripten refused: the other groups were not installed"

# Lists fetched within the hour are not fetched again: one refused package
# costs no three tries at every run.
[ -f "$work/bad-list/stamp" ] || fail "bad list: the time of the try is not kept"
run_case recent-lists 'touch "$STATE/update-fails" "$STATE/stamp"; echo i386 >"$STATE/arches"'
[ "$status" -eq 0 ] || fail "recent lists: exit status $status"
grep -q '^update' "$STATE/apt.log" && fail "recent lists: apt-get update was run"
grep -qx emscripten "$STATE/installed" || fail "recent lists: nothing installed"

# Everything there: apt is not asked at all.
run_case installed 'printf "%s\n" $all_packages >"$STATE/installed"; echo i386 >"$STATE/arches"'
[ "$status" -eq 0 ] || fail "all installed: exit status $status"
[ -s "$STATE/apt.log" ] && fail "all installed: apt-get was called: $(head -n1 "$STATE/apt.log")"

# The terminal view's group asks for the compiler, CMake and Ninja alone.
export STATE=$work/terminal
mkdir -p "$STATE" && : >"$STATE/apt.log" && : >"$STATE/installed"
PATH=$work/bin:$PATH TENVO_APT_STAMP=$STATE/stamp "$root/tools/install-deps.sh" terminal \
    >/dev/null 2>&1 ||
    fail "terminal group: non-zero exit"
[ "$(sort "$STATE/installed" | tr '\n' ' ')" = "cmake g++ ninja-build " ] ||
    fail "terminal group installed: $(tr '\n' ' ' <"$STATE/installed")"

# The 32-bit decision rests on Wine's 32-bit loader itself.
decision() { # decision LOADER: the arches on stdout, the line in $work/line
    (WINE_ENV_LOADER32=$1 TENVO_WINDOWS_64_ONLY=0
        # shellcheck source=tools/wine-env.sh
        . "$root/tools/wine-env.sh" && wine_env_windows_arches 2>"$work/line")
}
printf '#!/bin/sh\necho wine-8.0\n' >"$work/loader-runs"
printf '#!/bin/sh\necho "Exec format error" >&2\nexit 126\n' >"$work/loader-refused"
chmod +x "$work/loader-runs" "$work/loader-refused"
while IFS='|' read -r loader arches line; do
    got=$(decision "$work/$loader")
    [ "$got" = "$arches" ] || fail "loader $loader: runs '$got', not '$arches'"
    grep -qF "Windows runs: $line" "$work/line" || fail "loader $loader: said '$(cat "$work/line")'"
done <<'EOF'
absent|x86_64|64-bit only (Wine's 32-bit loader is not installed)
loader-refused|x86_64|64-bit only (this kernel cannot execute Wine's 32-bit loader)
loader-runs|i686 x86_64|32-bit and 64-bit (this machine runs Wine's 32-bit loader)
EOF
got=$(WINE_ENV_LOADER32=$work/loader-runs TENVO_WINDOWS_64_ONLY=1 bash -c \
    ". '$root/tools/wine-env.sh' && wine_env_windows_arches" 2>/dev/null)
[ "$got" = x86_64 ] || fail "TENVO_WINDOWS_64_ONLY=1: runs '$got'"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "install-deps and the 32-bit decision: all cases passed"
