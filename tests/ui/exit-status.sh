#!/bin/sh
# The desktop program itself: Esc in its window ends it with exit status 0. Started without
# standard streams (as some launchers do), it holds them open on the null device from the
# start, so that nothing it writes to them lands in a file it opens.
# Usage: exit-status.sh path/to/velmora (on a display; see with-display.sh)
set -eu
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# wait_for_window PID: the window's id, once it is shown.
wait_for_window() {
  window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$1" --name '^Velmora v1\.0$' |
           head -1)
  if [ -z "$window" ]; then
    echo "no window appeared"; kill "$1"; exit 1
  fi
}

# end_with_escape PID: Esc ends the program with exit status 0.
end_with_escape() {
  xdotool windowfocus --sync "$window" key Escape
  status=0
  timeout 30 sh -c "while kill -0 $1 2>/dev/null; do sleep 0.1; done" || {
    echo "Esc did not end the program"; kill "$1"; exit 1
  }
  wait "$1" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "exit status $status"; cat "$work/stderr" 2>/dev/null; exit 1
  fi
}

(cd "$work" && exec "$program" 2>"$work/stderr") &
pid=$!
wait_for_window "$pid"
end_with_escape "$pid"
echo "exit status 0"

(cd "$work" && exec "$program" <&- >&- 2>&-) &
pid=$!
wait_for_window "$pid"
for stream in 0 1 2; do
  target=$(readlink "/proc/$pid/fd/$stream" || true)
  if [ "$target" != /dev/null ]; then
    echo "started without standard streams, stream $stream is '$target', not /dev/null"
    kill "$pid"; exit 1
  fi
done
end_with_escape "$pid"
echo "without standard streams: each on /dev/null, exit status 0"
