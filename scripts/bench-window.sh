#!/usr/bin/env bash
# Times the desktop program's main window on the corpus novels (../shared/corpus beside the
# repository): opening a text until its dialogue and whole log are painted, and each
# Generate Line; then reports the program's resident memory while it waits for a text.
# Runs on the current display, or on a virtual one when there is none.
#
#   scripts/bench-window.sh                 builds a release build in build/bench-window
#   BUILD=build/h3 scripts/bench-window.sh  uses an existing build folder
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

build=${BUILD:-}
if [ -z "$build" ]; then
  scripts/install-deps.sh
  build=build/bench-window
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$build" -j"$(nproc)" --target velmora velmora_window_benchmark >/dev/null
fi
build=$(realpath "$build")

echo "== window benchmark"
"$build/bench/velmora_window_benchmark" "$@"

echo "== idle memory"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && exec "$build/apps/velmora/velmora") &
program=$!
# Bounded waits: a window that never comes, or never goes, must not hang the run.
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$program" --name '^Velmora v1\.0$' |
         head -1) || true
if [ -z "$window" ]; then
  echo "no window appeared" >&2; kill "$program"; exit 1
fi
sleep 2
grep -E '^(VmRSS|VmHWM|RssAnon|RssFile)' "/proc/$program/status"
xdotool windowfocus --sync "$window" key Escape
timeout 30 sh -c "while kill -0 $program 2>/dev/null; do sleep 0.1; done" || {
  echo "Esc did not end the program" >&2; kill "$program"; exit 1
}
status=0
wait "$program" || status=$?
echo "exit status after Esc: $status"
