#!/usr/bin/env bash
# Builds one target quietly: the whole output goes to a log, the terminal gets
# one line each time the build advances by a few percent, and the total time.
#   build-with-progress.sh <build folder> <target> <jobs> <log> [step percent]
# Exits with the build's own status.
set -uo pipefail

build=${1:?build folder}
target=${2:?target}
jobs=${3:-4}
log=${4:?log file}
step=${5:-5}

start=$(date +%s)
# Make's "[ 42%]" and Ninja's "[12/345]" both give the share done.
cmake --build "$build" --target "$target" -j "$jobs" 2>&1 | tee -a "$log" | awk -v step="$step" '
  {
    percent = -1
    if (match($0, /^\[ *[0-9]+%\]/)) {
      percent = substr($0, RSTART + 1, RLENGTH - 3) + 0
    } else if (match($0, /^\[[0-9]+\/[0-9]+\]/)) {
      split(substr($0, RSTART + 1, RLENGTH - 2), part, "/")
      if (part[2] > 0) percent = int(100 * part[1] / part[2])
    }
    if (percent >= 0 && percent >= shown + step) {
      shown = percent - percent % step
      printf "  build %3d%%\n", shown
      fflush()
    }
  }
  BEGIN { shown = 0 }'
status=${PIPESTATUS[0]}
elapsed=$(( $(date +%s) - start ))
printf '  build %s in %dm%02ds\n' "$([ "$status" -eq 0 ] && echo done || echo failed)" $((elapsed / 60)) $((elapsed % 60))
exit "$status"
