#!/usr/bin/env bash
# Installs what the tests need, then builds and runs every test twice: a plain optimised build, then a build
# under AddressSanitizer and UndefinedBehaviorSanitizer. Then builds the Windows modules and runs their tests
# under wine, runs each fuzz target briefly, and checks formatting and spelling.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

# What the tests need besides the command's own packages (scripts/setup.sh installs those).
scripts/setup.sh --tests

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVENDREL_SANITIZE=ON -DVENDREL_BENCH=OFF >/dev/null
cmake --build build-sanitize -j "$jobs"
# use_tls=0: at the exit of a command that loaded libvips with dlopen in the middle of its run (a PNG read, then a
# JPEG written), the leak checker's walk of the threads' dynamic thread-local storage meets a block at a nonsense
# address and crashes ("Tracer caught signal 11"); it leaves thread-local storage unscanned, and what libraries
# hold only there is suppressed (tests/lsan.supp) without a word on stderr, which the tests read.
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:use_tls=0:print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

# The Windows module and host for both architectures, cross-built, with their tests run under wine.
scripts/build-windows.sh --test build-windows

if [ "${VENDREL_SKIP_FUZZ:-0}" != 1 ]; then
  scripts/fuzz.sh 10
fi

# Formatting and spelling, as clang-format and codespell see them.
scripts/check-format.sh
