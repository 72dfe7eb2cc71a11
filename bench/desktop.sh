#!/usr/bin/env bash
# Whole-process measures of the desktop program, offscreen:
#   start-up to the start menu painted (median of 9 runs, beside the floor of a
#   bare Qt program that paints an empty window), and peak memory in play.
# Usage: bench/desktop.sh PATH/TO/gloamfell-probe [PLAY_SECONDS]
set -euo pipefail
probe=$1
seconds=${2:-20}
export QT_QPA_PLATFORM=offscreen

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
millis() {
    local runs=()
    for _ in 1 2 3 4 5 6 7 8 9; do
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1 || true
        end=$(date +%s%N)
        runs+=($(((end - start) / 1000000)))
    done
    printf '%s\n' "${runs[@]}" | median
}

echo "start-up to the menu painted: $(millis "$probe" menu) ms (floor: $(millis "$probe" bare) ms)"
peakOf() { /usr/bin/time -f 'peak %M' "$@" 2>&1 >/dev/null | grep -E '^(peak|probe:)'; }
peakOf "$probe" bare | sed 's/^peak \([0-9]*\)/floor, a bare Qt window: \1 kB/'
peakOf "$probe" play "$seconds" | sed "s/^peak \([0-9]*\)/peak memory in $seconds s of play: \1 kB/"
