# wine_env.sh -- a fresh Wine prefix for one test script, removed when the script ends; sourced by
# the scripts under tests/windows, which take the Linux build folder and build-windows/ as
# arguments.
REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
LINUX_BUILD=$(cd "${1:?usage: $0 LINUX_BUILD WINDOWS_BUILD}" && pwd)
WINDOWS_BUILD=$(cd "${2:?usage: $0 LINUX_BUILD WINDOWS_BUILD}" && pwd)

say() { echo "$(basename "$0"): $*"; }
fail() {
    say "FAIL: $*" >&2
    exit 1
}

command -v wine >/dev/null || fail "wine is missing (scripts/setup installs it)"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/zelvonia-wine.XXXXXX")
export WINEPREFIX=$WORK/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null; rm -rf "$WORK"' EXIT
wineboot -i >/dev/null 2>&1 || fail "wineboot failed"
