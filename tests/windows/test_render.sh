#!/usr/bin/env bash
# test_render.sh -- zelvonia-render.exe under Wine writes the same bytes as the Linux
# zelvonia-render for both kinds and every method, and a PNG of the same pixels.
source "$(dirname "$0")/../e2e/viewer_driver.sh"
source "$(dirname "$0")/wine_env.sh"
driver_setup "$1"
start_wine "$2"
cd "$PACKAGE" || fail "no $PACKAGE"

JULIA="--kind julia --seed -0.8 0.156"
cases=(
    "" "--method 1 --view -0.75 0.0625 0.1 0.1" "--method 2" "--method 3 --view -1.4968 0x1p-16 0 0x1p-16"
    "--method 4" "--method 5 --palette palety/Fire.pal"
    "$JULIA --view -1.5 3 -1.2 2.4" "$JULIA --method 1" "$JULIA --method 2 --view -0.2 0.4 0 0.3"
    "$JULIA --method 3" "--kind julia --seed 0.285 0.01 --method 4" "$JULIA --method 5"
)
for arguments in "${cases[@]}"; do
    # shellcheck disable=SC2086 # the arguments are words
    render "$WORK/linux.ppm" $arguments
    # shellcheck disable=SC2086
    wine zelvonia-render.exe $arguments "$WORK/windows.ppm" >/dev/null 2>&1 ||
        fail "zelvonia-render.exe $arguments failed"
    cmp -s "$WORK/linux.ppm" "$WORK/windows.ppm" || fail "pictures differ: $arguments"
    rm "$WORK/windows.ppm"
done
say "ok: ${#cases[@]} pictures byte for byte"

wine zelvonia-render.exe --method 5 "$WORK/windows.png" >/dev/null 2>&1 ||
    fail "zelvonia-render.exe could not write a PNG"
render "$WORK/linux.png" --method 5
[ "$(compare -metric AE "$WORK/windows.png" "$WORK/linux.png" null: 2>&1)" = 0 ] ||
    fail "the PNG's pixels differ"
say "ok: PNG"
