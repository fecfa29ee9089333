#!/usr/bin/env bash
# The browser build: emscripten into build-web/web/ (the page, its script,
# the wasm, the game data), its tests in headless Chromium, or a local server.
#   scripts/web.sh build     the native build (for the game data), then the web one
#   scripts/web.sh test      build, then the browser tests; ends "N passed, M failed"
#   scripts/web.sh measure   build, then the load and speed figures (a benchmark)
#   scripts/web.sh serve     build, then serve build-web/web/ on 127.0.0.1:8000 (gzip, cache headers)
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-build}

bash scripts/setup.sh web
# The synthesizer and the test driver, from the lock file; the driver uses
# Debian's chromium, so no browser is downloaded.
if ! cmp -s web/package-lock.json web/node_modules/.installed-lock.json 2>/dev/null; then
  (cd web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error &&
    cp package-lock.json node_modules/.installed-lock.json)
fi

# Debian's emscripten: its JavaScript optimiser finds its modules only
# through NODE_PATH when the node on PATH is not Debian's own.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
bash scripts/build.sh build
# A build folder from before the browser's backend was so named.
if grep -qs '^TWINWORLDS_BACKEND:STRING=web$' build-web/CMakeCache.txt; then
  cmake -B build-web -DTWINWORLDS_BACKEND=browser >/dev/null
fi
if [ ! -f build-web/CMakeCache.txt ]; then
  emcmake cmake -S . -B build-web -DTWINWORLDS_BACKEND=browser -DCMAKE_BUILD_TYPE=Release \
    -DTWINWORLDS_GAME_DATA="$PWD/build/game" >/dev/null
fi
cmake --build build-web -j "$(nproc)"

case $what in
  build) ;;
  test) node web/test/browser_test.mjs ;;
  # The load over a throttled network, the bundle's sizes and the speed
  # against native: figures, not a pass or fail (not part of CI).
  measure) node web/test/browser_test.mjs --measure ;;
  serve)
    # gzip and cache headers, as a static host would send them.
    exec node web/serve.mjs build-web/web 8000 ;;
  *) echo "usage: scripts/web.sh build|test|measure|serve" >&2; exit 2 ;;
esac
