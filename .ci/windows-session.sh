#!/usr/bin/env bash
# The part of .ci/windows-check.sh that runs inside xvfb-run: drives Wine and
# the game and writes what it saw into $WORK; the checks come afterwards.
# Expects WORK, EXE, PROBE, TESTS, WINEPREFIX and wine_bin from the caller.
set -u
cd "$WORK" || exit 1
wine() { "$wine_bin" "$@"; }

wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > reg.log 2>&1
timeout 60 wineserver -w

wine "$EXE" > game.log 2> game.err &
game=$!
if ! timeout 60 xdotool search --sync --name '^Whirlquarium$' > window.txt 2>/dev/null; then
    kill "$game" 2>/dev/null
    echo "no window" > session-failure.txt
    timeout 30 wineserver -w
    exit 0
fi
wine "$PROBE" > probe.txt 2> probe.err
left=0
top=0
read -r _ left top < <(tr -d '\r' < probe.txt | grep '^origin ')
[[ $left =~ ^-?[0-9]+$ && $top =~ ^-?[0-9]+$ ]] || { left=0; top=0; }

# Frames are drawn by now; three screenshots a little apart, in case one
# catches the window halfway through a copy.
sleep 1
for i in 1 2 3; do
    import -window root "screen-$i.png"
    sleep 0.3
done

# Keys go to the window under the pointer. Each key is held for several
# frames: the game polls the keyboard once per frame.
xdotool mousemove $((left + 320)) $((top + 240))
xdotool keydown Right
sleep 0.5
xdotool keyup Right
sleep 0.3
xdotool keydown Escape
sleep 0.5
xdotool keyup Escape
escaped=$(date +%s%N)
for _ in $(seq 100); do
    kill -0 "$game" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$game" 2>/dev/null; then
    echo "still running 10 s after Escape" > exit.txt
    kill "$game" 2>/dev/null
else
    wait "$game"
    echo "exited with $? after $((($(date +%s%N) - escaped) / 1000000)) ms" > exit.txt
fi
timeout 30 wineserver -w

# The tests of the real API, in the same prefix and on the same display.
wine "$TESTS" > windows-tests.log 2>&1
echo $? > windows-tests.rc
timeout 30 wineserver -w
exit 0
