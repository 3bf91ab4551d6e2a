#!/usr/bin/env bash
# Checks the cross-built Windows programs under Wine, on a virtual display:
#   1. the core and console tests (GoogleTest .exe files, through ctest);
#   2. velmora-convert.exe over every corpus novel (the LF one read by its blank lines), in
#      both formats and with names, and over the EPUB, DOCX and ODT documents of
#      tests/data/documents, each Script.htm, and its Script.fountain and Script.fdx
#      (--export), byte for byte the same as the Linux build's velmora-convert writes,
#      and a Script.pdf with the names;
#   3. export_script.exe over every corpus novel, named and finished, in both formats: its
#      Script.fountain and Script.fdx byte for byte the Linux build's, and a Script.pdf
#      drawn with the fonts shipped beside it;
#   4. velmora.exe: the window "Velmora v1.0" appears with its controls laid out in dialog
#      units, the last entry of its system menu opens the about box, and Esc ends the
#      program.
#
#   tests/windows/run-under-wine.sh [windows build] [linux build]
#                                   (default build/windows and build/plain)
# The corpus is ../shared/corpus, or VELMORA_CORPUS_DIR.
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$PWD
windows=$(realpath "${1:-build/windows}")
linux=${2:-build/plain}
corpus=$(realpath "${VELMORA_CORPUS_DIR:-../shared/corpus}")
wine=$repo/tests/windows/wine.sh
export VELMORA_WINEPREFIX=${VELMORA_WINEPREFIX:-$repo/build/wine}

if [ -z "${VELMORA_WINE_DISPLAY:-}" ]; then
  # Our own display, whatever DISPLAY says: Wine's windows must not land on a desktop.
  VELMORA_WINE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work=$(mktemp -d)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
cleanup() {
  # Only this prefix's wine server, which this run started.
  WINEPREFIX=$VELMORA_WINEPREFIX timeout 30 wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A Windows path for a file here: the Unix root is drive Z: under Wine.
winpath() { echo "Z:$(realpath "$1")"; }

# One wine server for the whole run, so that each program starts quickly.
"$wine" cmd /c exit >/dev/null 2>&1 || true
WINEPREFIX=$VELMORA_WINEPREFIX wineserver -p 2>/dev/null || true

echo "-- the core and console tests under Wine"
if ! ctest --test-dir "$windows" --output-on-failure -j"$(nproc)" --timeout 600; then
  fail "tests under Wine"
fi

echo "-- velmora-convert.exe over the corpus, against the Linux build"
linux_convert=$linux/apps/convert/velmora-convert
if [ ! -x "$linux_convert" ]; then
  [ -e "$linux/CMakeCache.txt" ] || cmake -S . -B "$linux" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$linux" -j"$(nproc)" --target velmora-convert >/dev/null
fi
linux_convert=$(realpath "$linux_convert")
windows_convert=$windows/apps/convert/velmora-convert.exe
# The first 100 speakers of Pride and Prejudice, as a names file: one name a line.
grep -v '^#' tests/data/pride-and-prejudice-first-100-speakers.txt | cut -f1 >"$work/names.txt"

compared=0
documents=$repo/tests/data/documents
novels=("$corpus"/*.txt "$documents/pride-and-prejudice.pandoc.epub"
        "$documents/pride-and-prejudice.libreoffice.docx"
        "$documents/pride-and-prejudice.libreoffice.odt")
for text in "${novels[@]}"; do
  [ -e "$text" ] || continue
  novel=$(basename "$text")
  for options in "--export=fountain,fdx" "--stage --log --export=fountain,fdx" \
                 "--names names.txt --export=all"; do
    label="$novel ${options:-(screen play)}"
    before=$failures
    for side in linux windows; do
      rm -rf "$work/$side" && mkdir -p "$work/$side"
      cp "$text" "$work/$side/$novel"  # the corpus is read-only
      cp "$work/names.txt" "$work/$side/names.txt"
    done
    # shellcheck disable=SC2086 # the options are words
    (cd "$work/linux" && "$linux_convert" $options "$novel" >out 2>err </dev/null) ||
      fail "$label: Linux exit status $?"
    # shellcheck disable=SC2086
    (cd "$work/windows" && "$wine" "$(winpath "$windows_convert")" $options "$novel" \
       >out 2>err </dev/null) || fail "$label: Windows exit status $?"
    for file in Script.htm Script.fountain Script.fdx; do
      if ! cmp -s "$work/linux/$file" "$work/windows/$file"; then
        fail "$label: $file differs"
        cmp "$work/linux/$file" "$work/windows/$file" | head -1 || true
      fi
    done
    if [[ $options == *all* ]]; then
      head -c 5 "$work/windows/Script.pdf" 2>/dev/null | grep -q '%PDF-' || fail "$label: no PDF"
    fi
    # The console writes its lines in text mode: CR LF on Windows, LF on Linux.
    for stream in out err; do
      if ! tr -d '\r' <"$work/windows/$stream" | cmp -s "$work/linux/$stream" -; then
        fail "$label: standard ${stream/err/error} differs"
      fi
    done
    compared=$((compared + 1))
    if [ "$failures" -eq "$before" ]; then
      echo "same: $label ($(stat -c %s "$work/windows/Script.htm") bytes of script," \
           "$(stat -c %s "$work/windows/Script.fountain") of Fountain," \
           "$(stat -c %s "$work/windows/Script.fdx") of FDX)"
    fi
  done
done
[ "$compared" -gt 9 ] || echo "no corpus at $corpus: only the documents were compared"

echo "-- export_script.exe over the corpus, against the Linux build"
linux_export=$linux/tools/export_script
if [ ! -x "$linux_export" ]; then
  cmake --build "$linux" -j"$(nproc)" --target export_script >/dev/null
fi
linux_export=$(realpath "$linux_export")
windows_export=$windows/tools/export_script.exe
tests/export/make-names.sh 20000 >"$work/export-names.txt"
exported=0
for text in "$corpus"/*.txt; do
  [ -e "$text" ] || break
  novel=$(basename "$text")
  for options in "--names export-names.txt --finished" "--stage --finished"; do
    label="export of $novel ($options)"
    before=$failures
    for side in linux windows; do
      rm -rf "$work/$side" && mkdir -p "$work/$side"
      cp "$text" "$work/$side/$novel"
      cp "$work/export-names.txt" "$work/$side/"
    done
    # shellcheck disable=SC2086 # the options are words
    (cd "$work/linux" && "$linux_export" $options --elements elements.tsv "$novel" all \
       >out 2>err </dev/null) || fail "$label: Linux exit status $?"
    # shellcheck disable=SC2086
    (cd "$work/windows" && "$wine" "$(winpath "$windows_export")" $options \
       --elements elements.tsv "$novel" all >out 2>err </dev/null) ||
      fail "$label: Windows exit status $? ($(tr -d '\r' <"$work/windows/err"))"
    for file in Script.fountain Script.fdx elements.tsv; do
      cmp -s "$work/linux/$file" "$work/windows/$file" || fail "$label: $file differs"
    done
    head -c 5 "$work/windows/Script.pdf" 2>/dev/null | grep -q '%PDF-' || fail "$label: no PDF"
    exported=$((exported + 1))
    if [ "$failures" -eq "$before" ]; then
      echo "same: $label ($(stat -c %s "$work/windows/Script.fountain") bytes of Fountain," \
           "$(stat -c %s "$work/windows/Script.fdx") of FDX)"
    fi
  done
done
[ "$exported" -gt 0 ] || echo "no corpus at $corpus: the export comparison is skipped"

echo "-- velmora.exe on the virtual display"
mkdir -p "$work/gui"
probe() { "$wine" "$(winpath "$windows/tests/windows/window_probe.exe")" "$@" "Velmora v1.0"; }
(cd "$work/gui" && VELMORA_WINE_TIMEOUT=180 exec "$wine" \
   "$(winpath "$windows/apps/velmora/velmora.exe")" >"$work/gui/log" 2>&1) &
program=$!
window=$(timeout 90 xdotool search --sync --onlyvisible --name '^Velmora v1\.0$' | head -1 || true)
if [ -z "$window" ]; then
  fail "no window \"Velmora v1.0\" appeared"
else
  echo "window \"Velmora v1.0\" shown"
  probe controls >"$work/controls" || fail "the window probe found no window"
  tr -d '\r' <"$work/controls" >"$work/controls.txt"
  # Every control of the template, by id, with its text where it has one.
  for id in 1000 1003 1004 1011 1012 1013 1015 1016 1039 1041; do
    grep -q "^control $id " "$work/controls.txt" || fail "no control $id"
  done
  for label in "Open Text File..." "Generate Note" "See User's Guide..." "Screen Play" \
               "Stage Play" "Generate Without Character Names"; do
    grep -qF " $label" "$work/controls.txt" || fail "no control \"$label\""
  done
  buttons=$(grep -c ' Generate Line$' "$work/controls.txt" || true)
  [ "$buttons" -eq 12 ] || fail "$buttons \"Generate Line\" buttons, not 12"
  # Laid out in dialog units: each rectangle is the template's (x, y, w, h) scaled by the
  # window's own 484 x 307 units, to a pixel.
  awk -v fails=0 '
    /^client / { cx = $2 / 484; cy = $3 / 307 }
    /^control / { got[$2] = $4 " " $5 " " $6 " " $7 }
    END {
      want["1000"] = "399 286 78 14"; want["1003"] = "7 7 470 14"; want["1004"] = "7 24 288 220"
      want["1011"] = "7 286 233 14"; want["1013"] = "313 286 81 14"
      for (id in want) {
        split(want[id], w, " "); split(got[id], g, " ")
        for (i = 1; i <= 4; i++) {
          scale = (i % 2 == 1) ? cx : cy
          d = g[i] - w[i] * scale; if (d < 0) d = -d
          if (d > 1.5) { print "control " id " at " got[id] ", not " want[id] " dialog units"; fails++ }
        }
      }
      exit fails > 0
    }' "$work/controls.txt" || fail "controls not where the template puts them"
  awk '/^client/ { printf "client %d x %d px: a dialog unit is %.2f x %.2f px; ", $2, $3, $2 / 484, $3 / 307 }
       /^style/ { print }' "$work/controls.txt"
  # A caption and a system menu, but no minimise or maximise box of its own.
  style=$(grep '^style' "$work/controls.txt" || true)
  [[ $style == *" caption"* && $style == *" sysmenu"* ]] || fail "no caption or system menu"
  [[ $style != *"imizebox"* ]] || fail "a minimise or maximise box: $style"

  # The system menu, from the keyboard as a user would: Alt+Space opens it, Up wraps to its
  # last entry, Enter chooses it; that must be "&About Velmora..." opening the about box.
  # (Wine keeps a menu inside the process that owns it, so it cannot be read from outside.)
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --window "$window" alt+space
  sleep 1
  xdotool key Up Return
  probe about | tr -d '\r' >"$work/about" || fail "the system menu's last entry did not open the about box"
  grep -E '^about box' "$work/about" || true
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --window "$window" Escape
  if timeout 30 sh -c "while kill -0 $program 2>/dev/null; do sleep 0.2; done"; then
    status=0
    wait "$program" || status=$?
    echo "Esc ended velmora.exe (exit status $status)"
  else
    fail "Esc did not end velmora.exe"
    kill "$program" 2>/dev/null || true
  fi
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures Windows check(s) failed"
  exit 1
fi
echo "all Windows checks passed"
