#!/usr/bin/env bash
# test_viewer_mode_fallback.sh -- on a display without an 800x600 mode, Yes is answered with "not
# supported" and the question whether to go on in a window: Yes gives the window, No ends with
# "Program se uzavrie.".
source "$(dirname "$0")/viewer_driver.sh"
run_under_xvfb 1024x768x24 120 "$0" "$@"
driver_setup "$1"

QUESTION="Nastavenie obrazovky (pocas behu pomocou F1)"
MODE_ERROR="Chyba pri inicializacii grafickeho rezimu"

start_viewer
answer_box "$QUESTION" Return # Yes
answer_box "$MODE_ERROR" Return
[ -z "$(xdotool search --onlyvisible --name "$TITLE_PATTERN")" ] ||
    fail "a window exists before the user has chosen to go on in one"
answer_box Chyba Return # Yes, go on in a window
wait_for_viewer_window
point_off_picture
render "$WORK/initial.ppm" --method 1
expect_picture "$WORK/initial.ppm" "Yes to going on gives the picture in a window"
press Escape
expect_exit 0 "Esc ends the viewer"

start_viewer
answer_box "$QUESTION" Return
answer_box "$MODE_ERROR" Return
answer_box Chyba Escape # No
answer_box ERROR Return
expect_exit 0 "No to going on ends the viewer"
