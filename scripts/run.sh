#!/usr/bin/env bash
# Installs what is missing, builds Paginor and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build/release" RelWithDebInfo -DPAGINOR_BUILD_TESTS=OFF
exec "$root/build/release/paginor" "$@"
