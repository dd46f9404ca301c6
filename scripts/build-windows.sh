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

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "build-windows: installing ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# wine32 is an i386 package: the architecture must be known to dpkg first.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
install_missing cmake ninja-build dpkg-dev liblcms2-dev nlohmann-json3-dev libcli11-dev googletest libgs-common \
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine32 wine64

# LittleCMS for Windows is compiled from Debian's own source package.
lcms_root="$out/src"
lcms_dir=$(ls -d "$lcms_root"/lcms2-*/ 2>/dev/null | head -n1 || true)
if [ -z "$lcms_dir" ]; then
  if ! apt-get source --print-uris lcms2 >/dev/null 2>&1; then
    echo "build-windows: enabling Debian's source packages"
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "$codename" "$codename" | $sudo tee /etc/apt/sources.list.d/vendrel-debian-src.sources >/dev/null
    $sudo apt-get update -qq
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
      echo "build-windows: x86: the 32-bit run-time tests were not run: this machine runs no 32-bit programs ($wine32 --version: ${why_no_32bit:-fails})"
    else
      ctest --test-dir "$build" --output-on-failure
    fi
    WINEPREFIX="$build/wineprefix" wineserver -k 2>/dev/null || true # the tests' wine server, no longer needed
  fi
}

# Some kernels run no 32-bit Linux programs; wine's 32-bit loader is one.
wine32=/usr/lib/wine/wine
runs_32bit_programs() {
  why_no_32bit=$("$wine32" --version 2>&1 >/dev/null) && return 0
  why_no_32bit=${why_no_32bit##*: } # the system's reason, such as "Exec format error"
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
