#!/usr/bin/env bash
# Compiles every source of a configured build folder once more with clang,
# syntax only, with the build's own flags and -Werror: a warning that only
# clang gives fails here, naming the file and line.
#
#   check-clang-warnings.sh [BUILD_FOLDER] [JOBS]
#
# The folder needs compile_commands.json (every configure writes it).
set -euo pipefail
build="${1:-build-test}"
jobs="${2:-$(nproc)}"
if [ ! -f "$build/compile_commands.json" ]; then
  echo "no $build/compile_commands.json: configure the build first (make test does)"
  exit 2
fi
command -v clang++ > /dev/null || { echo "clang++ is missing: run scripts/install-deps.sh"; exit 2; }
python3 - "$build/compile_commands.json" "$jobs" <<'PY'
import concurrent.futures, json, shlex, subprocess, sys

# GCC's precompiled headers are no use to clang: their own compile entries
# are left out, and the other sources compile without them.
entries = [e for e in json.load(open(sys.argv[1])) if not e["file"].endswith("cmake_pch.hxx.cxx")]
def check(entry):
    args = shlex.split(entry["command"])
    # Keep the flags, drop the compiler, the output and the dependency files.
    kept, skip = [], False
    for arg, following in zip(args[1:], args[2:] + [""]):
        if skip:
            skip = False
            continue
        if arg in ("-o", "-MF", "-MT") or (arg == "-include" and following.endswith("cmake_pch.hxx")):
            skip = True
            continue
        if arg in ("-c", "-MD", "-Winvalid-pch") or arg == entry["file"]:
            continue
        kept.append(arg)
    cmd = ["clang++", *kept, "-fsyntax-only", "-Werror", entry["file"]]
    done = subprocess.run(cmd, cwd=entry["directory"], capture_output=True, text=True)
    return entry["file"], done.returncode, done.stderr

failed = 0
with concurrent.futures.ThreadPoolExecutor(int(sys.argv[2])) as pool:
    for name, code, err in pool.map(check, entries):
        if code != 0:
            failed += 1
            sys.stdout.write(err)
print(f"{len(entries) - failed} of {len(entries)} sources compile with clang without a warning")
sys.exit(1 if failed else 0)
PY
