#!/usr/bin/env bash
# check_programs.sh ZIP VERSION -- the three programs of zelvonia-windows-x86.zip or -x86_64.zip as
# Windows expects them: each import on Windows XP (xp-exports/), 32-bit or 64-bit, as their
# subsystem version 5.1 or 5.2 claims; stripped, with no debug sections; our icon and a version
# resource for Zelvonia VERSION
set -uo pipefail
ZIP=$(realpath "${1:?usage: $0 ZIP VERSION}") VERSION=${2:?usage: $0 ZIP VERSION}
HERE=$(cd "$(dirname "$0")" && pwd)
WORK=$(mktemp -d) && trap 'rm -rf "$WORK"' EXIT
(cd "$WORK" && cmake -E tar xf "$ZIP") || exit 1
PACKAGE=$(basename "$ZIP" .zip)
# 32-bit XP is NT 5.1. 64-bit XP is NT 5.2, with the unwinding calls of 64-bit kernel32 besides,
# and the functions that the lists hold from NT 5.2 on.
if [ "$PACKAGE" = zelvonia-windows-x86 ]; then
    system=5.1 more= missing=$(cat "$HERE/xp-exports/not-on-32-bit-xp.txt")
else
    system=5.2 more=.x86_64 missing=
fi
status=0
fail() { echo "FAIL: $program.exe: $*" && status=1; }

# "dll name" per imported function, the DLL in lower case.
imports() {
    awk '/DLL Name:/ {dll = tolower($3)} /^$/ {dll = ""}
         dll && NF == 3 && $1 ~ /^[0-9a-f]+$/ {print dll, $3}' <<<"$1"
}

icons=$(od -An -tu2 -j4 -N2 "$HERE/../../app/win32/zelvonia.ico" | tr -d ' ')
for program in zelvonia zelvonia-render zelvonia-bench; do
    exe=$WORK/$PACKAGE/$program.exe
    header=$(x86_64-w64-mingw32-objdump -p "$exe") || { fail "not in the zip" && continue; }
    [ "$(imports "$header" | wc -l)" -gt 20 ] || fail "no imports read"
    while read -r dll name; do
        # A DLL with no list fails too: windowscodecs.dll, say, which XP gained with SP3 only.
        [ -f "$HERE/xp-exports/$dll.txt" ] || { fail "no list of $dll's exports" && continue; }
        grep -qxsF "$name" "$HERE/xp-exports/$dll.txt" "$HERE/xp-exports/$dll$more.txt" &&
            ! grep -qxF "$dll $name" <<<"$missing" || fail "$dll $name is not on Windows XP $system"
    done < <(imports "$header")
    for field in Subsystem OSystem; do
        version=$(awk -v f="${field}Version" '$1 == "Major" f {a = $2} $1 == "Minor" f {b = $2}
                                             END {print a "." b}' <<<"$header")
        [ "$version" = "$system" ] || fail "$field version $version, not $system"
    done
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
[ "$status" -eq 0 ] && echo "ok: $PACKAGE: imports on Windows XP, versions $system, stripped, resources"
exit "$status"
