#!/usr/bin/env bash
# Fails, naming each file, when a C++ file of the tree does not follow .clang-format.
# With --fix it rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
# One call for the whole tree; clang-format names each file and line that differs.
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "some files are not formatted: run make format"
  exit 1
fi
