#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer in
# build/sanitize and runs them all; any fault the sanitizers find fails its
# test. Takes what is installed (run scripts/install-deps.sh first).
#   scripts/sanitize.sh [ctest arguments...]   e.g. -R 'SourceView' to run some
# Build jobs and test jobs follow the machine's cores; PAGINOR_JOBS sets both.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/sanitize"
jobs=${PAGINOR_JOBS:-$(nproc)}
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Test -DPAGINOR_BUILD_TESTS=ON -DPAGINOR_BUILD_BENCH=OFF \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$dir" -j"$jobs"
cd "$dir"
export QT_QPA_PLATFORM=offscreen
# A fault stops the test with a stack; the run as a whole goes on.
export ASAN_OPTIONS=abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1:strict_init_order=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Instrumented code runs a few times slower than the test build.
ctest -j"$jobs" --output-on-failure --timeout 900 "$@"
