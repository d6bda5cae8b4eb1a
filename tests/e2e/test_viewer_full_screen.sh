#!/usr/bin/env bash
# test_viewer_full_screen.sh -- on a display with an 800x600 16-bit mode and a window manager, Yes
# starts the viewer full screen with its picture in place, F1 switches to a framed window and F1
# again back to full screen.
source "$(dirname "$0")/viewer_driver.sh"
run_under_xvfb 800x600x16 120 "$0" "$@"
driver_setup "$1"
COLOUR_FUZZ=3% # 16-bit colour: each channel within the rounding of 5 or 6 bits

start_window_manager
start_viewer
answer_box "$QUESTION" Return # Yes
wait_for_viewer_window full
client_origin
[ "$CLIENT_X,$CLIENT_Y" = "0,0" ] || fail "the full-screen window is at $CLIENT_X,$CLIENT_Y"
point_off_picture
render "$WORK/initial.ppm" --method 1
expect_picture "$WORK/initial.ppm" "Yes gives full screen with the initial view" "$COLOUR_FUZZ"

press F1
wait_for_viewer_window framed
client_origin
[ "$CLIENT_X,$CLIENT_Y" != "0,0" ] || fail "the window after F1 has no frame"
say "ok: F1 gives a framed window, client area at $CLIENT_X,$CLIENT_Y"

press F1
wait_for_viewer_window full
point_off_picture
expect_picture "$WORK/initial.ppm" "F1 again returns to full screen" "$COLOUR_FUZZ"
press Escape
expect_exit 0 "Esc ends the viewer"
