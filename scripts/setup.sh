#!/usr/bin/env bash
# Installs the Debian packages a task needs. Quick when everything is there
# already.
#   scripts/setup.sh play    building and playing: the compiler, the libraries,
#                            Unifont (to cut the glyph sheet) and the soundfont
#   scripts/setup.sh         also the tests' (scripts/test.sh)
#   scripts/setup.sh web     also the browser build's and its tests'
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config ccache
  libsdl2-dev libfluidsynth-dev libpng-dev zlib1g-dev nlohmann-json3-dev
  unifont timgm6mb-soundfont libpugixml-dev
)
if [ "${1:-}" != play ]; then
  PACKAGES+=(
    libgtest-dev libgmock-dev libbenchmark-dev python3
    xvfb xdotool x11-utils xclip openbox tiled
    clang-14 libclang-rt-14-dev
    dpkg-dev desktop-file-utils appstream lintian reuse
  )
fi
if [ "${1:-}" = web ]; then
  PACKAGES+=(emscripten chromium firefox-esr)
  # Any node with its npm will do (the machine may carry another vendor's).
  command -v npm >/dev/null || PACKAGES+=(nodejs npm)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
