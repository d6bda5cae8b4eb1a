# viewer_driver.sh -- drives the real viewer under Xvfb with xdotool; sourced by the end-to-end
# tests (tests/e2e/test_*.sh) and by the tour of run.sh.
#
# A script calls run_under_xvfb first, which starts it again inside its own X server, then
# driver_setup with the build folder. Every wait is a bounded poll; whatever the script started
# is ended on exit.

REPO=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
PICTURE_SIZE=512x512
PICTURE_TOP=88 # the picture's top row in the client area: 600 - 512
TITLE_PATTERN='^Zelvonia - Mandelbrotova a Juliova mnozina$'

say() { echo "$(basename "$0"): $*"; }

fail() {
    say "FAIL: $*"
    if [ -n "${WORK:-}" ] && [ -s "$WORK/viewer.log" ]; then
        say "viewer output:"
        sed 's/^/    /' "$WORK/viewer.log" | head -40
    fi
    exit 1
}

# run_under_xvfb SCREEN SECONDS SCRIPT ARGS...: runs the script again in a fresh Xvfb whose
# screen is SCREEN (e.g. 1024x768x24), ending it after SECONDS; returns inside that server.
run_under_xvfb() {
    local screen=$1 seconds=$2
    shift 2
    [ -n "${VIEWER_DRIVER_INSIDE:-}" ] && return 0
    command -v xvfb-run >/dev/null || fail "xvfb-run is missing (scripts/setup installs it)"
    export VIEWER_DRIVER_INSIDE=1
    exec timeout -k 5 "$seconds" xvfb-run -a -s "-screen 0 $screen -noreset" bash "$@"
}

# driver_setup BUILD_DIR: the programs under test and a scratch folder.
driver_setup() {
    [ -n "${1:-}" ] || fail "usage: $0 BUILD_DIR"
    BUILD=$(cd "$1" && pwd) || fail "no build folder $1"
    VIEWER=$BUILD/zelvonia
    RENDER=$BUILD/zelvonia-render
    [ -x "$VIEWER" ] || fail "$VIEWER is not built"
    [ -x "$RENDER" ] || fail "$RENDER is not built"
    WORK=$(mktemp -d "${TMPDIR:-/tmp}/zelvonia-e2e.XXXXXX")
    VIEWER_PID=
    WM_PID=
    VIEWER_WINDOW=
    unset SDL_VIDEODRIVER
    set -m # each background program gets a process group of its own, to be ended as a whole
    trap driver_cleanup EXIT
    cd "$REPO"
}

driver_cleanup() {
    if viewer_alive; then
        kill -TERM -- "-$VIEWER_PID" 2>/dev/null
        sleep 0.5
        kill -KILL -- "-$VIEWER_PID" 2>/dev/null
    fi
    [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
    rm -rf "$WORK"
}

viewer_alive() {
    [ -n "${VIEWER_PID:-}" ] && kill -0 "$VIEWER_PID" 2>/dev/null
}

# start_window_manager: openbox, for tests that need frames and full screen as a desktop has.
start_window_manager() {
    command -v openbox >/dev/null || fail "openbox is missing (scripts/setup installs it)"
    openbox >"$WORK/openbox.log" 2>&1 &
    WM_PID=$!
    local i
    for i in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    fail "the window manager did not start"
}

# start_viewer [FOLDER]: the viewer, in FOLDER (default the repository) as working directory.
start_viewer() {
    local folder=${1:-$REPO}
    (cd "$folder" && exec "$VIEWER") >"$WORK/viewer.log" 2>&1 &
    VIEWER_PID=$!
}

# The window named CAPTION among all windows, for the message boxes, which xdotool does not see.
find_window_named() {
    xwininfo -root -tree 2>/dev/null | awk -v name="\"$1\":" 'index($0, name) { print $1; exit }'
}

# wait_for_box CAPTION: sets BOX to the message box with that caption.
wait_for_box() {
    local i
    for i in $(seq 150); do
        BOX=$(find_window_named "$1")
        [ -n "$BOX" ] && return 0
        viewer_alive || fail "the viewer ended before the box \"$1\" appeared"
        sleep 0.1
    done
    fail "no message box \"$1\""
}

# answer_box CAPTION KEY: presses KEY in that box (Return for the default button, Escape for No)
# until it is gone.
answer_box() {
    wait_for_box "$1"
    local i
    sleep 0.2
    for i in $(seq 20); do
        xdotool key --window "$BOX" "$2" 2>/dev/null
        sleep 0.3
        [ -z "$(find_window_named "$1")" ] && return 0
    done
    fail "the box \"$1\" did not take $2"
}

# wait_for_viewer_window [STATE]: sets VIEWER_WINDOW to the viewer's visible window; with STATE
# "full" or "framed", waits until the window is in that state.
wait_for_viewer_window() {
    local i
    for i in $(seq 150); do
        VIEWER_WINDOW=$(xdotool search --onlyvisible --name "$TITLE_PATTERN" 2>/dev/null | head -1)
        if [ -n "$VIEWER_WINDOW" ] && { [ -z "${1:-}" ] || [ "$(window_state)" = "$1" ]; }; then
            return 0
        fi
        viewer_alive || fail "the viewer ended before its window appeared"
        sleep 0.1
    done
    fail "no ${1:-} viewer window"
}

# "full" when the window manager shows the window full screen, else "framed".
window_state() {
    if xprop -id "$VIEWER_WINDOW" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_FULLSCREEN
    then
        echo full
    else
        echo framed
    fi
}

# Sets CLIENT_X and CLIENT_Y to the screen position of the client area's top-left corner.
client_origin() {
    local info
    info=$(xwininfo -id "$VIEWER_WINDOW") || fail "the viewer's window is gone"
    CLIENT_X=$(awk '/Absolute upper-left X/ { print $NF }' <<<"$info")
    CLIENT_Y=$(awk '/Absolute upper-left Y/ { print $NF }' <<<"$info")
}

# press KEY...: holds each key long enough for a frame to see it; one-shot commands act on a
# key-down that is still entered when the frame runs.
press() {
    local key
    for key in "$@"; do
        xdotool keydown "$key"
        sleep 0.25
        xdotool keyup "$key"
        sleep 0.1
    done
}

# hold KEY SECONDS
hold() {
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

# point_at X Y: the pointer to that client-area point.
point_at() {
    client_origin
    xdotool mousemove $((CLIENT_X + $1)) $((CLIENT_Y + $2))
    sleep 0.2
}

# click BUTTON X Y at that client-area point.
click() {
    point_at "$2" "$3"
    xdotool mousedown "$1"
    sleep 0.25
    xdotool mouseup "$1"
}

# The pointer to the right of the picture, where its cross does not cover it.
point_off_picture() {
    point_at 700 300
}

# shoot_picture FILE: the 512x512 picture region of the screen as a binary PPM.
shoot_picture() {
    client_origin
    xwd -root -silent |
        convert xwd:- -crop "$PICTURE_SIZE+$CLIENT_X+$((CLIENT_Y + PICTURE_TOP))" +repage \
            -strip -depth 8 "ppm:$1"
}

# shoot_client FILE: the whole 800x600 client area, in the format of FILE's ending.
shoot_client() {
    client_origin
    xwd -root -silent | convert xwd:- -crop "800x600+$CLIENT_X+$CLIENT_Y" +repage "$1"
}

# render FILE ARGS...: the picture that zelvonia-render computes for ARGS.
render() {
    local file=$1
    shift
    "$RENDER" "$@" "$file" >/dev/null || fail "zelvonia-render $* failed"
}

# expect_picture EXPECTED WHAT [FUZZ]: waits until the screen's picture equals EXPECTED, pixel for
# pixel, or within FUZZ (e.g. 3%) on a display of fewer colours. Keeps the evidence on failure.
expect_picture() {
    local expected=$1 what=$2 fuzz=${3:-} deadline=$((SECONDS + ${PICTURE_WAIT:-20})) differing
    while :; do
        shoot_picture "$WORK/actual.ppm"
        if [ -z "$fuzz" ]; then
            cmp -s "$WORK/actual.ppm" "$expected" && break
        else
            differing=$(compare -metric AE -fuzz "$fuzz" "$WORK/actual.ppm" "$expected" null: 2>&1)
            [ "$differing" = 0 ] && break
        fi
        if ((SECONDS >= deadline)); then
            differing=$(compare -metric AE ${fuzz:+-fuzz "$fuzz"} "$WORK/actual.ppm" "$expected" \
                null: 2>&1)
            keep_evidence "$expected"
            fail "$what: $differing of 262144 pixels differ"
        fi
        viewer_alive || fail "$what: the viewer ended"
        sleep 0.3
    done
    say "ok: $what"
}

# expect_other_picture UNEXPECTED WHAT: waits until the screen's picture differs from it.
expect_other_picture() {
    local deadline=$((SECONDS + ${PICTURE_WAIT:-20}))
    while :; do
        shoot_picture "$WORK/actual.ppm"
        cmp -s "$WORK/actual.ppm" "$1" || break
        ((SECONDS >= deadline)) && fail "$2: the picture did not change"
        sleep 0.3
    done
    say "ok: $2"
}

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
    for i in $(seq 150); do
        viewer_alive || break
        sleep 0.1
    done
    viewer_alive && fail "$2: the viewer did not end"
    wait "$VIEWER_PID"
    code=$?
    VIEWER_PID=
    [ "$code" = "$1" ] || fail "$2: exit code $code, expected $1"
    say "ok: $2, exit code $code"
}

# The view after one left click at client (X, Y) from the view X DX Y DY, with the viewer's own
# arithmetic: the pointer maps with a step of 1/511, the window halves about its point.
view_after_left_click() {
    awk -v px="$1" -v py="$2" -v x="$3" -v dx="$4" -v y="$5" -v dy="$6" 'BEGIN {
        u = px * (1 / 511) - 0.5
        v = (599 - py) * (1 / 511) - 0.5
        x0 = x + u * dx
        y0 = y + v * dy
        printf "%.17g %.17g %.17g %.17g\n", x0 + 0.25 * dx, dx * 0.5, y0 + 0.25 * dy, dy * 0.5
    }'
}

# The Julia constant under client (X, Y) in the view X DX Y DY: a step of exactly 1/512.
point_of_pointer() {
    awk -v px="$1" -v py="$2" -v x="$3" -v dx="$4" -v y="$5" -v dy="$6" 'BEGIN {
        printf "%.17g %.17g\n", x - px * dx * (-1 / 512), y - (599 - py) * dy * (-1 / 512)
    }'
}
