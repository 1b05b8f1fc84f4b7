#!/usr/bin/env bash
# Fails when a folder includes a header from a folder that is not below it, and when a library
# meant to be free of widgets links Qt6::Widgets, directly or through another library.
# Usage: scripts/check-layers.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

# Bottom to top, as CMakeLists.txt lists them. The benchmarks, docs tools and tests sit above
# them all.
if [[ ! -f $build/layers.txt ]]; then
    echo "layers: $build/layers.txt is missing; configure the build first"
    exit 1
fi
mapfile -t layers < "$build/layers.txt"
consumers=(bench docs tests)

status=0
declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done

for dir in */; do
    dir=${dir%/}
    # Build folders, also a package build's (obj-<architecture>), hold generated code.
    [[ $dir == build* || -f $dir/CMakeCache.txt || " ${consumers[*]} " == *" $dir "* ]] && continue
    if ! compgen -G "$dir/*.[ch]*" >/dev/null; then continue; fi
    if [[ -z ${rank[$dir]+x} ]]; then
        echo "layers: folder $dir/ holds code but has no place in the layer order"
        status=1
        continue
    fi
    while IFS=: read -r file line used; do
        if [[ -z ${rank[$used]+x} || ${rank[$used]} -gt ${rank[$dir]} ]]; then
            echo "layers: $file:$line includes $used/, which is not below $dir/"
            status=1
        fi
    done < <(grep -nE '^\s*#\s*include\s+"[^/"]+/' "$dir"/*.cpp "$dir"/*.h 2>/dev/null |
             sed -E 's#^([^:]+):([0-9]+):\s*\#\s*include\s+"([^/"]+)/.*#\1:\2:\3#')
done

links=$build/widget_free_links.txt
if [[ ! -f $links ]]; then
    echo "layers: $links is missing; configure the build first"
    exit 1
fi
while IFS= read -r entry; do
    if [[ " ${entry#*: } " == *" Qt6::Widgets "* ]]; then
        echo "layers: ${entry%%:*} links Qt6::Widgets: ${entry#*: }"
        status=1
    fi
done < "$links"

[[ $status -eq 0 ]] && echo "layers: every include points down, the list logic links no widgets"
exit $status
