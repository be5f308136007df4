#!/usr/bin/env bash
# Installs what is missing, builds and starts Tessaly.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
exec "${TESSALY_BUILD_DIR:-$root/build}/app/tessaly" "$@"
