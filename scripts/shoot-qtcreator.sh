#!/usr/bin/env bash
# Writes a picture of Qt Creator's form editor, offscreen, with a grid on a form and the grid
# designer window opened over it through the grid's task menu (qtcreator.png in OUTDIR):
#   scripts/shoot-qtcreator.sh OUTDIR
# Runs Qt Creator (Debian's qtcreator; scripts/bootstrap.sh installs it when KOR_WITH_QTCREATOR=1)
# with the plugin of the build tree and clean settings of its own; the plugin's snapshot hook
# (KOR_DESIGNER_SNAPSHOT) opens the window, writes the picture and ends Qt Creator.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:?usage: $0 OUTDIR}"
creator="$(command -v qtcreator || true)"
[ -n "$creator" ] || {
    echo "$0: Qt Creator is not installed (KOR_WITH_QTCREATOR=1 scripts/bootstrap.sh installs it)" >&2
    exit 1
}
# shellcheck source=SCRIPTDIR/lib/designer-env.sh
. "$root/scripts/lib/designer-env.sh"
# The form is opened from a copy, so nothing Qt Creator writes beside it lands in the source tree.
cp "$root/scripts/scenes/customers.ui" "$work/customers.ui"
env "${kor_designer_env[@]}" HOME="$work/home" QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" \
    KOR_DESIGNER_SNAPSHOT="$out/qtcreator.png" \
    timeout 180 "$creator" -settingspath "$work/creator" -noload Welcome "$work/customers.ui"
[ -s "$out/qtcreator.png" ] || { echo "$0: Qt Creator wrote no picture" >&2; exit 1; }
