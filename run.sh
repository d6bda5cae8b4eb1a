#!/usr/bin/env bash
# run.sh -- installs what is missing, builds in Release and starts the viewer.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
./build/zelvonia-render build/initial-view.png
echo "The initial view is in build/initial-view.png"
