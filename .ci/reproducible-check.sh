#!/usr/bin/env bash
# Two builds of one commit give the same bytes: clones HEAD twice, fresh, into
# two folders of different names and depths, runs make release in each, one
# after the other, and compares every file of the two dist/ folders with cmp.
#
#   .ci/reproducible-check.sh [WORK]    (default: build-reproducible/)
#
# WORK is made anew; it keeps the clones, their logs and dist/ folders.
set -uo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$src/build-reproducible}
rm -rf "$work" && mkdir -p "$work" && work=$(cd "$work" && pwd) || exit 1
commit=$(git -C "$src" rev-parse HEAD) || exit 1
[ -z "$(git -C "$src" status --porcelain --untracked-files=no)" ] ||
    echo "reproducible: uncommitted changes are left out; the check is of ${commit:0:7}" >&2

status=0
dists=()
for clone in one/whirlquarium the-second/clone/of/whirlquarium; do
    dir=$work/$clone
    git clone -q --no-local --no-checkout "$src" "$dir" && git -C "$dir" checkout -q --detach "$commit" || exit 1
    start=$SECONDS
    if ! make -C "$dir" release > "$dir.log" 2>&1; then
        echo "reproducible: make release failed in $dir (its log: $dir.log):" >&2
        tail -n 20 "$dir.log" >&2
        exit 1
    fi
    echo "reproducible: make release in $dir: $((SECONDS - start)) s"
    dists+=("$dir/dist")
done

a=${dists[0]} b=${dists[1]}
names=$( (cd "$a" && ls) | xargs)
[ "$names" = "$( (cd "$b" && ls) | xargs)" ] || { echo "FAILED  the two releases hold different files"; status=1; }
[ "$(echo "$names" | wc -w)" = 6 ] || { echo "FAILED  a release of six files, not: $names"; status=1; }
for f in $names; do
    if cmp -s "$a/$f" "$b/$f"; then
        echo "same    $f ($(stat -c %s "$a/$f") bytes)"
    else
        echo "FAILED  $f differs: $(cmp "$a/$f" "$b/$f" 2>&1 | head -n 1)"
        status=1
    fi
done
(cd "$a" && sha256sum --quiet -c SHA256SUMS) || { echo "FAILED  SHA256SUMS does not match the files"; status=1; }
echo "reproducible: ${commit:0:7}: $([ $status = 0 ] && echo "every file the same in both builds" || echo FAILED) ($SECONDS s)"
exit $status
