#!/usr/bin/env bash
# Installs every Debian package that building, testing, benchmarking and
# looking at the editor need. Installs only what is missing; as a non-root
# user it prints the exact command to run instead.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg-dev
  fonts-wine
  libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick
  appstream desktop-file-utils dpkg-dev file libxml2-utils time hyperfine lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run: sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi
