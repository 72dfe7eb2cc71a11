#!/usr/bin/env bash
# The core's one rule of dependency: a folder includes from its own layer and
# those below it, never from one above. Prints each include that breaks it.
set -euo pipefail
cd "$(dirname "$0")/../src/core"
rules="map items creatures messages render savegame sound"
allowed() {
    case $1 in
    platform) echo "platform" ;;
    util) echo "util" ;;
    state) echo "state util platform" ;;
    app) echo "app $rules state util platform" ;;
    *) echo "$rules state util platform" ;;
    esac
}
broken=0
for dir in */; do
    dir=${dir%/}
    ok=$(allowed "$dir")
    while IFS= read -r line; do
        file=${line%%:*}
        target=$(sed -E 's/.*#include "([a-z_]+)\/.*/\1/' <<<"$line")
        if ! grep -qw "$target" <<<"$ok"; then
            echo "src/core/$file includes from $target/, a layer above $dir/"
            broken=1
        fi
    done < <(grep -rHE '^#include "[a-z_]+/' "$dir" || true)
done
exit $broken
