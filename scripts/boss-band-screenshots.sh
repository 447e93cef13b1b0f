#!/bin/bash
# Pictures of the Heart's maw in play and of the Bow's beast seen from the
# floor: run inside xvfb-run, it copies the built world into OUT and writes
# cemetery_heart.lvl there anew, its arena's script starting the maw at once
# (its cells' two steps left out) and one start point more, "look", on the
# arena's floor east of the stone; starts the game there (the player
# invulnerable), walks west against the stone, strikes and takes
# screenshots with the game's own key, Print Screen, until its spikes have
# come; then does the same in boat_02.lvl from its floor, once the beast has
# come in. The pictures land in
# OUT/<level>/docs/My Games/Quenholt/Screenshots.
#   xvfb-run -a -s "-screen 0 1024x900x24" bash scripts/boss-band-screenshots.sh \
#     "$PWD/build" /tmp/shots
set -u
BUILD=$1
OUT=$2
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
source "$SOURCE/scripts/screenshot-common.sh"
copy_world "$BUILD" "$OUT" "$SOURCE"
HEART=$OUT/levels/cemetery_heart.lvd
sed -i -e '/^SendMessageTo cell_etape_1 step1_start$/d' -e '/^waitEvent_WaitMessage NPC_Boss_Ultimate_Step2$/d' \
    -e '/^SendMessageTo cell_etape_2 step2_start$/d' -e '/^waitEvent_WaitMessage NPC_Boss_Ultimate_Step3$/d' "$HEART"
echo "place    Point_PlayerStart          look             42 2           name=look" >> "$HEART"
"$BUILD/tools/levelgen" "$OUT/world/levels" "$SOURCE/data/art" "$OUT/levels" || exit 1

# shoot LEVEL START KEYS...: starts the game in LEVEL at the start point
# START and presses KEYS (press_keys).
shoot() {
    local level=$1 start=$2
    shift 2
    shoot_at "$BUILD/quenholt" "$OUT/world" "$OUT/$level" "$level" "$start" "$@"
}

# The maw risen, the Warden against the stone, a blow ("/"), the Warden a
# step east; the maw's spikes.
shoot cemetery_heart.lvl look sleep:3 a:1 P slash sleep:0.2 P sleep:0.5 P d:0.3 sleep:0.4 P sleep:16 P sleep:3 P
# The Bow from its floor: down off the upper deck, the beast come in, then
# a few steps east toward its body and its eye.
shoot boat_02.lvl start a:0.8 sleep:7 P d:0.4 sleep:1 P d:0.4 sleep:1 P d:0.4 sleep:1 P
ls -R "$OUT"/*/docs
