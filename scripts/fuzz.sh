#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (installing it when missing) in build-fuzz/ and runs
# the header-row fuzzer: scripts/fuzz.sh [runs] (default 1000000). The default build does not
# need clang; CTest runs the same target as a short seeded test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-1000000}"
"$root/scripts/bootstrap.sh"
if ! command -v clang++ >/dev/null; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends clang
fi
dir="$root/build-fuzz"
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOR_FUZZ=ON -DCMAKE_C_COMPILER=clang
       -DCMAKE_CXX_COMPILER=clang++)
command -v ccache >/dev/null && flags+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$dir" -G Ninja "${flags[@]}" >&2
cmake --build "$dir" --target fuzz_headerrows -j"$(nproc)" >&2
# The fuzzer grows its own copy of the seeds (fuzz/corpus, written by fuzz_headerrows_seeded
# --write-corpus).
corpus="$dir/fuzz-corpus"
mkdir -p "$corpus"
cp -n "$root/fuzz/corpus/"* "$corpus/"
export QT_QPA_PLATFORM=offscreen
"$dir/fuzz/fuzz_headerrows" -runs="$runs" -max_len=512 -print_final_stats=1 "$corpus"
