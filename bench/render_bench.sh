#!/usr/bin/env bash
# quarl-map render against tmxrasterizer (Debian package tiled): the same
# 256 x 256 map of 16 x 16 tiles from the demo game's sheet, drawn whole to
# a 4096 x 4096 PNG by each, timed as whole processes (best of several runs)
# in the same run. Needs make build-native first (quarl-map, the demo game).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
quarl_map="$root/build/bin/quarl-map"
game="$root/build/game"
work="$root/build/bench-render"
runs=${RENDER_BENCH_RUNS:-5}
mkdir -p "$work"

if ! command -v tmxrasterizer >/dev/null; then
  echo "render bench: tmxrasterizer is missing (scripts/install-deps.sh --bench installs tiled)" >&2
  exit 1
fi

# The map twice: as a .map for quarl-map, as a .tmx with the sheet as a PNG
# tileset for tmxrasterizer. Every cell a plain tile, spread over the sheet.
convert "$game/tiles.bmp" "$work/tiles.png"
python3 - "$work" <<'PY'
import struct, sys, zlib
work = sys.argv[1]
tiles = [((x * 7 + y * 13) * 31) % 4000 for y in range(256) for x in range(256)]
name = b"bench"
body = struct.pack("<HHBBBBBBBBBBHBB", 256, 256, 32, 10, 2, 0, 1, 2, 3, 1, 0, 1, 0, 12, 0)
body += bytes(2) + bytes(2) + struct.pack("<H", len(name)) + name + struct.pack("<H", 0)
header_length = 1 + len(body) + 1 + 2
raw = struct.pack("<HHB", 0x4278, header_length, 3) + body + bytes([0])
with open(f"{work}/bench.map", "wb") as f:
    f.write(raw + zlib.compress(struct.pack("<65536H", *tiles), 9))
rows = ",\n".join(",".join(str(t + 1) for t in tiles[y * 256:(y + 1) * 256]) for y in range(256))
with open(f"{work}/bench.tmx", "w") as f:
    f.write(f"""<?xml version="1.0" encoding="UTF-8"?>
<map version="1.8" orientation="orthogonal" renderorder="right-down" width="256" height="256" tilewidth="16" tileheight="16" infinite="0" nextlayerid="2" nextobjectid="1">
 <tileset firstgid="1" name="tiles" tilewidth="16" tileheight="16" tilecount="4000" columns="40">
  <image source="tiles.png" width="640" height="1600"/>
 </tileset>
 <layer id="1" name="cells" width="256" height="256">
  <data encoding="csv">
{rows}
</data>
 </layer>
</map>
""")
PY

# Best wall-clock time of $runs runs of a command, in milliseconds.
best_ms() {
  local best=
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    local ms=$(( (end - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}

export QT_QPA_PLATFORM=offscreen
ours=$(best_ms "$quarl_map" render "$work/bench.map" "$work/quarl.png" --game "$game")
theirs=$(best_ms tmxrasterizer "$work/bench.tmx" "$work/tmx.png")
# The two pictures should be the same pixels.
differ=$(compare -metric AE "$work/quarl.png" "$work/tmx.png" null: 2>&1 || true)
echo "render 4096x4096 (best of $runs): quarl-map render ${ours} ms, tmxrasterizer ${theirs} ms," \
     "ratio $(awk -v a="$theirs" -v b="$ours" 'BEGIN { printf "%.1f", (b > 0) ? a / b : 0 }')x" \
     "(pixels differing: $differ)"
