#!/bin/bash
# The README's pictures of the areas (and of the pause menu over the Dock): run
# inside xvfb-run, it starts the game in each level (the player invulnerable),
# presses the keys listed for it (a key held for a moment where a menu must see
# it) and takes screenshots with the game's own key, Print Screen; then ends
# the game.
# The pictures land in OUT/<level>/docs/My Games/Quenholt/Screenshots.
#   xvfb-run -a -s "-screen 0 1024x900x24" bash scripts/area-screenshots.sh \
#     "$PWD/build/quenholt" "$PWD/build/world" /tmp/shots
set -u
GAME=$1
WORLD=$2
OUT=$3
source "$(dirname "$0")/screenshot-common.sh"

# shoot LEVEL KEYS...: starts the game in LEVEL and presses KEYS (press_keys).
shoot() {
    local level=$1
    shift
    export XDG_DOCUMENTS_DIR=$OUT/$level/docs
    mkdir -p "$XDG_DOCUMENTS_DIR"
    (cd "$WORLD" && exec "$GAME" "$level" "-god 1" --windowed > "$OUT/$level/game.log" 2>&1) &
    local pid=$!
    sleep 15
    local win
    win=$(xdotool search --pid "$pid" | head -1)
    xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
    sleep 1
    PRINT_PAUSE=1.5 press_keys "$win" "$@"
    kill "$pid"
    wait "$pid"
}

# The Dock, then its pause menu's Options page over it.
shoot Boat_TP_1.lvl P Escape:0.2 sleep:1 Down:0.2 sleep:0.5 Return:0.2 sleep:1 P
shoot snow_tp.lvl P
shoot bibli_TP.lvl P
# East from the Sunken Dock into the Drowned Nave: the Warden in the water.
shoot underwater_TP.lvl d:7 sleep:6 P
# The Shade's greeting, read through.
shoot cemetery_crypt.lvl space sleep:1.5 space sleep:1.5 space sleep:1.5 space sleep:2 P
# The Heart's passage, then east along it and down into the arena to its
# east wall: the gates shut and the west wall's cells send their chain at
# the Warden (the Heart's fight picture).
shoot cemetery_heart.lvl P d:3.2 sleep:6 P
# Down into the Bow's arena; the beast's arm comes for the Warden.
shoot boat_02.lvl a:0.8 sleep:7 P sleep:2 P sleep:2 P sleep:2 P
# Into the Timber Yard: the giant drops onto the floor (the first picture).
shoot snow_02.lvl d:1.2 sleep:3 P
# Into the Glacier Throat: the sentinel has woken from its ice when the
# Warden stops before it.
shoot snow_03.lvl a:1.45 sleep:2 P
# Back along the Stern to the captain; a jump brings the Warden level with
# its coat skirts, which raise their cutlasses.
shoot boat_03.lvl a:0.6 sleep:12 space sleep:1 P
find "$OUT" -name '*.jpg' | sort
