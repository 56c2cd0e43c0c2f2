#!/usr/bin/env bash
# Installs what is missing, builds Paginor with its tests and runs every test headless.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
# Includes point down the layers only; the files of the change are formatted.
"$root/scripts/check-layers.sh"
"$root/scripts/check-format.sh"
"$root/scripts/build.sh" "$root/build/test" Test -DPAGINOR_BUILD_TESTS=ON -DPAGINOR_BUILD_BENCH=ON
# The parser's fuzz target, for a bounded time, before the tests so that
# CTest's summary closes the run.
"$root/scripts/fuzz.sh" 60
cd "$root/build/test"
export QT_QPA_PLATFORM=offscreen
ctest -j"$(nproc)" --output-on-failure --timeout 300
