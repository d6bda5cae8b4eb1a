#!/usr/bin/env bash
# test_i386.sh LINUX_BUILD I386_BUILD CPU -- the 32-bit render tool under qemu-i386 -cpu CPU draws
# the 64-bit tool's pictures byte for byte, with its iteration counts: every method and kind, on
# the initial view and on views whose coordinates or iterates leave the normal numbers; methods 2
# and 5 on the processor's own 3DNow!, never on the layer. qemu's 3DNow! is IEEE arithmetic, as
# the layer is, so the views of infinities and NaN agree too (a real unit saturates instead).
set -euo pipefail
usage="usage: $0 LINUX_BUILD I386_BUILD CPU"
HOST=${1:?$usage}/zelvonia-render
I386=${2:?$usage}/zelvonia-render
CPU=${3:?$usage}
WORK=$(mktemp -d "${TMPDIR:-/tmp}/zelvonia-i386.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
cd "$(dirname "$0")/../.." # the tools read palety/Default.pal from here

# One tile of each view where the emulator is slow (the x87, 3DNow! on NaN to the last
# iteration), two side by side where a tile's origin overflows, four where it is quick.
views=(
    "--size 256x256"                                  # the initial view
    "--view 1.5 0x1p-1070 0 0x1p-1070"                # a subnormal extent; the step underflows
    "--size 512x256 --view 1e308 1.7e308 1e308 1e308" # coordinates overflow, and tile 1's origin
    "--size 256x256 --view -1 1e300 -1 1e300"         # a step beyond single precision: infinite
    "--size 256x256 --view 1e200 1 1e200 1"           # squares overflow: inf - inf makes NaN
)
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for view in "${views[@]}"; do
    for kind in "" "--kind julia --seed -0.8 0.156"; do
        for method in 0 "0 --vector" 1 2 3 "3 --vector" 4 5; do
            options="$kind $view --method $method"
            "$HOST" $options "$WORK/host.ppm" >"$WORK/host.out" 2>/dev/null
            status=0
            qemu-i386 -cpu "$CPU" "$I386" $options "$WORK/i386.ppm" >"$WORK/i386.out" \
                2>"$WORK/i386.err" || status=$?
            if [ $status -ne 0 ]; then
                fail "$options: exit $status: $(grep -v '^qemu-i386: warning' "$WORK/i386.err")"
                continue
            fi
            ! grep -q 'no 3DNow!' "$WORK/i386.err" || fail "$options: the layer, not 3DNow!"
            cmp -s "$WORK/host.ppm" "$WORK/i386.ppm" || fail "$options: the pictures differ"
            [ "$(head -n 1 "$WORK/host.out")" = "$(head -n 1 "$WORK/i386.out")" ] ||
                fail "$options: $(head -n 1 "$WORK/i386.out"), not $(head -n 1 "$WORK/host.out")"
        done
    done
done
[ $failures -eq 0 ] || exit 1
echo "ok: ${#views[@]} views, 2 kinds, 8 methods as the 64-bit tool draws them"
