#!/usr/bin/env bash
# Installs the Debian 12 packages Tessaly needs to build, run and test.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  cmake g++ make pkg-config clang-format
  qt6-base-dev qt6-webengine-dev qt6-image-formats-plugins qt6-tools-dev libqt6svg6-dev
  libgl-dev libgif-dev libjpeg62-turbo-dev libtiff-dev zlib1g-dev libgtest-dev libxcb1-dev dpkg-dev
  xvfb xauth xdotool openbox
  fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null | grep -qx installed; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}" >&2
  if [[ $(id -u) -eq 0 ]]; then
    sudo=()
  elif command -v sudo >/dev/null; then
    sudo=(sudo)
  else
    echo "error: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
  fi
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Qt reads TIFF (previews, the tests) only through the image-formats plugins; refuse to go on without it.
tiff=/usr/lib/x86_64-linux-gnu/qt6/plugins/imageformats/libqtiff.so
if [[ ! -e $tiff ]]; then
  echo "error: Qt's TIFF plugin ($tiff) is missing; install qt6-image-formats-plugins" >&2
  exit 1
fi
