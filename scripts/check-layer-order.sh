#!/usr/bin/env bash
# The layer order of the sources, written once here: a folder includes only
# its own headers and those of the folders before it in ORDER. The engine
# knows nothing of the game; the scene model knows only the engine; the
# folders of the game's objects stand in a line, so no two include each
# other; the game object sits on top of them all (and the world tools, which
# are never included, above it).
#
#   check-layer-order.sh [ROOT]
#
# Fails naming each file, line and include that breaks the order, and each
# quoted include that is not a path from ROOT ("../x.h", "x.h"). System and
# library headers in angle brackets are not checked unless they name one of
# the folders. There are no exceptions: where a lower folder needs the game,
# it declares an interface that the game implements.
set -euo pipefail
ORDER=(engine scene characters ui zones script enemies bosses game tools)

root="${1:-$(dirname "$0")/..}"
if [ ! -d "$root/engine" ]; then
  echo "no engine folder under $root"
  exit 2
fi

declare -A rank
for i in "${!ORDER[@]}"; do
  rank[${ORDER[$i]}]=$i
done

order_text=$(IFS='<'; echo "${ORDER[*]}" | sed 's/</ < /g')
breaks=0
include_re='^[[:space:]]*#[[:space:]]*include[[:space:]]*([<"])([^">]*)[">]'
for folder in "${ORDER[@]}"; do
  [ "$folder" = tools ] && continue
  [ -d "$root/$folder" ] || continue
  while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    text=${rest#*:}
    [[ "$text" =~ $include_re ]] || continue
    quote=${BASH_REMATCH[1]}
    target=${BASH_REMATCH[2]}
    top=${target%%/*}
    relative=${file#"$root"/}
    if [ "$quote" = '"' ] && { [ "$top" = "$target" ] || [ -z "${rank[$top]+x}" ]; }; then
      echo "$relative:$line: includes \"$target\", which is not a path from the root of the sources"
      breaks=$((breaks + 1))
      continue
    fi
    [ -n "${rank[$top]+x}" ] || continue
    if [ "${rank[$top]}" -gt "${rank[$folder]}" ]; then
      echo "$relative:$line: $folder/ includes \"$target\" from $top/, which stands above it"
      breaks=$((breaks + 1))
    fi
  done < <(grep -rnE --include='*.h' --include='*.cpp' --include='*.inl' \
    '^[[:space:]]*#[[:space:]]*include' "$root/$folder" || true)
done

if [ "$breaks" -gt 0 ]; then
  echo "$breaks include(s) break the layer order $order_text"
  exit 1
fi
echo "every include follows the layer order $order_text"
