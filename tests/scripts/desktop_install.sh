#!/usr/bin/env bash
# The install rules (cmake --install, as make install runs them) into a staging
# folder: every file where the desktop looks for it, the menu entry and the AppStream data pass their validators, the entry's
# program and icon are the installed ones, the manual page reads cleanly; make
# uninstall takes every file away again.
set -u
. "$(dirname "$0")/../support/script-prelude.sh"
for tool in desktop-file-validate appstreamcli identify man; do
    command -v $tool > /dev/null || { echo "FAILED: $tool is missing (make test installs it)"; exit 1; }
done

root=$tmp/root
DESTDIR=$root cmake --install "$build" --prefix /usr > "$tmp/out" 2>&1 ||
    { bad "cmake --install: $(tail -n 5 "$tmp/out")"; exit 1; }
app=org.whirlquarium.Whirlquarium
# path under /usr                                      what it is
while read -r path kind; do
    f=$root/usr/$path
    [ -f "$f" ] || { bad "$path: not installed"; continue; }
    case $kind in
    program) [ -x "$f" ] || bad "$path: not executable" ;;
    entry) desktop-file-validate "$f" > "$tmp/v" 2>&1 || bad "$path: $(cat "$tmp/v")" ;;
    appstream) appstreamcli validate --no-net "$f" > "$tmp/v" 2>&1 || bad "$path: $(cat "$tmp/v")" ;;
    icon*) [ "$(identify -format '%m %wx%h' "$f")" = "PNG ${kind#icon}x${kind#icon}" ] ||
        bad "$path: $(identify -format '%m %wx%h' "$f"), not a PNG of ${kind#icon} pixels" ;;
    manual) LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$f" 2>&1 > "$tmp/page" | grep . > "$tmp/v" &&
        bad "$path: $(cat "$tmp/v")"
        for section in CONTROLS CONSOLE ENVIRONMENT 'EXIT STATUS' WHIRLQUARIUM_SCALE; do
            grep -q "^ *$section" "$tmp/page" || bad "$path: no $section"
        done ;;
    esac
done <<ROWS
games/whirlquarium                                  program
share/applications/$app.desktop                     entry
share/metainfo/$app.metainfo.xml                    appstream
share/icons/hicolor/16x16/apps/whirlquarium.png     icon16
share/icons/hicolor/32x32/apps/whirlquarium.png     icon32
share/icons/hicolor/48x48/apps/whirlquarium.png     icon48
share/icons/hicolor/256x256/apps/whirlquarium.png   icon256
share/man/man6/whirlquarium.6.gz                    manual
ROWS
entry=$root/usr/share/applications/$app.desktop
[ -x "$root/usr/games/$(sed -n 's/^Exec=//p' "$entry")" ] || bad "the menu entry starts no installed program"
[ -f "$root/usr/share/icons/hicolor/48x48/apps/$(sed -n 's/^Icon=//p' "$entry").png" ] || bad "the menu entry's icon is not installed"
grep -q '^Categories=Game;' "$entry" || bad "the menu entry is not in the Game category"
grep -q "<launchable type=\"desktop-id\">$app.desktop<" "$root/usr/share/metainfo/$app.metainfo.xml" ||
    bad "the AppStream data does not name the menu entry"

make -s -C "$src" uninstall BUILD="$build" DESTDIR="$root" > "$tmp/out" 2>&1 || bad "make uninstall: $(cat "$tmp/out")"
left=$(find "$root" -type f)
[ -z "$left" ] || bad "make uninstall left: $left"
[ $failed = 0 ] && echo "desktop install: every file in place and valid, and gone again after uninstall"
exit $failed
