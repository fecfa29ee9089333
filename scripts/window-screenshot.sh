#!/usr/bin/env bash
# Takes a screenshot of the real game window under a virtual X server, for a
# look at what a player sees (scaling, letterbox). Run from a game folder:
#   bash ../../scripts/window-screenshot.sh OUT.png [SCREEN_SIZE] [game options...]
set -euo pipefail
out=$1; shift
size=${1:-1280x1024}; shift || true
for p in x11-apps netpbm; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || {
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p" >/dev/null; }
done
here=$(dirname "$0")
xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
  "$0" "$@" --frames 200 &
  game=$!
  xdotool search --sync --name "twinworlds" >/dev/null
  sleep ${SHOT_DELAY:-1.2}
  xwd -root -silent > /tmp/twinworlds-window.xwd
  wait $game' "$(cd "$here/.." && pwd)/build/twinworlds" "$@"
xwdtopnm /tmp/twinworlds-window.xwd 2>/dev/null | pnmtopng > "$out"
echo "wrote $out"
