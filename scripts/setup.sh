#!/usr/bin/env bash
# Installs what the project needs (when missing), then configures and builds.
# Usage: scripts/setup.sh [BUILD_DIR [CMAKE_OPTION...]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libcli11-dev
  qt6-base-dev
  libcairo2-dev fonts-liberation
  gcc-h8300-hms binutils-h8300-hms
  lhasa jlha-utils pxlib-dev
  poppler-utils qpdf libqpdf-dev
  xvfb socat
  clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages and not root: run as root or install them first." >&2
    exit 1
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
