#!/usr/bin/env bash
# run.sh -- installs what building and running need, builds the viewer in Release (no tests) and
# starts it. Where there is no display it says so and takes a short tour of the viewer in a
# virtual X server instead, saving screenshots under build/tour/.
set -euo pipefail
cd "$(dirname "$0")"
targets=(zelvonia)
profile=run
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    targets+=(zelvonia-render) # the tour compares each picture with the render tool's
    profile=tour
fi
scripts/setup "$profile"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build -j"$(nproc)" --target "${targets[@]}"
if [ "$profile" = run ]; then
    exec ./build/zelvonia
fi
echo "run.sh: there is no display (DISPLAY is not set), so the viewer cannot open its window."
echo "run.sh: taking a short tour in a virtual X server instead; its screenshots:"
exec bash scripts/tour build build/tour
