#!/bin/bash
# The game as a player runs it: the SDL2 window on a virtual X display.
#
#   bench/running-game.sh [BUILD_DIR]      (BUILD_DIR defaults to build-bench)
#
# Starts the game under xvfb-run and measures, from outside the process:
#   - start-up: from the exec of the process to the first frame shown;
#   - processor time over wall time, from the kernel's accounting of the
#     process (utime + stime in /proc/PID/stat), for 20 seconds in attract
#     mode and for 10 seconds of a spinning blender (a quarter and the left
#     mouse button held, sent through the X test extension);
#   - frame pacing: the intervals between frames shown, and how often the
#     process went to sleep per frame (voluntary context switches);
#   - processor time in attract mode again with the window enlarged twice
#     (WHIRLQUARIUM_SCALE=2) and in full screen (Alt+Enter, under a window
#     manager), on the same 2560x1600 screen.
# Frame times come from the game itself: WHIRLQUARIUM_FRAME_TRACE names a file
# to which the SDL backend appends a "shown" line for every frame, with
# wall-clock microseconds and the tick count its frame started with. The game
# is ended by its PID. Exit status 1 when a goal is missed.
set -u

BUILD_DIR=${1:-build-bench}
GAME=$(cd "$BUILD_DIR" 2>/dev/null && pwd)/whirlquarium
if [ ! -x "$GAME" ]; then
    echo "running-game.sh: no game at $GAME; build it first" >&2
    exit 2
fi

if [ -z "${WHIRL_XVFB_DESKTOP:-}" ]; then
    command -v xdotool > /dev/null || { echo "running-game.sh: xdotool is missing (Debian package xdotool)" >&2; exit 2; }
    exec bash "$(dirname "$0")/../tests/support/xvfb-desktop.sh" 2560x1600 bash "$0" "$BUILD_DIR"
fi

ATTRACT_SECONDS=20
SPINNING_SECONDS=10
WORK=$(mktemp -d)
TRACE=$WORK/frames.txt
GAME_PID=
cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2> /dev/null && wait "$GAME_PID" 2> /dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

HZ=$(getconf CLK_TCK)
now_us() { echo $(( ${EPOCHREALTIME/./} )); }
# utime + stime of the process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"; }
sleeps() { awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$GAME_PID/status"; }
frames_since() { awk -v t="$1" '$1 == "shown" && $2 >= t' "$TRACE" | wc -l; }

# Starts the game with a fresh frame trace; the shell records the time and
# becomes the game: same process, same PID.
start_game() {  # [SCALE], 1 when not given
    rm -f "$TRACE"
    WHIRLQUARIUM_SCALE=${1:-1} WHIRLQUARIUM_FRAME_TRACE=$TRACE bash -c 'echo ${EPOCHREALTIME/./} > "$1"; exec "$2" > "$3"' \
        _ "$WORK/exec-time" "$GAME" "$WORK/game.log" &
    GAME_PID=$!
    for _ in $(seq 100); do
        grep -q '^shown' "$TRACE" 2> /dev/null && break
        sleep 0.1
    done
    if ! grep -q '^shown' "$TRACE" 2> /dev/null; then
        echo "running-game.sh: the game showed no frame within 10 s" >&2
        exit 1
    fi
}
stop_game() {
    kill "$GAME_PID" && wait "$GAME_PID" 2> /dev/null
    GAME_PID=
}

measure() {  # SECONDS -> "percent frames sleeps-per-frame"
    local t0 c0 s0 t1 c1 s1 frames
    sleep 1
    t0=$(now_us); c0=$(cpu_ticks); s0=$(sleeps)
    sleep "$1"
    t1=$(now_us); c1=$(cpu_ticks); s1=$(sleeps)
    frames=$(frames_since "$t0")
    awk -v c=$((c1 - c0)) -v hz="$HZ" -v us=$((t1 - t0)) -v f="$frames" -v s=$((s1 - s0)) \
        'BEGIN { printf "%.2f %d %.1f\n", 100 * c / hz / (us / 1e6), f, f ? s / f : 0 }'
}

# Start-up, five times: exec to the first image shown by the first frame.
STARTUPS=()
for _ in 1 2 3 4 5; do
    start_game
    sleep 0.2
    first=$(awk '$1 == "shown" { print $2; exit }' "$TRACE")
    STARTUPS+=($(( (first - $(cat "$WORK/exec-time")) / 1000 )))
    stop_game
done
read -r STARTUP_MS STARTUP_MAX < <(printf '%s\n' "${STARTUPS[@]}" | sort -n |
    awk '{ v[NR] = $1 } END { print v[3], v[5] }')

start_game
read -r ATTRACT_PCT ATTRACT_FRAMES ATTRACT_SLEEPS < <(measure $ATTRACT_SECONDS)

# A quarter (right button), then the blender button held (left button).
WINDOW=$(xdotool search --sync --limit 1 --name '^Whirlquarium$' 2> /dev/null)
xdotool mousemove --window "$WINDOW" 320 240 click 3
sleep 0.3
xdotool mousedown 1
read -r SPIN_PCT SPIN_FRAMES SPIN_SLEEPS < <(measure $SPINNING_SECONDS)
xdotool mouseup 1

stop_game
BLENDED=$(grep -c 'NOW BLENDING!!!' "$WORK/game.log")

# Intervals between frames over the whole run after start-up: in wall
# clock, and in the tick counts that started them.
read -r MEDIAN_MS INTERVALS < <(awk '$1 == "shown" { if (p) print ($2 - p) / 1000; p = $2 }' "$TRACE" |
    tail -n +10 | sort -n | awk '{ v[NR] = $1 } END { printf "%.1f %d\n", v[int((NR + 1) / 2)], NR }')
read -r MEDIAN_TICKS MIN_TICKS < <(awk '$1 == "shown" { if (p) print $3 - p; p = $3 }' "$TRACE" |
    tail -n +10 | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)], v[1] }')

# Attract mode, enlarged twice, then in full screen.
start_game 2
read -r DOUBLE_PCT DOUBLE_FRAMES DOUBLE_SLEEPS < <(measure $ATTRACT_SECONDS)
xdotool key --window "$(xdotool search --limit 1 --pid "$GAME_PID")" alt+Return
read -r FULL_PCT FULL_FRAMES FULL_SLEEPS < <(measure $ATTRACT_SECONDS)
FULL_SIZE=$(xwininfo -id "$(xdotool search --limit 1 --pid "$GAME_PID")" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
stop_game

status=0
VERDICT=
verdict() {  # CONDITION (awk) -> VERDICT = holds / MISSED
    if awk "BEGIN { exit !($1) }"; then
        VERDICT=holds
    else
        VERDICT=MISSED
        status=1
    fi
}

echo "The SDL2 game under Xvfb ($(nproc) processors, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)):"
verdict "$STARTUP_MS < 150"
printf '  start-up, exec to first frame shown     %5d ms       goal < 150 ms  %s' "$STARTUP_MS" "$VERDICT"
printf '   (median of 5, slowest %d ms)\n' "$STARTUP_MAX"
verdict "$ATTRACT_PCT <= 3"
printf '  attract mode, %2d s                    %6.2f %% CPU   goal <= 3 %%    %s' "$ATTRACT_SECONDS" "$ATTRACT_PCT" \
    "$VERDICT"
printf '   (%d frames, %.1f sleeps a frame)\n' "$ATTRACT_FRAMES" "$ATTRACT_SLEEPS"
verdict "$DOUBLE_PCT <= 3"
printf '  attract mode, %2d s, window at 2x      %6.2f %% CPU   goal <= 3 %%    %s' "$ATTRACT_SECONDS" "$DOUBLE_PCT" \
    "$VERDICT"
printf '   (%d frames, %.1f sleeps a frame)\n' "$DOUBLE_FRAMES" "$DOUBLE_SLEEPS"
verdict "$FULL_PCT <= 3"
printf '  attract mode, %2d s, full screen       %6.2f %% CPU   goal <= 3 %%    %s' "$ATTRACT_SECONDS" "$FULL_PCT" \
    "$VERDICT"
printf '   (%d frames, %.1f sleeps a frame, %s)\n' "$FULL_FRAMES" "$FULL_SLEEPS" "$FULL_SIZE"
verdict "$SPIN_PCT <= 5 && $BLENDED == 1"
printf '  spinning blender, %2d s                %6.2f %% CPU   goal <= 5 %%    %s' "$SPINNING_SECONDS" "$SPIN_PCT" \
    "$VERDICT"
printf '   (%d frames, %.1f sleeps a frame)\n' "$SPIN_FRAMES" "$SPIN_SLEEPS"
[ "$BLENDED" = 1 ] || echo "  (the blender did not start: the mouse input did not reach the game)"
verdict "$MEDIAN_MS >= 33.5 && $MEDIAN_MS <= 35"
printf '  frame interval, median of %4d          %5.1f ms       goal 34 ms     %s\n' "$INTERVALS" "$MEDIAN_MS" "$VERDICT"
# A frame starts at the first tick above its trigger, the tick count of the
# last start plus the frame delay of 33: never sooner than 34 ticks after it,
# which a catch-up frame would be.
verdict "$MEDIAN_TICKS == 34 && $MIN_TICKS >= 34"
printf '  ticks between frame starts, median %3d, fewest %3d    goal 34, >= 34 %s\n' "$MEDIAN_TICKS" "$MIN_TICKS" \
    "$VERDICT"
exit $status
