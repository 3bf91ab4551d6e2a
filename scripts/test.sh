#!/usr/bin/env bash
# Sets up a Debian machine and runs every test: the suite plain, the static checks, a short
# run of each fuzzer, the suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then the Windows build cross-compiled and checked under Wine. GUI tests get a virtual
# display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

run_suite() {
  local name=$1; shift
  echo "== $name build"
  cmake -S . -B "build/$name" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
  cmake --build "build/$name" -j"$jobs"
  echo "== $name tests"
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "build/$name" --output-on-failure -j"$jobs" --timeout 300
}

run_suite plain
echo "== static checks"
scripts/static-checks.sh
echo "== fuzzing, 30 s a target"
scripts/fuzz.sh smoke
run_suite sanitize -DVELMORA_SANITIZE=ON -DVELMORA_BUILD_BENCHMARKS=OFF
echo "== windows build and tests"
scripts/build-windows.sh build/windows
tests/windows/run-under-wine.sh build/windows build/plain
