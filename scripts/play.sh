#!/usr/bin/env bash
# Sets everything up, builds, and starts the game from its game folder.
#   scripts/play.sh [game options...]     e.g. scripts/play.sh --window --scale 2
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh build
cd build/game
exec ../twinworlds "$@"
