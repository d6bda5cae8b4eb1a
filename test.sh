#!/usr/bin/env bash
# test.sh -- installs what is missing, checks that includes run down the layers, builds with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup
scripts/check-layers
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVONIA_SANITIZE=ON >/dev/null
cmake --build build-test -j"$(nproc)"
cd build-test
ctest --output-on-failure -j"$(nproc)"
