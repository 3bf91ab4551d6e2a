#!/usr/bin/env bash
# Sets up a Debian machine, builds Velmora and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build/release -j"$(nproc)"
exec build/release/apps/velmora/velmora
