#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer in
# build/sanitize and runs them all; any fault the sanitizers find (a bad
# access, a leak, undefined behaviour) fails its test, with its stack.
# Takes what is installed (scripts/install-deps.sh installs it).
#   scripts/sanitize.sh [ctest arguments...]   e.g. -R 'SourceView' for some tests
# Build and test jobs follow the machine's cores; PAGINOR_JOBS sets both.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/sanitize"
jobs=${PAGINOR_JOBS:-$(nproc)}
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Test -DPAGINOR_BUILD_TESTS=ON -DPAGINOR_BUILD_BENCH=OFF -DPAGINOR_LIVE_BROWSER_TESTS=OFF \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$dir" -j"$jobs"
# Leaks of libraries we do not build are passed over by
# scripts/sanitize/leaks.supp (which says why for each). SANE's backends,
# which SANE unloads when it is done, stay loaded (scripts/sanitize/
# keep-modules.c) so that their leaks keep their library's name. That shim is
# preloaded ahead of the sanitizer's runtime, which is told not to insist on
# coming first.
cc -shared -fPIC -O2 -Wall -Wextra -o "$dir/keep-modules.so" "$root/scripts/sanitize/keep-modules.c"
cd "$dir"
export LD_PRELOAD="$dir/keep-modules.so${LD_PRELOAD:+:$LD_PRELOAD}"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:verify_asan_link_order=0
export LSAN_OPTIONS=suppressions="$root/scripts/sanitize/leaks.supp":print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The tests under Xvfb need no OpenGL: without it the X11 platform loads no
# GL driver into the process (Mesa's keeps an allocation of its own for good).
export QT_XCB_GL_INTEGRATION=none
# Not here: the tests of the live browser (test_engine.xvfb, and those that
# skip with PAGINOR_LIVE_BROWSER_TESTS off). They run Qt WebEngine's Chromium
# inside the test process, which needs the GL driver and shows faults of its
# own (a sized delete of the wrong size as a page goes; without GL, Qt's
# backing store flushes through a graphics context it never made), none of
# them in code we build.
# Instrumented code runs a few times slower than the test build, and the
# longest tests (pages edited at random, long pages laid out in the
# background) take minutes with it on a machine of few cores.
ctest -j"$jobs" --output-on-failure --timeout 1800 -E '^test_engine\.xvfb$' "$@"
