#!/usr/bin/env bash
# Builds the engine's fuzz target with clang and runs it for a bounded time:
#   scripts/fuzz.sh [seconds]   (default 60)
# The corpus starts from the test pages; crashes are written to build/fuzz/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
dir="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAGINOR_FUZZ=ON \
    -DPAGINOR_BUILD_TESTS=OFF -DPAGINOR_BUILD_BENCH=OFF -DPAGINOR_UNITY=ON >/dev/null
cmake --build "$dir" -j"$(nproc)" --target fuzz_engine_html
corpus="$dir/corpus"
mkdir -p "$corpus"
cp -n "$root"/tests/data/pages/* "$corpus"/ 2>/dev/null || true
cd "$dir"
# Leaks are the engine's business too, but one short run reports them
# noisily for Qt's own caches; crashes and hangs fail the run.
ASAN_OPTIONS=detect_leaks=0 ./engine/fuzz_engine_html "$corpus" -max_total_time="$seconds" -max_len=65536 \
    -timeout=20 -rss_limit_mb=4096 -print_final_stats=1
