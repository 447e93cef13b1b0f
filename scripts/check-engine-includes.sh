#!/usr/bin/env bash
# Fails, naming each file and line, when a file under ROOT/engine includes a
# header from outside engine/ by a quoted path: the engine sits below the game
# and knows nothing above it (scene, game, characters, zones and the rest).
# System and library headers come in angle brackets and are not checked.
set -euo pipefail
root="${1:-$(dirname "$0")/..}"
if [ ! -d "$root/engine" ]; then
  echo "no engine folder under $root"
  exit 2
fi
found=$(grep -rnE --include='*.h' --include='*.cpp' --include='*.inl' \
  '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$root/engine" \
  | grep -vE '#[[:space:]]*include[[:space:]]*"engine/' || true)
# Angle-bracket includes of the game's own folders are just as wrong.
found_angle=$(grep -rnE --include='*.h' --include='*.cpp' --include='*.inl' \
  '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(scene|game|characters|zones|script|ui|enemies|bosses|tools)/' \
  "$root/engine" || true)
if [ -n "$found$found_angle" ]; then
  [ -n "$found" ] && echo "$found"
  [ -n "$found_angle" ] && echo "$found_angle"
  echo "engine files may include only engine/ headers (and system headers)"
  exit 1
fi
echo "engine includes nothing above it"
