#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang into build-fuzz/ and runs each
# for SECONDS, printing libFuzzer's final stats. Fails on any crash, leak,
# hang (5 s on one input) or sanitizer report; the input that did it is kept
# under build-fuzz/crashes/.
#   scripts/fuzz.sh SECONDS [TARGET...]      e.g. scripts/fuzz.sh 15 stage wave
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}; shift
cc=$(command -v clang-14 || command -v clang || true)
cxx=$(command -v clang++-14 || command -v clang++ || true)
if [ -z "$cc" ] || [ -z "$cxx" ]; then echo "fuzz: clang is not installed (scripts/setup.sh installs it)" >&2; exit 1; fi
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
if [ ! -f build-fuzz/CMakeCache.txt ]; then
  cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTWINWORLDS_FUZZ=ON \
    -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" "${launcher[@]}" >/dev/null
fi
cmake --build build-fuzz -j "$(nproc)"

targets=("$@")
if ((${#targets[@]} == 0)); then
  for exe in build-fuzz/tests/fuzz/fuzz_*; do targets+=("${exe##*/fuzz_}"); done
fi
# The game's own data, when a normal build has made it, seeds the fuzzers too.
declare -A game_data=([stage]=build/game/stage [bitmap]=build/game/image/stage1 [wave]=build/game/se
                      [mmio]=build/game/se [midi]=build/game/Sound)
mkdir -p build-fuzz/crashes
failed=()
for t in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$t
  mkdir -p "$corpus"
  seeds=(tests/fuzz/corpus/"$t")
  if [ -n "${game_data[$t]:-}" ] && [ -d "${game_data[$t]}" ]; then seeds+=("${game_data[$t]}"); fi
  echo "== fuzz_$t: $seconds s"
  log=build-fuzz/fuzz_$t.log
  # Messages of the parsers go to the closed stdout and stderr; libFuzzer and
  # the sanitizers keep their own copy of stderr for their reports.
  if build-fuzz/tests/fuzz/fuzz_"$t" "$corpus" "${seeds[@]}" -max_total_time="$seconds" -timeout=5 \
      -rss_limit_mb=2560 -print_final_stats=1 -close_fd_mask=3 \
      -artifact_prefix=build-fuzz/crashes/"$t"- >"$log" 2>&1; then
    grep -E '^(stat::|#[0-9]+\s+DONE)' "$log" || true
  else
    tail -n 40 "$log"
    failed+=("$t")
  fi
done
if ((${#failed[@]})); then
  echo "fuzz: FAILED: ${failed[*]} (inputs under build-fuzz/crashes/, logs build-fuzz/fuzz_*.log)" >&2
  exit 1
fi
echo "fuzz: every target passed"
