#!/usr/bin/env bash
# test_viewer_missing_font.sh -- without data/font.bmp the font loader's message, captioned with
# the file's name, is followed by "Chyba pri inicializacii." once the window is gone, and the
# viewer ends with exit code 0.
source "$(dirname "$0")/viewer_driver.sh"
run_under_xvfb 1024x768x24 90 "$0" "$@"
driver_setup "$1"

# A working directory with the palettes but no glyph sheet.
mkdir "$WORK/run"
ln -s "$REPO/palety" "$WORK/run/palety"

start_viewer "$WORK/run"
answer_box "Nastavenie obrazovky (pocas behu pomocou F1)" Escape
answer_box data/font.bmp Return
wait_for_box ERROR
[ -z "$(xdotool search --name "$TITLE_PATTERN")" ] ||
    fail "the window is still there when start-up reports its failure"
answer_box ERROR Return
expect_exit 0 "the viewer ends after the two messages"
