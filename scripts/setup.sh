#!/usr/bin/env bash
# Installs the Debian packages Vendrel needs. Idempotent.
#   scripts/setup.sh           what the command, the filter module and the bundled example need
#   scripts/setup.sh --tests   that, and what the tests need besides: GoogleTest, GIMP (the GIMP plug-in and its
#                              tests), GTK 2 (the dialog window the command shows on a display), wine and the
#                              mingw-w64 toolchains (the Windows build and its tests), clang (the fuzz targets),
#                              OpenCV and the vips command (the benchmarks), clang-format and codespell
#   scripts/setup.sh --windows what the Windows build and its tests need (scripts/build-windows.sh runs it)
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
)
windows_packages=(
  cmake ninja-build dpkg-dev liblcms2-dev nlohmann-json3-dev libcli11-dev googletest libgs-common
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine64
)
# wine32 runs the 32-bit Windows tests, which only a kernel that runs 32-bit programs can run at all. Its i386
# libraries must be the very versions of the amd64 ones installed, which a mirror part-way through a sync cannot
# always offer: then the rest is installed without it, and the Windows build says that the tests it needs did not
# run.
windows_optional_packages=(wine32)

optional_packages=()
case "${1:-}" in
  "") ;;
  --tests)
    packages+=("${test_packages[@]}" "${windows_packages[@]}")
    optional_packages+=("${windows_optional_packages[@]}")
    ;;
  --windows)
    packages=("${windows_packages[@]}")
    optional_packages+=("${windows_optional_packages[@]}")
    ;;
  *)
    echo "usage: scripts/setup.sh [--tests | --windows]" >&2
    exit 2
    ;;
esac

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# wine32 is an i386 package: the architecture must be known to dpkg before apt looks for it.
if ((${#optional_packages[@]})) && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi

not_installed() {
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

# A mirror caught part-way through a sync fails an index now and then: try again, then go on with the indexes
# there are (an install that needs a missing one still fails, naming the package).
updated=0
update_indexes() {
  ((updated)) && return 0
  updated=1
  local attempt
  for attempt in 1 2 3; do
    $sudo apt-get update -qq && return 0
    ((attempt < 3)) && sleep $((attempt * 10))
  done
  echo "setup: not every package index could be updated; installing from those there are" >&2
}

install() {
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$@"
}

mapfile -t missing < <(not_installed "${packages[@]}")
mapfile -t missing_optional < <(not_installed "${optional_packages[@]}")

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  update_indexes
  install "${missing[@]}"
fi
if ((${#missing_optional[@]})); then
  echo "setup: installing ${missing_optional[*]}"
  update_indexes
  if ! install "${missing_optional[@]}"; then
    echo "setup: ${missing_optional[*]} could not be installed (above, apt says why); everything else is" >&2
  fi
fi
if ((${#missing[@]} + ${#missing_optional[@]} == 0)); then
  echo "setup: every package is installed"
fi
