#!/usr/bin/env bash
# Sets everything up, builds, and runs every test: once in a normal build,
# once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# A build folder that scripts/play.sh made before the tests' libraries were
# installed is configured again, so that it finds them.
if [ -f build/CMakeCache.txt ]; then cmake build > /dev/null; fi
bash scripts/build.sh build
(cd build && ctest --output-on-failure --timeout 300 -j "$(nproc)")
# The browser build, and the same games replayed in headless Chromium.
bash scripts/web.sh test
if [ "${TWINWORLDS_SKIP_SANITIZE:-0}" != 1 ]; then
  bash scripts/build.sh build-asan -DTWINWORLDS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
  (cd build-asan && ctest --output-on-failure --timeout 300 -j "$(nproc)")
fi
# The parsers fuzzed briefly; scripts/fuzz.sh 1800 is the long run.
if command -v clang-14 >/dev/null || command -v clang >/dev/null; then
  bash scripts/fuzz.sh 15
fi
