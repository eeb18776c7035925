# Sourced first by the shell tests of tests/scripts/: the source and build
# folders, a scratch folder removed at exit, and bad, which notes a failure and
# says what it was (a test ends with: exit $failed).
src=${WHIRL_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
build=${WHIRL_BUILD_DIR:-$src/build}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0
bad() { failed=1; echo "FAILED: $*"; }
