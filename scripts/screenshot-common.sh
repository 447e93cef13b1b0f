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
