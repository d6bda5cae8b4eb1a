#!/usr/bin/env bash
# test_viewer_close.sh -- closing the viewer's window, as a window manager's close button does,
# ends it with exit code 0.
source "$(dirname "$0")/viewer_driver.sh"
run_under_xvfb 1024x768x24 90 "$0" "$@"
driver_setup "$1"
[ -x "$BUILD/e2e-close-window" ] || fail "$BUILD/e2e-close-window is not built"

start_viewer
answer_box "Nastavenie obrazovky (pocas behu pomocou F1)" Escape
wait_for_viewer_window
point_off_picture
render "$WORK/initial.ppm" --method 1
expect_picture "$WORK/initial.ppm" "the viewer runs"
"$BUILD/e2e-close-window" "$VIEWER_WINDOW" || fail "cannot ask the window to close"
expect_exit 0 "closing the window ends the viewer"
