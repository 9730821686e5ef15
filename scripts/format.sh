#!/usr/bin/env bash
# Formats the project's own C++ sources with .clang-format; --check only reports what differs.
# firmware/ is left out: its headers are the instrument's, byte for byte.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mapfile -t files < <(git ls-files -- 'src' 'apps' 'tests' 'tools' 'bench' 'demo' | grep -E '\.(cpp|h)$')
if [ "${1:-}" = "--check" ]; then
  clang-format --dry-run --Werror "${files[@]}"
else
  clang-format -i "${files[@]}"
fi
