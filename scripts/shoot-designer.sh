#!/usr/bin/env bash
# Writes one PNG per page of the grid designer, opened offscreen on a sample grid:
#   scripts/shoot-designer.sh OUTDIR
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:?usage: $0 OUTDIR}"
dir="$root/build"
[ -f "$dir/build.ninja" ] || dir="$("$root/scripts/build.sh" release | tail -n 1)"
cmake --build "$dir" --target shoot_designer >&2
QT_QPA_PLATFORM=offscreen "$dir/bench/shoot_designer" "$out"
