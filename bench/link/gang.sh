#!/usr/bin/env bash
# Gang programming against one unit alone, in one run: programs a 131072-byte application file
# into one virtual instrument, then into eight at once (740-cli program --ports), and prints both
# wall times and their ratio. Eight units should take at most 1.05 times as long as one: the poll
# interval is the floor for each, and the host must not be what slows them.
# Usage: bench/link/gang.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
work=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

# A small-layout image with the identity block the console reads (model 758 original, class 2).
python3 - "$work/758-FP01-000000.apx" <<'PY'
import os, struct, sys
image = bytearray(os.urandom(131072))
id = 0x10000
def text(at, s):
    image[at:at + len(s) + 1] = s.encode() + b"\0"
struct.pack_into(">IIII", image, id, id + 0x80, id + 0x400, 0, 0)
text(id + 16, "000000"); text(id + 23, "01"); text(id + 26, "000000")
image[id + 33:id + 51] = b"Revision: 3.0.201".ljust(18, b"\0")
image[id + 51] = 2; image[id + 52] = 1
text(id + 53, "9999,99,99,99,99,99")
text(id + 0x80, "758-FP01"); text(id + 0x90, "-UNIT-"); text(id + 0x98, "S/N")
struct.pack_into(">IIIIH", image, id + 0x400, id + 0x90, id + 0x90, id + 0x98, id + 0x98, 0x0102)
image[id + 0x420:id + 0x440] = bytes(32)
open(sys.argv[1], "wb").write(image)
PY

# Starts N virtual instruments and leaves the port map in $map.
start_units() {
    map=""
    for n in $(seq "$1"); do
        "$build/tools/vinstrument/vinstrument" --model 1 --class 2 > "$work/unit$n.txt" &
        pids+=($!)
        for _ in $(seq 50); do [ -s "$work/unit$n.txt" ] && break; sleep 0.1; done
        map="$map${map:+,}COM$n=$(head -n 1 "$work/unit$n.txt")"
    done
}

# Programs one unit on each of the first N ports; prints the wall time in seconds.
program() {
    local ports serials start end
    ports=$(seq -s, -f 'COM%g' "$1")
    serials=$(printf '000001..%06d' "$1")
    mkdir -p "$work/bin$1"
    start=$(date +%s.%N)
    KV740_PORTS="$map" "$build/apps/740-cli/740-cli" program "$work/758-FP01-000000.apx" --dir "$work/bin$1" \
        --ports "$ports" --serials "$serials" --yes > "$work/program$1.txt"
    end=$(date +%s.%N)
    tail -n 1 "$work/program$1.txt" >&2
    python3 -c "print($end - $start)"
}

start_units 8
one=$(program 1)
eight=$(program 8)
python3 - "$one" "$eight" <<'PY'
import sys
one, eight = float(sys.argv[1]), float(sys.argv[2])
print("image 131072 bytes, 512 blocks at 200 ms (floor 102.4 s a unit)")
print(f"one unit     {one:8.3f} s")
print(f"eight units  {eight:8.3f} s  (at once, one port each)")
print(f"ratio        {eight / one:8.3f}  (goal: at most 1.05)")
PY
