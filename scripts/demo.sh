#!/usr/bin/env bash
# The main job on the demo installation: a virtual instrument on a pseudo-terminal is programmed
# through the link, and every progress message and the result are printed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
"$root/scripts/setup.sh" "$build"

work=$(mktemp -d)
trap 'kill $instrument 2>/dev/null || true; rm -rf "$work"' EXIT

"$build/tools/vinstrument/vinstrument" --model 0x01 --class 3 --out "$work/received.bin" > "$work/instrument.txt" &
instrument=$!
for _ in $(seq 50); do [ -s "$work/instrument.txt" ] && break; sleep 0.1; done
device=$(head -n 1 "$work/instrument.txt")
echo "Virtual instrument on $device, mapped as COM3"

# A test image: 20 KB of a fixed pattern.
python3 -c "import sys; sys.stdout.buffer.write(bytes((i * 31 + (i >> 8)) & 0xFF for i in range(20480)))" > "$work/test-image.bin"

echo "Downloading $(stat -c %s "$work/test-image.bin") bytes through 740-cli:"
if KV740_PORTS="COM3=$device" "$build/apps/740-cli/740-cli" download "$work/test-image.bin" --port COM3 --model-mask 0x01 --min-class 3; then
  sleep 0.3
  echo "Result: the instrument received $(stat -c %s "$work/received.bin") bytes."
else
  echo "Result: the download failed." >&2
  exit 1
fi
