# wine_env.sh -- Wine for the scripts under tests/windows, sourced after tests/e2e/viewer_driver.sh;
# each script gets a Wine prefix of its own in its scratch folder.

# start_wine WINDOWS_BUILD: a fresh prefix in WORK, and the zip for Windows users unpacked into
# PACKAGE, from whose folder the programs run.
start_wine() {
    command -v wine >/dev/null || fail "wine is missing (scripts/setup installs it)"
    local zip="${1:?usage: $0 LINUX_BUILD WINDOWS_BUILD}/zelvonia-windows-x86_64.zip"
    [ -f "$zip" ] || fail "no $zip (scripts/build-windows makes it)"
    export WINEPREFIX=$WORK/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    trap 'end_viewer; wineserver -k 2>/dev/null; rm -rf "$WORK"' EXIT
    wineboot -i >/dev/null 2>&1 || fail "wineboot failed"
    (cd "$WORK" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"
    PACKAGE=$WORK/zelvonia-windows-x86_64
}
