#!/usr/bin/env bash
# Writes the book of a Project Gutenberg plain text (between its start and end markers) as
# HTML to standard output: each paragraph (lines up to a blank line) one <p>, its lines kept
# as they are. Document producers read this HTML, so that every character of the text
# reaches the document unchanged (Markdown would read _underscores_ as emphasis).
#
#   text-to-html.sh NOVEL.txt [LAST-LINE-PATTERN]
# With a pattern, the book stops before the first line matching it (e.g. "^Chapter 4$").
set -euo pipefail
text=$1
stop=${2:-}
tr -d '\r' <"$text" | awk -v stop="$stop" '
  BEGIN { print "<!DOCTYPE html>"; print "<html><head><meta charset=\"utf-8\"><title>Novel</title></head><body>" }
  function flush() { if (para != "") { print "<p>" para "</p>"; para = "" } }
  ended { next }  # reads on to the end: a reader that stops early breaks the pipe
  !started { if ($0 ~ /^\*\*\* ?START OF/) started = 1; next }
  /^End of the Project Gutenberg|^\*\*\* ?END OF/ { ended = 1; next }
  stop != "" && $0 ~ stop { ended = 1; next }
  /^[ \t]*$/ { flush(); next }
  { gsub(/&/, "\\&amp;"); gsub(/</, "\\&lt;"); gsub(/>/, "\\&gt;")
    para = (para == "" ? $0 : para "\n" $0) }
  END { flush(); print "</body></html>" }'
