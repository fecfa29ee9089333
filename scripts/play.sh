#!/usr/bin/env bash
# Sets everything up, builds only what the game needs (the game, its data and
# the map viewer), and starts it; it finds its data beside itself.
#   scripts/play.sh [game options...]     e.g. scripts/play.sh --window --scale 2
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh play
TWINWORLDS_TARGETS="twinworlds twinworlds-map game_data" bash scripts/build.sh build
exec build/twinworlds "$@"
