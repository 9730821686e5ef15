#!/usr/bin/env bash
# The whole test suite, warnings as errors, after the format check. build/ is the packager's
# Release build (-O3, no asserts) and runs every test; build-asan/ (Debug, so asserts hold) runs
# the fast ones under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/packages.sh"
"$root/scripts/format.sh" --check

"$root/scripts/setup.sh" "$root/build" -DCMAKE_BUILD_TYPE=Release -DKV740_WERROR=ON
(cd "$root/build" && ctest --output-on-failure -j 2 --timeout 900)

"$root/scripts/setup.sh" "$root/build-asan" -DKV740_SANITIZE=ON -DKV740_GUI=OFF -DCMAKE_BUILD_TYPE=Debug -DKV740_WERROR=ON
(cd "$root/build-asan" && ctest --output-on-failure -j 2 -L fast --timeout 900)
