#!/usr/bin/env bash
# Writes a picture of Qt Designer, offscreen, with a grid on a form and the grid designer window
# opened over it through the grid's task menu (qtdesigner.png in OUTDIR):
#   scripts/shoot-qtdesigner.sh OUTDIR
# Runs Designer itself with the plugin of the build tree; the plugin's snapshot hook
# (KOR_DESIGNER_SNAPSHOT) opens the window, writes the picture and ends Designer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:?usage: $0 OUTDIR}"
designer="$(command -v designer-qt6 || echo /usr/lib/qt6/bin/designer)"
[ -x "$designer" ] || { echo "$0: Qt Designer (designer-qt6) is not installed" >&2; exit 1; }
# shellcheck source=SCRIPTDIR/lib/designer-env.sh
. "$root/scripts/lib/designer-env.sh"
env "${kor_designer_env[@]}" QT_QPA_PLATFORM=offscreen KOR_DESIGNER_SNAPSHOT="$out/qtdesigner.png" \
    timeout 120 "$designer" "$root/scripts/scenes/customers.ui"
