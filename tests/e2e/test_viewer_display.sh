#!/usr/bin/env bash
# test_viewer_display.sh -- the heads-up display of the real viewer, cell by cell against the same
# texts printed alone by the viewer's font: the help band for the first 2.5 s only; then the
# initial region, the kind and the method list; "Julia" and its constant after Enter; the
# colouring word after F.
source "$(dirname "$0")/viewer_driver.sh"
run_under_xvfb 1024x768x24 150 "$0" "$@"
driver_setup "$1"
SAMPLE=$BUILD/zelvonia-font-sample
[ -x "$SAMPLE" ] || fail "$SAMPLE is not built"

# The colour of client pixel (X, Y) of the last shot, as #RRGGBB.
pixel() {
    convert "$WORK/screen.ppm[1x1+$1+$2]" -depth 8 txt:- | tail -1 | grep -o '#[0-9A-F]\{6\}'
}

# await_pixel X Y COLOUR TRIES: shoots the client area until pixel (X, Y) has COLOUR, at most
# TRIES times; returns 1 if it never has.
await_pixel() {
    for _ in $(seq "$4"); do
        shoot_client "$WORK/screen.ppm"
        [ "$(pixel "$1" "$2")" = "$3" ] && return 0
        sleep 0.1
    done
    return 1
}

# expect_texts WHAT COLUMN ROW SET RED,GREEN,BLUE TEXT...: waits until the cells of each text on
# the screen equal those of the texts printed alone into an empty scene.
expect_texts() {
    local what=$1 deadline=$((SECONDS + 15)) args geometry text differing bad
    shift
    args=("$@")
    "$SAMPLE" "$WORK/texts.ppm" "${args[@]}" >/dev/null || fail "zelvonia-font-sample failed"
    while :; do
        shoot_client "$WORK/screen.ppm"
        bad=
        for ((i = 0; i < ${#args[@]}; i += 5)); do
            text=${args[i + 4]}
            geometry="$((11 * ${#text}))x16+$((11 * args[i]))+$((16 * args[i + 1]))"
            differing=$(compare -metric AE "$WORK/screen.ppm[$geometry]" \
                "$WORK/texts.ppm[$geometry]" null: 2>&1)
            [ "$differing" = 0 ] || bad="\"$text\" at column ${args[i]}, row ${args[i + 1]}"
        done
        [ -z "$bad" ] && break
        if ((SECONDS >= deadline)); then
            cp "$WORK/screen.ppm" "$WORK/actual.ppm"
            keep_evidence "$WORK/texts.ppm"
            fail "$what: $bad differs"
        fi
        viewer_alive || fail "$what: the viewer ended"
        sleep 0.3
    done
    say "ok: $what"
}

WHITE=1,1,1

start_viewer
answer_box "Nastavenie obrazovky (pocas behu pomocou F1)" Escape # No: a window
wait_for_viewer_window
shown=$EPOCHREALTIME
point_at 700 300

# The help timer starts after the window is shown, with the scene, so the band covers the first
# frame and goes about 2.5 s after the window appeared (the unit tests pin the time). Client
# (480, 119) is scene (480, 480), inside the band, and shows the picture's light grey once the
# band has gone; client (40, 499) lies left of the band and shows the picture all the time.
await_pixel 40 499 "#9E9E9E" 40 || fail "no picture drawn"
[ "$(pixel 480 119)" = "#000000" ] || fail "no help band on the first frame"
say "ok: help band at start-up"
await_pixel 480 119 "#9D9D9D" 60 || fail "the help band did not go"
lasted=$(awk -v a="$shown" -v b="$EPOCHREALTIME" 'BEGIN { print b - a }')
(($(awk -v t="$lasted" 'BEGIN { print (t >= 2.0) }'))) || fail "the help band went after $lasted s"
say "ok: help band gone after $lasted s"

expect_texts "the initial region" \
    0 4 0 $WHITE "x:" 2 4 0 $WHITE "-1.25" 25 4 0 $WHITE "dx:" 28 4 0 $WHITE "2." \
    36 4 0 $WHITE "y:" 38 4 0 $WHITE "-1." 61 4 0 $WHITE "dy:" 64 4 0 $WHITE "2."
BLANK="                    " # twenty cells, where a Julia constant would stand
expect_texts "Mandelbrot, no Julia constant" 60 1 0 $WHITE "Mandelbrot" 50 7 0 $WHITE "$BLANK" \
    50 8 0 $WHITE "$BLANK"
if grep -qw 3dnow /proc/cpuinfo; then
    say "skipped: the method list of a processor without 3DNow!"
else
    expect_texts "the method list with the x87 method active" \
        51 1 1 $WHITE "jazyk c" 51 2 0 1,0,0 "assembler s FPU" \
        33 3 1 0.7,1,0.6 "(CPU nepodporuje) assembler s 3Dnow!"
fi

# Client (256, 343) is the point -0.25 + 0i of the initial view.
point_at 256 343
sleep 0.3 # a frame reads the pointer
press Return
expect_texts "Julia and its constant" 60 1 0 $WHITE "Julia" 50 7 0 $WHITE "-0.25" \
    50 8 0 $WHITE "0."

press f
expect_texts "the colouring word" 60 0 0 1,0.3,0 "far" 63 0 0 0,1,0.3 "ben" 66 0 0 0.3,0,1 "ie"

press Escape
expect_exit 0 "Esc ends the viewer"
