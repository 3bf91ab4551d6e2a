#!/usr/bin/env bash
# Makes docs/screenshot.png: Velmora's window in the middle of converting a novel, driven
# through its real controls with xdotool on a virtual display (Xvfb). The novel is a copy
# of ../shared/corpus/pride-and-prejudice-crlf.txt in a scratch folder, where its script
# is written. On the way it takes docs/speaker-hint.png: the name field the speaker hint
# chose, marked, with the keyboard on its "Generate Line"; and docs/offered-name.png: a
# speaker the narration names ("said Elizabeth") offered in the first empty field. Then it
# closes the window half-way, starts Velmora again on the same novel and takes
# docs/continue.png: the offer to go on with the unfinished script.
#
#   scripts/screenshot.sh                  builds a release build in build/release first
#   BUILD=build/h3 scripts/screenshot.sh   uses an existing build folder
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${VELMORA_SCREENSHOT_DISPLAY:-}" ]; then
  build=${BUILD:-}
  if [ -z "$build" ]; then
    scripts/install-deps.sh
    build=build/release
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$build" -j"$(nproc)" --target velmora >/dev/null
  fi
  # Our own display, whatever DISPLAY says, so that nothing else is on the picture.
  VELMORA_SCREENSHOT_DISPLAY=1 BUILD=$(realpath "$build") \
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp ../shared/corpus/pride-and-prejudice-crlf.txt "$work/pride-and-prejudice.txt"

# GTK's settings store complains without a session bus; keep that out of the way.
(cd "$work" && exec "$BUILD/apps/velmora/velmora" 2>"$work/velmora.log") &
program=$!
# Every wait is bounded: a window that never comes, or never goes, must not hang the run.
find_window() {  # NAME-PATTERN
  timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -1 || true
}
window=$(find_window '^Velmora v1\.0$')
[ -n "$window" ] || { echo "no main window appeared" >&2; kill "$program"; exit 1; }
xdotool windowfocus --sync "$window"
read -r width height < <(xdotool getwindowgeometry --shell "$window" |
  awk -F= '/^WIDTH/{w=$2} /^HEIGHT/{h=$2} END{print w, h}')

# Clicks the point of the window given in dialog units (the window is 484 x 307 of them).
click() {
  xdotool mousemove --window "$window" $(($1 * width / 484)) $(($2 * height / 307)) click 1
  sleep 0.2
}
# Name slot n: its edit and its "Generate Line" button.
slot_y() { echo $((23 + 17 * ($1 - 1) + 7)); }
name() { click 361 "$(slot_y "$1")"; xdotool type --delay 20 "$2"; }
generate() { click 452 "$(slot_y "$1")"; sleep 0.3; }

# Opens the novel through the file dialog: Enter presses the default "Open Text File...".
open_novel() {
  xdotool key Return
  dialog=$(find_window '^Open$')
  [ -n "$dialog" ] || { echo "no file dialog appeared" >&2; kill "$program"; exit 1; }
  xdotool windowfocus --sync "$dialog"
  xdotool key ctrl+l
  xdotool type --delay 10 "$work/pride-and-prejudice.txt"
  xdotool key Return
  timeout 30 sh -c "while xdotool search --name '^Open\$' >/dev/null 2>&1; do sleep 0.2; done" ||
    { echo "the file dialog did not close" >&2; kill "$program"; exit 1; }
  sleep 0.5
}
open_novel

name 1 "MRS. BENNET"
name 2 "MR. BENNET"
name 4 "JANE"
for speaker in 1 1 1 2 1 2 1 2; do
  generate "$speaker"
done
# Mr. and Mrs. Bennet take turns: the hint is Mrs. Bennet's field, marked, and her button,
# focused and default.
sleep 0.5
import -window "$window" docs/speaker-hint.png
# On to the end of the first chapter and into the second (the speakers of
# tests/data/pride-and-prejudice-first-100-speakers.txt), where "said Elizabeth" names
# someone in no slot: the first empty field (slot 3) offers her, selected.
for speaker in 1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2 1 2 2 1; do
  generate "$speaker"
done
sleep 0.5
import -window "$window" docs/offered-name.png
xdotool key Return  # takes the offered name; the next line's hint is marked
sleep 0.3
click 100 293  # the note field
xdotool type --delay 20 "Scene: Longbourn"
sleep 0.5

import -window "$window" docs/screenshot.png
xdotool key Escape
timeout 30 sh -c "while kill -0 $program 2>/dev/null; do sleep 0.1; done" ||
  { echo "Esc did not end the program" >&2; kill "$program"; exit 1; }
wait "$program"

# Velmora again on the same novel: it offers to go on with the unfinished script.
(cd "$work" && exec "$BUILD/apps/velmora/velmora" 2>>"$work/velmora.log") &
program=$!
window=$(find_window '^Velmora v1\.0$')
[ -n "$window" ] || { echo "no main window appeared" >&2; kill "$program"; exit 1; }
xdotool windowfocus --sync "$window"
open_novel
question=$(find_window '^Velmora$')
[ -n "$question" ] || { echo "no offer to continue appeared" >&2; kill "$program"; exit 1; }
sleep 0.5
# The main window with the question over it (both at fixed places on a screen without a
# window manager).
read -r left top < <(xdotool getwindowgeometry --shell "$window" |
  awk -F= '/^X/{x=$2} /^Y/{y=$2} END{print x, y}')
import -window root -crop "${width}x${height}+${left}+${top}" +repage docs/continue.png
xdotool windowfocus --sync "$question"
xdotool key Return  # Yes, the default
sleep 0.5
xdotool key Escape
timeout 30 sh -c "while kill -0 $program 2>/dev/null; do sleep 0.1; done" ||
  { echo "Esc did not end the program" >&2; kill "$program"; exit 1; }
wait "$program"
echo "docs/screenshot.png, docs/speaker-hint.png, docs/offered-name.png and docs/continue.png" \
  "written"
