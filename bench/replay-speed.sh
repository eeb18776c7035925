#!/bin/bash
# How much faster than real time whirlquarium-replay plays a whole game,
# drawing every frame: bench/whole-game.txt, forty seconds of play, three runs.
#
#   bench/replay-speed.sh [BUILD_DIR]      (BUILD_DIR defaults to build-bench)
#
# Prints the wall-clock and processor time of the fastest run and the speed
# they make; exit status 1 when the wall-clock speed is under 50 times real time.
set -u

BUILD_DIR=${1:-build-bench}
REPLAY=$BUILD_DIR/whirlquarium-replay
SCRIPT=$(dirname "$0")/whole-game.txt
if [ ! -x "$REPLAY" ]; then
    echo "replay-speed.sh: no replay tool at $REPLAY; build it first" >&2
    exit 2
fi
# The tick of the script's end event is the game time played.
GAME_MS=$(awk '$2 == "end" { print $1 }' "$SCRIPT")

TIMEFORMAT='%R %U %S'
BEST=
for _ in 1 2 3; do
    # real user sys, in seconds
    t=$( { time "$REPLAY" "$SCRIPT" > /dev/null; } 2>&1 ) || { echo "replay-speed.sh: the replay failed" >&2; exit 1; }
    if [ -z "$BEST" ] || awk -v a="${t%% *}" -v b="${BEST%% *}" 'BEGIN { exit !(a < b) }'; then BEST=$t; fi
done
read -r REAL USER SYS <<< "$BEST"

awk -v game="$GAME_MS" -v real="$REAL" -v user="$USER" -v sys="$SYS" 'BEGIN {
    speed = game / 1000 / real
    printf "whirlquarium-replay, %.0f s of play drawn frame by frame (fastest of 3 runs):\n", game / 1000
    verdict = speed >= 50 ? "holds" : "MISSED"
    printf "  wall clock %.2f s: %.0f times real time    goal >= 50   %s\n", real, speed, verdict
    printf "  processor  %.2f s: %.0f times real time, %.0f us a frame\n", user + sys, game / 1000 / (user + sys),
           (user + sys) * 1e6 / (game / 34)
    exit (speed >= 50 ? 0 : 1)
}'
