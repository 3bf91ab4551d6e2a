#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) in a build
# directory of their own and runs each from its committed seeds in fuzz/corpus/<target>/.
#
#   scripts/fuzz.sh smoke                      every target for 30 s (the test command)
#   scripts/fuzz.sh long [seconds] [target...] every (or each named) target for the given
#                                              time, 600 s unless told
#   scripts/fuzz.sh build                      only build
#
# New inputs found go to <build>/corpus/<target>/ (the committed seeds are never changed);
# a failing input is kept as <build>/artifacts/<target>-crash-... and the script fails.
# VELMORA_FUZZ_BUILD chooses the build directory (build/fuzz unless set).
set -euo pipefail
cd "$(dirname "$0")/.."

targets_all=(fuzz_text_reader fuzz_quote_splitter fuzz_script_writer fuzz_paragraph_log
             fuzz_paragraph_layout fuzz_epub_import fuzz_docx_import fuzz_odt_import fuzz_export
             fuzz_speaker_hinter fuzz_text_reading)
build=${VELMORA_FUZZ_BUILD:-build/fuzz}
mode=${1:-smoke}
shift || true

build_targets() {
  mkdir -p "$build"
  # Runs started side by side share the build: one builds, the others wait for it.
  (
    flock 9
    CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DVELMORA_BUILD_FUZZERS=ON -DVELMORA_BUILD_GUI=OFF -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$build" -j"$(nproc)" --target "${targets_all[@]}"
  ) 9>"$build/.build.lock"
}

run_target() {
  local target=$1 seconds=$2
  local found="$build/corpus/$target" artifacts="$build/artifacts" log="$build/logs/$target.log"
  mkdir -p "$found" "$artifacts" "$build/logs"
  echo "== $target: ${seconds} s"
  # -timeout: an input taking seconds is already a finding for code this small.
  local status=0
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/$target-" \
    "$found" "fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  grep -E '^#[0-9]+[[:space:]]+DONE|^stat::number_of_executed_units' "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log"
    echo "== $target FAILED with status $status: input kept in $artifacts/, log in $log"
    return 1
  fi
}

case $mode in
  build)
    build_targets ;;
  smoke)
    build_targets
    for target in "${targets_all[@]}"; do run_target "$target" 30; done ;;
  long)
    seconds=${1:-600}
    shift || true
    targets=("$@")
    [ ${#targets[@]} -gt 0 ] || targets=("${targets_all[@]}")
    build_targets
    for target in "${targets[@]}"; do run_target "$target" "$seconds"; done ;;
  *)
    echo "usage: scripts/fuzz.sh smoke | long [seconds] [target...] | build" >&2
    exit 2 ;;
esac
