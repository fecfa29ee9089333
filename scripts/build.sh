#!/usr/bin/env bash
# Configures and builds into a build folder (default: build). Incremental.
#   scripts/build.sh [BUILD_DIR] [extra cmake args...]
# TWINWORLDS_TARGETS="a b" builds only those targets (default: everything).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}; shift || true
# ccache keys on paths relative to the checkout, so every clone and worktree
# of the project shares one cache. Its settings go into the build folder's
# launcher, so that whatever builds there (cpack, ctest, an editor) compiles
# the same way and makes the same bytes.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  ccache_env="env;CCACHE_BASEDIR=$PWD;CCACHE_NOHASHDIR=1;ccache"
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER="$ccache_env" -DCMAKE_C_COMPILER_LAUNCHER="$ccache_env")
fi
# A build folder configured before the package took the install prefix
# (then /usr/local by default, now /usr) and ccache's settings went into the
# launcher: configured again, as it would be made now.
if [ -f "$dir/CMakeCache.txt" ] && ! grep -q '^TWINWORLDS_INSTALL_BINDIR:' "$dir/CMakeCache.txt"; then
  again=("${launcher[@]}")
  if grep -q '^CMAKE_INSTALL_PREFIX:PATH=/usr/local$' "$dir/CMakeCache.txt"; then again+=(-DCMAKE_INSTALL_PREFIX=/usr); fi
  cmake "$dir" "${again[@]}" >/dev/null
fi
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
fi
targets=()
for t in ${TWINWORLDS_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
