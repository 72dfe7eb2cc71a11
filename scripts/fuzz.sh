#!/usr/bin/env bash
# Fuzzes the game's readers: scripts/fuzz.sh SECONDS
# Installs what is missing, builds the targets with clang into build-fuzz/,
# replays every input that ever made a target fail, then runs each target for
# SECONDS seconds, two at a time. Fails on any finding; findings are kept in
# build-fuzz/findings/TARGET/ (copy them to fuzz/regressions/TARGET/).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/deps.sh clang libclang-rt-14-dev

build=build-fuzz
cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2
export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure

targets=(item_catalogue monster_catalogue map_file saved_game tile_sheet wave_file)
fuzz_one() {
    local target=$1 work="$build/work/$1" findings="$build/findings/$1"
    mkdir -p "$work" "$findings"
    # New inputs go to the working corpus; the committed seeds stay as they are.
    # A sheet of the largest size the loader accepts takes about a second under
    # the sanitizers, several on a busy machine: only far beyond that is a hang.
    "$build/fuzz_$target" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 -max_len=65536 \
        -print_final_stats=1 -artifact_prefix="$findings/" "$work" "fuzz/corpus/$target" \
        >"$build/$target.log" 2>&1
}

failed=()
for ((i = 0; i < ${#targets[@]}; i += 2)); do
    pids=()
    for target in "${targets[@]:i:2}"; do
        fuzz_one "$target" &
        pids+=("$!:$target")
    done
    for entry in "${pids[@]}"; do
        if wait "${entry%%:*}"; then
            echo "fuzz ${entry#*:}: $(grep -m1 -o 'stat::average_exec_per_sec: *[0-9]*' "$build/${entry#*:}.log" | grep -o '[0-9]*$') exec/s, no finding"
        else
            failed+=("${entry#*:}")
            tail -n 40 "$build/${entry#*:}.log"
        fi
    done
done
if ((${#failed[@]})); then
    echo "fuzz: findings in ${failed[*]} (see $build/findings/)" >&2
    exit 1
fi
