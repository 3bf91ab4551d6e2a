#!/usr/bin/env bash
# Makes the documents the import tests read, with the producers writers use: pandoc (EPUB 3,
# EPUB 2, DOCX, ODT) and LibreOffice (DOCX, ODT, EPUB), each from the same HTML of Pride and
# Prejudice (text-to-html.sh). They are committed; run this only to make them anew:
#
#   tests/data/documents/make-documents.sh [corpus folder]     (default ../shared/corpus)
#
# Whole novel:         pride-and-prejudice.pandoc.epub, .libreoffice.docx, .libreoffice.odt
# Chapters 1 to 3:     chapters.pandoc-epub2.epub, chapters.pandoc.docx, chapters.pandoc.odt,
#                      chapters.libreoffice.epub, and chapters.pandoc-smart.epub (pandoc's
#                      smart typography: typographic quotes, apostrophes, dashes, ellipses)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../../.." && pwd)
corpus=$(realpath "${1:-$repo/../shared/corpus}")
novel=$corpus/pride-and-prejudice-crlf.txt

# shellcheck source=../../../scripts/lib/packages.sh
source "$repo/scripts/lib/packages.sh"
install_missing pandoc libreoffice-writer-nogui

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work  # LibreOffice keeps its profile there, not in the user's
"$here/text-to-html.sh" "$novel" >"$work/novel.html"
"$here/text-to-html.sh" "$novel" '^Chapter 4$' >"$work/chapters.html"

title=(--metadata title="Pride and Prejudice")
pandoc -f html -t epub3 "${title[@]}" -o "$here/pride-and-prejudice.pandoc.epub" "$work/novel.html"
pandoc -f html -t epub2 "${title[@]}" -o "$here/chapters.pandoc-epub2.epub" "$work/chapters.html"
pandoc -f html+smart -t epub3 "${title[@]}" -o "$here/chapters.pandoc-smart.epub" "$work/chapters.html"
pandoc -f html -t docx -o "$here/chapters.pandoc.docx" "$work/chapters.html"
pandoc -f html -t odt -o "$here/chapters.pandoc.odt" "$work/chapters.html"

libreoffice() {  # INPUT FILTER OUTPUT
  soffice --headless --infilter="HTML (StarWriter)" --convert-to "$2" --outdir "$work/out" "$1" \
    >/dev/null 2>&1
  mv "$work/out/$(basename "${1%.html}").${2%%:*}" "$3"
}
libreoffice "$work/novel.html" 'docx:MS Word 2007 XML' "$here/pride-and-prejudice.libreoffice.docx"
libreoffice "$work/novel.html" odt:writer8 "$here/pride-and-prejudice.libreoffice.odt"
libreoffice "$work/chapters.html" epub "$here/chapters.libreoffice.epub"
ls -l "$here"/*.epub "$here"/*.docx "$here"/*.odt
