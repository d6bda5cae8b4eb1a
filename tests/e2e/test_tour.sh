#!/usr/bin/env bash
# test_tour.sh -- the tour that run.sh takes without a display, which checks each picture of the
# viewer against zelvonia-render's, ends with Esc and exit code 0, and saves six screenshots, each
# an 800x600 picture different from the one before.
OUT=$(mktemp -d "${TMPDIR:-/tmp}/zelvonia-tour.XXXXXX")
trap 'rm -rf "$OUT"' EXIT
fail() {
    cat "$OUT/tour.log"
    echo "test_tour.sh: FAIL: $*"
    exit 1
}

bash "$(dirname "$0")/../../scripts/tour" "$1" "$OUT" >"$OUT/tour.log" 2>&1 || fail "the tour failed"
mapfile -t shots < <(grep '\.png$' "$OUT/tour.log")
[ "${#shots[@]}" -eq 6 ] || fail "${#shots[@]} screenshots listed, expected 6"
previous=
for shot in "${shots[@]}"; do
    size=$(identify -format '%wx%h' "$shot" 2>/dev/null)
    [ "$size" = 800x600 ] || fail "$shot is '$size', expected an 800x600 picture"
    [ -z "$previous" ] || [ "$(compare -metric AE "$previous" "$shot" null: 2>&1)" != 0 ] ||
        fail "$shot shows the same as $previous"
    previous=$shot
done
echo "test_tour.sh: ok: six different screenshots, each picture as computed"
