#!/usr/bin/env bash
# test_viewer_window_manager.sh -- in a window that a window manager frames and places away from
# the screen's origin, the pointer counts from the client area: a left click zooms about the
# point under the pointer, and Enter takes the Julia constant from there.
source "$(dirname "$0")/viewer_driver.sh"
run_under_xvfb 1024x768x24 120 "$0" "$@"
driver_setup "$1"

start_window_manager
start_viewer
answer_box "Nastavenie obrazovky (pocas behu pomocou F1)" Escape
wait_for_viewer_window framed
client_origin
[ "$CLIENT_X,$CLIENT_Y" != "0,0" ] || fail "the window manager left the client area at 0,0"
say "ok: client area at $CLIENT_X,$CLIENT_Y"
point_off_picture
render "$WORK/initial.ppm" --method 1
expect_picture "$WORK/initial.ppm" "initial view in the framed window"

read -r x dx y dy <<<"$(view_after_left_click 400 500 -1.25 2 -1 2)"
click 1 400 500
point_off_picture
render "$WORK/zoomed.ppm" --method 1 --view "$x" "$dx" "$y" "$dy"
expect_picture "$WORK/zoomed.ppm" "a click at client (400, 500) zooms about that point"

read -r re im <<<"$(point_of_pointer 100 150 "$x" "$dx" "$y" "$dy")"
point_at 100 150
sleep 0.3
press Return
point_off_picture
render "$WORK/julia.ppm" --method 1 --kind julia --seed "$re" "$im"
expect_picture "$WORK/julia.ppm" "Enter at client (100, 150) gives the Julia set of $re $im"

press Escape
expect_exit 0 "Esc ends the viewer"
