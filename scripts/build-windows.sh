#!/usr/bin/env bash
# Builds the Windows filter module and the vendrel command for 32-bit and 64-bit Windows with Debian's mingw-w64
# cross toolchains: DIR/x86 and DIR/x64 each receive Vendrel.8bf, vendrel.exe, the presets and the CMYK
# profile, and DIR holds one zip per architecture for users. Installs what is missing (the cross toolchains,
# wine for the tests, LittleCMS's Debian source package). With --test it also runs the Windows tests under
# wine, which compare vendrel.exe with the Linux command (built into build/ first when missing). The 64-bit
# tests run with wine64; on a machine whose kernel runs no 32-bit programs the 32-bit module is built and
# checked statically, and a line says its run-time tests were not run.
#   scripts/build-windows.sh [--test] [DIR]      (DIR defaults to build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."

run_tests=0
if [ "${1:-}" = "--test" ]; then
  run_tests=1
  shift
fi
out=${1:-build-windows}
mkdir -p "$out"
out=$(cd "$out" && pwd)

scripts/setup.sh --windows

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# LittleCMS for Windows is compiled from Debian's own source package.
lcms_root="$out/src"
lcms_dir=$(ls -d "$lcms_root"/lcms2-*/ 2>/dev/null | head -n1 || true)
if [ -z "$lcms_dir" ]; then
  if ! apt-get source --print-uris lcms2 >/dev/null 2>&1; then
    echo "build-windows: enabling Debian's source packages"
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "$codename" "$codename" | $sudo tee /etc/apt/sources.list.d/vendrel-debian-src.sources >/dev/null
    # An index of another architecture failing mid-sync does not stop this; a missing source index makes
    # apt-get source below fail, naming it.
    $sudo apt-get update -qq || echo "build-windows: not every package index could be updated" >&2
  fi
  mkdir -p "$lcms_root"
  (cd "$lcms_root" && apt-get source -qq lcms2 >/dev/null)
  lcms_dir=$(ls -d "$lcms_root"/lcms2-*/ | head -n1)
fi

build_arch() { # name toolchain-cpu
  local name=$1 cpu=$2 build="$out/build-$1"
  local launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-$cpu.cmake" -DVENDREL_LCMS2_SOURCE_DIR="$lcms_dir" \
    -DVENDREL_LINUX_COMMAND="$PWD/build/vendrel" >/dev/null
  cmake --build "$build" -j "$(nproc)"
  rm -rf "${out:?}/$name"
  mkdir -p "$out/$name"
  cp "$build/Vendrel.8bf" "$build/vendrel.exe" "$build/default_cmyk.icc" "$out/$name/"
  cp -r presets "$out/$name/presets"
  (cd "$out" && rm -f "vendrel-windows-$name.zip" && cmake -E tar cf "vendrel-windows-$name.zip" --format=zip "$name")
  if [ "$run_tests" = 1 ]; then
    if [ "$name" = x86 ] && ! runs_32bit_programs; then
      # The module is still built and its files checked; only the tests that run Windows programs are left out.
      ctest --test-dir "$build" --output-on-failure -L static
      echo "build-windows: x86: the 32-bit run-time tests were not run: $why_no_32bit"
    else
      ctest --test-dir "$build" --output-on-failure
    fi
    WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null || true # the tests' wine server, no longer needed
  fi
}

# Some kernels run no 32-bit Linux programs; wine's 32-bit loader is one. It may also be missing, when the
# package mirror could not offer wine32 (scripts/setup.sh says so).
wine32=/usr/lib/wine/wine
runs_32bit_programs() {
  if [ ! -e "$wine32" ]; then
    why_no_32bit="wine32 is not installed ($wine32 is missing)"
    return 1
  fi
  local reason
  reason=$("$wine32" --version 2>&1 >/dev/null) && return 0
  why_no_32bit="this machine runs no 32-bit programs ($wine32 --version: ${reason##*: })" # such as "Exec format error"
  return 1
}

# The tests compare vendrel.exe with the Linux command on the same inputs.
if [ "$run_tests" = 1 ] && [ ! -x build/vendrel ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build --target vendrel -j "$(nproc)"
fi

build_arch x86 i686
build_arch x64 x86_64
echo "build-windows: $out/x86, $out/x64, $out/vendrel-windows-x86.zip, $out/vendrel-windows-x64.zip"
