#!/usr/bin/env bash
# Every C++ file follows the project's .clang-format; lists the ones that do not.
set -uo pipefail
cd "$(dirname "$0")/.."
bad=()
while IFS= read -r f; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done < <(git ls-files '*.cpp' '*.h' '*.hpp' 2>/dev/null || find src tests tools bench fuzz -name '*.cpp' -o -name '*.h' -o -name '*.hpp')
if ((${#bad[@]})); then
    printf 'not formatted: %s\n' "${bad[@]}"
    exit 1
fi
