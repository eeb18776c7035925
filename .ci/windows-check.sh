#!/usr/bin/env bash
# The Windows game, checked from Linux: (1) the executable's format, imports and
# resources; (2) the game under Wine on a virtual display: its window, its
# picture against the Linux build's, quarters from a held right arrow, Escape
# ending it, its console log against tests/golden; (3) the Windows test
# program on the real API, on the same display; (4) the installer, silent, in a
# fresh Wine prefix: the game, its shortcut and its uninstall entry in place, the
# installed game starting, and nothing of them left after a silent uninstall.
#
#   .ci/windows-check.sh [WINDOWS_BUILD [LINUX_BUILD]]    (defaults: build-windows, build)
#
# LINUX_BUILD must hold whirlquarium-replay. All this writes goes to
# WINDOWS_BUILD/wine-check, the Wine prefix included (made fresh on every run).
set -uo pipefail

src=$(cd "$(dirname "$0")/.." && pwd)
win=$(cd "${1:-build-windows}" && pwd) || exit 1
lin=$(cd "${2:-build}" && pwd) || exit 1
exe=$win/whirlquarium.exe probe=$win/tests/windows/whirl-window-probe.exe
tests=$win/tests/windows/whirlquarium-windows-tests.exe replay=$lin/whirlquarium-replay
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$win/CMakeCache.txt")
setup=$win/whirlquarium-$version-setup.exe
objdump=x86_64-w64-mingw32-objdump golden=$src/tests/golden work=$win/wine-check
for t in "$exe" "$probe" "$tests" "$replay" "$objdump" wine Xvfb xdotool import compare; do
    command -v "$t" > /dev/null || { echo "windows-check: no $t (make test-windows builds and installs all)" >&2; exit 1; }
done
[ -f "$setup" ] || { echo "windows-check: no $setup (make test-windows builds it)" >&2; exit 1; }

passed=0 failed=0
check() {  # check DESCRIPTION COMMAND...
    if "${@:2}"; then passed=$((passed + 1)) && echo "ok      $1"; else failed=$((failed + 1)) && echo "FAILED  $1"; fi
}
within() {  # within SECONDS COMMAND...: retries COMMAND until it succeeds or the time is up
    local end=$((SECONDS + $1))
    until "${@:2}"; do [ "$SECONDS" -lt "$end" ] && sleep 0.1 || return 1; done
}
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

# ---- 1. The executable -------------------------------------------------------------
"$objdump" -p "$exe" > objdump.txt
check "64-bit console program" grep -Eqz 'format pei-x86-64.*Magic[[:space:]]+020b.*Subsystem[[:space:]]+00000003' objdump.txt
awk '/DLL Name:/ { dll = toupper($3) } dll && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ { print dll, $3 }' objdump.txt > imports.txt
check "imports TransparentBlt and mciSendCommandA" \
    test "$(grep -cx -e 'MSIMG32.DLL TransparentBlt' -e 'WINMM.DLL mciSendCommandA' imports.txt)" = 2
foreign=$(awk '/DLL Name:/ { print toupper($3) }' objdump.txt |
    grep -Evx '(KERNEL32|USER32|GDI32|MSIMG32|WINMM|MSVCRT|UCRTBASE|ADVAPI32|API-MS-WIN-.*)\.DLL' | xargs)
check "imports from system DLLs only${foreign:+, not $foreign}" test -z "$foreign"

# Resources as "type id size" lines. A bitmap is its .bmp file without the
# 14-byte file header; an icon group has 6 bytes and 14 an image, and each of
# the .ico file's images (its count at byte 4, sizes from byte 14 on, 16 bytes
# apart) is a resource of type 3, compared here by size only.
awk '/The .rsrc Resource Directory section/ { on = 1 } on && /^$/ { on = 0 }
     on && /^[0-9a-f]+   Entry: ID:/ { type = $4 } on && /^[0-9a-f]+     Entry: ID:/ { name = $4 }
     on && /Leaf: Addr:/ { print type, name, $6 }' objdump.txt | tr -d , |
    while read -r t n s; do echo "$((t)) $((n)) $((s))"; done > resources.txt
bound_resources() {
    local id type file count i
    while read -r id type file _; do
        file=$src/resources/$file
        case $type in
            BITMAP) echo "2 $id $(($(stat -L -c %s "$file") - 14))" ;;
            ICON) count=$(($(od -An -tu2 -j4 -N2 "$file")))
                echo "14 $id $((6 + 14 * count))"
                for ((i = 0; i < count; i++)); do echo "3 $(($(od -An -tu4 -j $((14 + 16 * i)) -N4 "$file")))"; done ;;
        esac
    done < <(grep -v '^[[:space:]]*#' "$src/resources/resources.txt")
}
# The IDs in the order the executable's directory holds them: bitmaps, then icon groups, each ascending.
bound_ids() {
    for type in BITMAP ICON; do
        grep -v '^[[:space:]]*#' "$src/resources/resources.txt" | awk -v t=$type '$2 == t { print $1 }' | sort -n
    done | xargs
}
resources_as_bound() {
    [ "$(awk '$1 == 2 || $1 == 14 { print $2 }' resources.txt | xargs)" = "$(bound_ids)" ] &&
        diff <(bound_resources | sort) <(awk '$1 != 16 { print $1 == 3 ? $1 " " $3 : $0 }' resources.txt | sort)
}
check "the bitmaps and icon groups of resources.txt, as it binds them" resources_as_bound

# The file properties (a version resource, type 16), as Explorer's Details tab shows
# them: each name followed by its value among the executable's UTF-16 strings.
strings -el "$exe" | tr '\n' '|' > properties.txt
properties() {
    [ "$(awk '$1 == 16' resources.txt | wc -l)" = 1 ] || return 1
    local pair
    for pair in "ProductName|Whirlquarium" "ProductVersion|$version" "FileVersion|$version" \
        "FileDescription|Whirlquarium, an arcade game" "LegalCopyright|$(grep -m1 '^Copyright' "$src/LICENSE"), MIT licence"; do
        grep -qF "|$pair|" properties.txt || { echo "no $pair in the version resource" >&2; return 1; }
    done
}
check "file properties: Whirlquarium $version, its description and copyright" properties

# ---- 2. The game under Wine on a virtual display --------------------------------------
Xvfb -displayfd 3 -screen 0 1024x768x24 3> display.txt 2> xvfb.log &
xvfb=$!
# No menu entries from Wine on the host's desktop for the installer's shortcut.
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
trap 'wineserver -k 2> /dev/null; kill "$xvfb" 2> /dev/null' EXIT
within 20 test -s display.txt || { echo "windows-check: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat display.txt)
# Wine draws the window's frame itself, so the client area is where the system says.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > wine-setup.log 2>&1

wine "$exe" > game.log 2> game.err &
game=$!
probe_window() { wine "$probe" 2> probe.err | tr -d '\r' > probe.txt && [ -s probe.txt ]; }
check "a window of class and title \"Whirlquarium\" appeared" within 60 probe_window
probed() { awk -v k="$1" '$1 == k { $1 = ""; print substr($0, 2) }' probe.txt; }
check "client area of 640x480 ($(probed client))" test "$(probed client)" = "640 480"
style=$(probed style)
check "a caption, not resizable (style $style)" \
    test -n "$style" -a $((style & 0x00C50000)) = $((0x00C00000))  # WS_CAPTION, no WS_THICKFRAME or WS_MAXIMIZEBOX
read -r left top < <(probed origin)

# The picture: all but the band the fish swims in (rows 195 to 290) stands
# still in the attract display and must be the Linux frame's, pixel for pixel.
band() { convert "$1" -fill black -draw "rectangle 0,195 639,290" "$2"; }
printf '20 shot linux\n21 end\n' > first-frame.script
"$replay" --shots "$work" first-frame.script > /dev/null && band linux.png linux-still.png
shows_attract() {
    import -window root -crop "640x480+${left:-0}+${top:-0}" +repage window.png 2> /dev/null &&
        band window.png window-still.png && [ "$(compare -metric AE window-still.png linux-still.png null: 2>&1)" = 0 ]
}
check "the window shows the Linux build's attract display" within 20 shows_attract
magenta=$(convert window.png -fill black +opaque '#FF00FF' -fill white -opaque '#FF00FF' -format '%[fx:round(mean*w*h)]' info:)
check "no magenta pixel in the window ($magenta)" test "$magenta" = 0

# The stored game's start-up is what it shares with the attract display's log;
# each of its quarters is a block of lines beginning as its first one does.
startup=$(($(LC_ALL=C cmp "$golden/attract.log" "$golden/quarters.log" | sed -n 's/.*, line \([0-9]*\)$/\1/p') - 1))
first=$(sed -n "$((startup + 1))p" "$golden/quarters.log")
block=$(awk -v n="$startup" -v f="$first" 'NR > n && $0 == f { if (at) { print NR - at; at = 0; exit } at = NR }
                                          END { if (at) print NR - at + 1 }' "$golden/quarters.log")
quarters() {  # one line a quarter, its lines joined by tabs
    awk -v n="$startup" -v f="$first" -v b="${block:-0}" 'NR > n && $0 == f { left = b }
        left > 0 { printf "%s%s", $0, (--left ? "\t" : "\n") }' "$1"
}
quarters "$golden/quarters.log" > stored-quarters.txt
more_quarters_than() { tr -d '\r' < game.log > game-lf.log && [ "$(quarters game-lf.log | wc -l)" -gt "$1" ]; }
game_over() { ! kill -0 "$game" 2> /dev/null; }
# Keys go to the window under the pointer; the game reads them once a frame.
xdotool mousemove $((${left:-0} + 320)) $((${top:-0} + 240)) keydown Right
within 20 more_quarters_than "$(wc -l < stored-quarters.txt)"
xdotool keyup Right keydown Escape
check "Escape ends the game by itself" within 10 game_over
xdotool keyup Escape
game_over || kill "$game"
tr -d '\r' < game.log > game-lf.log && quarters game-lf.log > quarters.txt

startup_as_stored() { [ "$startup" -gt 0 ] && cmp -s <(head -n "$startup" game-lf.log) <(head -n "$startup" "$golden/attract.log"); }
check "start-up lines as tests/golden/attract.log begins" startup_as_stored
same_form() { sed 's/[0-9][0-9]*/#/g' "$@" | sort -u; }
check "$(wc -l < quarters.txt) quarters, each as tests/golden/quarters.log writes it" \
    test "${block:-0}" -gt 0 -a "$(head -n "$(wc -l < stored-quarters.txt)" quarters.txt)" = "$(cat stored-quarters.txt)" \
    -a "$(same_form quarters.txt stored-quarters.txt | wc -l)" = 1

# ---- 3. The Windows tests on the real API ---------------------------------------------
WHIRL_RESOURCE_DIR=$(winepath -w "$src/resources") wine "$tests" 2>&1 | tr -d '\r' > windows-tests.log
rc=${PIPESTATUS[0]}
check "the Windows tests pass on the real API ($(grep -Eo '(PASSED|FAILED) .*' windows-tests.log | xargs))" test "$rc" = 0
grep -E '^\[  FAILED  \]|Failure' windows-tests.log | head -20

# ---- 4. The installer --------------------------------------------------------------
# Wine's user is an administrator: the installation is for all users, under
# Program Files, in the machine's list of installed programs.
wineserver -k 2> /dev/null
export WINEPREFIX=$work/install-prefix
installed=$WINEPREFIX/drive_c/Program\ Files/Whirlquarium
shortcut=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Whirlquarium.lnk
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Whirlquarium'
entry() { wine reg query "$key" /v "$1" 2> /dev/null | tr -d '\r' | awk -v v="$1" '$1 == v { $1 = $2 = ""; print substr($0, 3) }'; }
wine "$setup" /S > setup.log 2>&1
wineserver -w
check "the installer puts the game, README.txt and LICENSE.txt under Program Files" \
    test -f "$installed/whirlquarium.exe" -a -f "$installed/README.txt" -a -f "$installed/LICENSE.txt" -a -f "$installed/uninstall.exe"
check "the installed game is the one built" cmp -s "$exe" "$installed/whirlquarium.exe"
check "a Start-menu shortcut" test -s "$shortcut"
uninstaller=$(entry UninstallString) display="$(entry DisplayName) $(entry DisplayVersion) by $(entry Publisher)"
check "an uninstall entry: $display" test "$display" = "Whirlquarium $version by The Whirlquarium developers" \
    -a "$uninstaller" = '"C:\Program Files\Whirlquarium\uninstall.exe"' -a -n "$(entry DisplayIcon)"

wine "$installed/whirlquarium.exe" > installed.log 2> installed.err &
game=$!
started() { [ "$(tr -d '\r' < installed.log | wc -l)" -ge "$startup" ]; }
installed_startup() {
    [ "$startup" -gt 0 ] && cmp -s <(tr -d '\r' < installed.log | head -n "$startup") <(head -n "$startup" "$golden/attract.log")
}
within 60 started
check "the installed game starts: its start-up lines as tests/golden/attract.log begins" installed_startup
kill "$game" 2> /dev/null
wineserver -k 2> /dev/null

wine "$installed/uninstall.exe" /S > uninstall.log 2>&1
wineserver -w
left=$(ls -A "$installed" 2> /dev/null; [ -e "$shortcut" ] && echo shortcut; [ -n "$(entry DisplayName)" ] && echo entry)
check "a silent uninstall leaves nothing behind${left:+: $(echo $left)}" test -z "$left" -a ! -e "$installed"

echo "(logs, pictures and the Wine prefixes in $work; $SECONDS s)"
echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
