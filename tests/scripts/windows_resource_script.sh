#!/usr/bin/env bash
# The Windows resource script made from resources/resources.txt: one line per row, same ID, type and file; written
# only when it changes; a table it could not express faithfully is refused with the reason, and nothing written.
set -u
src=${WHIRL_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0
bad() { failed=1; echo "FAILED: $*"; }
gen() { cmake -DTABLE="$1" -DOUTPUT="$2" -P "$src/cmake/WindowsResourceScript.cmake" > "$tmp/out" 2>&1; }

gen "$src/resources/resources.txt" "$tmp/real.rc" || bad "the real table is refused: $(cat "$tmp/out")"
awk '!/^[[:space:]]*(#|$)/ { printf "%s %s \"%s/resources/%s\"\n", $1, $2, src, $3 }' src="$src" \
    "$src/resources/resources.txt" > "$tmp/expected.rc"
grep -v '^//' "$tmp/real.rc" | diff "$tmp/expected.rc" - || bad "the script differs from the table"
touch -d '2001-01-01' "$tmp/real.rc"
gen "$src/resources/resources.txt" "$tmp/real.rc"
[ "$(stat -c %Y "$tmp/real.rc")" = "$(date -d '2001-01-01' +%s)" ] || bad "an unchanged script was rewritten"

: > "$tmp/a.bmp"
while IFS='|' read -r name reason table; do
    printf '%b' "$table" > "$tmp/$name.txt"
    if gen "$tmp/$name.txt" "$tmp/$name.rc"; then bad "$name: accepted"
    elif ! tr -s ' \n' '  ' < "$tmp/out" | grep -q "$reason"; then bad "$name: no \"$reason\": $(cat "$tmp/out")"
    elif [ -e "$tmp/$name.rc" ]; then bad "$name: written all the same"; fi  # CMake wraps its messages: tr
done <<'TABLES'
duplicate|listed twice|2000 BITMAP a.bmp IDB_A\n2000 BITMAP a.bmp IDB_B\n
unknown-type|unknown type|2000 CURSOR a.bmp IDC_A\n
missing-file|which is missing|2000 BITMAP nothere.bmp IDB_A\n
malformed|malformed line|2000 BITMAP\n
unnamed|not a name for an ID|2000 BITMAP a.bmp 2000\n
too-large|not a 16-bit number|70000 BITMAP a.bmp IDB_A\n
not-a-number|not a 16-bit number|IDB_FISH BITMAP a.bmp IDB_A\n
empty|lists no resource|# nothing here\n\n
TABLES
printf '7 BITMAP a.bmp IDB_A\n7 ICON a.bmp IDI_B\n' > "$tmp/shared.txt"  # bitmaps and icon groups have separate IDs
gen "$tmp/shared.txt" "$tmp/shared.rc" && [ "$(grep -c "^7 " "$tmp/shared.rc")" -eq 2 ] || bad "one ID, two types refused"
exit $failed
