#!/usr/bin/env bash
# The suites that step the game (the whole run, the enemy, boss and world
# suites) with every core kept busy, ROUNDS times: play runs on the game's
# clock and the tests step it on the manual clock, so a loaded machine must
# give the same results as a quiet one. Fails on any failed test and on any
# difference between the rounds (the tests that ran and passed).
#
#   stress-tests.sh [BUILD_DIR] [ROUNDS]
#
# BUILD_DIR (default build-test) holds a built quenholt_tests and the world.
# The busy loops (STRESS_LOAD of them, default twice the cores) are started
# here and killed on every way out. Each round runs the suites in one test
# process (as the test program must pass run as one process): starved of CPU,
# ctest's per-test time-outs measure the machine, not the game.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build-test}" && pwd)"
rounds="${2:-3}"
load="${STRESS_LOAD:-$((2 * $(nproc)))}"

if [[ ! -x "$build/tests/quenholt_tests" ]]; then
    echo "stress-tests: no $build/tests/quenholt_tests: build the tests first" >&2
    exit 2
fi

# The suites, from the test sources, so that new ones join by themselves.
mapfile -t suites < <(
    grep -hoE '^TEST(_F|_P)?\(\w+' \
        "$root"/tests/enemies/*.cpp "$root"/tests/bosses/*.cpp \
        "$root"/tests/tools/World*Test.cpp "$root"/tests/game/*World*Test.cpp \
        | sed -E 's/.*\(//' | sort -u)
suites+=(WholeRun)
filter="$(printf '%s.*:' "${suites[@]}")"

busy=()
tests=""
stop_load() {
    [[ -n "$tests" ]] && kill "$tests" 2>/dev/null || true
    for pid in "${busy[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${busy[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    busy=()
}
work="$(mktemp -d)"
trap 'stop_load; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM

for ((i = 0; i < load; i++)); do
    (while :; do :; done) &
    busy+=("$!")
done
echo "stress-tests: $load busy loops on $(nproc) cores; ${#suites[@]} suites, $rounds rounds"

status=0
for ((round = 1; round <= rounds; round++)); do
    log="$work/round$round.log"
    echo "stress-tests: round $round (load: $(cut -d' ' -f1-3 /proc/loadavg))"
    start=$SECONDS
    # In the background and waited for, so that an interrupt reaches the
    # traps at once (bash runs them only between commands).
    (cd "$build/tests" && LSAN_OPTIONS="suppressions=$root/tests/lsan.supp" \
        exec ./quenholt_tests --gtest_filter="$filter") > "$log" 2>&1 &
    tests=$!
    if ! wait "$tests"; then
        status=1
    fi
    tests=""
    # The tests that passed, by name, and what the whole run reports.
    grep -oE '^\[       OK \] [^ ]+' "$log" | sed -E 's/.* //' | sort > "$work/passed$round" || true
    grep -E '^\[  (PASSED|FAILED) +\]|^\[ whole run \] [0-9]+ passes' "$log" | sed 's/^/    /' || true
    echo "    $((SECONDS - start)) s"
    if ((status != 0)); then
        grep -E -B2 -A20 'Failure|FAILED|ERROR' "$log" | head -200
        echo "stress-tests: round $round failed (full log: $log kept as $build/stress-round$round.log)"
        cp "$log" "$build/stress-round$round.log"
        exit 1
    fi
    if ((round > 1)) && ! diff -u "$work/passed1" "$work/passed$round"; then
        echo "stress-tests: round $round passed other tests than round 1"
        exit 1
    fi
done
echo "stress-tests: $rounds rounds passed alike ($(wc -l < "$work/passed1") tests each)"
