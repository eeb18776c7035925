#!/usr/bin/env bash
# The Windows resource script is made from resources/resources.txt: one line per
# row, same ID, type and file, in table order; a table the script could not
# express faithfully is refused instead of written.
set -uo pipefail
src=${WHIRL_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
gen=$src/cmake/WindowsResourceScript.cmake
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
passed=0
failed=0
ok() { passed=$((passed + 1)); }
bad() { failed=$((failed + 1)); echo "FAILED: $*"; }

# The real table: each row becomes `ID TYPE "<resource dir>/FILE"`, nothing else.
if cmake -DTABLE="$src/resources/resources.txt" -DOUTPUT="$tmp/real.rc" -P "$gen" > "$tmp/real.out" 2>&1; then
    ok
    awk '!/^[[:space:]]*(#|$)/ { printf "%s %s \"%s/resources/%s\"\n", $1, $2, src, $3 }' src="$src" \
        "$src/resources/resources.txt" > "$tmp/expected.rc"
    grep -v '^//' "$tmp/real.rc" > "$tmp/real-lines.rc"
    if cmp -s "$tmp/expected.rc" "$tmp/real-lines.rc"; then ok; else
        bad "script differs from the table"; diff "$tmp/expected.rc" "$tmp/real-lines.rc"; fi
    rows=$(grep -c . "$tmp/real-lines.rc")
    [ "$rows" -eq 23 ] && ok || bad "expected 21 bitmaps and 2 icon groups, got $rows lines"
    while read -r _ _ path; do
        path=${path//\"/}
        [ -f "$path" ] || bad "names $path, which does not exist"
    done < "$tmp/real-lines.rc"
else
    bad "the real table is refused: $(cat "$tmp/real.out")"
fi

# Writing the same script again leaves the file alone (nothing rebuilds).
touch -d '2001-01-01' "$tmp/real.rc"
cmake -DTABLE="$src/resources/resources.txt" -DOUTPUT="$tmp/real.rc" -P "$gen" > /dev/null 2>&1
[ "$(stat -c %Y "$tmp/real.rc")" = "$(date -d '2001-01-01' +%s)" ] && ok || bad "an unchanged script was rewritten"

# Tables that must be refused, each with the reason the generator gives.
mkdir -p "$tmp/res"
: > "$tmp/res/a.bmp"
: > "$tmp/res/b.ico"
refuse() {  # refuse NAME EXPECTED-MESSAGE TABLE-TEXT
    printf '%b' "$3" > "$tmp/res/$1.txt"
    if cmake -DTABLE="$tmp/res/$1.txt" -DOUTPUT="$tmp/$1.rc" -P "$gen" > "$tmp/$1.out" 2>&1; then
        bad "$1: accepted"
    elif ! tr -s ' \n' '  ' < "$tmp/$1.out" | grep -q "$2"; then  # CMake wraps its messages
        bad "$1: refused without saying \"$2\": $(cat "$tmp/$1.out")"
    elif [ -e "$tmp/$1.rc" ]; then
        bad "$1: a script was written all the same"
    else
        ok
    fi
}
refuse duplicate "listed twice" "2000 BITMAP a.bmp IDB_A\n2000 BITMAP a.bmp IDB_B\n"
refuse unknown-type "unknown type" "2000 CURSOR a.bmp IDC_A\n"
refuse missing-file "which is missing" "2000 BITMAP nothere.bmp IDB_A\n"
refuse malformed "malformed line" "2000 BITMAP\n"
refuse too-large "not a 16-bit number" "70000 BITMAP a.bmp IDB_A\n"
refuse not-a-number "not a 16-bit number" "IDB_FISH BITMAP a.bmp IDB_A\n"
refuse empty "lists no resource" "# nothing here\n\n"

# The same ID may name a bitmap and an icon group: they are different resource types.
printf '7 BITMAP a.bmp IDB_A\n7 ICON b.ico IDI_B\n' > "$tmp/res/shared.txt"
if cmake -DTABLE="$tmp/res/shared.txt" -DOUTPUT="$tmp/shared.rc" -P "$gen" > /dev/null 2>&1 &&
    [ "$(grep -c '^7 ' "$tmp/shared.rc")" -eq 2 ]; then ok; else bad "one ID for a bitmap and an icon group refused"; fi

echo "windows_resource_script: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
