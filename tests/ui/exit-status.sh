#!/bin/sh
# The desktop program itself: Esc in its window ends it with exit status 0.
# Usage: exit-status.sh path/to/velmora (on a display; see with-display.sh)
set -eu
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && exec "$program" 2>"$work/stderr") &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" --name '^Velmora v1\.0$' | head -1)
if [ -z "$window" ]; then
  echo "no window appeared"; kill "$pid"; exit 1
fi
xdotool windowfocus --sync "$window" key Escape
status=0
timeout 30 sh -c "while kill -0 $pid 2>/dev/null; do sleep 0.1; done" || {
  echo "Esc did not end the program"; kill "$pid"; exit 1
}
wait "$pid" || status=$?
if [ "$status" -ne 0 ]; then
  echo "exit status $status"; cat "$work/stderr"; exit 1
fi
echo "exit status 0"
