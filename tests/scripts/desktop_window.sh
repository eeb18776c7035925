#!/usr/bin/env bash
# The game's window on a large desktop (2560x1600 under Xvfb, with a window
# manager): its size at each factor, full screen and back with either key, a
# quarter and a flip reaching the game at any size, the arcade keys, and every
# factor x factor block of a screenshot one colour, the margins of full screen
# black; in kiosk mode full screen from the start, which no key and no close
# request leaves, and SIGTERM ends it with status 0, as a close request
# outside kiosk mode does.
set -u
src=${WHIRL_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
game=${WHIRL_BUILD_DIR:-$src/build}/whirlquarium
if [ -z "${WHIRL_XVFB_DESKTOP:-}" ]; then
    for tool in xdotool xwininfo convert; do
        command -v $tool > /dev/null || { echo "FAILED: $tool is missing (make test installs it)"; exit 1; }
    done
    exec bash "$src/tests/support/xvfb-desktop.sh" 2560x1600 bash "$0"
fi
tmp=$(mktemp -d)
pid=
trap 'kill $pid 2> /dev/null; rm -rf "$tmp"' EXIT
failed=0
bad() { failed=1; echo "FAILED: $*"; }

size() { xwininfo -id "$win" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }'; }
expect_size() {  # SIZE WHAT
    for _ in $(seq 30); do [ "$(size)" = "$1" ] && return 0; sleep 0.1; done
    bad "$2: the window is $(size), not $1"
}
# True when every FACTOR x FACTOR block of the GEOMETRY part of the picture is one colour.
uniform_blocks() {  # FILE FACTOR WIDTHxHEIGHT+X+Y
    local w=${3%%x*} h=${3#*x}
    h=${h%%+*}
    convert "$1" -crop "$3" +repage "$tmp/part.png" &&
        convert "$tmp/part.png" -sample "$((w / $2))x$((h / $2))!" -sample "${w}x$h!" "$tmp/back.png" &&
        [ "$(compare -metric AE "$tmp/part.png" "$tmp/back.png" null: 2>&1)" = 0 ]
}
# The window shows the drawn picture (many colours in PICTURE) at FACTOR, every
# MARGIN black; at factor 1 not every 2x2 block is one colour.
picture_ok() {  # FACTOR PICTURE [MARGIN...]
    local factor=$1 part=$2 m
    shift 2
    import -window "$win" "$tmp/shot.png"
    [ "$(convert "$tmp/shot.png" -crop "$part" -format %k info:)" -gt 50 ] || return 1
    for m; do [ "$(convert "$tmp/shot.png" -crop "$m" -format '%[fx:maxima]' info:)" = 0 ] || return 1; done
    if [ "$factor" = 1 ]; then ! uniform_blocks "$tmp/shot.png" 2 "$part"; else uniform_blocks "$tmp/shot.png" "$factor" "$part"; fi
}
eventually() { for _ in $(seq 20); do "$@" && return 0; sleep 0.2; done; return 1; }
# A quarter (right button) and a flip (middle button) of a new game: the log must show both.
quarter_and_flip() {  # WHAT
    local quarters flips
    quarters=$(grep -c 'Quarter accepted!' "$tmp/log") flips=$(grep -c '^FlipOver::Enter' "$tmp/log")
    xdotool mousemove --window "$win" 5 5 click 3 sleep 0.2 click 2
    for _ in $(seq 30); do grep -c '^FlipOver::Enter' "$tmp/log" | grep -qvx "$flips" && break; sleep 0.1; done
    [ "$(grep -c 'Quarter accepted!' "$tmp/log")" = $((quarters + 1)) ] || bad "$1: the quarter did not reach the game"
    [ "$(grep -c '^FlipOver::Enter' "$tmp/log")" -gt "$flips" ] || bad "$1: the flip did not reach the game"
}
count() { grep -c "$1" "$tmp/log"; }
# Holds KEY down for a few frames, then waits for the game to answer.
hold() {  # KEY [SECONDS]
    xdotool keydown "$1" sleep "${2:-0.2}" keyup "$1"
    sleep 0.3
}
# 5 inserts a quarter; 1 held is the blender button, let go when released.
arcade_keys() {  # WHAT
    local quarters blending stopped
    quarters=$(count 'Quarter accepted!') blending=$(count 'NOW BLENDING!!!') stopped=$(count 'Blender Stopped.')
    hold 5
    [ "$(count 'Quarter accepted!')" -gt "$quarters" ] || bad "$1: 5 inserted no quarter"
    xdotool keydown 1
    sleep 0.6
    [ "$(count 'NOW BLENDING!!!')" = $((blending + 1)) ] || bad "$1: 1 held did not start the blender once"
    xdotool keyup 1
    sleep 0.3
    [ "$(count 'Blender Stopped.')" = $((stopped + 1)) ] || bad "$1: 1 released did not stop the blender"
}
# Kiosk mode: Escape, the full-screen keys and the window manager's close
# leave the game running, full screen, and playable.
kiosk_holds() {
    local k
    for k in Escape alt+Return F11 alt+F4; do hold "$k"; done
    kill -0 $pid 2> /dev/null || { bad "kiosk mode: a key or the close request ended the game"; return 1; }
    expect_size 2560x1600 "kiosk mode, after the keys"
    arcade_keys "kiosk mode, after the keys"
}
# The game ends as asked, with status 0.
ends_with_0() {  # HOW
    if [ "$1" = TERM ]; then kill -TERM $pid; else xdotool key "$1"; fi
    for _ in $(seq 50); do kill -0 $pid 2> /dev/null || break; sleep 0.1; done
    kill -0 $pid 2> /dev/null && { bad "$1 did not end the game"; return; }
    wait $pid
    local status=$?
    [ $status = 0 ] || bad "$1 ended the game with status $status"
}

# scale  window     factor  full-screen key  play     end     kiosk  (a scale that is no number is ignored)
while read -r scale window factor key play end kiosk; do
    [ "$scale" = - ] && scale=
    [ "$kiosk" = - ] && kiosk=
    WHIRLQUARIUM_SCALE=$scale WHIRLQUARIUM_KIOSK=$kiosk "$game" > "$tmp/log" 2> "$tmp/err" & pid=$!
    win=$(timeout 10 xdotool search --sync --onlyvisible --pid $pid | head -n 1)
    what="WHIRLQUARIUM_SCALE=$scale WHIRLQUARIUM_KIOSK=$kiosk"
    [ -n "$win" ] || { bad "$what: no window shown within 10 s"; kill $pid; continue; }
    expect_size "$window" "$what"
    if [ -n "$kiosk" ]; then
        eventually picture_ok 3 1920x1440+320+80 320x1600+0+0 320x1600+2240+0 1920x80+320+0 1920x80+320+1520 ||
            bad "$what: the picture is not at 3x in the middle of black"
        kiosk_holds || continue
    else
        eventually picture_ok "$factor" "$window+0+0" || bad "$what: the window does not show the picture at $factor x"
    fi
    [ "$play" = window ] && quarter_and_flip "$what at $window"
    [ "$play" = arcade ] && arcade_keys "$what"
    if [ "$key" != - ]; then
        xdotool key --window "$win" "$key"
        expect_size 2560x1600 "$what, $key"
        [ "$play" = full ] && quarter_and_flip "$what in full screen"
        eventually picture_ok 3 1920x1440+320+80 320x1600+0+0 320x1600+2240+0 1920x80+320+0 1920x80+320+1520 ||
            bad "$what, $key: the picture is not at 3x in the middle of black"
        xdotool key --window "$win" "$key"
        expect_size "$window" "$what, $key again"
    fi
    if [[ $scale =~ ^[0-9]*$ ]]; then
        [ -s "$tmp/err" ] && bad "$what: standard error: $(cat "$tmp/err")"
    else
        grep -q "WHIRLQUARIUM_SCALE=$scale is not a whole factor" "$tmp/err" || bad "$what: not refused on standard error"
    fi
    if [ "$end" = - ]; then kill $pid; wait $pid 2> /dev/null; else ends_with_0 "$end"; fi
done <<'RUNS'
1        640x480    1   -          arcade  alt+F4  -
2        1280x960   2   alt+Return window  -       -
2x       1920x1440  3   F11        full    -       -
2        1280x960   2   alt+KP_Enter -     -       -
-        2560x1600  3   -          -       TERM    1
RUNS
[ $failed = 0 ] && echo "desktop window: every size, key, click and kiosk mode as expected"
exit $failed
