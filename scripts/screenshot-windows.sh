#!/usr/bin/env bash
# Makes docs/windows.png: velmora.exe, the cross-built Windows program, just started under
# Wine on a virtual display (Xvfb), its window as Wine draws it, frame included, with the
# system menu open.
#
#   scripts/screenshot-windows.sh [windows build]   (default build/windows, built if missing)
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
build=${1:-build/windows}

if [ -z "${VELMORA_SCREENSHOT_DISPLAY:-}" ]; then
  [ -e "$build/apps/velmora/velmora.exe" ] || scripts/build-windows.sh "$build"
  # Our own display, whatever DISPLAY says, so that nothing else is on the picture.
  VELMORA_SCREENSHOT_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

program=Z:$(realpath "$build/apps/velmora/velmora.exe")
work=$(mktemp -d)
export VELMORA_WINEPREFIX=${VELMORA_WINEPREFIX:-$repo/build/wine}
cleanup() {
  # Only this prefix's wine server, which this run started.
  WINEPREFIX=$VELMORA_WINEPREFIX timeout 30 wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

(cd "$work" && VELMORA_WINE_TIMEOUT=120 exec "$repo/tests/windows/wine.sh" "$program" \
   >"$work/log" 2>&1) &
window=$(timeout 90 xdotool search --sync --onlyvisible --name '^Velmora v1\.0$' | head -1 || true)
[ -n "$window" ] || { echo "no window \"Velmora v1.0\" appeared" >&2; exit 1; }
sleep 2  # let Wine finish painting the controls
# The system menu open, as Alt+Space opens it: it ends with the about entry.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --window "$window" alt+space
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
# Wine draws the caption and frame itself (see tests/windows/wine.sh): the X window is the
# whole Windows window.
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/shot.png"
convert "$work/shot.png" -strip docs/windows.png
echo "wrote docs/windows.png"
xdotool key Escape
sleep 0.5
xdotool key --window "$window" Escape
