#!/usr/bin/env bash
# tour.sh BUILD_DIR OUT_DIR -- a short tour of the viewer in a virtual X server, for a machine
# without a display (run.sh takes it then): answers the question with No, zooms in, switches to a
# Julia set, turns colouring on and changes the palette, saving a screenshot of the window after
# each step into OUT_DIR and printing its path. A window manager frames the window away from the
# screen's origin, and each picture must equal zelvonia-render's for the step, which makes the
# tour the end-to-end test of the picture (test_tour.sh).
source "$(dirname "$0")/viewer_driver.sh"
[ $# -eq 2 ] || fail "usage: $0 BUILD_DIR OUT_DIR"
mkdir -p "$2" || fail "cannot make $2"
run_under_xvfb 1024x768x24 150 "$0" "$(cd "$1" && pwd)" "$(cd "$2" && pwd)"
OUT=$2
driver_setup "$1"

# shot NAME [ARGS...]: with ARGS, waits until the picture equals zelvonia-render's for them; then
# saves the window.
shot() {
    point_off_picture
    if [ $# -gt 1 ]; then
        render "$WORK/expected.ppm" "${@:2}"
        PICTURE_WAIT=30 expect_picture "$WORK/expected.ppm" "$1: ${*:2}" >/dev/null
    fi
    shoot_client "$OUT/$1.png"
    echo "$OUT/$1.png"
}

start_window_manager
start_viewer
answer_box "$QUESTION" Escape # No: a window
wait_for_viewer_window framed
client_origin
[ "$CLIENT_X,$CLIENT_Y" != "0,0" ] || fail "the window manager left the client area at 0,0"
sleep 0.5
shot 1-help-screen
shot 2-initial-view --method 1
# Shift and a left click zoom in ten times about the valley between the two largest bulbs; the
# pointer counts from the client area.
read -r x dx y dy <<<"$(view_after_left_click 128 318 -1.25 2 -1 2 shift)"
xdotool keydown shift
click 1 128 318
xdotool keyup shift
shot 3-zoomed --method 1 --view "$x" "$dx" "$y" "$dy"
# Enter: the Julia set of the point under the pointer.
read -r re im <<<"$(point_of_pointer 256 300 "$x" "$dx" "$y" "$dy")"
point_at 256 300
sleep 0.3 # a frame reads the pointer
press Return
shot 4-julia-set --method 1 --kind julia --seed "$re" "$im"
press f # colouring: the x87 method's palette variant, with the default palette
shot 5-colour --method 4 --kind julia --seed "$re" "$im"
hold 7 0.4
shot 6-rainbow-palette --method 4 --kind julia --seed "$re" "$im" --palette palety/Rainbow.pal
press Escape
expect_exit 0 "Esc ends the viewer" >/dev/null
