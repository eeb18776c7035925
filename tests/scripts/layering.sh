#!/usr/bin/env bash
# The floors of the house: arrows point down only, and the platform's
# internals stay its own. Fails naming every include that breaks the plan.
set -uo pipefail
cd "${WHIRL_SOURCE_DIR:-$(dirname "$0")/../..}" || exit 1
game='"(Screen|Blender|Fish)/|"Whirlquarium\.h"|"EntityIDs\.h"|"ResourceIDs\.h"'
found=$(
    grep -nE "#include ($game)" Engine/* | sed 's/^/the engine includes the game: /'
    grep -rnE "#include (\"Engine/|$game)" Platform | sed 's/^/the platform includes a floor above it: /'
    grep -nE '#include "Platform/' Engine/* Screen/* Blender/* Fish/* Whirlquarium.* EntityIDs.h |
        grep -v '"Platform/Win32.h"' | sed 's/^/only Win32.h is the platform above it: /'
    grep -rnE '#include "Platform/' tools bench | grep -vE '"Platform/(Win32|Headless|Keys)\.h"' |
        sed 's/^/a tool reaches into the platform: /'
)
if [ -n "$found" ]; then
    echo "$found" | sed 's/^/layering: /'
    exit 1
fi
echo "layering: every include points down"
