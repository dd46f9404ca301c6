#!/usr/bin/env bash
# Installs the Debian packages Vendrel needs. Idempotent.
#   scripts/setup.sh           what the command, the filter module and the bundled example need
#   scripts/setup.sh --tests   that, and what the tests need besides: GoogleTest, GIMP (the GIMP plug-in and its
#                              tests), GTK 2 (the dialog window the command shows on a display), wine and the
#                              mingw-w64 toolchains (the Windows build and its tests), clang (the fuzz targets),
#                              OpenCV and the vips command (the benchmarks), clang-format and codespell
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libboost-filesystem-dev
  liblcms2-dev libgs-common
  libvips-dev libzip-dev libpng-dev
  nlohmann-json3-dev libcli11-dev
  fonts-dejavu-core
)
test_packages=(
  git dpkg-dev
  clang libclang-rt-14-dev clang-format codespell
  libgtest-dev libgmock-dev googletest
  libjpeg62-turbo-dev
  libopencv-dev libvips-tools
  gimp gtk2-engines-pixbuf libgimp2.0-dev libgtk2.0-dev xvfb xauth xdotool
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine32 wine64
)

tests=0
case "${1:-}" in
  "") ;;
  --tests) tests=1 ;;
  *)
    echo "usage: scripts/setup.sh [--tests]" >&2
    exit 2
    ;;
esac

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

if ((tests)); then
  packages+=("${test_packages[@]}")
  # wine32 is an i386 package: the architecture must be known to dpkg before apt looks for it.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "setup: every package is installed"
fi
