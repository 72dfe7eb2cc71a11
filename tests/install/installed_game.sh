#!/usr/bin/env bash
# installed_game.sh BUILD_DIR: installs the build under a fresh prefix and
# starts the installed game offscreen; passes once it reaches the start menu
# reading the installed data, with the manual pages in place. Nothing of the tests may be installed.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
game=
trap '[ -z "$game" ] || kill "$game" 2>/dev/null; rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

strays=$(find "$prefix" -type f -executable | grep -v -E '/games/gloamfell(-sim|-check)?$' || true)
[ -z "$strays" ] || { echo "installed programs that are not the game's: $strays"; exit 1; }
for program in gloamfell gloamfell-sim gloamfell-check; do
    [ -f "$prefix/share/man/man6/$program.6" ] || { echo "no manual page for $program"; exit 1; }
done

# start LOG ARGS...: the installed game offscreen, until it reaches the start menu or ends.
start() {
    local log=$1
    shift
    env -u XDG_DATA_HOME QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='gloamfell.startup.info=true' \
        HOME=$prefix/home "$prefix/games/gloamfell" "$@" >"$log" 2>&1 &
    game=$!
    # Generous, for a busy machine: this waits for the menu, it does not time it.
    for _ in $(seq 300); do
        grep -q 'start menu' "$log" && break
        kill -0 "$game" 2>/dev/null || break
        sleep 0.1
    done
    kill "$game" 2>/dev/null || true
    wait "$game" 2>/dev/null || true
    game=
    cat "$log"
    grep -q 'start menu' "$log"
}

start "$prefix/log"
grep -q "data \"$prefix/share/games/gloamfell\" saved games \"$prefix/home/.local/share/gloamfell\"" "$prefix/log"
# --data names another folder, here the same files under another name.
ln -s "$prefix/share/games/gloamfell" "$prefix/mine"
start "$prefix/log-data" --data "$prefix/mine"
grep -q "data \"$prefix/mine\"" "$prefix/log-data"
