#!/usr/bin/env bash
# Runs every fuzz program of a fuzz build folder for a set time, a few at once.
#   run-fuzz.sh <build folder> <seconds per target> <parallel jobs> [target...]
# Seeds are written fresh by quenholt_fuzz_seeds; each target's corpus grows
# in <work>/corpus/<target>/ across runs, and every crash, hang, leak or
# sanitizer report is kept in <work>/findings/<target>/ (copy it into
# tests/data/regressions/<target>/ once the reader is mended). <work> is
# <build>/fuzz, or FUZZ_WORK when set (the smoke run uses a folder of its own).
# Fails when a target did not run or anything was found.
set -euo pipefail

build=${1:?build folder}
seconds=${2:-60}
jobs=${3:-3}
shift 3 || true

suppressions=$(cd "$(dirname "$0")/.." && pwd)/tests/lsan.supp
dictionaries=$(cd "$(dirname "$0")/.." && pwd)/fuzz/dictionaries
programs=$(cd "$build/fuzz" && pwd)
work=${FUZZ_WORK:-$programs}
mkdir -p "$work"
cd "$work"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$programs"/fuzz_*; do
    targets+=("${program##*/fuzz_}")
  done
fi
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz program in $programs" >&2
  exit 1
fi

rm -rf seeds
"$programs/quenholt_fuzz_seeds" seeds >/dev/null
mkdir -p corpus findings logs

run_one() {
  local target=$1 seconds=$2
  mkdir -p "corpus/$target" "findings/$target"
  local seeds_dir="seeds/$target"
  [ -d "$seeds_dir" ] || seeds_dir=""
  # The words of a target's input (fuzz/dictionaries/<target>.dict) let the
  # fuzzer reach what lies behind them.
  local dict="$dictionaries/$target.dict" dict_option=""
  if [ -f "$dict" ]; then dict_option="-dict=$dict"; fi
  # One forked worker that goes on after a finding, so the whole time is
  # used; -close_fd_mask=3 keeps the readers' own messages out of the log
  # (the fuzzer's reports still come through).
  LSAN_OPTIONS="suppressions=$suppressions" "$programs/fuzz_$target" "corpus/$target" $seeds_dir \
    $dict_option -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -close_fd_mask=3 -artifact_prefix="findings/$target/" >"logs/$target.log" 2>&1 || true
  local runs findings
  runs=$(grep -oE '^#[0-9]+' "logs/$target.log" | tail -1 | tr -d '#')
  findings=$(find "findings/$target" -type f | wc -l)
  if [ -z "$runs" ]; then
    printf '%-26s did not run (see %s)\n' "$target" "$PWD/logs/$target.log"
    touch "logs/$target.not-run"
    return 0
  fi
  printf '%-26s %12s executions %4d findings\n' "$target" "$runs" "$findings"
}
export -f run_one
export suppressions dictionaries programs

rm -f logs/*.not-run
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c "run_one {} $seconds"
total=$(find findings -type f | wc -l)
not_run=$(find logs -name '*.not-run' | wc -l)
echo "findings kept in $work/findings: $total; targets that did not run: $not_run"
[ "$total" -eq 0 ] && [ "$not_run" -eq 0 ]
