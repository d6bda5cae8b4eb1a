#!/usr/bin/env bash
# checks.sh BUILD_DIR -- the program as a user installs it (tests/e2e/test_viewer.sh runs the
# launcher): its files, its Debian package; without a display it says so in one line and fails.
# A check whose validator is not installed is skipped, saying so.
source "$(dirname "$0")/../../scripts/viewer_driver.sh"
driver_setup "$1"
have() { command -v "$1" >/dev/null || { say "skipped: $1 is not installed"; return 1; }; }

cmake --install "$BUILD" --prefix "$WORK/p" >"$WORK/install.log" || fail "install failed"
P=$WORK/p APP=org.zelvonia.Zelvonia
for file in bin/zelvonia bin/zelvonia-render bin/zelvonia-bench lib/zelvonia/zelvonia; do
    [ -x "$P/$file" ] || fail "$file is not an installed program"
done
for file in share/zelvonia/data/font.bmp share/man/man6/zelvonia.6.gz \
    share/man/man1/zelvonia-render.1.gz share/man/man1/zelvonia-bench.1.gz; do
    [ -s "$P/$file" ] || fail "$file is not installed"
done
[ "$(ls "$P"/share/zelvonia/palety/*.pal | wc -l)" = 8 ] || fail "not eight palettes"
for tool in zelvonia-render zelvonia-bench; do # they draw nothing, so they run where GL is absent
    ! ldd "$P/bin/$tool" | grep -E 'lib(GL|OpenGL|GLX|EGL)[.-]' || fail "$tool needs OpenGL"
done
[ "$(identify -format %wx%h "$P/share/icons/hicolor/256x256/apps/$APP.png")" = 256x256 ] ||
    fail "no 256x256 icon"
! have desktop-file-validate || desktop-file-validate "$P/share/applications/$APP.desktop" ||
    fail "desktop entry"
! have appstreamcli || appstreamcli validate --no-net "$P/share/metainfo/$APP.metainfo.xml" ||
    fail "metainfo"

if have dpkg-shlibdeps && have lintian; then
    (cd "$WORK" && cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK") >"$WORK/cpack.log" ||
        { cat "$WORK/cpack.log"; fail "cpack failed"; }
    VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
    DEB=$WORK/zelvonia_${VERSION}_amd64.deb
    depends=$(dpkg-deb -f "$DEB" Depends) || fail "no $DEB"
    for dependency in libc6 libsdl2-2.0-0 libgl1 libpng16-16; do
        [[ ", $depends," == *", $dependency"[\ ,]* ]] || fail "no $dependency in Depends: $depends"
    done
    [ -n "$(dpkg-deb -f "$DEB" Maintainer)" ] || fail "no maintainer"
    lintian --fail-on error "$DEB" || fail "lintian found errors"
fi

# The viewer must end by itself; the bound only keeps a hanging viewer from hanging the test.
free=$((RANDOM % 500 + 2000))
[ -e "/tmp/.X$free-lock" ] && free=$((free + 1))
for display in "" ":$free"; do
    code=0
    env -u DISPLAY -u WAYLAND_DISPLAY ${display:+DISPLAY=$display} timeout -k 2 20 \
        "$BUILD/zelvonia" >/dev/null 2>"$WORK/stderr" || code=$?
    said=$(head -1 "$WORK/stderr") why=${display:+cannot open display $display}
    [[ ! $code =~ ^(0|124|137)$ && $said = "zelvonia: no display: ${why:-DISPLAY is not set}" ]] ||
        fail "DISPLAY=$display: exit code $code, said '$said'"
done
