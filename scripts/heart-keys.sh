#!/bin/bash
# The Heart fought by real keys (`make heart-keys`): for each of the three
# plain ways (walls, stones, halfstep) and seeds 1 to 5, tools/heartkeys
# starts the game's own program of BUILD in a window on an X server of its
# own (xvfb-run), chooses Play and a slot saved at the Heart's stone by
# keys, and plays from the window's pixels. JOBS fights run side by side
# (default 3). Each way must win at least 4 of its 5 fights. Beside them,
# one death fight a way (seed DEATH_SEED, default 1): the Warden stands still
# in the arena until the fight kills him, then must move within 2 s of the
# picture's return and win from the respawn; each must do both.
#   [WAYS="walls stones halfstep"] [DEATH_WAYS="walls stones halfstep"] [DEATH_SEED=1] \
#     bash scripts/heart-keys.sh build /tmp/heart-keys [JOBS] [SEEDS]
set -u
BUILD=$(cd "$1" && pwd)
OUT=$2
JOBS=${3:-3}
SEEDS=${4:-"1 2 3 4 5"}
WAYS=${WAYS-"walls stones halfstep"}
DEATH_WAYS=${DEATH_WAYS-"walls stones halfstep"}
DEATH_SEED=${DEATH_SEED:-1}
mkdir -p "$OUT"
OUT=$(cd "$OUT" && pwd)
for tool in quenholt tools/heartkeys world/gamelib.txt; do
  [ -e "$BUILD/$tool" ] || { echo "heart-keys: $BUILD/$tool is missing (build it first)"; exit 2; }
done

# fight WAY SEED [DIR]
fight() {
  local way=$1 seed=$2 dir=$OUT/${3:-$1-$2}
  rm -rf "$dir"
  mkdir -p "$dir"
  xvfb-run -a -s "-screen 0 1024x900x24" \
    "$BUILD/tools/heartkeys" "$BUILD/quenholt" "$BUILD/world" "$dir" "$way" "$seed" > "$dir/result.txt" 2>&1
  cat "$dir/result.txt"
}

# Its outcome depends on how the machine keeps up: the load is said.
echo "heart-keys: before:$(uptime)"
start=$(date +%s)
running=0
# The death fights first: they are the longest.
fights=""
for way in $DEATH_WAYS; do fights="$fights $way-death:$DEATH_SEED:death-$way"; done
for way in $WAYS; do
  for seed in $SEEDS; do fights="$fights $way:$seed:$way-$seed"; done
done
for one in $fights; do
  IFS=: read -r way seed dir <<< "$one"
  fight "$way" "$seed" "$dir" &
  running=$((running + 1))
  sleep 2
  if [ "$running" -ge "$JOBS" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait
echo "heart-keys: $(($(date +%s) - start)) s"
echo "heart-keys: after:$(uptime)"

status=0
for way in $WAYS; do
  wins=$(cat "$OUT"/"$way"-*/result.txt 2>/dev/null | grep -c ": won,")
  total=$(echo $SEEDS | wc -w)
  echo "heart-keys: $way won $wins of $total"
  [ "$wins" -ge $((total - 1)) ] || status=1
done
for way in $DEATH_WAYS; do
  line=$(cat "$OUT/death-$way/result.txt" 2>/dev/null)
  moved=$(echo "$line" | grep -o "moved within 2 s: [a-z]*\( ([^)]*)\)\?" | sed "s/moved within 2 s: //")
  echo "$line" | grep -q "; won," && won=yes || won=no
  echo "heart-keys: death $way: moved within 2 s: ${moved:-no}; won: $won"
  case "$moved" in yes*) [ "$won" = yes ] || status=1 ;; *) status=1 ;; esac
done
exit $status
