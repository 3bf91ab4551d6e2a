#!/usr/bin/env bash
# Makes docs/export-pdf.png: a page of the PDF export beside the same page of Script.htm as a
# word processor shows it. Pride and Prejudice (a copy of the corpus novel in a scratch
# folder) is converted with its first hundred speakers named and exported as a PDF; the
# word processor is LibreOffice, run headless to print Script.htm as it opens it. Both are
# rendered with pdftoppm at the page that opens the first chapter, and set side by side with
# ImageMagick. LibreOffice is installed here when missing, for this picture only.
#
#   scripts/export-picture.sh                  builds a release build in build/release first
#   BUILD=build/plain scripts/export-picture.sh   uses an existing build folder
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD:-}
if [ -z "$build" ]; then
  build=build/release
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$build" -j"$(nproc)" --target velmora-convert >/dev/null
fi
convert_program=$(realpath "$build/apps/convert/velmora-convert")
for tool in soffice:libreoffice-writer-nogui pdftoppm:poppler-utils montage:imagemagick; do
  command -v "${tool%%:*}" >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${tool#*:}" >/dev/null
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp ../shared/corpus/pride-and-prejudice-crlf.txt "$work/pride-and-prejudice.txt"
grep -v '^#' tests/data/pride-and-prejudice-first-100-speakers.txt | cut -f1 >"$work/names.txt"
(cd "$work" && "$convert_program" --names names.txt --export=pdf pride-and-prejudice.txt \
   >/dev/null 2>"$work/convert.log")

# The word processor's print of Script.htm, from a folder of its own (its PDF is Script.pdf
# too), with a profile of its own so that nothing of a user's settings comes in.
mkdir "$work/writer"
cp "$work/Script.htm" "$work/writer/"
(cd "$work/writer" && HOME=$work/writer timeout 300 soffice --headless \
   -env:UserInstallation=file://$work/writer/profile --convert-to pdf Script.htm >/dev/null 2>&1)

# The first page of each that shows the novel's first line.
page_of() {  # PDF TEXT
  local pages page
  pages=$(pdfinfo "$1" | awk '/^Pages:/ { print $2 }')
  for ((page = 1; page <= pages; page++)); do
    if pdftotext -f "$page" -l "$page" -layout "$1" - | grep -q "$2"; then
      echo "$page"
      return
    fi
  done
  echo "no page of $1 shows \"$2\"" >&2
  exit 1
}
first_line="truth universally acknowledged"
export_page=$(page_of "$work/Script.pdf" "$first_line")
writer_page=$(page_of "$work/writer/Script.pdf" "$first_line")
pdftoppm -png -r 60 -f "$export_page" -l "$export_page" -singlefile "$work/Script.pdf" "$work/export"
pdftoppm -png -r 60 -f "$writer_page" -l "$writer_page" -singlefile "$work/writer/Script.pdf" \
  "$work/writer"
montage -label 'Script.pdf (velmora-convert --export=pdf)' "$work/export.png" \
        -label 'Script.htm in a word processor' "$work/writer.png" \
        -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -tile 2x1 -geometry +16+8 -pointsize 14 -background '#e8e8e8' -bordercolor '#999' \
        -border 1 docs/export-pdf.png
echo "docs/export-pdf.png: page $export_page of the PDF beside page $writer_page of Script.htm"
