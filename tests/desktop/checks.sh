#!/usr/bin/env bash
# checks.sh CHECK BUILD_DIR -- the program as a user installs and meets it:
#   install     cmake --install into a folder that is then moved; the launcher, started from
#               another folder, shows the initial picture; desktop entry, metainfo and icon
#   package     the Debian package: dependencies, maintainer, lintian without errors
#   no-display  without a display the viewer says so in one line and ends with a failure
#   options     --help, --version and unknown options of the generator, sample and bench tools
# Checks that need a validator skip it, saying so, where it is not installed.
source "$(dirname "$0")/../e2e/viewer_driver.sh"
CHECK=${1:?usage: $0 install|package|no-display|options BUILD_DIR}
[ "$CHECK" = install ] && run_under_xvfb 1024x768x24 150 "$0" "$@"
driver_setup "${2:?no build folder}"
VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")

have() { command -v "$1" >/dev/null || { say "skipped: $1 is not installed"; return 1; }; }

check_install() {
    cmake --install "$BUILD" --prefix "$WORK/first" >"$WORK/install.log" || fail "install failed"
    mv "$WORK/first" "$WORK/moved" # the launcher finds its folders relative to itself
    local p=$WORK/moved app=org.zelvonia.Zelvonia file
    for file in bin/zelvonia bin/zelvonia-render bin/zelvonia-bench lib/zelvonia/zelvonia; do
        [ -x "$p/$file" ] || fail "$file is not an installed program"
    done
    [ "$(ls "$p"/share/zelvonia/palety/*.pal | wc -l)" = 8 ] || fail "not eight palettes"
    for file in share/zelvonia/data/font.bmp share/man/man6/zelvonia.6.gz \
        share/man/man1/zelvonia-render.1.gz share/man/man1/zelvonia-bench.1.gz; do
        [ -s "$p/$file" ] || fail "$file is not installed"
    done
    [ "$(identify -format %wx%h "$p/share/icons/hicolor/256x256/apps/$app.png")" = 256x256 ] ||
        fail "no 256x256 icon"
    if have desktop-file-validate; then
        desktop-file-validate "$p/share/applications/$app.desktop" || fail "desktop entry"
        say "ok: desktop entry"
    fi
    if have appstreamcli; then
        appstreamcli validate --no-net "$p/share/metainfo/$app.metainfo.xml" || fail "metainfo"
        say "ok: metainfo"
    fi
    VIEWER=$p/bin/zelvonia
    mkdir "$WORK/elsewhere"
    start_viewer "$WORK/elsewhere"
    answer_box "$QUESTION" Escape # No: a window
    wait_for_viewer_window
    point_off_picture
    render "$WORK/initial.ppm" --method 1
    expect_picture "$WORK/initial.ppm" "the launcher, started elsewhere, shows the initial picture"
    press Escape
    expect_exit 0 "Esc ends the installed viewer"
}

check_package() {
    have dpkg-shlibdeps && have lintian || return 0
    (cd "$WORK" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK") >"$WORK/cpack.log" ||
        { cat "$WORK/cpack.log"; fail "cpack failed"; }
    local deb=$WORK/zelvonia_${VERSION}_amd64.deb
    [ -f "$deb" ] || fail "no $deb"
    local depends dependency
    depends=$(dpkg-deb -f "$deb" Depends)
    for dependency in libc6 libsdl2-2.0-0 libgl1 libpng16-16; do
        [[ ", $depends," == *", $dependency"[\ ,]* ]] || fail "no $dependency in Depends: $depends"
    done
    [ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
    lintian --fail-on error "$deb" || fail "lintian found errors"
    say "ok: package $(basename "$deb")"
}

# The viewer must end by itself; the bound only keeps a hanging viewer from hanging the test.
check_no_display() {
    local display=":$((RANDOM % 500 + 2000))" expected code
    [ -e "/tmp/.X${display#:}-lock" ] && display=":$((${display#:} + 1))"
    while IFS='|' read -r setting expected; do
        code=0
        env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER $setting timeout -k 2 20 \
            "$BUILD/zelvonia" >/dev/null 2>"$WORK/stderr" || code=$?
        [ "$code" != 0 ] && [ "$code" != 124 ] && [ "$code" != 137 ] ||
            fail "${setting:-no DISPLAY}: exit code $code"
        [ "$(head -1 "$WORK/stderr")" = "$expected" ] ||
            fail "${setting:-no DISPLAY}: said '$(head -1 "$WORK/stderr")'"
        say "ok: ${setting:-no DISPLAY}: exit code $code, '$expected'"
    done <<EOT
|zelvonia: no display: DISPLAY is not set
DISPLAY=$display|zelvonia: no display: cannot open display $display
EOT
}

check_options() {
    local tool option code expected
    cd "$WORK" || fail "no $WORK"
    for tool in make-palettes make-font-sheet zelvonia-font-sample zelvonia-bench; do
        while read -r option code expected; do
            "$BUILD/$tool" "$option" >out 2>err
            [ $? = "$code" ] || fail "$tool $option: exit code not $code"
            grep -q "^$expected" "$([ "$code" = 0 ] && echo out || echo err)" ||
                fail "$tool $option: no '$expected'"
        done <<EOT
--help 0 usage: $tool
--version 0 $tool $VERSION\$
--bogus 2 $tool: unknown
EOT
    done
    [ "$(ls)" = "$(printf 'err\nout')" ] || fail "an option was taken for a file: $(ls)"
    say "ok: --help, --version and unknown options of the three tools"
}

case "$CHECK" in
install) check_install ;;
package) check_package ;;
no-display) check_no_display ;;
options) check_options ;;
*) fail "unknown check $CHECK" ;;
esac
