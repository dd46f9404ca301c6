#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVENDREL_FUZZ=ON \
  -DVENDREL_TESTS=OFF -DVENDREL_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzz_targets
for target in build-fuzz/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  corpus="build-fuzz/corpus/$(basename "$target")"
  mkdir -p "$corpus"
  echo "fuzz: $(basename "$target") for ${seconds}s"
  seeds="fuzz/seeds/$(basename "$target")"
  [ -d "$seeds" ] || seeds=""
  "$target" -max_total_time="$seconds" -print_final_stats=0 "$corpus" $seeds 2>&1 | tail -n 2
done
