#!/usr/bin/env bash
# Reads the Fountain and FDX exports of every corpus novel back with real readers: each
# novel as a screen play and a stage play, named from a generated names file (mixed-case,
# Greek and empty names, notes) and finished without names. fountain-js (installed by
# scripts/install-deps.sh into tests/export/fountain/node_modules) reads the Fountain,
# python3's XML parser the FDX; both must give back exactly the exported elements.
#
#   tests/export/corpus-exports.sh EXPORT_SCRIPT [CORPUS]
# Exit status 77 (skipped) without the corpus or the reader.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tool=$1
corpus=${2:-$here/../../../shared/corpus}
reader=$here/fountain
if [ ! -d "$reader/node_modules/fountain-js" ] || ! command -v node >/dev/null; then
  echo "fountain-js is not installed (scripts/install-deps.sh installs it): skipped"
  exit 77
fi
shopt -s nullglob
novels=("$corpus"/*.txt)
[ ${#novels[@]} -gt 0 ] || { echo "no corpus at $corpus: skipped"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$here/make-names.sh" 20000 >"$work/names.txt"

passed=0 failed=0
for text in "${novels[@]}"; do
  for format in screen stage; do
    for run in named finished; do
      label="$(basename "$text") $format $run"
      options=()
      [ "$format" = stage ] && options+=(--stage)
      if [ "$run" = named ]; then options+=(--names "$work/names.txt"); else options+=(--finished); fi
      out=$work/out
      rm -rf "$out" && mkdir -p "$out"
      if ! "$tool" "${options[@]}" --out "$out" --elements "$out/elements.tsv" "$text" \
           fountain fdx; then
        echo "FAIL: $label: the exports were not written"
        failed=$((failed + 1))
        continue
      fi
      if node "$reader/check-fountain.js" "$out/Script.fountain" "$out/elements.tsv" >"$out/log" &&
         python3 "$here/check-fdx.py" "$out/Script.fdx" "$out/elements.tsv" >>"$out/log"; then
        echo "ok: $label: $(wc -l <"$out/elements.tsv") elements"
        passed=$((passed + 1))
      else
        echo "FAIL: $label"
        sed 's/^/  /' "$out/log"
        failed=$((failed + 1))
      fi
    done
  done
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
