#!/usr/bin/env bash
# Configures and builds one build tree: scripts/build.sh [release|asan]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
kind="${1:-release}"
case "$kind" in
    release) dir="$root/build"; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    asan) dir="$root/build-asan"; flags=(-DCMAKE_BUILD_TYPE=Debug -DKOR_SANITIZE=ON) ;;
    *) echo "usage: $0 [release|asan]" >&2; exit 2 ;;
esac
"$root/scripts/bootstrap.sh"
# Rebuilds after a clean checkout (CI, a second work tree) come mostly from the compiler cache.
command -v ccache >/dev/null && flags+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}" >&2
cmake --build "$dir" -j"$(nproc)" >&2
echo "$dir"
