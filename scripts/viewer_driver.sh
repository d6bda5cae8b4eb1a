# viewer_driver.sh -- drives the real viewer under Xvfb with xdotool; sourced by scripts/tour and
# by the scripts that check the programs as a user meets them. A script calls run_under_xvfb,
# which starts it again inside its own X server, then driver_setup. Every wait is a bounded poll,
# and whatever the script started is ended when it exits.

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TITLE_PATTERN='^Zelvonia - Mandelbrotova a Juliova mnozina$'
QUESTION="Nastavenie obrazovky (pocas behu pomocou F1)"

say() { echo "$(basename "$0"): $*"; }

fail() {
    say "FAIL: $*" >&2
    [ -s "${WORK:-}/viewer.log" ] && sed 's/^/    /' "$WORK/viewer.log" | head -40 >&2
    exit 1
}

# run_under_xvfb SCREEN SECONDS SCRIPT ARGS...: runs the script again in a fresh Xvfb whose
# screen is SCREEN (e.g. 1024x768x24), ending it after SECONDS; returns inside that server. Its
# keys do not repeat, so a key can be held past a slow frame and still act once.
run_under_xvfb() {
    [ -n "${VIEWER_DRIVER_INSIDE:-}" ] && return 0
    command -v xvfb-run >/dev/null || fail "xvfb-run is missing (scripts/setup installs it)"
    export VIEWER_DRIVER_INSIDE=1
    exec timeout -k 5 "$2" xvfb-run -a -s "-screen 0 $1 -noreset -r" bash "${@:3}"
}

# driver_setup BUILD_DIR: the programs under test (in BUILD) and a scratch folder (WORK).
driver_setup() {
    BUILD=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd) || fail "no build folder $1"
    VIEWER=$BUILD/zelvonia
    RENDER=$BUILD/zelvonia-render
    [ -x "$VIEWER" ] && [ -x "$RENDER" ] || fail "zelvonia and zelvonia-render are not built"
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/zelvonia-e2e.XXXXXX")
    VIEWER_PID='' WM_PID='' VIEWER_WINDOW=''
    unset SDL_VIDEODRIVER
    set -m # each background program gets a process group of its own, to be ended as a whole
    trap 'end_viewer; [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null; rm -rf "$WORK"' EXIT
    cd "$REPO" || fail "no $REPO"
}

viewer_alive() { [ -n "${VIEWER_PID:-}" ] && kill -0 "$VIEWER_PID" 2>/dev/null; }

end_viewer() {
    viewer_alive || return 0
    kill -TERM -- "-$VIEWER_PID" 2>/dev/null
    sleep 0.5
    kill -KILL -- "-$VIEWER_PID" 2>/dev/null
}

# poll WHAT COMMAND...: runs COMMAND every 0.1 s for up to 15 s until it succeeds; fails with
# "no WHAT", or at once when a viewer that was started has ended.
poll() {
    local what=$1 i
    for i in $(seq 150); do
        "${@:2}" && return 0
        [ -z "$VIEWER_PID" ] || viewer_alive || fail "the viewer ended while waiting for $what"
        sleep 0.1
    done
    fail "no $what"
}

# start_window_manager: openbox, for tests that need frames and full screen as a desktop has.
start_window_manager() {
    command -v openbox >/dev/null || fail "openbox is missing (scripts/setup installs it)"
    openbox >"$WORK/openbox.log" 2>&1 &
    WM_PID=$!
    poll "window manager" eval "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'"
}

# start_viewer [FOLDER]: the viewer, in FOLDER (default the repository) as working directory.
start_viewer() {
    (cd "${1:-$REPO}" && exec "$VIEWER") >"$WORK/viewer.log" 2>&1 &
    VIEWER_PID=$!
}

# box_named CAPTION: sets BOX to the message box of that caption, which xdotool does not see.
box_named() {
    BOX=$(xwininfo -root -tree 2>/dev/null | awk -v name="\"$1\":" 'index($0, name) { print $1; exit }')
    [ -n "$BOX" ]
}

# answer_box CAPTION KEY: presses KEY in that box (Return for the default button, Escape for No)
# until it is gone, every ANSWER_PAUSE seconds (a slow box must not pass a key to the next one).
answer_box() {
    poll "message box \"$1\"" box_named "$1"
    local i
    sleep 0.2
    for i in $(seq 20); do
        xdotool key --window "$BOX" "$2" 2>/dev/null
        sleep "${ANSWER_PAUSE:-0.3}"
        box_named "$1" || return 0
    done
    fail "the box \"$1\" did not take $2"
}

# wait_for_viewer_window [STATE]: sets VIEWER_WINDOW to the viewer's visible window; with STATE
# "full" or "framed", waits until the window manager shows it so.
wait_for_viewer_window() { poll "${1:-} viewer window" viewer_window_is "${1:-}"; }

viewer_window_is() {
    VIEWER_WINDOW=$(xdotool search --onlyvisible --name "$TITLE_PATTERN" 2>/dev/null | head -1)
    [ -n "$VIEWER_WINDOW" ] || return 1
    [ -n "$1" ] || return 0
    local state=framed
    xprop -id "$VIEWER_WINDOW" _NET_WM_STATE 2>/dev/null | grep -q FULLSCREEN && state=full
    [ "$state" = "$1" ]
}

# Sets CLIENT_X and CLIENT_Y to the screen position of the client area's top-left corner.
client_origin() {
    local info
    info=$(xwininfo -id "$VIEWER_WINDOW") || fail "the viewer's window is gone"
    CLIENT_X=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$info")
    CLIENT_Y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$info")
}

# hold KEY SECONDS; press KEY...: each key long enough for a frame to see its entry, even on a
# busy machine.
hold() {
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}
press() {
    local key
    for key in "$@"; do hold "$key" 0.6 && sleep 0.1; done
}

# point_at X Y: the pointer to that client-area point; point_off_picture: right of the picture,
# where its cross does not cover it; click BUTTON X Y there.
point_at() {
    client_origin
    xdotool mousemove $((CLIENT_X + $1)) $((CLIENT_Y + $2))
    sleep 0.2
}
point_off_picture() { point_at 700 300; }
click() {
    point_at "$2" "$3"
    xdotool mousedown "$1"
    sleep 0.6
    xdotool mouseup "$1"
}

# shoot_client FILE [SIZE TOP]: the 800x600 client area, or SIZE of it from row TOP, in the format
# of FILE's ending; shoot_picture FILE: the 512x512 picture as a binary PPM.
shoot_client() {
    client_origin
    xwd -root -silent | convert xwd:- -crop "${2:-800x600}+$CLIENT_X+$((CLIENT_Y + ${3:-0}))" \
        +repage -strip -depth 8 "$1"
}
shoot_picture() { shoot_client "ppm:$1" 512x512 88; }

# render FILE ARGS...: the picture that zelvonia-render computes for ARGS.
render() { "$RENDER" "${@:2}" "$1" >/dev/null || fail "zelvonia-render ${*:2} failed"; }

# expect_picture EXPECTED WHAT [FUZZ]: waits until the screen's picture equals EXPECTED, pixel for
# pixel, or within FUZZ (e.g. 3%) on a display of fewer colours. Keeps the evidence on failure.
expect_picture() {
    local deadline=$((SECONDS + ${PICTURE_WAIT:-20})) differing
    while :; do
        shoot_picture "$WORK/actual.ppm"
        differing=$(compare -metric AE ${3:+-fuzz "$3"} "$WORK/actual.ppm" "$1" null: 2>&1)
        [ "$differing" = 0 ] && break
        ((SECONDS < deadline)) || { keep_evidence "$1"; fail "$2: $differing pixels differ"; }
        viewer_alive || fail "$2: the viewer ended"
        sleep 0.3
    done
    say "ok: $2"
}

# keep_evidence EXPECTED: the expected and actual pictures and the screen, in the build folder.
keep_evidence() {
    local folder="$BUILD/e2e-evidence/$(basename "$0" .sh)"
    mkdir -p "$folder"
    cp "$WORK/actual.ppm" "$folder/actual.ppm"
    cp "$1" "$folder/expected.ppm"
    xwd -root -silent | convert xwd:- "$folder/screen.png"
    say "evidence kept in $folder"
}

# expect_exit CODE WHAT: waits for the viewer to end and checks its exit code.
expect_exit() {
    local i code
    for i in $(seq 150); do viewer_alive && sleep 0.1; done
    viewer_alive && fail "$2: the viewer did not end"
    wait "$VIEWER_PID"
    code=$?
    VIEWER_PID=
    [ "$code" = "$1" ] || fail "$2: exit code $code, expected $1"
    say "ok: $2, exit code $code"
}

# view_after_left_click PX PY X DX Y DY [shift]: the view after a left click at client (PX, PY) in
# the view X DX Y DY, with the pointer mapped by a step of 1/511; point_of_pointer PX PY X DX Y DY:
# the Julia constant under the pointer, by a step of 1/512.
view_after_left_click() {
    awk -v px="$1" -v py="$2" -v x="$3" -v dx="$4" -v y="$5" -v dy="$6" -v shift="${7:-}" 'BEGIN {
        x0 = x + (px * (1 / 511) - 0.5) * dx
        y0 = y + ((599 - py) * (1 / 511) - 0.5) * dy
        offset = shift ? 0.45 : 0.25
        scale = shift ? 0.1 : 0.5
        printf "%.17g %.17g %.17g %.17g\n", x0 + offset * dx, dx * scale, y0 + offset * dy, dy * scale
    }'
}
point_of_pointer() {
    awk -v px="$1" -v py="$2" -v x="$3" -v dx="$4" -v y="$5" -v dy="$6" 'BEGIN {
        printf "%.17g %.17g\n", x - px * dx * (-1 / 512), y - (599 - py) * dy * (-1 / 512)
    }'
}
