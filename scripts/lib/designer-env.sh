# shellcheck shell=bash disable=SC2034,SC2154
# Sourced by the scripts that photograph a form editor running the plugin of the build tree
# (shoot-qtdesigner.sh, shoot-qtcreator.sh). Expects `root` (the source tree) and `out` (the
# folder the picture goes to); builds the plugin, makes `out` absolute, and sets up a folder of
# the run's own for settings:
#   dir   the build tree whose plugins are loaded
#   work  a temporary folder, removed when the script ends
#   kor_designer_env  the environment every such run gets (its settings, the plugin path)
dir="$root/build"
[ -f "$dir/build.ninja" ] || dir="$("$root/scripts/build.sh" release | tail -n 1)"
cmake --build "$dir" --target kordbgridplugin >&2
mkdir -p "$out"
out="$(cd "$out" && pwd)"
# The form editor's and the package's settings of this run stay in a folder of their own.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
kor_designer_env=(XDG_CONFIG_HOME="$work/config" KOR_SETTINGS_DIR="$work/settings"
    QT_PLUGIN_PATH="$dir/plugins")
