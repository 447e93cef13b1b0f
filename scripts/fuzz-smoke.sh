#!/usr/bin/env bash
# The fuzz programs' smoke test: builds them with clang in their own folder,
# configured as `make fuzz` configures it (scripts/configure-fuzz.sh), and
# runs every one for a few seconds from fresh seeds in a folder of its own,
# through the fuzz build's ctest (label "fuzz").
# Fails when a program does not build or run, or anything is found.
#   fuzz-smoke.sh [build folder (build-fuzz)] [seconds per target (3)]
# Exits 77 (skipped) when clang is not installed.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-fuzz}
seconds=${2:-3}
jobs=${FUZZ_BUILD_JOBS:-3}

if ! command -v clang++ >/dev/null || ! command -v clang >/dev/null; then
  echo "fuzz smoke test skipped: clang is not installed (scripts/install-deps.sh installs it)"
  exit 77
fi
bash "$root/scripts/configure-fuzz.sh" "$build" "-DQUENHOLT_FUZZ_SMOKE_SECONDS=$seconds" >/dev/null
cmake --build "$build" -j "$jobs" --target quenholt_fuzz_all
cd "$build" && ctest -L fuzz --output-on-failure
