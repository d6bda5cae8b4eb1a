#!/usr/bin/env bash
# run_bitmap_fuzz.sh BUILD_DIR [SECONDS] -- builds the bitmap loader's fuzz target with clang and
# runs it from the seed files for a bounded time; any finding fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work="$(cd "$1" && pwd)/fuzz-bitmap-loader"
rm -rf "$work" && mkdir -p "$work/corpus" && cd "$work"
clang++ -std=c++20 -g -O1 -Wall -Wextra -ffp-contract=off -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=all -I"$root" -o fuzz_bitmap_loader "$root"/tests/fuzz/*.cpp \
    "$root"/ui/bitmap_loader.cpp "$root"/platform/sdl/{file_mapping,message_box,regular_file,termination}.cpp \
    "$root"/platform/{dib_conversion,regular_file,message_box,text_encoding}.cpp \
    $(pkg-config --cflags --libs sdl2)
./fuzz_bitmap_loader -max_total_time="${2:-60}" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/" corpus "$root/tests/fuzz/seeds" >log 2>&1 ||
    { tail -n 30 log; exit 1; }
echo "run_bitmap_fuzz: $(sed -n 's/^stat::number_of_executed_units: *//p' log) runs, clean"
