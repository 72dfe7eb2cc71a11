#!/usr/bin/env bash
# Lines of tests against lines of product code; fails when the tests pass 35% of the code.
# Fuzz targets and benchmarks are neither.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { git ls-files "$@" | grep -E '\.(cpp|h|hpp)$' | xargs -r cat | wc -l; }
tests=$(count tests tools/tests)
code=$(count src tools ':!tools/tests')
percent=$((100 * tests / code))
echo "tests: $tests lines, code: $code lines, tests are $percent% of the code"
((percent <= 35)) || { echo "tests pass 35% of the code"; exit 1; }
