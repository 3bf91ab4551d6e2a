#!/usr/bin/env bash
# Installs what building, running and testing Velmora needs on Debian 12, unless present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libwxgtk3.2-dev
  libzip-dev libpugixml-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-tidy clang-format
  xvfb xauth xdotool imagemagick
  time
  libhpdf-dev zlib1g-dev fonts-dejavu-core
  nodejs python3 poppler-utils
)

# shellcheck source=lib/packages.sh
source "$(dirname "$0")/lib/packages.sh"
install_missing "${packages[@]}"
# npm comes with some builds of Node; Debian's own is a package of its own.
command -v npm >/dev/null || install_missing npm

# The Fountain reader the export tests read the exports back with, at the version the
# lock file pins.
reader=$(dirname "$0")/../tests/export/fountain
if [ ! -d "$reader/node_modules/fountain-js" ] ||
   [ "$reader/package-lock.json" -nt "$reader/node_modules/.package-lock.json" ]; then
  (cd "$reader" && npm ci --no-audit --no-fund --loglevel=error)
fi
