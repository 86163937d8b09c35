#!/usr/bin/env bash
# Installs the Debian packages the project needs, and nothing when all are present.
set -euo pipefail
packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
          libgl-dev xvfb xauth ccache clang-format)
# The data tests also run against a private PostgreSQL server; without it they are skipped.
# With Qt Designer's development files the Designer plugin and its tests are built too.
optional=(postgresql libqt6sql6-psql qt6-tools-dev qt6-tools-private-dev designer-qt6
          libqt6opengl6-dev)

missing_of()
{
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || echo "$p"
    done
}

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
updated=""
install()
{
    echo "bootstrap: installing $*"
    [ -n "$updated" ] || { $SUDO apt-get update -qq && updated=1; }
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$@"
}

mapfile -t missing < <(missing_of "${packages[@]}")
[ ${#missing[@]} -eq 0 ] || install "${missing[@]}"
# Qt Creator, for scripts/shoot-qtcreator.sh, only when asked: it is large and no test needs it.
[ "${KOR_WITH_QTCREATOR:-0}" = 1 ] && optional+=(qtcreator)
mapfile -t missing < <(missing_of "${optional[@]}")
if [ ${#missing[@]} -gt 0 ]; then
    install "${missing[@]}" >&2 || echo "bootstrap: could not install ${missing[*]}" >&2
fi
