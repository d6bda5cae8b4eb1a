#!/usr/bin/env bash
# test_windows.sh LINUX_BUILD ZIP -- zelvonia-windows-x86.zip or -x86_64.zip under Wine: the
# render tool's bytes are Linux's, also under names outside the code page, and without a PNG
# encoder it says so; the viewer draws Linux's pictures, zooms, sees a button let go of outside
# its window, ends with Esc and 0, and shows the display-mode failure and a missing font's
# messages with their accented letters.
source "$(dirname "$0")/../../scripts/viewer_driver.sh"
run_under_xvfb 1024x768x24 500 "$0" "$@"
driver_setup "$1"
ZIP=$(realpath "${2:?usage: $0 LINUX_BUILD ZIP}") || fail "no $2"
PACKAGE=$WORK/$(basename "$ZIP" .zip) ANSWER_PAUSE=3 # Wine's boxes can be slow to take a key
# The 32-bit zip in a 32-bit Windows, as on XP; it also starts each program three times faster.
[ "$(basename "$PACKAGE")" = zelvonia-windows-x86 ] && export WINEARCH=win32
export WINEPREFIX=$WORK/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'end_viewer; wineserver -k 2>/dev/null; rm -rf "$WORK"' EXIT
wineboot -i >/dev/null 2>&1 || fail "wineboot failed"
(cd "$WORK" && cmake -E tar xf "$ZIP") || fail "cannot unpack $ZIP"
cd "$PACKAGE" || fail "no $PACKAGE"

# The 32-bit programs compute in the x87 registers, whose wider exponent and significand must
# not show: they also draw the views where doubles run out (a deep zoom and subnormal steps, one
# tile each as the set fills them; and in both kinds squares that overflow, tiles at infinity,
# NaN iterates from inf - inf), and all but the x87 methods 1 and 4 as on a processor without
# SSE2.
views=("" "--view -1.4968 0x1p-16 0 0x1p-16" "--kind julia --seed -0.8 0.156")
processors=("")
if [ "$(basename "$PACKAGE")" = zelvonia-windows-x86 ]; then
    for view in "-0.743643887037151 1e-12 0.13182590420533 1e-12" "-1.5 0x1p-1070 0 0x1p-1070" \
        "0 0x1p-1060 0 0x1p-1060"; do
        views+=("--size 256x256 --view $view")
    done
    for view in "-1e308 1.7e308 -1e308 1.7e308" "1e308 1.7e308 0 1" "1e308 1.7e308 1e308 1.7e308"; do
        views+=("--view $view" "--kind julia --seed -0.8 0.156 --view $view")
    done
    processors+=("--without sse2")
fi
# compare_views FIRST: every other view from FIRST, each method on Linux and under Wine; prints
# each picture that differs or fails. Two run at once, on files of their own.
compare_views() {
    local i method processor linux=$WORK/linux-$1.ppm windows=$WORK/windows-$1.ppm
    for ((i = $1; i < ${#views[@]}; i += 2)); do
        for method in 0 "0 --vector" 1 2 3 "3 --vector" 4 5; do # --vector: on Windows threads
            "$RENDER" ${views[i]} --method $method "$linux" >/dev/null 2>&1 ||
                echo "${views[i]} --method $method: the Linux tool failed"
            for processor in "${processors[@]}"; do
                [[ $method = [14] && -n $processor ]] && continue
                wine zelvonia-render.exe ${views[i]} --method $method $processor "$windows" \
                    >/dev/null 2>&1 && cmp -s "$linux" "$windows" ||
                    echo "${views[i]} --method $method $processor"
            done
        done
    done
}
compare_views 0 >"$WORK/differing-0" &
compare_views 1 >"$WORK/differing-1"
wait $! && cat "$WORK"/differing-? >"$WORK/differing"
render "$WORK/linux.ppm" --method 5
wine zelvonia-render.exe --method 5 "$WORK/windows.png" >/dev/null 2>&1 &&
    [ "$(compare -metric AE "$WORK/windows.png" "$WORK/linux.ppm" null: 2>&1)" = 0 ] ||
    fail "no PNG of the initial view"
say "ok: the PNG, and the pictures byte for byte but $(wc -l <"$WORK/differing") (listed at the end)"

# Names outside the system's code page, as a Windows user types them, reach the files whole: an
# accented name, a palette in an accented folder, a CJK folder; a folder as the palette is named
# for what it is, and a full standard output is a failure, both in Linux's words.
unicode() { LC_ALL=C.UTF-8 wine "$PACKAGE/zelvonia-render.exe" "$@"; }
mkdir "$WORK/čast" "$WORK/日本" && cp palety/Fire.pal "$WORK/čast/paleta ľ.pal"
render "$WORK/grey.ppm" --method 1
render "$WORK/fire.ppm" --method 4 --palette "$WORK/čast/paleta ľ.pal"
(cd "$WORK/čast" && unicode --method 1 "obrázok č.ppm" >/dev/null 2>&1) &&
    cmp -s "$WORK/čast/obrázok č.ppm" "$WORK/grey.ppm" || fail "no picture named obrázok č.ppm"
unicode --method 4 --palette "$WORK/čast/paleta ľ.pal" "$WORK/日本/x.png" >/dev/null 2>&1 &&
    [ "$(compare -metric AE "$WORK/日本/x.png" "$WORK/fire.ppm" null: 2>&1)" = 0 ] ||
    fail "no PNG in 日本 coloured by paleta ľ.pal"
unicode --palette "$WORK/čast" "$WORK/y.ppm" 2>&1 | grep -qF "not a palette file: $WORK/čast" ||
    fail "a folder as the palette is not named as one"
LC_ALL=C.UTF-8 wine zelvonia-bench.exe --views 1 --methods 0 2>&1 >/dev/full |
    grep -qF "cannot write standard output: No space left on device" ||
    fail "the bench does not report a full standard output"
say "ok: names outside the code page, a folder as the palette, a full standard output"

# Windows before XP Service Pack 3 has no PNG encoder: the tool says so and writes nothing, and
# still writes PPM.
no_encoder() { WINEDLLOVERRIDES="mscoree,mshtml,windowscodecs=" wine zelvonia-render.exe "$@"; }
! no_encoder --method 1 "$WORK/none.png" 2>"$WORK/stderr" >/dev/null &&
    grep -qF "this Windows has no working PNG encoder" "$WORK/stderr" && [ ! -e "$WORK/none.png" ] ||
    fail "a PNG without the Windows Imaging Component: $(cat "$WORK/stderr")"
no_encoder --method 1 "$WORK/grey-again.ppm" >/dev/null 2>&1 &&
    cmp -s "$WORK/grey-again.ppm" "$WORK/grey.ppm" || fail "no PPM without the Windows Imaging Component"
say "ok: without a PNG encoder, its message and no file, and still PPM"

# Wine traces each box's text, in UTF-16 with escapes for what is not ASCII, into one log.
start_viewer() {
    (cd "${1:-$PACKAGE}" && WINEDEBUG=-all,trace+msgbox exec wine "$PACKAGE/zelvonia.exe") \
        >>"$WORK/viewer.log" 2>&1 &
    VIEWER_PID=$!
}

start_viewer
answer_box "$QUESTION" n # No
wait_for_viewer_window
point_off_picture
render "$WORK/initial.ppm" --method 1
expect_picture "$WORK/initial.ppm" "No gives a window with the initial view once the help has gone"
click 1 100 200 && point_off_picture
render "$WORK/zoomed.ppm" --method 1 --view $(view_after_left_click 100 200 -1.25 2 -1 2)
expect_picture "$WORK/zoomed.ppm" "a left click zooms in about the pointer"
point_at 100 200 # the window holds the pointer while a button is down, so this release is seen
xdotool mousedown 3 sleep 0.3 mousemove 1020 760 sleep 0.3 mouseup 3
point_off_picture && press r
expect_picture "$WORK/initial.ppm" "R after the right button went up outside the window"
press Escape
expect_exit 0 "Esc ends the viewer"

start_viewer
answer_box "$QUESTION" Return # Yes
answer_box "Chyba pri inicializacii grafickeho rezimu" Return
answer_box Chyba n # No: do not go on in a window
answer_box ERROR Return
expect_exit 1 "Yes without an 800x600 mode ends after the display-mode failure dialogue"

mkdir "$WORK/run" && cp -r "$PACKAGE/palety" "$WORK/run/" # no data/font.bmp
start_viewer "$WORK/run"
answer_box "$QUESTION" n
answer_box data/font.bmp Return
answer_box ERROR Return
expect_exit 1 "a missing data/font.bmp ends the viewer after its two messages"
for text in "The graphics mode is not supported." "Program se uzavrie." \
    'Chyba na\010d\00edtania obr\00e1zka.' 'Chyba pri inicializ\00e1cii.'; do
    grep -qF "MSGBOX_OnInit L\"$text\"" "$WORK/viewer.log" || fail "no box with the text $text"
done
# Every differing picture, once the rest has run.
[ -s "$WORK/differing" ] && fail "pictures differ or failed:$(sed 's/^/\n    /' "$WORK/differing")"
say "ok: the pictures of ${#views[@]} views by 8 methods as Linux's"
