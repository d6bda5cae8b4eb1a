#!/usr/bin/env bash
# test_viewer_window.sh -- the viewer's windows without a window manager. On a display without an
# 800x600 mode, Yes is answered with "not supported" and the question whether to go on in a
# window; Yes gives the window, which draws no frames while minimised and ends with exit code 0
# when closed; No ends with "Program se uzavrie." and exit code 1. Without data/font.bmp the
# loader's message is followed by "Chyba pri inicializacii." once the window is gone, and exit
# code 1.
source "$(dirname "$0")/viewer_driver.sh"
run_under_xvfb 1024x768x24 150 "$0" "$@"
driver_setup "$1"
[ -x "$BUILD/e2e-close-window" ] || fail "$BUILD/e2e-close-window is not built"
MODE_ERROR="Chyba pri inicializacii grafickeho rezimu"

no_viewer_window() { [ -z "$(xdotool search --onlyvisible --name "$TITLE_PATTERN")" ]; }

# send KEY SECONDS: holds the key in the window itself, which has no focus while minimised.
send() {
    xdotool keydown --window "$VIEWER_WINDOW" "$1"
    sleep "$2"
    xdotool keyup --window "$VIEWER_WINDOW" "$1" 2>/dev/null
}

start_viewer
answer_box "$QUESTION" Return # Yes
answer_box "$MODE_ERROR" Return
no_viewer_window || fail "a window exists before the user has chosen to go on in one"
answer_box Chyba Return # Yes, go on in a window
wait_for_viewer_window
point_off_picture
render "$WORK/initial.ppm" --method 1
expect_picture "$WORK/initial.ppm" "Yes to going on gives the picture in a window"

# Left held while shown pans; while minimised, when no frame runs, it moves nothing, and numpad
# -, which stays entered until a frame acts on it, zooms out once on return.
send Left 0.5
expect_other_picture "$WORK/initial.ppm" "Left held in the shown window pans"
press r
expect_picture "$WORK/initial.ppm" "R resets the view"
xdotool windowunmap "$VIEWER_WINDOW"
poll "unmapped window" eval "xwininfo -id $VIEWER_WINDOW | grep -q IsUnMapped"
sleep 0.3
xdotool keydown --window "$VIEWER_WINDOW" KP_Subtract
send Left 1
sleep 0.3
xdotool windowmap "$VIEWER_WINDOW"
poll "mapped window" eval "xwininfo -id $VIEWER_WINDOW | grep -q IsViewable"
render "$WORK/zoomed.ppm" --method 1 --view -5.25 10 -5 10
PICTURE_WAIT=8 expect_picture "$WORK/zoomed.ppm" "keys pressed while minimised act on return only"
xdotool keyup --window "$VIEWER_WINDOW" KP_Subtract

"$BUILD/e2e-close-window" "$VIEWER_WINDOW" || fail "cannot ask the window to close"
expect_exit 0 "closing the window ends the viewer"

start_viewer
answer_box "$QUESTION" Return
answer_box "$MODE_ERROR" Return
answer_box Chyba Escape # No
answer_box ERROR Return
expect_exit 1 "No to going on ends the viewer"

mkdir "$WORK/run" # the palettes but no glyph sheet
ln -s "$REPO/palety" "$WORK/run/palety"
start_viewer "$WORK/run"
answer_box "$QUESTION" Escape
answer_box data/font.bmp Return
poll 'box "ERROR"' box_named ERROR
no_viewer_window || fail "the window is still there when start-up reports its failure"
answer_box ERROR Return
expect_exit 1 "a missing data/font.bmp ends the viewer after its two messages"
