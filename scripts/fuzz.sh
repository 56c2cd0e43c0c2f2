#!/usr/bin/env bash
# Builds one of the engine's fuzz targets with clang and runs it:
#   scripts/fuzz.sh <parse|editing> replay
#       runs the target once over each input of its seed corpus, without
#       mutation: what CI runs, so that it fails only on a regression;
#   scripts/fuzz.sh <parse|editing> [seconds] [jobs]     (default 60 s, 1 job)
#       mutates the inputs for a bounded time, to look for new faults (long
#       runs by hand, in the background).
# parse: a page's bytes are decoded, parsed and saved twice; the saves must
# be equal. editing: formatting commands on ranges the input chooses, then
# undo must give the page back (engine/fuzz/FuzzChecks.h; the engine's tests
# run the same checks over the same seeds).
# The seed corpus is tests/data/fuzz/<target>/ with the test pages, the
# corpus of saved pages and the pages of the layout fidelity measure; a
# mutating run grows its corpus in build/fuzz/corpus-<target>/ and writes
# what fails to build/fuzz/findings-<target>/ (the run then fails). With
# several jobs the target runs in as many processes that share the corpus
# and go on after a finding until the time is up. A finding, once mended, goes into
# tests/data/fuzz/<target>/ under a name that says what it holds.
# The target is built with as many jobs as the machine has cores; PAGINOR_JOBS
# sets another count (the jobs argument above is for the run, not the build).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?"usage: scripts/fuzz.sh <parse|editing> [replay|seconds] [jobs]"}
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
# Both targets may be started at once: they build in one folder, one at a
# time.
mkdir -p "$dir"
exec 9>"$dir/.build-lock"
flock 9
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAGINOR_FUZZ=ON \
    -DPAGINOR_BUILD_TESTS=OFF -DPAGINOR_BUILD_BENCH=OFF -DPAGINOR_UNITY=ON >/dev/null
cmake --build "$dir" -j"${PAGINOR_JOBS:-$(nproc)}" --target "fuzz_engine_$target"
flock -u 9
exec 9>&-
mapfile -t pages < <(find "$root/tests/data/corpus" "$root/tests/data/fidelity" -name '*.html' | sort)
seeds=("$root/tests/data/fuzz/$target"/* "$root"/tests/data/pages/* "${pages[@]}")
# Each process of the target adds how many pages it read again with the
# parser's strict scan, and how many it could not read (FuzzChecks.h).
export PAGINOR_FUZZ_TALLY="$dir/tally-$target"
rm -f "$PAGINOR_FUZZ_TALLY"
tally() {
    if [ -f "$PAGINOR_FUZZ_TALLY" ]; then
        awk -v t="$target" '{ s += $1; u += $2 } END { printf "scripts/fuzz.sh: %s: read again with the strict scan: %d, unreadable: %d\n", t, s, u }' "$PAGINOR_FUZZ_TALLY"
    fi
}
if [ "$seconds" = replay ]; then
    # Each seed once and whole (named files are not cut to a length).
    ASAN_OPTIONS=detect_leaks=0 "$dir/engine/fuzz_engine_$target" -timeout=20 -rss_limit_mb=4096 "${seeds[@]}"
    echo "scripts/fuzz.sh: $target: ${#seeds[@]} seeds replayed"
    tally
    exit 0
fi
corpus="$dir/corpus-$target"
findings="$dir/findings-$target"
mkdir -p "$corpus" "$findings"
cp -n "${seeds[@]}" "$corpus"/ 2>/dev/null || true
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
tally
if compgen -G "$findings/*" >/dev/null; then
    echo "scripts/fuzz.sh: findings in $findings:" >&2
    ls "$findings" >&2
    exit 1
fi
exit "$status"
