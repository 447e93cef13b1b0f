#!/bin/bash
# Pictures of the Heart: its first step as the Warden meets it (down into the
# arena, west until the block before the west cells stops him, striking the
# chain), and the arena once won, as Continue finds it (the walls without
# their cells). Run inside xvfb-run; it copies the built world into OUT and,
# for the second picture, writes a copy of cemetery_heart.lvl anew whose
# arrival trigger first marks the fight won. The pictures land in
# OUT/<shot>/docs/My Games/Quenholt/Screenshots.
#   xvfb-run -a -s "-screen 0 1024x900x24" bash scripts/heart-screenshots.sh \
#     "$PWD/build" /tmp/shots
set -u
BUILD=$1
OUT=$2
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
source "$SOURCE/scripts/screenshot-common.sh"

# shoot NAME WORLD KEYS...: starts the game in WORLD's Heart at its Crypt
# stair and presses KEYS (press_keys).
shoot() {
    local name=$1 world=$2
    shift 2
    shoot_at "$BUILD/quenholt" "$world" "$OUT/$name" cemetery_heart.lvl from_crypt "$@"
}

copy_world "$BUILD" "$OUT" "$SOURCE"
# Along the passage, down into the arena, west against the block, blows.
shoot fight "$OUT/world" d:3.5 sleep:1 a:3 P slash sleep:0.5 P sleep:0.6 slash sleep:0.3 P sleep:1 P

# The same Heart, won on an earlier visit.
WON=$OUT/won
mkdir -p "$WON"
rm -rf "$WON/world"
cp -r "$OUT/world" "$WON/world"
sed -i -e '/^trigger  won_h /,/^}/ s/^:OnEnterOnce$/:OnEnterOnce\nCreateVar save done_h 1/' "$OUT/levels/cemetery_heart.lvd"
"$BUILD/tools/levelgen" "$WON/world/levels" "$SOURCE/data/art" "$OUT/levels" || exit 1
shoot won "$WON/world" sleep:1 d:3.5 sleep:2 P a:1.5 sleep:1 P
ls -R "$OUT"/*/docs
