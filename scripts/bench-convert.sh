#!/usr/bin/env bash
# Times velmora-convert on each corpus novel (../shared/corpus beside the repository) in
# both formats, and with the log printed, and reports the wall time and peak memory of the
# fastest of several runs. The corpus stays untouched: each text is linked into a scratch
# folder, where its Script.htm is written.
#
# Then the same for large texts made of the corpus (LARGE_MB megabytes each, 0 for none):
# War and Peace repeated with its paragraphs (CR LF), and with LF line ends only, read as it
# is (one paragraph of the whole text) and by its blank lines, each whole (Project
# Gutenberg's matter kept, or only the first copy would be read), converted fresh and again
# beside the script of the first run; peak memory is given as a multiple of the text's size
# too.
#
#   scripts/bench-convert.sh            builds a release velmora-convert in build/bench
#   VELMORA_CONVERT=path/to/velmora-convert RUNS=5 LARGE_MB=2000 scripts/bench-convert.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

program=${VELMORA_CONVERT:-}
if [ -z "$program" ]; then
  cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DVELMORA_BUILD_GUI=OFF -DVELMORA_BUILD_BENCHMARKS=OFF >/dev/null
  cmake --build build/bench -j"$(nproc)" --target velmora-convert >/dev/null
  program=build/bench/apps/convert/velmora-convert
fi
program=$(realpath "$program")
corpus=$(realpath ../shared/corpus)
runs=${RUNS:-3}
large_mb=${LARGE_MB:-512}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

printf '%-30s %-12s %10s %12s %11s %5s\n' text mode "bytes" "wall (s)" "peak (MiB)" exit
for text in "$corpus"/*.txt; do
  name=$(basename "$text")
  ln -s "$text" "$work/$name"
  for mode in screen stage screen+log; do
    options=()
    case $mode in
      stage) options=(--stage) ;;
      screen+log) options=(--log) ;;
    esac
    best_wall="" best_peak="" status=0
    for ((run = 0; run < runs; run++)); do
      status=0
      /usr/bin/time -v -o "$work/time" "$program" "${options[@]}" "$work/$name" \
        >/dev/null 2>&1 || status=$?
      wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {
               n = split($2, part, ":"); s = 0
               for (i = 1; i <= n; i++) s = s * 60 + part[i]
               print s }' "$work/time")
      peak=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time")
      if [ -z "$best_wall" ] || awk -v a="$wall" -v b="$best_wall" 'BEGIN { exit !(a < b) }'
      then
        best_wall=$wall best_peak=$peak
      fi
    done
    printf '%-30s %-12s %10s %12.2f %11.1f %5s\n' "$name" "$mode" "$(stat -L -c %s "$text")" \
      "$best_wall" "$(awk -v k="$best_peak" 'BEGIN { print k / 1024 }')" "$status"
  done
done

[ "$large_mb" -gt 0 ] || exit 0
echo
printf '%-30s %-12s %10s %12s %11s %7s %5s\n' "large text" run "bytes" "wall (s)" "peak (MiB)" \
  "x text" exit
for large in "crlf" "lf --blank-lines=no" "lf --blank-lines=yes"; do
  layout=${large%% *}
  read -r -a options <<<"--gutenberg=no ${large#"$layout"}"
  name=large-$layout.txt
  source=$corpus/war-and-peace-$layout.txt
  rm -f "$work"/Script.htm*
  while [ "$(stat -c %s "$work/$name" 2>/dev/null || echo 0)" -lt $((large_mb << 20)) ]; do
    cat "$source" >>"$work/$name"
  done
  bytes=$(stat -c %s "$work/$name")
  for run in fresh again; do
    status=0
    (cd "$work" && /usr/bin/time -v -o time "$program" "${options[@]}" "$name" >/dev/null 2>&1) ||
      status=$?
    wall=$(awk -F': ' '/Elapsed \(wall clock\)/ {
             n = split($2, part, ":"); s = 0
             for (i = 1; i <= n; i++) s = s * 60 + part[i]
             print s }' "$work/time")
    peak=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time")
    printf '%-30s %-12s %10s %12.2f %11.1f %7.2f %5s\n' "$name ${large#"$layout"}" "$run" \
      "$bytes" "$wall" \
      "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')" \
      "$(awk -v k="$peak" -v b="$bytes" 'BEGIN { print k * 1024 / b }')" "$status"
  done
  rm -f "$work/$name" "$work"/Script.htm*
done
