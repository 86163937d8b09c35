#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (installing it when missing) in build-fuzz/ and runs
# each for a number of inputs: scripts/fuzz.sh [runs] [target...] (default 1000000 runs of every
# target). The default build does not need clang; CTest runs each target as a short seeded test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-1000000}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_headerrows fuzz_tabsorder fuzz_settings fuzz_formfile fuzz_script)
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
export QT_QPA_PLATFORM=offscreen
# Allocation stacks two frames deep: deeper stacks, unwound through libraries built without frame
# pointers, fill the sanitizer's stack depot and slow every allocation more as a run goes on. A
# finding is replayed on its own with full stacks.
export ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=2}"
# Leaks inside system libraries (fontconfig's caches at exit) are not the targets' own.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$root/scripts/lsan.supp}"
for target in "${targets[@]}"; do
    cmake --build "$dir" --target "$target" "${target}_seeded" -j"$(nproc)" >&2
    # The fuzzer grows its own copy of the target's seeds.
    corpus="$dir/corpus/$target"
    mkdir -p "$corpus"
    "$dir/fuzz/${target}_seeded" --write-corpus "$corpus"
    "$dir/fuzz/$target" -runs="$runs" -max_len=512 -print_final_stats=1 "$corpus"
done
