#!/bin/bash
# The README's cave fight picture: run inside xvfb-run, it starts the game in
# Hive Hollow (the player invulnerable), walks east through the arena's
# doorway so the heads start, waits for their first insects and takes a
# screenshot with the game's own key, Print Screen; then ends the game. The
# picture lands in OUT/docs/My Games/Quenholt/Screenshots.
#   xvfb-run -a -s "-screen 0 1024x900x24" bash scripts/cave-fight-screenshot.sh \
#     "$PWD/build/quenholt" "$PWD/build/world" /tmp/shots
set -u
GAME=$1
WORLD=$2
OUT=$3
export XDG_DOCUMENTS_DIR=$OUT/docs
mkdir -p "$XDG_DOCUMENTS_DIR"
cd "$WORLD"
"$GAME" cave_02.lvl "-god 1" --windowed > "$OUT/game.log" 2>&1 &
PID=$!
sleep 20
WIN=$(xdotool search --pid $PID | head -1)
echo "window $WIN"
xdotool windowactivate --sync $WIN 2>/dev/null || xdotool windowfocus $WIN
sleep 1
# East ("D", the default binding) through the doorway, to the middle of
# the hollow.
xdotool keydown --window $WIN d; sleep 1.5; xdotool keyup --window $WIN d
# The camera shake, then 150 frames before the first insects.
sleep 9
xdotool key Print; sleep 3
kill $PID
wait $PID
ls -R "$OUT/docs"
