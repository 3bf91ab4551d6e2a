#!/usr/bin/env bash
# Installs what the Windows cross build and its tests under Wine need on Debian 12, unless
# present, and makes the source of the archive's wxWidgets available to apt-get source.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  libz-mingw-w64-dev
  wine wine64
  dpkg-dev cmake make googletest
  xvfb xauth xdotool wmctrl imagemagick
)

# shellcheck source=lib/packages.sh
source "$(dirname "$0")/lib/packages.sh"

# wxWidgets for MinGW is built from Debian's own source package, which needs a deb-src entry
# for the archive the machine already uses.
sources=/etc/apt/sources.list.d/velmora-deb-src.sources
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ &&
   ! grep -qs '^deb-src ' /etc/apt/sources.list; then
  $sudo tee "$sources" >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  apt_get update -qq
fi

install_missing "${packages[@]}"
