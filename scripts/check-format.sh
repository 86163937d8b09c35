#!/usr/bin/env bash
# Checks that every C++ file of the tree is formatted as .clang-format says: scripts/check-format.sh
# Lists the files that are not and fails; build trees and hidden folders are left out.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
command -v clang-format >/dev/null || { echo "check-format: clang-format is not installed" >&2; exit 2; }
mapfile -d '' files < <(find . \( -name 'build*' -o -name '.*' ! -name . \) -prune -o -type f \
    \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
bad=()
for f in "${files[@]}"; do
    clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("${f#./}")
done
if [ ${#bad[@]} -gt 0 ]; then
    echo "check-format: ${#bad[@]} of ${#files[@]} files differ from clang-format:" >&2
    printf '  %s\n' "${bad[@]}" >&2
    echo "check-format: run clang-format -i on them" >&2
    exit 1
fi
echo "check-format: ${#files[@]} files formatted"
