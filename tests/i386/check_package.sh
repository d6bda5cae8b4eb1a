#!/usr/bin/env bash
# check_package.sh I386_BUILD -- the newest i386 package there says i386, holds 32-bit programs
# (ELF class 1) and passes lintian without errors.
set -euo pipefail
cd "${1:?usage: $0 I386_BUILD}"
deb=$(ls -t zelvonia_*_i386.deb | head -n 1)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/zelvonia-deb.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
[ "$(dpkg-deb -f "$deb" Architecture)" = i386 ] || { echo "FAIL: $deb is not for i386"; exit 1; }
dpkg-deb -x "$deb" "$WORK"
for program in usr/lib/zelvonia/zelvonia usr/bin/zelvonia-render usr/bin/zelvonia-bench; do
    [ "$(od -An -tx1 -j4 -N1 "$WORK/$program")" = " 01" ] || { echo "FAIL: $program"; exit 1; }
done
lintian --fail-on error "$deb"
echo "ok: $deb"
