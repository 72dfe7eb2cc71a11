#!/usr/bin/env bash
# build.sh DIR [CMAKE OPTIONS...]: configures and builds into DIR, printing only on failure.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
shift
mkdir -p "$dir"
log="$dir/build.log"
if ! { cmake -S . -B "$dir" "$@" && cmake --build "$dir" -j "$(nproc)"; } >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "Build failed; the whole log is in $log"
    exit 1
fi
