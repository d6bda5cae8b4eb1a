#!/usr/bin/env bash
# check_programs.sh WINDOWS_BUILD VERSION -- the zip's three programs as Windows expects them: each
# import on 64-bit Windows XP (xp-exports/), as their subsystem version 5.2 claims; stripped, with
# no debug sections; our icon and a version resource for Zelvonia VERSION
set -uo pipefail
BUILD=${1:?usage: $0 WINDOWS_BUILD VERSION} VERSION=${2:?usage: $0 WINDOWS_BUILD VERSION}
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d) && trap 'rm -rf "$WORK"' EXIT
ZIP=$(realpath "$BUILD/zelvonia-windows-x86_64.zip")
(cd "$WORK" && cmake -E tar xf "$ZIP") || exit 1
status=0
fail() { echo "FAIL: $program.exe: $*" && status=1; }

# "dll name" per imported function, the DLL in lower case.
imports() {
    awk '/DLL Name:/ {dll = tolower($3)} /^$/ {dll = ""}
         dll && NF == 3 && $1 ~ /^[0-9a-f]+$/ {print dll, $3}' <<<"$1"
}

icons=$(od -An -tu2 -j4 -N2 "$HERE/../../app/win32/zelvonia.ico" | tr -d ' ')
for program in zelvonia zelvonia-render zelvonia-bench; do
    exe=$WORK/zelvonia-windows-x86_64/$program.exe
    header=$(x86_64-w64-mingw32-objdump -p "$exe") || { fail "not in the zip" && continue; }
    [ "$(imports "$header" | wc -l)" -gt 20 ] || fail "no imports read"
    while read -r dll name; do
        [ -f "$HERE/xp-exports/$dll.txt" ] || { fail "no list of $dll's exports" && continue; }
        grep -qxF "$name" "$HERE/xp-exports/$dll"*.txt || fail "$dll $name is not on Windows XP"
    done < <(imports "$header")
    version=$(awk '/MajorSubsystemVersion/ {a = $2} /MinorSubsystemVersion/ {b = $2}
                   END {print a "." b}' <<<"$header")
    [ "$version" = 5.2 ] || fail "subsystem version $version, not 5.2"
    grep -q 'symbols stripped' <<<"$header" || fail "not stripped"
    x86_64-w64-mingw32-objdump -h "$exe" | grep -q ' \.z\?debug' && fail "has debug sections"

    resources=$(x86_64-w64-mingw32-windres -i "$exe" -J coff -O rc 2>&1)
    grep -q "Has $icons elements" <<<"$resources" || fail "no icon of $icons pictures"
    for line in "FILEVERSION ${VERSION//./, }, 0" 'VALUE "FileDescription", "Zelvonia ' \
        'VALUE "ProductName", "Zelvonia"' "VALUE \"ProductVersion\", \"$VERSION\"" \
        "VALUE \"OriginalFilename\", \"$program.exe\""; do
        grep -qF "$line" <<<"$resources" || fail "no $line in its version resource"
    done
done
[ "$status" -eq 0 ] && echo "ok: imports on Windows XP x64, subsystem version 5.2, stripped, resources"
exit "$status"
