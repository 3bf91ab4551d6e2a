#!/usr/bin/env bash
# Opening War and Peace as EPUB, DOCX and ODT, and as LF text read by its blank lines: the
# benchmark (time until the first line of dialogue waits) and the peak memory of each, as
# /usr/bin/time -v reports it for tools/document_text, beside the size of the text it reads.
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
cmake --build "$build" -j"$(nproc)" --target velmora_import_benchmark document_text >/dev/null

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

echo
printf '%-28s %12s %12s %14s %8s\n' novel "file (MB)" "text (MB)" "peak RSS (MB)" "peak/text"
for novel in "$documents"/war-and-peace.{epub,docx,odt} "$corpus/war-and-peace-lf.txt"; do
  /usr/bin/time -v -o "$build/time" "$build/tools/document_text" "$novel" >"$build/text" 2>/dev/null
  peak=$(awk -F': ' '/Maximum resident set size/ { print $2 / 1024 }' "$build/time")
  text=$(stat -c %s "$build/text")
  printf '%-28s %12.2f %12.2f %14.1f %8.2f\n' "$(basename "$novel")" \
    "$(awk -v b="$(stat -c %s "$novel")" 'BEGIN { print b / 1048576 }')" \
    "$(awk -v b="$text" 'BEGIN { print b / 1048576 }')" "$peak" \
    "$(awk -v p="$peak" -v b="$text" 'BEGIN { print p * 1048576 / b }')"
done
# What the program needs before it reads anything, for comparison.
/usr/bin/time -v -o "$build/time" "$build/tools/document_text" tests/data/documents/chapters.pandoc.odt \
  >/dev/null 2>&1
echo "baseline (a 17 KB document): $(awk -F': ' '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }' "$build/time") MB"
