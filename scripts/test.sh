#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite under a virtual X display.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$build"
# Browser tests need a real X server: the offscreen platform grabs stale frames.
exec xvfb-run -a -s "-screen 0 1920x1200x24" ctest --output-on-failure -j2
