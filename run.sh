#!/usr/bin/env bash
# run.sh -- installs what is missing, builds in Release and starts the viewer. Where there is no
# display it says so and takes a short tour of the viewer in a virtual X server instead, saving
# screenshots under build/tour/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec ./build/zelvonia
fi
echo "run.sh: there is no display (DISPLAY is not set), so the viewer cannot open its window."
echo "run.sh: taking a short tour in a virtual X server instead; its screenshots:"
exec bash tests/e2e/tour.sh build build/tour
