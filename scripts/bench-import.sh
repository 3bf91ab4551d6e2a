#!/usr/bin/env bash
# Opening War and Peace as EPUB, DOCX and ODT, and as LF text read by its blank lines: the
# benchmarks (the import alone, and through the controller as the window opens a novel, until
# the first line of dialogue waits; recognising an earlier script under the readings of a
# text) and the peak memory of each, as /usr/bin/time -v reports it for tools/document_text
# (the import alone) and for velmora-convert (the whole conversion), beside the size of the
# text it reads.
# The documents are made once with pandoc from the corpus text (as the committed test
# documents are, tests/data/documents/text-to-html.sh) into <build>/bench-documents.
#
#   scripts/bench-import.sh            builds a release build in build/bench-import
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${VELMORA_BENCH_BUILD:-build/bench-import}
corpus=$(realpath "${VELMORA_CORPUS_DIR:-../shared/corpus}")
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVELMORA_BUILD_GUI=OFF \
  >/dev/null
cmake --build "$build" -j"$(nproc)" \
  --target velmora_import_benchmark velmora_convert_benchmark document_text velmora-convert >/dev/null

documents=$build/bench-documents
mkdir -p "$documents"
html=$documents/war-and-peace.html
[ -s "$html" ] || tests/data/documents/text-to-html.sh "$corpus/war-and-peace-crlf.txt" >"$html"
for format in epub docx odt; do
  target=$documents/war-and-peace.$format
  if [ ! -s "$target" ]; then
    echo "== making $target with pandoc"
    to=$format
    [ "$format" = epub ] && to=epub3
    pandoc -f html -t "$to" --metadata title="War and Peace" -o "$target" "$html"
  fi
done

VELMORA_BENCH_DOCUMENTS=$documents "$build/bench/velmora_import_benchmark"
VELMORA_BENCH_DOCUMENTS=$(realpath "$documents") "$build/bench/velmora_convert_benchmark" \
  --benchmark_filter='OpenUntilDialogue|RecogniseUnfinished'

echo
# Peak memory beside the text read and the archive's unpacked size (all its members): of the
# import alone, and of velmora-convert converting the whole novel (in a scratch folder).
printf '%-24s %10s %13s %10s %15s %10s %17s %10s\n' novel "file (MB)" "unpacked (MB)" \
  "text (MB)" "import (MB)" "peak/text" "conversion (MB)" "peak/text"
measure() {  # NOVEL
  /usr/bin/time -v -o "$documents/time" "$build/tools/document_text" "$1" >"$documents/read.txt" \
    2>/dev/null
  awk -F': ' '/Maximum resident set size/ { print $2 / 1024 }' "$documents/time"
}
convert_program=$(realpath "$build/apps/convert/velmora-convert")
measure_conversion() {  # NOVEL
  local scratch
  scratch=$(mktemp -d)
  cp "$1" "$scratch/"
  (cd "$scratch" && /usr/bin/time -v -o time "$convert_program" "$(basename "$1")" \
     >/dev/null 2>&1 </dev/null)
  awk -F': ' '/Maximum resident set size/ { print $2 / 1024 }' "$scratch/time"
  rm -rf "$scratch"
}
megabytes() { awk -v b="$1" 'BEGIN { printf "%.2f", b / 1048576 }'; }
for novel in "$documents"/war-and-peace.{epub,docx,odt} "$corpus/war-and-peace-lf.txt"; do
  peak=$(measure "$novel")
  whole=$(measure_conversion "$novel")
  text=$(stat -c %s "$documents/read.txt")
  unpacked=$(stat -L -c %s "$novel")
  case $novel in
    *.txt) ;;
    *) unpacked=$(unzip -l "$novel" | awk 'END { print $1 }') ;;
  esac
  printf '%-24s %10s %13s %10s %15.1f %10.2f %17.1f %10.2f\n' "$(basename "$novel")" \
    "$(megabytes "$(stat -L -c %s "$novel")")" "$(megabytes "$unpacked")" "$(megabytes "$text")" \
    "$peak" "$(awk -v p="$peak" -v b="$text" 'BEGIN { print p * 1048576 / b }')" \
    "$whole" "$(awk -v p="$whole" -v b="$text" 'BEGIN { print p * 1048576 / b }')"
done
# What the program takes before it reads anything, for comparison: a 17 KB document.
echo "baseline: peak RSS $(measure tests/data/documents/chapters.pandoc.odt) MB reading a 17 KB document," \
  "$(measure_conversion tests/data/documents/chapters.pandoc.odt) MB converting it"
