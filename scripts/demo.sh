#!/usr/bin/env bash
# The main job on the demo installation: build a version's firmware with the H8/300 toolchain,
# write its report, save it as an application file, and program a virtual instrument with it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
"$root/scripts/setup.sh" "$build"

install="$build/demo-install"
cli="$install/bin/740-cli"
version=${1:-758-FP01-000000}
work=$(mktemp -d)
trap 'kill $instrument 2>/dev/null || true; rm -rf "$work"' EXIT

echo "== Building $version in $install"
"$cli" build "$version" --install "$install"

echo "== Report"
"$cli" report "$version" -o "$work/$version.pdf" --install "$install"
pdfinfo "$work/$version.pdf" | grep -E '^(Title|Pages):'

echo "== Saving the application file"
(cd "$install/bin" && "$cli" pack create "../apx/$version.apl" PackBinary.bin PackReport.pdf PackManual.pdf)
"$cli" pack list "$install/apx/$version.apl"

echo "== Programming a virtual instrument"
"$build/tools/vinstrument/vinstrument" --class 4 --out "$work/received.bin" > "$work/instrument.txt" &
instrument=$!
for _ in $(seq 50); do [ -s "$work/instrument.txt" ] && break; sleep 0.1; done
device=$(head -n 1 "$work/instrument.txt")
echo "Virtual instrument on $device, mapped as COM3"
mkdir -p "$work/bin"
KV740_PORTS="COM3=$device" "$cli" program "$install/apx/$version.apl" --dir "$work/bin" --serial 123456 --tag TANK-1 --yes
sleep 0.3
echo "Result: the instrument received $(stat -c %s "$work/received.bin") bytes."
