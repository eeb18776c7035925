#!/bin/bash
# The desktop game's share of a core in attract mode: the SDL2 window at
# 640x480 on a virtual X display with a window manager (which gives it the
# focus, so that it runs), measured from the kernel's accounting of the
# process (utime + stime in /proc/PID/stat) over wall time.
#
#   bench/desktop-share.sh BUILD_DIR SECONDS      prints the percentage
set -u

BUILD_DIR=$1
SECONDS_MEASURED=$2
GAME=$(cd "$BUILD_DIR" 2>/dev/null && pwd)/whirlquarium
if [ ! -x "$GAME" ]; then
    echo "desktop-share.sh: no game at $GAME; build it first" >&2
    exit 2
fi
if [ -z "${WHIRL_UNDER_XVFB:-}" ]; then
    WHIRL_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

WORK=$(mktemp -d)
GAME_PID=
cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2> /dev/null && wait "$GAME_PID" 2> /dev/null
    kill "$WM_PID" 2> /dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
openbox --startup "touch $WORK/wm-ready" > /dev/null 2>&1 &
WM_PID=$!
for _ in $(seq 100); do [ -e "$WORK/wm-ready" ] && break; sleep 0.1; done

WHIRLQUARIUM_SCALE=1 WHIRLQUARIUM_FRAME_TRACE=$WORK/frames.txt "$GAME" > /dev/null &
GAME_PID=$!
for _ in $(seq 100); do grep -q '^shown' "$WORK/frames.txt" 2> /dev/null && break; sleep 0.1; done
sleep 2
ticks() { awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"; }
t0=${EPOCHREALTIME/./}; c0=$(ticks)
sleep "$SECONDS_MEASURED"
t1=${EPOCHREALTIME/./}; c1=$(ticks)
awk -v c=$((c1 - c0)) -v hz="$(getconf CLK_TCK)" -v us=$((t1 - t0)) 'BEGIN { printf "%.2f\n", 100 * c / hz / (us / 1e6) }'
