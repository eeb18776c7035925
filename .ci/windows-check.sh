#!/usr/bin/env bash
# The Windows game, checked from Linux:
#   1. the executable: a 64-bit console program importing TransparentBlt and
#      mciSendCommandA, with the bitmaps and icon groups of resources.txt;
#   2. under Wine on a virtual display: its window, its client area, a held
#      right arrow (quarters), a held Escape (it must then exit by itself);
#   3. its console log against the Linux build's for the same events, and a
#      screenshot of its window against the Linux build's frames;
#   4. the Windows test program on the real API.
#
#   .ci/windows-check.sh [WINDOWS_BUILD [LINUX_BUILD]]    (defaults: build-windows, build)
#
# The Linux build must have whirlquarium-replay. Everything this writes goes to
# WINDOWS_BUILD/wine-check, the Wine prefix included (made fresh on every run).
# .ci/windows-session.sh is the part that runs on the virtual display.
set -uo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
win=$(cd "${1:-build-windows}" && pwd) || exit 1
lin=$(cd "${2:-build}" && pwd) || exit 1
export EXE=$win/whirlquarium.exe
export PROBE=$win/tests/windows/whirl-window-probe.exe
export TESTS=$win/tests/windows/whirlquarium-windows-tests.exe
export WORK=$win/wine-check
replay=$lin/whirlquarium-replay
objdump=x86_64-w64-mingw32-objdump
table=$src/resources/resources.txt
started=$(date +%s)

for f in "$EXE" "$PROBE" "$TESTS" "$replay"; do
    [ -x "$f" ] || { echo "windows-check: $f is missing; build it first" >&2; exit 1; }
done
command -v "$objdump" > /dev/null || { echo "windows-check: $objdump is missing" >&2; exit 1; }

passed=0
failed=0
check() {  # check DESCRIPTION CONDITION-COMMAND...
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok      $what"
    else
        failed=$((failed + 1))
        echo "FAILED  $what"
    fi
}

rm -rf "$WORK"
mkdir -p "$WORK/linux-shots"

# ---- 1. The executable -------------------------------------------------------------
"$objdump" -f "$EXE" > "$WORK/objdump-f.txt"
"$objdump" -p "$EXE" > "$WORK/objdump-p.txt"
check "PE32+ executable for x86-64" grep -q 'file format pei-x86-64' "$WORK/objdump-f.txt"
check "PE32+ optional header" grep -Eq '^Magic[[:space:]]+020b' "$WORK/objdump-p.txt"
check "console subsystem" grep -Eq '^Subsystem[[:space:]]+00000003' "$WORK/objdump-p.txt"

# Imports as "DLL function" lines, DLL names in upper case.
awk '/DLL Name:/ { dll = toupper($3) }
     dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ { print dll, $3 }' "$WORK/objdump-p.txt" > "$WORK/imports.txt"
check "imports TransparentBlt from MSIMG32" grep -qx 'MSIMG32.DLL TransparentBlt' "$WORK/imports.txt"
check "imports mciSendCommandA from WINMM" grep -qx 'WINMM.DLL mciSendCommandA' "$WORK/imports.txt"
system_dlls_only() {
    local dll bad=0
    for dll in $(awk '/DLL Name:/ { print toupper($3) }' "$WORK/objdump-p.txt"); do
        case $dll in
            KERNEL32.DLL | USER32.DLL | GDI32.DLL | MSIMG32.DLL | WINMM.DLL | MSVCRT.DLL | UCRTBASE.DLL | \
                ADVAPI32.DLL | API-MS-WIN-*) ;;
            *) echo "        not a system DLL: $dll"; bad=1 ;;
        esac
    done
    return $bad
}
check "imports only system DLLs" system_dlls_only

# Resources as "type id size" lines (hexadecimal as objdump prints them).
awk '/The .rsrc Resource Directory section/ { on = 1; next }
     on && /^[0-9a-f]+   Entry: ID:/ { type = $4 }
     on && /^[0-9a-f]+     Entry: ID:/ { name = $4 }
     on && /Leaf: Addr:/ { size = $6; sub(/,$/, "", type); sub(/,$/, "", name); sub(/,$/, "", size); print type, name, size }
     on && /^$/ { on = 0 }' "$WORK/objdump-p.txt" |
    while read -r t n s; do echo "$((t)) $((n)) $((s))"; done > "$WORK/resources.txt"
table_rows() { awk '!/^[[:space:]]*(#|$)/ && $2 == "'"$1"'" { print $1, $3 }' "$table"; }
resources_match_table() {
    local id file expected bad=0 images=0 count
    [ "$(table_rows BITMAP | awk '{ print $1 }' | xargs)" = "$(seq -s ' ' 2000 2020)" ] ||
        { echo "        resources.txt does not list bitmaps 2000 to 2020"; bad=1; }
    [ "$(table_rows ICON | awk '{ print $1 }' | xargs)" = "1000 1001" ] ||
        { echo "        resources.txt does not list icon groups 1000 and 1001"; bad=1; }
    while read -r id file; do
        # A bitmap resource is its .bmp file without the 14-byte file header.
        expected=$(($(stat -c %s "$src/resources/$file") - 14))
        grep -qx "2 $id $expected" "$WORK/resources.txt" ||
            { echo "        bitmap $id is not $file ($expected bytes)"; bad=1; }
    done < <(table_rows BITMAP)
    while read -r id file; do
        # A group entry per image of the .ico file: 6 + 14 bytes each.
        count=$(od -An -tu2 -j4 -N2 "$src/resources/$file" | tr -d ' ')
        images=$((images + count))
        grep -qx "14 $id $((6 + 14 * count))" "$WORK/resources.txt" ||
            { echo "        icon group $id does not hold the $count images of $file"; bad=1; }
    done < <(table_rows ICON)
    [ "$(awk '$1 == 3' "$WORK/resources.txt" | wc -l)" -eq "$images" ] ||
        { echo "        not $images icon images"; bad=1; }
    return $bad
}
check "bitmaps 2000-2020 and icon groups 1000, 1001 as resources.txt binds them" resources_match_table

# ---- 2. The Linux build's log and frames for the same events ----------------------
printf '0 end\n' > "$WORK/startup.script"
"$replay" "$WORK/startup.script" > "$WORK/linux-startup.log"
# Right arrow held for three seconds: more quarters than the Windows run can insert.
printf '1 keydown right\n3000 keyup right\n3100 end\n' > "$WORK/quarters.script"
"$replay" "$WORK/quarters.script" > "$WORK/linux-quarters.log"
# The attract display after each of the first 150 frames (frames run at ticks 1, 35, 69, ...).
for k in $(seq 0 149); do printf '%d shot f%03d\n' $((34 * k + 20)) "$k"; done > "$WORK/attract.script"
echo "5200 end" >> "$WORK/attract.script"
"$replay" --shots "$WORK/linux-shots" "$WORK/attract.script" > /dev/null

# ---- 3. The game under Wine ---------------------------------------------------------
export WINEPREFIX=$WORK/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine_bin=$(command -v wine || echo /usr/lib/wine/wine64)
wine() { "$wine_bin" "$@"; }
export wine_bin
WHIRL_RESOURCE_DIR=$(winepath -w "$src/resources" 2>/dev/null || echo "Z:${src//\//\\}\\resources")
export WHIRL_RESOURCE_DIR
timeout 240 xvfb-run -a -s "-screen 0 1024x768x24" bash "$src/.ci/windows-session.sh" > "$WORK/session.log" 2>&1
wineserver -k 2>/dev/null  # this prefix only; normally nothing is left

check "the window \"Whirlquarium\" appeared" test ! -e "$WORK/session-failure.txt"
# The probe writes through the Windows console: lines end in CR LF.
tr -d '\r' < "$WORK/probe.txt" > "$WORK/probe-lf.txt" 2>/dev/null
probe_value() { awk -v k="$1" '$1 == k { $1 = ""; sub(/^ /, ""); print }' "$WORK/probe-lf.txt" 2>/dev/null; }
check "client area is 640x480 (it is $(probe_value client))" test "$(probe_value client)" = "640 480"
not_resizable() {
    local style
    style=$(probe_value style)
    [ -n "$style" ] && (((style & 0x00040000) == 0 && (style & 0x00010000) == 0 && (style & 0x00C00000) == 0x00C00000))
}
check "fixed window with a caption (style $(probe_value style))" not_resizable
check "the game exits by itself after Escape ($(cat "$WORK/exit.txt" 2>/dev/null))" \
    grep -q '^exited' "$WORK/exit.txt"

tr -d '\r' < "$WORK/game.log" > "$WORK/game-lf.log" 2>/dev/null
startup_matches() {
    local n
    n=$(wc -l < "$WORK/linux-startup.log")
    [ "$n" -gt 0 ] && [ "$(wc -l < "$WORK/game-lf.log")" -gt "$n" ] &&
        cmp -s <(head -n "$n" "$WORK/game-lf.log") "$WORK/linux-startup.log"
}
check "start-up lines as the Linux build writes them" startup_matches
quarter_lines() { awk '$0 == "Quarter accepted!" { n = 3 } n > 0 { print; n-- }' "$1"; }
quarters_match() {
    local n
    n=$(quarter_lines "$WORK/game-lf.log" | wc -l)
    echo "        $((n / 3)) quarters"
    [ "$n" -ge 9 ] && cmp -s <(quarter_lines "$WORK/game-lf.log") <(quarter_lines "$WORK/linux-quarters.log" | head -n "$n")
}
check "quarter lines as the Linux build writes them" quarters_match

# Each screenshot cropped to the client area: no magenta may show, and one of
# them must be a frame of the Linux build's attract display, pixel for pixel
# but for a few (background, blender, fish and title in their places).
read -r left top < <(probe_value origin) || { left=0; top=0; }
screens=0
magenta=0
best=""
for i in 1 2 3; do
    [ -f "$WORK/screen-$i.png" ] || continue
    screens=$((screens + 1))
    convert "$WORK/screen-$i.png" -crop "640x480+$left+$top" +repage "$WORK/client-$i.png"
    m=$(convert "$WORK/client-$i.png" -alpha off -fill black +opaque '#FF00FF' -fill white -opaque '#FF00FF' \
        -format '%[fx:round(mean*w*h)]' info:)
    magenta=$((magenta + m))
    [ -n "$best" ] && continue
    for shot in "$WORK"/linux-shots/f*.png; do
        # The count of differing pixels; anything else (an error) is no match.
        ae=$(compare -metric AE "$WORK/client-$i.png" "$shot" null: 2>&1)
        [[ $ae =~ ^[0-9]+(\.[0-9]+)?(e\+?[0-9]+)?$ ]] || continue
        ae=$(awk -v n="$ae" 'BEGIN { printf "%d", n }')
        if [ "$ae" -le 300 ]; then
            best="client-$i.png is $(basename "$shot" .png) with $ae pixels apart"
            break
        fi
    done
done
check "three screenshots of the window" test "$screens" -eq 3
check "no magenta pixel in the window ($magenta found)" test "$magenta" -eq 0
check "the window shows the attract display (${best:-no frame matches})" test -n "$best"

check "the Windows tests pass on the real API ($(grep -E '^\[  (PASSED|FAILED)  \]' "$WORK/windows-tests.log" 2>/dev/null | head -2 | xargs))" \
    test "$(cat "$WORK/windows-tests.rc" 2>/dev/null)" = 0
[ "$(cat "$WORK/windows-tests.rc" 2>/dev/null)" = 0 ] || grep -E '^\[  FAILED  \]|Failure|error' "$WORK/windows-tests.log" | head -20

echo "(logs, screenshots and the Wine prefix in $WORK; $(($(date +%s) - started)) s)"
echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
