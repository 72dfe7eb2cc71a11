#!/usr/bin/env bash
# build.sh DIR [CMAKE OPTIONS...]: configures and builds into DIR (only the
# targets in $TARGETS when it is set), one short line per step with CMake's own
# percentage; on failure, the errors and where the whole log is.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
shift
mkdir -p "$dir"
log="$dir/build.log"
echo "Configuring $dir..."
if ! cmake -S . -B "$dir" "$@" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "Configuring failed; the whole log is in $log"
    exit 1
fi
echo "Building $dir (a first build takes several minutes)..."
# Compiler output goes to the log only, so the progress stays one line a step.
set +e
cmake --build "$dir" -j "$(nproc)" ${TARGETS:+--target $TARGETS} 2>&1 | tee -a "$log" |
    sed -nu -E 's/^(\[ *[0-9]+%\]) Building CXX object .*\/([^/]+)\.o$/\1 \2/p; s/^(\[ *[0-9]+%\]) (Linking|Built target) (CXX executable )?/\1 \2 /p'
status=${PIPESTATUS[0]}
set -e
if [ "$status" -ne 0 ]; then
    echo
    grep -E -A6 'error:|Error [0-9]|undefined reference' "$log" | head -n 80 || tail -n 60 "$log"
    echo "Build failed; the whole log is in $log"
    exit 1
fi
