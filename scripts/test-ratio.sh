#!/usr/bin/env bash
# Prints how many lines of tests there are per line of code: non-blank C++ lines with `//`
# comments stripped, tests/ and fuzz/ against every other tracked file but bench/ and examples/.
set -euo pipefail
cd "$(dirname "$0")/.."
lines() { xargs -d '\n' sed -e 's://.*$::' | grep -cv '^[[:space:]]*$'; }
files="$(git ls-files '*.cpp' '*.h')"
tests=$(grep -E '^(tests|fuzz)/' <<<"$files" | lines)
code=$(grep -vE '^(tests|fuzz|bench|examples)/' <<<"$files" | lines)
awk -v t="$tests" -v c="$code" \
    'BEGIN { printf "test lines %d, code lines %d: %.2f of the code\n", t, c, t / c }'
