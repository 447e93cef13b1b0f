#!/usr/bin/env bash
# The art recipes that scripts write must be what their scripts write now:
# a hand edit of the recipe (lost at the next run of the script) or a script
# changed without running it fails here.
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
status=0
for pair in "sentinel:snow_sentinel.txt" "captain:boat_captain.txt"; do
    script="$root/tools/art/${pair%%:*}.py"
    recipe="$root/data/art/${pair#*:}"
    if ! python3 "$script" | cmp -s - "$recipe"; then
        echo "$recipe: differs from what tools/art/${pair%%:*}.py writes; run: python3 tools/art/${pair%%:*}.py > data/art/${pair#*:}"
        status=1
    fi
done
exit $status
