#!/usr/bin/env bash
# Static checks of Velmora's own code (not third-party code):
#   format  clang-format --dry-run --Werror with the committed .clang-format
#   tidy    clang-tidy with the committed .clang-tidy, over every source file of a build
#   wx      no <wx/...> include outside the window layer (ui/), the desktop program
#           (apps/velmora/), the window layer's tests (tests/ui/) and its benchmark
#
#   scripts/static-checks.sh [format] [tidy] [wx]     all three unless told
#
# clang-tidy reads the compile commands of the plain build (build/plain, the test command's;
# VELMORA_TIDY_BUILD names another), configuring it first when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

own_folders=(platform text hint document script conversion export ui apps tests bench tools fuzz)
wx_allowed='^((ui|apps/velmora|tests/ui)/|bench/WindowBenchmark\.cpp$)'
build=${VELMORA_TIDY_BUILD:-build/plain}

checks=("$@")
[ ${#checks[@]} -gt 0 ] || checks=(format tidy wx)

# Our C++ files, tracked or new (but not ignored).
mapfile -t sources < <(git ls-files --cached --others --exclude-standard -- "${own_folders[@]}" |
                       grep -E '\.(cpp|h)$' | sort -u)

check_format() {
    echo "== clang-format: ${#sources[@]} files"
    clang-format --dry-run --Werror "${sources[@]}"
}

check_tidy() {
    if [ ! -f "$build/compile_commands.json" ]; then
        cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    # Only files the build compiles (File_win32.cpp, say, is not compiled here); headers are
    # checked where they are included (HeaderFilterRegex).
    local top units=()
    top=$(pwd -P)
    local file
    for file in "${sources[@]}"; do
        if [[ $file == *.cpp ]] && grep -qF "\"file\": \"$top/$file\"" "$build/compile_commands.json"; then
            units+=("$file")
        fi
    done
    echo "== clang-tidy: ${#units[@]} files"
    local log status=0
    log=$(mktemp)
    printf '%s\n' "${units[@]}" |
        xargs -P "$(nproc)" -n 1 clang-tidy -p "$build" --quiet >"$log" 2>&1 || status=$?
    # Keep the findings; drop the per-file counts of warnings in system headers.
    grep -vE '^[0-9]+ (warning|error)s? (generated|treated as errors)\.$|^Error while processing' \
        "$log" || true
    rm -f "$log"
    return "$status"
}

check_wx() {
    echo "== wxWidgets only in the window layer"
    local offenders
    offenders=$(printf '%s\n' "${sources[@]}" | grep -vE "$wx_allowed" |
                xargs grep -lE '#[[:space:]]*include[[:space:]]*<wx/' || true)
    if [ -n "$offenders" ]; then
        echo "<wx/...> included outside ui/ and the desktop program:"
        echo "$offenders"
        return 1
    fi
}

failed=()
for check in "${checks[@]}"; do
    case $check in
        format | tidy | wx) "check_$check" || failed+=("$check") ;;
        *) echo "unknown check '$check' (format, tidy, wx)" >&2; exit 2 ;;
    esac
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "== static checks failed: ${failed[*]}"
    exit 1
fi
echo "== static checks passed: ${checks[*]}"
