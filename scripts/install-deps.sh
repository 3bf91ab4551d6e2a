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
)

# shellcheck source=lib/packages.sh
source "$(dirname "$0")/lib/packages.sh"
install_missing "${packages[@]}"
