#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need
# (clang and its runtime libraries for the fuzz drivers in fuzz/).
# Idempotent: when everything is already present it does nothing (no apt-get
# update, no network), so `make run` and `make test` stay fast on a second call.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
  qt6-tools-dev qt6-svg-dev qt6-declarative-dev libqt6opengl6-dev libgl-dev
  libqscintilla2-qt6-dev libgumbo-dev libhunspell-dev hunspell-en-us hunspell-de-de
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-qpa-plugins qt6-image-formats-plugins
  tidy poppler-utils xvfb xauth imagemagick fonts-dejavu-core fonts-noto-cjk fonts-noto-color-emoji
  clang libclang-rt-14-dev
  desktop-file-utils
)
# `--bench`: also what the side-by-side benchmarks drive (bench/keystroke-cost.sh).
if [ "${1:-}" = "--bench" ]; then
  PACKAGES+=(xdotool geany)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
