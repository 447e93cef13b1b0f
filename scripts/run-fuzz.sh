#!/usr/bin/env bash
# Runs every fuzz program of a fuzz build folder for a set time, a few at once.
#   run-fuzz.sh <build folder> <seconds per target> <parallel jobs> [target...]
# Seeds are written fresh by quenholt_fuzz_seeds; each target's corpus grows
# in <build>/fuzz/corpus/<target>/ across runs, and every crash, hang, leak or
# sanitizer report is kept in <build>/fuzz/findings/<target>/ (copy it into
# tests/data/regressions/<target>/ once the reader is mended).
set -euo pipefail

build=${1:?build folder}
seconds=${2:-60}
jobs=${3:-3}
shift 3 || true

suppressions=$(cd "$(dirname "$0")/.." && pwd)/tests/lsan.supp
cd "$build/fuzz"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in fuzz_*; do
    targets+=("${program#fuzz_}")
  done
fi

rm -rf seeds
./quenholt_fuzz_seeds seeds >/dev/null
mkdir -p corpus findings logs

run_one() {
  local target=$1 seconds=$2
  mkdir -p "corpus/$target" "findings/$target"
  local seeds_dir="seeds/$target"
  [ -d "$seeds_dir" ] || seeds_dir=""
  # One forked worker that goes on after a finding, so the whole time is
  # used; -close_fd_mask=3 keeps the readers' own messages out of the log
  # (the fuzzer's reports still come through).
  LSAN_OPTIONS="suppressions=$suppressions" "./fuzz_$target" "corpus/$target" $seeds_dir \
    -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -close_fd_mask=3 -artifact_prefix="findings/$target/" >"logs/$target.log" 2>&1 || true
  local runs findings
  runs=$(grep -oE '^#[0-9]+' "logs/$target.log" | tail -1 | tr -d '#')
  findings=$(find "findings/$target" -type f | wc -l)
  printf '%-26s %12s executions %4d findings\n' "$target" "$runs" "$findings"
}
export -f run_one
export suppressions

printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c "run_one {} $seconds"
total=$(find findings -type f | wc -l)
echo "findings kept in $build/fuzz/findings: $total"
[ "$total" -eq 0 ]
