#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The game's stages through the real Tiled: our TMX maps and TSX tileset
# opened by Tiled itself (headless, under Xvfb) and written out as Tiled's
# JSON and as Tiled's own TMX, read back by twinworlds-map into the very
# stage files they came from.
#   real_tiled_test.sh TWINWORLDS_MAP GAME_FOLDER SCRATCH
# Exits 77 (skipped) only where Tiled or Xvfb is not installed
# (scripts/setup.sh installs both).
set -euo pipefail
map_tool=$(realpath "$1") game=$(realpath "$2") scratch=$(realpath -m "$3")
if ! command -v tiled >/dev/null || ! command -v xvfb-run >/dev/null; then
  echo "tiled or xvfb-run is not installed (scripts/setup.sh installs them): skipped"
  exit 77
fi
rm -rf "$scratch"
mkdir -p "$scratch/json"
cd "$scratch"
export XDG_RUNTIME_DIR=$scratch/runtime XDG_CONFIG_HOME=$scratch/config
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
# One X server for every export.
tiled_runs='
  tiled --export-map json world_a.tmx json/world_a.json &&
  tiled --embed-tilesets --export-map json world_b.tmx json/world_b.json &&
  tiled --export-map tmx world_b.tmx world_b.saved.tmx &&
  tiled --export-tileset json twinworlds.tsx json/twinworlds.tsj'

declare -A stage=([world_a]=stage/fai_kansei.txt [world_b]=stage/Magic1234.txt)
for w in world_a world_b; do "$map_tool" "$game/${stage[$w]}" "$w.tmx"; done
xvfb-run -a bash -c "$tiled_runs" 2>tiled.log || { cat tiled.log; exit 1; }

check() {  # a map as Tiled wrote it, and the stage file it must give
  "$map_tool" "$1" "$1.txt"
  cmp "$1.txt" "$game/$2"
  echo "$1: the same stage as $2"
}
check json/world_a.json "${stage[world_a]}"      # the tileset referred to, as our TSX
check json/world_b.json "${stage[world_b]}"      # the tileset embedded, as Tiled read it
check world_b.saved.tmx "${stage[world_b]}"      # the map as Tiled saves TMX
# The tileset as Tiled writes it in JSON (TSJ), referred to by our map.
sed 's/source="twinworlds.tsx"/source="json\/twinworlds.tsj"/' world_a.tmx >world_a.tsj-map.tmx
check world_a.tsj-map.tmx "${stage[world_a]}"
