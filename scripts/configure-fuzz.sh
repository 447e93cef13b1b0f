#!/usr/bin/env bash
# Configures the fuzz build, the one way `make fuzz` and `make fuzz-smoke`
# both use: clang, RelWithDebInfo, libFuzzer, -Werror. With the same flags,
# the second of the two rebuilds nothing the first built.
#   configure-fuzz.sh <build folder> [more cmake arguments...]
# Exits 77 when clang is not installed.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?build folder}
shift

if ! command -v clang++ >/dev/null || ! command -v clang >/dev/null; then
  echo "the fuzz build needs clang, which is not installed (scripts/install-deps.sh installs it)" >&2
  exit 77
fi
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENHOLT_FUZZ=ON \
  -DQUENHOLT_BENCH=OFF -DQUENHOLT_WERROR=ON "$@"
