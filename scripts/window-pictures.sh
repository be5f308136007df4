#!/usr/bin/env bash
# Renews docs/settings-window.png and docs/capture-window.png under Xvfb.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}
cmake --build "$build" --target tessaly_window_pictures -j"$(nproc)"
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"
xvfb-run -a -s "-screen 0 1400x1000x24" \
    "$build/app/tessaly_window_pictures" "$root/samples/long-page.html" "$root/docs"
echo "Pictures written to $root/docs" >&2
