#!/usr/bin/env bash
# One version everywhere: whirlquarium answers --version and --help before the
# game starts (no display needed, nothing on standard error, other arguments
# ignored); the manual page, the AppStream data and the package carry the
# project's version; and the changelog's newest entry must be that version.
set -u
. "$(dirname "$0")/../support/script-prelude.sh"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { bad "no project version in $build/CMakeCache.txt: '$version'"; exit 1; }

# arguments                 first line of the answer
while IFS='|' read -r args first; do
    # shellcheck disable=SC2086
    env -u DISPLAY -u WAYLAND_DISPLAY "$build/whirlquarium" $args > "$tmp/out" 2> "$tmp/err"
    rc=$?
    [ $rc = 0 ] || bad "whirlquarium $args: exit status $rc"
    [ -s "$tmp/err" ] && bad "whirlquarium $args wrote to standard error: $(cat "$tmp/err")"
    [ "$(head -n 1 "$tmp/out")" = "${first/VERSION/$version}" ] ||
        bad "whirlquarium $args: '$(head -n 1 "$tmp/out")', not '${first/VERSION/$version}'"
done <<'ROWS'
--version|whirlquarium VERSION
--help|Usage: whirlquarium [--version | --help]
-x --version --help|whirlquarium VERSION
--help --version|Usage: whirlquarium [--version | --help]
--versions --help|Usage: whirlquarium [--version | --help]
ROWS
env -u DISPLAY -u WAYLAND_DISPLAY "$build/whirlquarium" --help | grep -q 'whirlquarium(6)' || bad "--help names no manual page"
# Without either, the game starts as before: here it finds no display.
env -u DISPLAY -u WAYLAND_DISPLAY "$build/whirlquarium" --verbose > "$tmp/out" 2> "$tmp/err"
[ $? = 1 ] && [ ! -s "$tmp/out" ] && grep -q 'no display' "$tmp/err" || bad "an unknown option did not leave the game to start"

grep -q "^\.TH WHIRLQUARIUM 6 [0-9-]* \"Whirlquarium $version\"" "$build/desktop/whirlquarium.6" ||
    bad "the manual page's title is not of $version: $(head -n 1 "$build/desktop/whirlquarium.6")"
newest=$(grep -m1 -o '<release version="[^"]*" date="[^"]*"' "$build/desktop/org.whirlquarium.Whirlquarium.metainfo.xml")
[ "$newest" = "<release version=\"$version\" date=\"$(sed -n '1,/^ -- /s/^ -- .*  //p' "$src/desktop/changelog" |
    xargs -I{} date -u -d {} +%F)\"" ] || bad "AppStream's newest release is not $version of the changelog's date: $newest"
grep -q "^set(CPACK_PACKAGE_VERSION \"$version\")" "$build/CPackConfig.cmake" || bad "the package is not of $version"

# The changelog against the version: a small project that reads it as the game's does.
mkdir -p "$tmp/p/desktop"
cp "$src/LICENSE" "$tmp/p/"
printf 'cmake_minimum_required(VERSION 3.25)\nproject(P VERSION ${V} LANGUAGES NONE)\ninclude(%s/cmake/Version.cmake)\nmessage(STATUS "releases: ${WHIRL_RELEASES_XML}")\n' \
    "$src" > "$tmp/p/CMakeLists.txt"
entry() { printf 'whirlquarium (%s) unstable; urgency=medium\n\n  * %s\n    & <more>\n\n -- A <a@b.c>  %s\n\n' "$@"; }
# project  changelog entries (newest first)  accepted or refused  and with what
while IFS='|' read -r v entries accepted outcome; do
    eval "$entries" > "$tmp/p/desktop/changelog"
    rm -rf "$tmp/b"
    cmake -S "$tmp/p" -B "$tmp/b" -DV="$v" > "$tmp/out" 2>&1
    rc=$?
    tr -s ' \n' '  ' < "$tmp/out" > "$tmp/flat"
    if [ "$accepted" = accepted ]; then
        [ $rc = 0 ] || bad "project $v, changelog $entries: refused: $(cat "$tmp/out")"
    elif [ $rc = 0 ]; then bad "project $v, changelog $entries: accepted"; fi
    grep -qF "$outcome" "$tmp/flat" || bad "project $v, changelog $entries: no \"$outcome\" in: $(cat "$tmp/flat")"
done <<'ROWS'
1.1.0|entry 1.1.0 'Fixed [1' 'Tue, 05 Jan 2027 10:00:00 +0000'; entry 1.0.0 'First; one' 'Mon, 07 Dec 2026 12:00:00 +0000'|accepted|<release version="1.1.0" date="2027-01-05"> <description> <p>Fixed [1 &amp; &lt;more&gt;</p> </description> </release> <release version="1.0.0" date="2026-12-07"> <description> <p>First; one &amp; &lt;more&gt;</p>
1.1.0|entry 1.0.0 First 'Mon, 07 Dec 2026 12:00:00 +0000'|refused|the newest entry is 1.0.0, the project is 1.1.0: add an entry for 1.1.0
1.0.0|entry 1.0.0 First 'Mon, 07 Dez 2026 12:00:00 +0000'|refused|cannot read the entry
1.0.0|true|refused|holds no entry
1.0|entry 1.0 First 'Mon, 07 Dec 2026 12:00:00 +0000'|refused|is not MAJOR.MINOR.PATCH
ROWS
[ $failed = 0 ] && echo "version: $version everywhere"
exit $failed
