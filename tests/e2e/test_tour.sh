#!/usr/bin/env bash
# test_tour.sh -- the tour that run.sh takes without a display saves its six screenshots, each a
# different picture of the 800x600 window.
set -u
BUILD=$1
OUT=$(mktemp -d "${TMPDIR:-/tmp}/zelvonia-tour.XXXXXX")
trap 'rm -rf "$OUT"' EXIT

bash "$(dirname "$0")/tour.sh" "$BUILD" "$OUT" >"$OUT/tour.log" 2>&1 || {
    cat "$OUT/tour.log"
    echo "test_tour.sh: FAIL: the tour failed"
    exit 1
}
mapfile -t shots < <(grep '\.png$' "$OUT/tour.log")
[ "${#shots[@]}" -eq 6 ] || {
    cat "$OUT/tour.log"
    echo "test_tour.sh: FAIL: ${#shots[@]} screenshots listed, expected 6"
    exit 1
}
previous=
for shot in "${shots[@]}"; do
    size=$(identify -format '%wx%h' "$shot" 2>/dev/null)
    [ "$size" = 800x600 ] || {
        echo "test_tour.sh: FAIL: $shot is '$size', expected an 800x600 picture"
        exit 1
    }
    if [ -n "$previous" ] && [ "$(compare -metric AE "$previous" "$shot" null: 2>&1)" = 0 ]; then
        echo "test_tour.sh: FAIL: $shot shows the same as $previous"
        exit 1
    fi
    previous=$shot
done
echo "test_tour.sh: ok: six different screenshots"
