#!/usr/bin/env bash
# Writes pictures of the workbench, offscreen: the main window with a grid showing the sample
# customers, the grid's columns editor and its designer (scripts/scenes/showcase.kws):
#   scripts/shoot-workbench.sh OUTDIR [SCENARIO]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:?usage: $0 OUTDIR [SCENARIO]}"
scene="${2:-$root/scripts/scenes/showcase.kws}"
dir="$root/build"
[ -f "$dir/build.ninja" ] || dir="$("$root/scripts/build.sh" release | tail -n 1)"
cmake --build "$dir" --target korworkbench DCLKorDBGrid90 >&2
QT_QPA_PLATFORM=offscreen "$dir/app/korworkbench" --script "$scene" --screenshot "$out"
