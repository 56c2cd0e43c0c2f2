#!/usr/bin/env bash
# Installs what is missing, builds Paginor with its tests and runs every test headless.
# Build and test jobs follow the machine's cores; PAGINOR_JOBS sets both.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
# Includes point down the layers only; the files of the change are formatted.
"$root/scripts/check-layers.sh"
"$root/scripts/check-format.sh"
"$root/scripts/build.sh" "$root/build/test" Test -DPAGINOR_BUILD_TESTS=ON -DPAGINOR_BUILD_BENCH=ON
# The engine's fuzz targets, once over their seed corpus each (no mutation:
# a failure is a regression, never chance), before the tests so that CTest's
# summary closes the run. Mutating runs are started by hand: scripts/fuzz.sh.
"$root/scripts/fuzz.sh" parse replay
"$root/scripts/fuzz.sh" editing replay
cd "$root/build/test"
export QT_QPA_PLATFORM=offscreen
ctest -j"${PAGINOR_JOBS:-$(nproc)}" --output-on-failure --timeout 300
# The whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer,
# on a machine with 4 cores or more (it builds everything a second time).
# PAGINOR_SANITIZE=1 runs it on any machine, PAGINOR_SANITIZE=0 never.
sanitize=${PAGINOR_SANITIZE:-auto}
if [ "$sanitize" = 1 ] || { [ "$sanitize" = auto ] && [ "$(nproc)" -ge 4 ]; }; then
    "$root/scripts/sanitize.sh"
fi
