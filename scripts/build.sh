#!/usr/bin/env bash
# Configures and builds Tessaly into build/ (or $TESSALY_BUILD_DIR). Further arguments go to
# the configure step (for instance -DTESSALY_WARNINGS_AS_ERRORS=ON).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
