#!/usr/bin/env bash
# Fails on any C or C++ file of the project that clang-format would change, and on spelling errors that codespell
# finds in code and docs. Words it would take for errors but that are the system's own (texts the filter shows,
# four-character codes, names of the interface) are listed in .codespell-words.
#   scripts/check-format.sh          check
#   scripts/check-format.sh --fix    reformat the files clang-format would change (spelling is fixed by hand)
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' '*.c')
mapfile -t texts < <(git ls-files --cached --others --exclude-standard |
  grep -vE '\.(png|jpg|tif|aco|icc|8bf|bin|gz)$|^fuzz/seeds/|^examples/.*\.(png|jpg)$')

if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${sources[@]}"
  exit 0
fi

status=0
if ! clang-format --dry-run --Werror "${sources[@]}"; then
  echo "check-format: the files above differ from .clang-format (scripts/check-format.sh --fix reformats them)" >&2
  status=1
fi
if ! codespell --ignore-words .codespell-words "${texts[@]}"; then
  echo "check-format: codespell found the spelling errors above" >&2
  status=1
fi
[ "$status" -eq 0 ] && echo "check-format: formatting and spelling are clean"
exit "$status"
