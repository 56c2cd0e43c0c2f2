#!/usr/bin/env bash
# Configures and builds Paginor: scripts/build.sh <build-dir> <build-type> [cmake options...]
# Builds with as many jobs as the machine has cores; PAGINOR_JOBS sets another count.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
type=$1; shift
cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
cmake --build "$dir" -j"${PAGINOR_JOBS:-$(nproc)}"
