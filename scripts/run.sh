#!/usr/bin/env bash
# Installs what is missing, builds and starts Tessaly. Where there is no display (a server,
# a container), it takes a sample capture under Xvfb instead and says where the picture is.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build=${TESSALY_BUILD_DIR:-$root/build}
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    out=${TESSALY_SAMPLE_OUTPUT:-$HOME/tessaly-sample.png}
    echo "No display here, so the settings window cannot open." >&2
    echo "Taking a sample capture of a long page under Xvfb instead..." >&2
    xvfb-run -a -s "-screen 0 1600x1000x24" \
        "$build/shot/tessaly-shot" --width 1024 --height 700 \
        "file://$root/samples/long-page.html" "$out"
    echo "The whole page is in $out" >&2
    exit 0
fi
exec "$build/app/tessaly" "$@"
