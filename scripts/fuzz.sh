#!/usr/bin/env bash
# Builds one of the engine's fuzz targets with clang and runs it for a bounded
# time:
#   scripts/fuzz.sh <parse|editing> [seconds] [jobs]     (default 60 s, 1 job)
# parse: a page's bytes are decoded, parsed and saved twice; the saves must
# be equal. editing: formatting commands on ranges the input chooses, then
# undo must give the page back.
# The seed corpus is tests/data/fuzz/<target>/ with the test pages; the corpus
# grows in build/fuzz/corpus-<target>/ and what fails is written to
# build/fuzz/findings-<target>/ (the run then fails). With several jobs the
# target runs in as many processes that share the corpus and go on after a
# finding until the time is up.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?"usage: scripts/fuzz.sh <parse|editing> [seconds] [jobs]"}
seconds=${2:-60}
jobs=${3:-1}
case "$target" in
parse | editing) ;;
*)
    echo "scripts/fuzz.sh: unknown target '$target' (parse or editing)" >&2
    exit 2
    ;;
esac
dir="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAGINOR_FUZZ=ON \
    -DPAGINOR_BUILD_TESTS=OFF -DPAGINOR_BUILD_BENCH=OFF -DPAGINOR_UNITY=ON >/dev/null
cmake --build "$dir" -j"$(nproc)" --target "fuzz_engine_$target"
corpus="$dir/corpus-$target"
findings="$dir/findings-$target"
mkdir -p "$corpus" "$findings"
cp -n "$root"/tests/data/pages/* "$root"/tests/data/corpus/* "$root/tests/data/fuzz/$target"/* "$corpus"/ 2>/dev/null || true
options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 -detect_leaks=0
    -dict="$root/engine/fuzz/html.dict" -artifact_prefix="$findings/")
# Short pages keep the parser's target at thousands of runs a second; what
# goes wrong in a long page goes wrong in a short one too.
if [ "$target" = parse ]; then
    options+=(-max_len=1024)
else
    options+=(-max_len=16384)
fi
if [ "$jobs" -gt 1 ]; then
    options+=(-fork="$jobs" -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
fi
cd "$dir"
# Leaks are the engine's business too, but short runs report them noisily
# for Qt's own caches; crashes, failed checks and hangs fail the run. (A
# finding is run again with the sanitizer's full reports to see where its
# memory came from.)
status=0
ASAN_OPTIONS=detect_leaks=0:malloc_context_size=0 "./engine/fuzz_engine_$target" "${options[@]}" "$corpus" || status=$?
if compgen -G "$findings/*" >/dev/null; then
    echo "scripts/fuzz.sh: findings in $findings:" >&2
    ls "$findings" >&2
    exit 1
fi
exit "$status"
