#!/bin/sh
# Runs a cross-built Windows program under Wine, in a Wine prefix of the build's own
# (build/wine, made on first use), with Wine's own chatter off and a bound on the run.
# CMake runs the cross-built tests through this (CMAKE_CROSSCOMPILING_EMULATOR).
#
#   tests/windows/wine.sh program.exe [arguments]
#   VELMORA_WINE_TIMEOUT=seconds (default 600)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${VELMORA_WINEPREFIX:-$here/../../build/wine}"
export WINEDEBUG=-all
# No prompts to fetch Mono or Gecko: nothing here needs .NET or a browser engine.
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=${VELMORA_WINE:-wine}

ready=$WINEPREFIX/.velmora-ready
if [ ! -e "$ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Tests run in parallel; one of them makes the prefix, the others wait for it.
  (
    flock 9
    if [ ! -e "$ready" ]; then
      timeout 300 wineboot --init >/dev/null 2>&1 || true
      # Wine draws each window's caption and frame itself, as Windows does, rather than
      # leaving them to an X window manager (a virtual display has none).
      timeout 60 "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f \
        >/dev/null 2>&1
      timeout 60 wineserver --wait || true
      touch "$ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi

exec timeout --kill-after=10 "${VELMORA_WINE_TIMEOUT:-600}" "$wine" "$@"
