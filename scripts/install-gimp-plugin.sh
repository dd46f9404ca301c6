#!/usr/bin/env bash
# Installs the Vendrel filter into the user's GIMP 2.10: the plug-in program (as "vendrel"), the filter module
# and the presets go to ${GIMP2_DIRECTORY:-$HOME/.config/GIMP/2.10}/plug-ins/vendrel/. Builds them first when BUILD_DIR
# (default: the checkout's build) does not hold them yet; BUILD_DIR is taken relative to the caller's folder.
set -euo pipefail
build=$(realpath -m "${1:-$(dirname "$0")/../build}")
cd "$(dirname "$0")/.."

if [ ! -x "$build/vendrel-gimp" ] || [ ! -f "$build/Vendrel.8bf" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target vendrel-gimp vendrel_module -j "$(nproc)"
fi

target="${GIMP2_DIRECTORY:-$HOME/.config/GIMP/2.10}/plug-ins/vendrel"
mkdir -p "$target"
# GIMP runs the program of a plug-in folder that bears the folder's name.
install -m 755 "$build/vendrel-gimp" "$target/vendrel"
# Not executable: GIMP would take an executable module for a plug-in program of its own.
install -m 644 "$build/Vendrel.8bf" "$target/Vendrel.8bf"
rm -rf "$target/presets"
mkdir -p "$target/presets"
cp -r "presets/Color Swatches" "$target/presets/"
echo "installed into $target"
