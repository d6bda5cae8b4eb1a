#!/usr/bin/env bash
# test_viewer_minimised.sh -- a minimised viewer draws no frames: keys pressed while it is
# minimised act only once it is back, where an arrow key held meanwhile, which pans in every
# frame, would have moved the picture.
source "$(dirname "$0")/viewer_driver.sh"
run_under_xvfb 1024x768x24 120 "$0" "$@"
driver_setup "$1"

# The keys go to the window itself, since a minimised window has no keyboard focus.
hold_in_window() {
    xdotool keydown --window "$VIEWER_WINDOW" "$1"
    sleep "$2"
    xdotool keyup --window "$VIEWER_WINDOW" "$1" 2>/dev/null
}

wait_until_mapped() {
    local i
    for i in $(seq 50); do
        xwininfo -id "$VIEWER_WINDOW" | grep -q "Map State: $1" && return 0
        sleep 0.1
    done
    fail "the window did not become $1"
}

start_viewer
answer_box "Nastavenie obrazovky (pocas behu pomocou F1)" Escape
wait_for_viewer_window
point_off_picture
render "$WORK/initial.ppm" --method 1
expect_picture "$WORK/initial.ppm" "initial view"

# The same key while the window shows pans the picture, and R brings it back.
hold_in_window Left 0.5
expect_other_picture "$WORK/initial.ppm" "Left held in the shown window pans"
press r
expect_picture "$WORK/initial.ppm" "R resets the view"

xdotool windowunmap "$VIEWER_WINDOW"
wait_until_mapped IsUnMapped
sleep 0.3
# Numpad - stays entered until a frame acts on it; Left pans in every frame while held.
xdotool keydown --window "$VIEWER_WINDOW" KP_Subtract
hold_in_window Left 1
sleep 0.3
xdotool windowmap "$VIEWER_WINDOW"
wait_until_mapped IsViewable
render "$WORK/zoomed.ppm" --method 1 --view -5.25 10 -5 10
PICTURE_WAIT=8 expect_picture "$WORK/zoomed.ppm" \
    "numpad - pressed while minimised zooms out once on return, and Left moved nothing"
xdotool keyup --window "$VIEWER_WINDOW" KP_Subtract

hold_in_window Escape 0.3
expect_exit 0 "Esc ends the viewer"
