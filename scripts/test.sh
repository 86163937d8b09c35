#!/usr/bin/env bash
# Sets up, builds and runs every test headless: scripts/test.sh [release|asan]
# The release run also checks the formatting of every C++ file (scripts/check-format.sh), after
# the tests, and fails when a file differs. Both print the tests' size against the code at the end.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
kind="${1:-release}"
dir="$("$root/scripts/build.sh" "$kind" | tail -n 1)"
export QT_QPA_PLATFORM=offscreen
if [ "$kind" = asan ]; then
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp"
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
# A private PostgreSQL server for the data tests, stopped however the run ends.
source "$root/scripts/postgres.sh"
trap postgres_stop EXIT
postgres_start
[ -z "${KOR_PG_UNAVAILABLE:-}" ] || echo "postgres: $KOR_PG_UNAVAILABLE; its tests are skipped"
cd "$dir"
ctest --output-on-failure -j"$(nproc)"
[ "$kind" = asan ] || "$root/scripts/check-format.sh"
"$root/scripts/test-ratio.sh"
