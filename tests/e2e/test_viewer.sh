#!/usr/bin/env bash
# test_viewer.sh BUILD_DIR -- the real viewer, installed, moved and started elsewhere, under Xvfb
# and openbox: each command against zelvonia-render's picture (the tour, a test too, takes No,
# Shift, Enter, F, a palette and Esc). On a 1024x768 screen Yes, and F1 later, go on in a window
# after the display-mode failure; on an 800x600 16-bit screen Yes gives full screen, F1 a window.
source "$(dirname "$0")/../../scripts/viewer_driver.sh"
if [ -z "${VIEWER_DRIVER_INSIDE:-}" ]; then
    (run_under_xvfb 1024x768x24 300 "$0" "$1" window) || exit 1
    run_under_xvfb 800x600x16 120 "$0" "$1" full
fi
driver_setup "$1"
start_window_manager

# expect WHAT ARGS...: the picture that zelvonia-render gives for ARGS, with the pointer away.
expect() {
    point_off_picture
    render "$WORK/expected.ppm" "${@:2}"
    expect_picture "$WORK/expected.ppm" "$1" $FUZZ
}

# expect_steps WHAT MAX PX PY A B S [MIN]: the picture after MIN (1) to MAX steps from the initial
# view, each x += u*dx + A*dx, y += v*dy + B*dy, dx *= S, dy *= S, where (u, v) is the pointer
# (PX, PY) by the zoom mapping, or (0, 0) for "-". A held key or button steps once in every frame.
expect_steps() {
    local n view
    rm -f "$WORK"/step*.ppm
    awk -v n="$2" -v px="$3" -v py="$4" -v a="$5" -v b="$6" -v s="$7" 'BEGIN {
        x = -1.25; dx = 2; y = -1; dy = 2
        u = px == "-" ? 0 : px * (1 / 511) - 0.5; v = px == "-" ? 0 : (599 - py) * (1 / 511) - 0.5
        for (i = 1; i <= n; i++) {
            x = x + u * dx + a * dx; y = y + v * dy + b * dy; dx *= s; dy *= s
            printf "%.17g %.17g %.17g %.17g\n", x, dx, y, dy
        }
    }' >"$WORK/views"
    point_off_picture
    for _ in 1 2 3 4 5; do
        sleep 1 && shoot_picture "$WORK/actual.ppm" && n=0
        while read -r view; do # each candidate computed once, when first needed
            ((n + 1 < ${8:-1})) && n=$((n + 1)) && continue
            [ -f "$WORK/step$((n += 1)).ppm" ] || render "$WORK/step$n.ppm" --method 1 --view $view
            cmp -s "$WORK/actual.ppm" "$WORK/step$n.ppm" && say "ok: $1 ($n steps)" && return
        done <"$WORK/views"
    done
    keep_evidence "$WORK/step$2.ppm"
    fail "$1: not the picture after ${8:-1} to $2 steps"
}

# switch_to STATE: F1 until the window is so; a viewer still busy with its first picture may miss
# a press, and its window then stays as it was.
switch_to() {
    local old=$VIEWER_WINDOW
    for _ in 1 2 3; do
        press F1
        for _ in $(seq 80); do
            viewer_window_is "$1" && return 0
            [ "$VIEWER_WINDOW" = "$old" ] || break
            sleep 0.1
        done
        [ "$VIEWER_WINDOW" = "$old" ] || { wait_for_viewer_window "$1" && return 0; }
    done
    fail "F1 did not switch to a $1 window"
}

if [ "$2" = full ]; then
    FUZZ=3% # 16-bit colour: each channel within the rounding of 5 or 6 bits
    start_viewer
    answer_box "$QUESTION" Return # Yes
    wait_for_viewer_window full
    switch_to framed
    switch_to full
    expect "F1 twice returns to full screen" --method 1
    press Escape
    expect_exit 0 "Esc ends the viewer"
    start_viewer # SIGINT and SIGTERM end it through its teardown, in full screen or minimised
    answer_box "$QUESTION" Return
    wait_for_viewer_window full
    kill -INT "$VIEWER_PID"
    expect_exit 0 "SIGINT in full screen ends the viewer"
    start_viewer
    answer_box "$QUESTION" Escape # No
    wait_for_viewer_window framed
    xdotool windowminimize "$VIEWER_WINDOW"
    poll "minimised viewer" eval '! viewer_window_is ""'
    kill -TERM "$VIEWER_PID"
    expect_exit 0 "SIGTERM while minimised ends the viewer"
    exit 0
fi

cmake --install "$BUILD" --prefix "$WORK/installed" >/dev/null || fail "install failed"
mv "$WORK/installed" "$WORK/moved" && mkdir "$WORK/elsewhere" # the launcher finds its folders
start_viewer
poll "message box \"$QUESTION\"" box_named "$QUESTION"
kill -TERM "$VIEWER_PID"
expect_exit 0 "SIGTERM at the start-up question ends the viewer"
! box_named "$QUESTION" || fail "the start-up question outlived the viewer"

VIEWER=$WORK/moved/bin/zelvonia start_viewer "$WORK/elsewhere"
answer_box "$QUESTION" Return # Yes, on a screen without an 800x600 mode
answer_box "Chyba pri inicializacii grafickeho rezimu" Return
answer_box Chyba Return # go on in a window
wait_for_viewer_window framed
expect "Yes goes on in a window after the display-mode failure" --method 1

# Each row: button or key, held briefly, the most steps it may make, and its step; then R.
while read -r kind what max px py a b s; do
    [ "$px" = - ] || point_at "$px" "$py"
    xdotool "${kind}down" "$what" sleep 0.5 "${kind}up" "$what"
    expect_steps "$kind $what" "$max" "$px" "$py" "$a" "$b" "$s"
    press r && expect "R resets the view" --method 1
done <<EOT
mouse 1 1 0 599 0.25 0.25 0.5
mouse 3 40 100 200 -0.5 -0.5 2
key Left 40 - - -0.1 0 1
key Right 40 - - 0.1 0 1
key Up 40 - - 0 -0.1 1
key Down 40 - - 0 0.1 1
key KP_Add 1 - - 0.4 0.4 0.2
EOT
# wait_still: until the picture stays the same for half a second, the pointer where it is.
wait_still() {
    poll "a still picture" eval 'shoot_picture "$WORK/before.ppm" && sleep 0.5 &&
        shoot_picture "$WORK/after.ppm" && cmp -s "$WORK/before.ppm" "$WORK/after.ppm"'
}

# Each row: button or key tapped N times with no time held, and its step: each tap steps once,
# also when several come while a picture is being computed.
while read -r kind what n px py a b s; do
    [ "$px" = - ] || point_at "$px" "$py"
    xdotool "$kind" --repeat "$n" --delay 15 "$what"
    wait_still
    expect_steps "$n taps of $kind $what" "$n" "$px" "$py" "$a" "$b" "$s" "$n"
    press r && expect "R resets the view" --method 1
done <<EOT
click 1 5 300 300 0.25 0.25 0.5
click 3 3 100 200 -0.5 -0.5 2
key KP_Add 3 - - 0.4 0.4 0.2
key Left 4 - - -0.1 0 1
EOT
point_at 100 200 # a right button let go of outside the window goes up: the zoom stops
xdotool mousedown 3 sleep 0.3 mousemove 1020 760 sleep 0.3 mouseup 3
point_off_picture && press r && expect "R after the right button went up outside the window" --method 1

xdotool keydown h
poll "help while H is held" eval '! { shoot_picture "$WORK/actual.ppm" &&
    cmp -s "$WORK/actual.ppm" "$WORK/expected.ppm"; }'
xdotool keyup h && expect "the help goes with H" --method 1

point_at 384 215 # the point 0.25 + 0.5i
hold j 0.6
expect "J: the Julia set of the pointer" --kind julia --seed 0.25 0.5 --method 1
press space u # the x87 method is followed by the portable one, with or without 3DNow!
expect "Space and U: the next method" --kind julia --seed 0.25 0.5 --method 0
press f
expect "F: colouring, with the same method" --kind julia --seed 0.25 0.5 --method 3
press F1 # to full screen, which fails here: go on in a window, with the method afresh
answer_box "Chyba pri inicializacii grafickeho rezimu" Return
answer_box Chyba Return
wait_for_viewer_window framed
expect "F1 keeps the Julia set" --kind julia --seed 0.25 0.5 --method 1
press Return
expect "Enter in a Julia set: back to the Mandelbrot set" --method 1
xdotool key alt+F4 # openbox asks the window to close
expect_exit 0 "closing the window ends the viewer"
