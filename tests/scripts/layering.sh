#!/usr/bin/env bash
# The floors of the house: arrows point down only, the platform's internals
# stay its own, each backend sees the layer only through its contract, SDL only
# inside its own folder, and every source of the product is in one list of
# cmake/Sources.cmake. Fails naming every include or source that breaks the plan.
set -uo pipefail
cd "${WHIRL_SOURCE_DIR:-$(dirname "$0")/../..}" || exit 1
game='"(Screen|Blender|Fish)/|"Whirlquarium\.h"|"EntityIDs\.h"|"ResourceIDs\.h"'
backends=$(find Platform -mindepth 1 -maxdepth 1 -type d | sort)  # a folder of Platform/ is a backend
found=$(
    grep -nE "#include ($game)" Engine/* | sed 's/^/the engine includes the game: /'
    grep -rnE "#include (\"Engine/|$game)" Platform | sed 's/^/the platform includes a floor above it: /'
    grep -nE '#include "Platform/' Engine/* Screen/* Blender/* Fish/* Whirlquarium.* EntityIDs.h |
        grep -v '"Platform/Win32.h"' | sed 's/^/only Win32.h is the platform above it: /'
    grep -rnE '#include "Platform/' tools bench | grep -vE '"Platform/(Win32|headless/Headless|Keys)\.h"' |
        sed 's/^/a tool reaches into the platform: /'
    for dir in $backends; do
        grep -rnE '#include "Platform/' "$dir" | grep -vE "\"Platform/(Backend|Keys|Win32)\.h\"|\"$dir/" |
            sed 's/^/a backend reaches past its contract: /'
        grep -rnwE 'PostMessage|PostQuitMessage|SendMessage|InvalidateRect' "$dir" --include='*.cpp' --include='*.h' |
            sed 's/^/a backend feeds input past its contract: /'
    done
    git ls-files -- '*.cpp' '*.h' '*.c' | grep -vE '^(Platform/sdl|tests/sdl)/' | xargs grep -nE '#include [<"]SDL' |
        sed 's/^/SDL outside Platform\/sdl\/: /'
    for f in $(git ls-files -- 'Whirlquarium.cpp' 'Engine/*.cpp' 'Screen/*.cpp' 'Blender/*.cpp' 'Fish/*.cpp' \
               'Platform/*.cpp'); do
        n=$(grep -owF "$f" cmake/Sources.cmake | wc -l)
        [ "$n" = 1 ] || echo "$f is in $n source lists of cmake/Sources.cmake, not one"
    done
    for f in $(grep -oE '[A-Za-z/]+\.cpp' cmake/Sources.cmake); do
        [ -f "$f" ] || echo "cmake/Sources.cmake lists $f, which is not there"
    done
)
if [ -n "$found" ]; then
    echo "$found" | sed 's/^/layering: /'
    exit 1
fi
echo "layering: every include points down, every backend keeps to its contract, every source is listed once"
