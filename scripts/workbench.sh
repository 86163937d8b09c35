#!/usr/bin/env bash
# Sets up, builds and starts the workbench.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$("$root/scripts/build.sh" release | tail -n 1)"
exec "$dir/app/korworkbench" "$@"
