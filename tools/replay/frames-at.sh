#!/usr/bin/env bash
# Writes the pictures a stored game shows at the given ticks as PNGs, to look
# at a frame whose digest changed:
#   tools/replay/frames-at.sh REPLAY-TOOL GAME OUT-DIR TICK...
# GAME names tests/golden/GAME.script; OUT-DIR/GAME-TICK.png is the picture
# the display received last at or before TICK (a frame at TICK included).
set -euo pipefail
[ $# -ge 4 ] || { echo "usage: $0 REPLAY-TOOL GAME OUT-DIR TICK..." >&2; exit 2; }
tool=$1 game=$2 out=$3; shift 3
script="$(dirname "$0")/../../tests/golden/$game.script"
[ -f "$script" ] || { echo "$0: no stored game $game" >&2; exit 2; }
mkdir -p "$out"
shots=$(mktemp)
trap 'rm -f "$shots"' EXIT
# A shot at a tick is taken before that tick's frame: one millisecond later shows it.
for t in "$@"; do
  [[ $t =~ ^[0-9]+$ ]] || { echo "$0: not a tick: $t" >&2; exit 2; }
  printf '%s shot %s-%s\n' "$((t + 1))" "$game" "$t"
done > "$shots"
# The shots go in among the script's events in tick order, before its end.
grep -vE '^[[:space:]]*(#|$)' "$script" | cat - "$shots" | sort -s -n -k1,1 |
  awk '$2 == "end" || $2 == "close" { last = $0; next } { print } END { if (last) print last }' > "$shots.script"
trap 'rm -f "$shots" "$shots.script"' EXIT
"$tool" --shots "$out" "$shots.script" > /dev/null
for t in "$@"; do echo "$out/$game-$t.png"; done
