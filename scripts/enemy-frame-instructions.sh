#!/usr/bin/env bash
# Instructions per enemy frame under callgrind: the benchmark's frame
# function (EnemyFrameOnce: every live character updated, then recorded) is
# the only code counted, and its instructions are divided by its calls, so
# the warm-up frames count as much as the measured ones and the figure does
# not depend on the iterations the benchmark chose.
#
#   scripts/enemy-frame-instructions.sh [BENCH_BUILD] [ENEMIES...]
#
# BENCH_BUILD (default build-bench) holds a built quenholt_bench; ENEMIES
# (default 200 2000 20000) are the cases of BM_EnemyFrame. Prints one line
# per case: enemies, frames counted, instructions per frame. Needs valgrind
# (`bash scripts/install-deps.sh valgrind` installs it); stops, saying so,
# without it.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
if ! command -v valgrind >/dev/null; then
  echo "this needs valgrind, which the build does not: bash scripts/install-deps.sh valgrind" >&2
  exit 1
fi
build="$(cd "${1:-$root/build-bench}" && pwd)"
shift || true
cases=("$@")
[ ${#cases[@]} -gt 0 ] || cases=(200 2000 20000)
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

for enemies in "${cases[@]}"; do
  valgrind --tool=callgrind --callgrind-out-file="$out/callgrind.$enemies" \
    --compress-strings=no --collect-atstart=no --toggle-collect='*EnemyFrameOnce*' \
    "$build/quenholt_bench" --benchmark_filter="BM_EnemyFrame/$enemies\$" \
    --benchmark_min_time=0 > "$out/bench.$enemies" 2> "$out/valgrind.$enemies"
  # The calls of the frame function: the "calls=" line after each line that
  # names it as the called function.
  frames=$(awk '/^cfn=.*EnemyFrameOnce/ { named = 1; next }
                named && /^calls=/ { split($1, c, "="); total += c[2]; named = 0; next }
                { named = 0 }
                END { print total + 0 }' "$out/callgrind.$enemies")
  instructions=$(awk '/^summary:/ { print $2 }' "$out/callgrind.$enemies")
  if [ "$frames" -gt 0 ]; then
    echo "$enemies enemies: $frames frames, $((instructions / frames)) instructions per frame"
  else
    echo "$enemies enemies: no frame counted (see $out)" >&2
    trap - EXIT
    exit 1
  fi
done
