#!/bin/bash
# Helpers shared by the screenshot scripts (sourced, not run).

# copy_world BUILD OUT SOURCE: a copy of the built world and of the levels'
# descriptions in OUT, for a script to change a level there and build it
# anew with the level tool, leaving the build's own world as it was.
copy_world() {
    local build=$1 out=$2 source=$3
    mkdir -p "$out"
    rm -rf "$out/world" "$out/levels"
    cp -r "$build/world" "$out/world"
    cp -r "$source/data/levels" "$out/levels"
}

# press_keys WIN KEYS...: "P" takes a screenshot with the game's own key,
# Print Screen (then waits PRINT_PAUSE seconds, default 1), "sleep:S" waits,
# "k:S" holds key k for S seconds, anything else is pressed once.
press_keys() {
    local win=$1
    shift
    for k in "$@"; do
        case $k in
        P) xdotool key Print; sleep "${PRINT_PAUSE:-1}" ;;
        sleep:*) sleep "${k#sleep:}" ;;
        *:*) xdotool keydown --window "$win" "${k%%:*}"; sleep "${k#*:}"; xdotool keyup --window "$win" "${k%%:*}" ;;
        *) xdotool key --window "$win" "$k"; sleep 0.3 ;;
        esac
    done
}

# shoot_at GAME WORLD DIR LEVEL START KEYS...: starts GAME in WORLD's LEVEL at
# the start point START (the player invulnerable, in a window), its user
# folder in DIR/docs and its output in DIR/game.log; once its window shows,
# presses KEYS (press_keys), then ends the game.
shoot_at() {
    local game=$1 world=$2 dir=$3 level=$4 start=$5
    shift 5
    export XDG_DOCUMENTS_DIR=$dir/docs
    mkdir -p "$XDG_DOCUMENTS_DIR"
    (cd "$world" && exec "$game" "$level" "-god 1" --windowed "-setdefaultspawner $start" \
        > "$dir/game.log" 2>&1) &
    local pid=$!
    local win=""
    for _ in $(seq 1 300); do
        win=$(xdotool search --pid $pid 2>/dev/null | head -1)
        [ -n "$win" ] && break
        sleep 0.1
    done
    sleep 4
    xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
    sleep 1
    press_keys "$win" "$@"
    kill $pid
    wait $pid
}
