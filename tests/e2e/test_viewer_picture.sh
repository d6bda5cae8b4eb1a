#!/usr/bin/env bash
# test_viewer_picture.sh -- the real viewer in a window: its picture equals zelvonia-render's for
# the initial view, after a left click, for the Julia set of Enter, with colouring and a palette
# key; Esc ends it with exit code 0.
source "$(dirname "$0")/viewer_driver.sh"
run_under_xvfb 1024x768x24 150 "$0" "$@"
driver_setup "$1"

start_viewer
answer_box "Nastavenie obrazovky (pocas behu pomocou F1)" Escape # No: a window
wait_for_viewer_window
point_off_picture
render "$WORK/initial.ppm" --method 1
expect_picture "$WORK/initial.ppm" "initial view once the help screen has gone"

# A left click halves the view about the point clicked.
read -r x dx y dy <<<"$(view_after_left_click 128 300 -1.25 2 -1 2)"
click 1 128 300
point_off_picture
render "$WORK/zoomed.ppm" --method 1 --view "$x" "$dx" "$y" "$dy"
expect_picture "$WORK/zoomed.ppm" "left click at (128, 300) gives the view $x $dx $y $dy"

# Enter: the Julia set of the point under the pointer, in the initial view.
read -r re im <<<"$(point_of_pointer 300 200 "$x" "$dx" "$y" "$dy")"
point_at 300 200
sleep 0.3 # a frame reads the pointer
press Return
point_off_picture
render "$WORK/julia.ppm" --method 1 --kind julia --seed "$re" "$im"
expect_picture "$WORK/julia.ppm" "Enter gives the Julia set of $re $im"

# F turns colouring on: the x87 method's palette variant with the default palette.
press f
render "$WORK/coloured.ppm" --method 4 --kind julia --seed "$re" "$im"
expect_picture "$WORK/coloured.ppm" "F colours the picture with the default palette"

# A digit, held, loads its palette.
hold 3 0.4
render "$WORK/colours.ppm" --method 4 --kind julia --seed "$re" "$im" --palette palety/Colours.pal
expect_picture "$WORK/colours.ppm" "3 colours it with palety/Colours.pal"

press Escape
expect_exit 0 "Esc ends the viewer"
