#!/usr/bin/env bash
# make release: what a release page offers, built from the commit checked out
# and named with its version, in DIST (default dist/):
#   whirlquarium-VERSION.tar.gz               the sources (git archive)
#   whirlquarium_VERSION_amd64.deb            the Debian package
#   whirlquarium-VERSION-windows-x64.zip      the .exe, README.txt and LICENSE.txt (Windows line ends)
#   whirlquarium-VERSION-setup.exe            the Windows installer
#   whirlquarium-VERSION-web.zip              the web site
#   SHA256SUMS                                the sums of the five
# Every file is built from the source archive itself, unpacked under
# RELEASE_BUILD (default build-release/), so what is built is what is shipped,
# and two runs of one commit give the same bytes wherever they run: the time is
# the last commit's (SOURCE_DATE_EPOCH), the binaries hold no build path, the
# archives have sorted members with fixed times and owners.
#
#   tools/release/release.sh [DIST]     (make release installs the tools first)
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
cd "$src"
dist=$(mkdir -p "${1:-dist}" && cd "${1:-dist}" && pwd)
work=$(mkdir -p "${RELEASE_BUILD:-build-release}" && cd "${RELEASE_BUILD:-build-release}" && pwd)
jobs=${JOBS:-2}
say() { echo "release: $*"; }

git rev-parse --verify -q HEAD > /dev/null || { echo "release: $src is not a git checkout with a commit" >&2; exit 1; }
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
    echo "release: uncommitted changes are left out; the release is of $(git rev-parse --short HEAD)" >&2
version=$(sed -n 's/^project(Whirlquarium VERSION \([0-9][0-9.]*\) .*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "release: no version in CMakeLists.txt's project()" >&2; exit 1; }
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct HEAD)}
export TZ=UTC LC_ALL=C
umask 022
name=whirlquarium-$version
say "$name of $(git rev-parse --short HEAD), dated $(date -d "@$SOURCE_DATE_EPOCH" -R)"

# zip_folder ZIP DIR: DIR's files under DIR's name, sorted, with the commit's
# time, no owners or extra attributes, no directory entries.
zip_folder() {
    local zip=$1 dir=$2
    find "$dir" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
    rm -f "$zip"
    (cd "$(dirname "$dir")" && find "$(basename "$dir")" -type f | sort | zip -q -X -D -9 "$zip" -@)
}

rm -rf "$work" && mkdir -p "$work" && rm -f "$dist"/whirlquarium[-_]* "$dist/SHA256SUMS"

# ---- The sources --------------------------------------------------------------------
git archive --format=tar --prefix="$name/" HEAD > "$work/$name.tar"
gzip -n -9 < "$work/$name.tar" > "$dist/$name.tar.gz"
tar -xf "$work/$name.tar" -C "$work" && mv "$work/$name" "$work/src"
say "sources: $name.tar.gz"

configure() {  # configure BUILD [ARGS...]: a release build of the unpacked sources
    cmake -S "$work/src" -B "$work/$1" -DCMAKE_BUILD_TYPE=Release -DWHIRL_REPRODUCIBLE=ON -DWHIRL_TESTS=OFF \
        "${@:2}" > "$work/$1.configure.log" || { cat "$work/$1.configure.log"; return 1; }
}

# ---- Linux: the Debian package --------------------------------------------------------
configure linux
cmake --build "$work/linux" -j "$jobs" > "$work/linux.build.log" || { tail -n 30 "$work/linux.build.log"; exit 1; }
(cd "$work/linux" && cpack -G DEB > cpack.log) || { cat "$work/linux/cpack.log"; exit 1; }
# As make deb: no release with a package lintian finds an error in.
lintian_ok=1
lintian --fail-on error "$work/linux/whirlquarium_${version}_amd64.deb" > "$work/lintian.log" 2>&1 || lintian_ok=0
grep -v '^running with root privileges' "$work/lintian.log" || true
[ $lintian_ok = 1 ] || { echo "release: lintian found an error in the package" >&2; exit 1; }
cp "$work/linux/whirlquarium_${version}_amd64.deb" "$dist/"
say "Debian package: whirlquarium_${version}_amd64.deb"

# ---- Windows: the game in a zip, and its installer -----------------------------------
configure windows -DCMAKE_TOOLCHAIN_FILE="$work/src/cmake/MinGW-w64.cmake"
cmake --build "$work/windows" -j "$jobs" --target whirlquarium installer > "$work/windows.build.log" ||
    { tail -n 30 "$work/windows.build.log"; exit 1; }
mkdir -p "$work/zip/$name"
cp "$work/windows/whirlquarium.exe" "$work/windows/windows/README.txt" "$work/windows/windows/LICENSE.txt" "$work/zip/$name/"
zip_folder "$dist/$name-windows-x64.zip" "$work/zip/$name"
cp "$work/windows/$name-setup.exe" "$dist/"
say "Windows: $name-windows-x64.zip, $name-setup.exe"

# ---- The web site ---------------------------------------------------------------------
EMSDK_PYTHON=${EMSDK_PYTHON:-/usr/bin/python3} NODE_PATH=${NODE_PATH:-/usr/share/nodejs} \
    emcmake cmake -S "$work/src" -B "$work/web" -DCMAKE_BUILD_TYPE=Release -DWHIRL_REPRODUCIBLE=ON \
    > "$work/web.configure.log" || { cat "$work/web.configure.log"; exit 1; }
EMSDK_PYTHON=${EMSDK_PYTHON:-/usr/bin/python3} NODE_PATH=${NODE_PATH:-/usr/share/nodejs} \
    cmake --build "$work/web" -j "$jobs" > "$work/web.build.log" || { tail -n 30 "$work/web.build.log"; exit 1; }
mkdir -p "$work/zip/$name-web"
cp -R "$work/web/site/." "$work/zip/$name-web/"
zip_folder "$dist/$name-web.zip" "$work/zip/$name-web"
say "web site: $name-web.zip"

# ---- The sums -------------------------------------------------------------------------
(cd "$dist" && sha256sum "$name.tar.gz" "whirlquarium_${version}_amd64.deb" "$name-windows-x64.zip" \
    "$name-setup.exe" "$name-web.zip" > SHA256SUMS)
say "in $dist:"
(cd "$dist" && ls -l --time-style=+ | tail -n +2 | awk '{ printf "release:   %10d  %s\n", $5, $NF }')
