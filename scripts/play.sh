#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game on the shipped data.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
exec build/bin/gloamfell "$@"
