#!/usr/bin/env bash
# Sets up, builds and runs every test headless: scripts/test.sh [release|asan]
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
cd "$dir"
ctest --output-on-failure -j"$(nproc)"
