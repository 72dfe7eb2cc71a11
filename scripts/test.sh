#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
# With --sanitize the same suite runs under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
dir=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-sanitize
    options=(-DCMAKE_BUILD_TYPE=Debug -DGLOAMFELL_SANITIZE=ON)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
scripts/build.sh "$dir" "${options[@]}"
export QT_QPA_PLATFORM=offscreen
# The sound test starts its own PulseAudio server; here it must not skip.
export GLOAMFELL_REQUIRE_PULSE=1
ctest --test-dir "$dir" -j "$(nproc)" --output-on-failure --progress
