#!/usr/bin/env bash
# Installs the Debian packages the project needs, those that are missing only.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libcli11-dev
  qt6-base-dev
  libcairo2-dev fonts-liberation
  gcc-h8300-hms binutils-h8300-hms
  lhasa jlha-utils pxlib-dev
  poppler-utils qpdf libqpdf-dev
  xvfb socat
  clang libclang-rt-14-dev clang-format
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
