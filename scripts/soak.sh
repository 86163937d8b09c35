#!/usr/bin/env bash
# A long randomized soak of the workbench under the sanitizer build:
#   scripts/soak.sh [steps] [seed]     (default 100000 steps, seed 20261206)
# The test and its libraries are copied into a folder of their own first, so that rebuilding
# build-asan/ during a run of hours does not pull libraries from under it. Its output goes to
# soak-SEED.log in that folder (printed at the end), with progress every thousand steps.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
steps="${1:-100000}"
seed="${2:-20261206}"
dir="$("$root/scripts/build.sh" asan | tail -n 1)"
run="$(mktemp -d "${TMPDIR:-/tmp}/kor-soak-XXXXXX")"
cp "$dir/bin/tst_workbench_soak" "$run/"
cp -r "$dir/lib" "$run/lib"
export QT_QPA_PLATFORM=offscreen LD_LIBRARY_PATH="$run/lib" KOR_PACKAGE_DIR="$run/lib"
export KOR_SOAK_STEPS="$steps" KOR_SOAK_SEED="$seed"
# Allocation stacks two frames deep: deeper stacks, unwound through libraries built without frame
# pointers, fill the sanitizer's stack depot, and every allocation then gets slower as the run
# goes on. A failure names its seed and step and writes its scenario, which replays with full
# stacks under scripts/test.sh's options.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:malloc_context_size=2
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
log="$run/soak-$seed.log"
cd "$run"
status=0
./tst_workbench_soak -maxwarnings 0 >"$log" 2>&1 || status=$?
grep -E "step [0-9]+:|seed $seed|FAIL|replay:|ERROR" "$log" || true
# A run that finished must have taken steps back and forth: its summary counts the undos and
# redos it compared with the form's text from before and after their step.
if [ "$status" -eq 0 ] && ! grep -qE "seed $seed: .* [1-9][0-9]* undos and redos compared" "$log"; then
    echo "soak: no undo or redo was compared with the form's text around its step" >&2
    status=1
fi
echo "soak: $steps steps, seed $seed, exit status $status; full output in $log"
exit "$status"
