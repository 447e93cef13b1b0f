#!/bin/bash
# The README's picture of Hive Hollow's reward alcove: run inside xvfb-run, it
# copies the built world into OUT, writes cave_02.lvl there anew with one start
# point more, "look", on the ledge at the alcove's gate (the level's own start
# points lie on the hollow's floor or inside the reward's trigger), starts the
# game there (the player invulnerable) and takes screenshots with the game's
# own key, Print Screen, from the moment the window shows, before the hive
# heads' first insects; then ends the game. The pictures land in
# OUT/docs/My Games/Quenholt/Screenshots.
#   xvfb-run -a -s "-screen 0 1024x900x24" bash scripts/cave-alcove-screenshot.sh \
#     "$PWD/build" /tmp/shots
set -u
BUILD=$1
OUT=$2
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
source "$SOURCE/scripts/screenshot-common.sh"
copy_world "$BUILD" "$OUT" "$SOURCE"
echo "place    Point_PlayerStart          look             24 12          name=look" >> "$OUT/levels/cave_02.lvd"
"$BUILD/tools/levelgen" "$OUT/world/levels" "$SOURCE/data/art" "$OUT/levels" || exit 1
export XDG_DOCUMENTS_DIR=$OUT/docs
mkdir -p "$XDG_DOCUMENTS_DIR"
(cd "$OUT/world" && exec "$BUILD/quenholt" cave_02.lvl "-god 1" --windowed "-setdefaultspawner look" > "$OUT/game.log" 2>&1) &
PID=$!
WIN=""
for _ in $(seq 1 300); do
    WIN=$(xdotool search --pid $PID 2>/dev/null | head -1)
    [ -n "$WIN" ] && break
    sleep 0.1
done
xdotool windowactivate --sync "$WIN" 2>/dev/null || xdotool windowfocus "$WIN"
# The first pictures may still be the loading screen; the level shows within
# a second or two.
for _ in $(seq 1 8); do
    xdotool key Print
    sleep 0.4
done
kill $PID
wait $PID
ls -R "$OUT/docs"
