#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the fuzz targets and the benchmark need. Idempotent.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest
  libboost-filesystem-dev
  liblcms2-dev libgs-common
  libvips-dev libzip-dev libjpeg62-turbo-dev libpng-dev
  nlohmann-json3-dev libcli11-dev
  libopencv-dev
  fonts-dejavu-core
  gimp gtk2-engines-pixbuf libgimp2.0-dev xvfb xauth xdotool
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine32 wine64 dpkg-dev
)

# wine32 is an i386 package: the architecture must be known to dpkg before apt looks for it.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  if [ "$(id -u)" -eq 0 ]; then dpkg --add-architecture i386; else sudo dpkg --add-architecture i386; fi
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "setup: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "setup: every package is installed"
fi
