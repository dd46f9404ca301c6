#!/usr/bin/env bash
# Builds the command and the filter module, then flats the bundled line art with a bundled palette.
set -euo pipefail
cd "$(dirname "$0")/.."

# A release build of its own, without the tests and benchmarks (whose packages scripts/setup.sh --tests installs).
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVENDREL_TESTS=OFF -DVENDREL_BENCH=OFF >/dev/null
cmake --build build-release --target vendrel vendrel_module

mkdir -p out
build-release/vendrel run examples/lineart.png -o out/lineart-flat.png --tolerance 40 --palette "Flatting 24.aco"
echo "example: the filled line art is in $(pwd)/out/lineart-flat.png (the original: examples/lineart.png)"
