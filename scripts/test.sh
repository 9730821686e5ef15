#!/usr/bin/env bash
# The whole test suite: the normal build runs every test, the sanitizer build the fast ones.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh" "$root/build"
(cd "$root/build" && ctest --output-on-failure -j 2 --timeout 900)

"$root/scripts/setup.sh" "$root/build-asan" -DKV740_SANITIZE=ON -DKV740_GUI=OFF -DCMAKE_BUILD_TYPE=Debug
(cd "$root/build-asan" && ctest --output-on-failure -j 2 -L fast --timeout 900)
