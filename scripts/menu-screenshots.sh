#!/bin/bash
# The README's menu pictures: run inside xvfb-run, it starts the game on the
# title, takes two screenshots with the game's own key, Print Screen (the
# title, then the key-mapping page), and ends the game. The pictures land in
# OUT/docs/My Games/Quenholt/Screenshots.
#   xvfb-run -a -s "-screen 0 1024x900x24" bash scripts/menu-screenshots.sh \
#     "$PWD/build/quenholt" "$PWD/build/world" /tmp/shots
set -u
GAME=$1
WORLD=$2
OUT=$3
export XDG_DOCUMENTS_DIR=$OUT/docs
mkdir -p "$XDG_DOCUMENTS_DIR"
cd "$WORLD"
"$GAME" --windowed > "$OUT/game.log" 2>&1 &
PID=$!
sleep 25
WIN=$(xdotool search --pid $PID | head -1)
echo "window $WIN"
xdotool windowactivate --sync $WIN 2>/dev/null || xdotool windowfocus $WIN
sleep 1
key() { xdotool key --window $WIN "$1"; sleep 1.5; }
xdotool key Print; sleep 3
key Down; key Return; key Down; key Down; key Down; key Return
sleep 2
xdotool key Print; sleep 3
kill $PID
wait $PID
ls -R "$OUT/docs"
