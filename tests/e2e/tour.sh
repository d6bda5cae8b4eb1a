#!/usr/bin/env bash
# tour.sh BUILD_DIR OUT_DIR -- a short tour of the viewer in a virtual X server, for a machine
# without a display: answers the question with No, zooms in, switches to a Julia set and turns
# colouring on, saving a screenshot of the window after each step into OUT_DIR and printing its
# path. run.sh takes it when there is no display.
source "$(dirname "$0")/viewer_driver.sh"
[ $# -eq 2 ] || fail "usage: $0 BUILD_DIR OUT_DIR"
mkdir -p "$2" || fail "cannot make $2"
run_under_xvfb 1024x768x24 120 "$0" "$(cd "$1" && pwd)" "$(cd "$2" && pwd)"
OUT=$2
driver_setup "$1"

shot() {
    shoot_client "$OUT/$1.png"
    echo "$OUT/$1.png"
}

start_viewer
answer_box "Nastavenie obrazovky (pocas behu pomocou F1)" Escape
wait_for_viewer_window
point_off_picture
sleep 0.5
shot 1-help-screen
render "$WORK/initial.ppm" --method 1
PICTURE_WAIT=30 expect_picture "$WORK/initial.ppm" "initial view" >/dev/null
shot 2-initial-view

# Shift and a left click zoom in ten times about the valley between the two largest bulbs.
xdotool keydown shift
click 1 128 318
xdotool keyup shift
point_off_picture
expect_other_picture "$WORK/initial.ppm" "zoom" >/dev/null
shoot_picture "$WORK/zoomed.ppm"
shot 3-zoomed

# Enter: the Julia set whose constant is the point under the pointer.
point_at 256 300
sleep 0.3
press Return
point_off_picture
expect_other_picture "$WORK/zoomed.ppm" "Julia set" >/dev/null
shoot_picture "$WORK/julia.ppm"
shot 4-julia-set

press f
expect_other_picture "$WORK/julia.ppm" "colouring" >/dev/null
shoot_picture "$WORK/coloured.ppm"
shot 5-colour

hold 7 0.4
expect_other_picture "$WORK/coloured.ppm" "palette" >/dev/null
shot 6-rainbow-palette

press Escape
expect_exit 0 "end" >/dev/null
