#!/bin/bash
# The README's picture of the Heart: run inside xvfb-run, it starts the game
# at the Heart's entrance (the player invulnerable), walks east along the
# high passage and down into the arena to its east wall so the fight
# starts, waits for the west cells' chain and takes a screenshot with the game's own key,
# Print Screen; then ends the game. The picture lands in
# OUT/docs/My Games/Quenholt/Screenshots.
#   xvfb-run -a -s "-screen 0 1024x900x24" bash scripts/heart-screenshot.sh \
#     "$PWD/build/quenholt" "$PWD/build/world" /tmp/shots
set -u
GAME=$1
WORLD=$2
OUT=$3
export XDG_DOCUMENTS_DIR=$OUT/docs
mkdir -p "$XDG_DOCUMENTS_DIR"
cd "$WORLD"
"$GAME" cemetery_heart.lvl -god --windowed > "$OUT/game.log" 2>&1 &
PID=$!
sleep 20
WIN=$(xdotool search --pid $PID | head -1)
echo "window $WIN"
xdotool windowactivate --sync $WIN 2>/dev/null || xdotool windowfocus $WIN
sleep 1
# East ("D", the default binding) along the passage, off its end onto the
# step inside the west wall, down to the arena's floor and across it to the
# east wall; the gates shut and the west wall's cells wake.
xdotool keydown --window $WIN d; sleep 3.2; xdotool keyup --window $WIN d
# The camera shake, then the west cells' chain grows toward the Warden.
sleep 6
xdotool key Print; sleep 3
kill $PID
wait $PID
ls -R "$OUT/docs"
