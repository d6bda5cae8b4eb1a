#!/usr/bin/env bash
# test_viewer.sh -- zelvonia.exe from the zip under Wine, on a 1024x768 display without a window
# manager. No to "Cela obrazovka?" gives a window whose picture, once the help band has gone, is
# the render tool's; a left click zooms about the pointer; Esc ends with exit code 0. Yes leads,
# without an 800x600 mode, to the display-mode failure dialogue. Without data/font.bmp the
# loader's and the shell's messages come with their accented letters.
source "$(dirname "$0")/../e2e/viewer_driver.sh"
source "$(dirname "$0")/wine_env.sh"
run_under_xvfb 1024x768x24 240 "$0" "$@"
driver_setup "$1"
start_wine "$2"
ANSWER_PAUSE=3 # Wine's boxes can take a second or more to act on a key

# Wine traces each box's text, in UTF-16 with escapes for what is not ASCII.
start_viewer() {
    (cd "${1:-$PACKAGE}" && WINEDEBUG=-all,trace+msgbox exec wine "$PACKAGE/zelvonia.exe") \
        >"$WORK/viewer.log" 2>&1 &
    VIEWER_PID=$!
}
expect_box_text() {
    grep -qF "MSGBOX_OnInit L\"$1\"" "$WORK/viewer.log" || fail "no box with the text $1"
}

start_viewer
answer_box "$QUESTION" n # No
wait_for_viewer_window
point_off_picture
render "$WORK/initial.ppm" --method 1
expect_picture "$WORK/initial.ppm" "No gives a window with the initial view once the help has gone"
click 1 100 200
render "$WORK/zoomed.ppm" --method 1 --view $(view_after_left_click 100 200 -1.25 2 -1 2)
point_off_picture
expect_picture "$WORK/zoomed.ppm" "a left click zooms in about the pointer"
press Escape
expect_exit 0 "Esc ends the viewer"

start_viewer
answer_box "$QUESTION" Return # Yes
answer_box "Chyba pri inicializacii grafickeho rezimu" Return
answer_box Chyba n # No: do not go on in a window
answer_box ERROR Return
expect_exit 1 "Yes without an 800x600 mode ends after the display-mode failure dialogue"
expect_box_text "The graphics mode is not supported."
expect_box_text "Program se uzavrie."

mkdir "$WORK/run" && cp -r "$PACKAGE/palety" "$WORK/run/" # no data/font.bmp
start_viewer "$WORK/run"
answer_box "$QUESTION" n
answer_box data/font.bmp Return
answer_box ERROR Return
expect_exit 1 "a missing data/font.bmp ends the viewer after its two messages"
expect_box_text 'Chyba na\010d\00edtania obr\00e1zka.'
expect_box_text 'Chyba pri inicializ\00e1cii.'
say "ok: both messages with their accented letters"
