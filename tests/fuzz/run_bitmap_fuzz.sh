#!/usr/bin/env bash
# run_bitmap_fuzz.sh -- builds the bitmap loader's fuzz target with clang and runs it over the
# seed corpus for a bounded time; any finding fails.
#   usage: run_bitmap_fuzz.sh BUILD_DIR SEED_MAKER [SECONDS]
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
work="$build/fuzz-bitmap-loader"
rm -rf "$work"
mkdir -p "$work/seeds" "$work/corpus"
"$2" "$work/seeds"

clang++ -std=c++20 -g -O1 -Wall -Wextra -ffp-contract=off -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I"$root" \
    -o "$work/fuzz_bitmap_loader" "$root/tests/fuzz/fuzz_bitmap_loader.cpp" \
    "$root/ui/bitmap_loader.cpp" "$root/platform/dib_conversion.cpp" \
    "$root/platform/sdl/file_mapping.cpp" "$root/platform/regular_file.cpp" \
    "$root/platform/message_box.cpp" \
    "$root/platform/sdl/message_box.cpp" "$root/platform/text_encoding.cpp" \
    $(pkg-config --cflags --libs sdl2)

cd "$work"
status=0
./fuzz_bitmap_loader -max_total_time="${3:-60}" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/" corpus seeds >log 2>&1 || status=$?
tail -n 30 log
if [ "$status" -ne 0 ]; then
    echo "run_bitmap_fuzz: the fuzz target found a fault (exit $status); see $work" >&2
    exit 1
fi
echo "run_bitmap_fuzz: $(sed -n 's/^stat::number_of_executed_units: *//p' log) runs, clean"
