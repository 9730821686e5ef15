#!/usr/bin/env bash
# Installs what the project needs (when missing), then configures and builds.
# Usage: scripts/setup.sh [BUILD_DIR [CMAKE_OPTION...]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true

"$root/scripts/packages.sh"

cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
