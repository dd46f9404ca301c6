#!/usr/bin/env bash
# Builds the command and the filter module, then flats the bundled line art with a bundled palette.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVENDREL_BENCH=OFF >/dev/null
cmake --build build --target vendrel

mkdir -p out
build/vendrel run examples/lineart.png -o out/lineart-flat.png --tolerance 40 --palette "Flatting 24.aco"
echo "example: the filled line art is in $(pwd)/out/lineart-flat.png (the original: examples/lineart.png)"
