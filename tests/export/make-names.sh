#!/usr/bin/env bash
# Prints a names file of COUNT lines, as velmora-convert reads one: names in capitals,
# mixed case, with accents and in Greek, an extension, an empty name, names that look like
# Fountain markup, and notes, over and over.
#
#   tests/export/make-names.sh COUNT
set -euo pipefail
count=$1
names=(
  "ELIZABETH"
  "Mr. Bennet"
  "Zoë"
  "Ἀχιλλεύς"
  "JANE (V.O.)"
  ""
  "MRS. BENNET"
  "NOTE: a *note* with [brackets], _underscores_ and [[brackets]]"
  "INT. GUARD"
  "Kitty_Bennet"
  "Пьер"
  "NOTE:"
)
for ((i = 0; i < count; i++)); do
  printf '%s\n' "${names[i % ${#names[@]}]}"
done
