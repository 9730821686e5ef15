#!/usr/bin/env bash
# Downloads a 131072-byte image into the virtual instrument and prints the wall time beside the
# protocol's floor (blocks x poll interval). Usage: bench/link/download.sh [BUILD_DIR] [SIZE]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
size=${2:-131072}
work=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$work"' EXIT

head -c "$size" /dev/urandom > "$work/image.bin"
"$build/tools/vinstrument/vinstrument" --out "$work/received.bin" > "$work/instrument.txt" &
pid=$!
for _ in $(seq 50); do [ -s "$work/instrument.txt" ] && break; sleep 0.1; done
device=$(head -n 1 "$work/instrument.txt")

start=$(date +%s.%N)
KV740_PORTS="COM3=$device" "$build/apps/740-cli/740-cli" download "$work/image.bin" --port COM3 > "$work/progress.txt"
end=$(date +%s.%N)

blocks=$(( (size + 255) / 256 ))
interval=$([ "$size" -gt 131072 ] && echo 80 || echo 200)
python3 - "$start" "$end" "$blocks" "$interval" "$size" <<'PY'
import sys
start, end, blocks, interval, size = float(sys.argv[1]), float(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5])
wall = end - start
floor = blocks * interval / 1000
print(f"image {size} bytes, {blocks} blocks at {interval} ms")
print(f"wall time  {wall:8.3f} s")
print(f"floor      {floor:8.3f} s  (blocks x poll interval)")
print(f"over floor {100 * (wall - floor) / floor:7.2f} %")
PY
tail -n 1 "$work/progress.txt"
