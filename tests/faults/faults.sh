#!/usr/bin/env bash
# End-to-end faults for velmora-convert: full disks, held and misplaced files, earlier scripts,
# hostile texts and documents, and awkward file names. Each case checks the exact status and
# error lines, the exit status (0 finished, 1 refused or not started, 2 file or memory error),
# that the text's bytes are unchanged, and what the script and every kept earlier script hold
# afterwards: no script that holds a named line or a note is ever deleted, cut or written
# over, and after a failure the script holds exactly what it held before the command that
# failed, so that running again gives the script an unbroken run gives.
#
#   faults.sh VELMORA_CONVERT CASE     run one case (CTest runs each as its own test)
#   faults.sh VELMORA_CONVERT all      run every case
#   faults.sh - list                   name every case
#
# Exit status 0 passed, 1 failed, 77 skipped (the machine cannot set the case up).
set -u

wanted=$2
cases=(script_is_a_device disk_full_tmpfs disk_full_size_limit script_held_by_velmora
       script_flocked script_word_processor_lock script_is_directory text_missing
       text_is_directory text_locked text_3gb_sparse nul_bytes invalid_utf8 long_line
       unmatched_quotes only_line_breaks awkward_file_name script_is_the_text
       script_is_the_names_file earlier_script_kept script_linked_to_its_backup
       continue_holds_its_script another_run_holds_the_script continue_refused
       continue_in_the_script_format runs_that_do_not_continue_keep_every_script
       large_earlier_script closed_standard_streams log_reader_gone read_only_folder
       out_of_inodes names_file_line_ends names_file_not_utf8 names_left_over
       typed_characters_the_text_cannot_hold bad_documents export_read_only_folder)
if [ "$wanted" == "list" ]; then
    printf '%s\n' "${cases[@]}"
    exit 0
fi
convert=$(realpath "$1")
documents=$(realpath "$(dirname "$0")/../data/documents")  # the committed test documents

# Longest a case may take: the hostile texts must finish quickly, a hang must not stall CI.
limit=120

work=""
mounted=""
held_pids=()
cleanup() {
    local pid
    for pid in "${held_pids[@]}"; do kill "$pid" 2>/dev/null; done
    cd / || true  # a mount in use as the current directory cannot be unmounted
    [ -z "$mounted" ] || umount "$mounted" 2>/dev/null
    [ -z "$work" ] || rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL [$case_name]: $*" >&2
    exit 1
}

skip() {
    echo "SKIP [$case_name]: $*"
    exit 77
}

# A fresh folder for the case; the text and the script live in it.
fresh() {
    [ -z "$work" ] || rm -rf "$work"
    work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-faults.XXXXXX") || fail "no temp folder"
    dir=$(cd "$work" && pwd -P)
}

# A small file system of its own for the case at FOLDER (below the case's folder), with the
# tmpfs OPTIONS given; unmounted when the case ends.
scratch_mount() {
    mkdir "$dir/$1"
    mount -t tmpfs -o "$2" velmora-faults "$dir/$1" 2>/dev/null ||
        skip "cannot mount a tmpfs here (needs root)"
    mounted="$dir/$1"
}

# A fresh folder, made the current one, with a text of one line of dialogue in it.
fresh_with_text() {
    fresh
    cd "$dir" || fail "cd"
    printf '"Hello," said Ann.' >novel.txt
}

hash_of() { sha256sum -- "$1" | cut -d' ' -f1; }

# run [ARG...]: runs velmora-convert in the current directory; sets status, out and err.
run() {
    timeout "$limit" "$convert" "$@" >"$work/.out" 2>"$work/.err"
    status=$?
    [ "$status" -ne 124 ] || fail "still running after $limit s"
    out="$work/.out"
    err="$work/.err"
}

expect_status() {
    [ "$status" -eq "$1" ] || fail "exit status $status, expected $1; stderr: $(cat "$err")"
}

# expect_err LINE...: standard error is exactly these lines.
expect_err() {
    local expected
    expected=$(printf '%s\n' "$@")
    [ "$(cat "$err")" == "$expected" ] ||
        fail "stderr was:
$(cat "$err")
expected:
$expected"
}

# The sha256 of every file in the current folder (but the case's own dot files), sorted.
snapshot() {
    find . -maxdepth 1 -type f ! -name '.*' -print0 | sort -z | xargs -0 -r sha256sum
}

# expect_snapshot SNAPSHOT: every file is still there with the same bytes, and no other.
expect_snapshot() {
    local now
    now=$(snapshot)
    [ "$now" == "$1" ] || fail "the files changed:
$now
instead of:
$1"
}

expect_unchanged() {  # FILE HASH
    [ -f "$1" ] || fail "$1 is gone"
    [ "$(hash_of "$1")" == "$2" ] || fail "$1 was changed"
}

# expect_script FILE EXPECTED_FILE: the script holds exactly the expected bytes.
expect_script() {
    [ -f "$1" ] || fail "no script $1"
    cmp -s "$1" "$2" || fail "$1 differs from the expected script: $(cmp "$1" "$2" 2>&1)"
}

# expect_prefix FILE EXPECTED_FILE: the script holds a non-empty beginning of the expected
# script, ending wherever the fault struck.
expect_prefix() {
    local size
    size=$(stat -c %s "$1") || fail "no script $1"
    [ "$size" -gt 0 ] || fail "$1 is empty: nothing written before the fault was kept"
    [ "$size" -lt "$(stat -c %s "$2")" ] || fail "$1 is complete: no fault struck"
    cmp -s -n "$size" "$1" "$2" || fail "$1 is not a beginning of the expected script"
}

# The outcome shown for a passing case: its main run's exit status and standard error.
report() {
    echo "PASS [$case_name]: exit $status; stderr: $(tr '\n' '|' <"${shown_err:-$err}")"
}

# start_held ARG...: starts velmora-convert --log ARG... in the background with its log going
# into a pipe that is read up to its first line only. A conversion holds its script before it
# logs anything, so from then on it holds it; and it stops at the full pipe (its log must be
# far more than a pipe holds) until release_held reads the rest. The first line is the
# signal: nothing here waits by the clock.
start_held() {
    mkfifo "$work/.log.fifo" || fail "mkfifo"
    "$convert" --log "$@" >"$work/.log.fifo" 2>"$work/.held.err" &
    held_pid=$!
    held_pids+=("$held_pid")
    exec 6<"$work/.log.fifo"
    local first
    IFS= read -r first <&6 || fail "the holding conversion wrote no log"
}

# release_held: reads the rest of the log and waits for the holding conversion to end; sets
# held_status and held_err.
release_held() {
    cat <&6 >/dev/null
    exec 6<&-
    wait "$held_pid"
    held_status=$?
    held_err="$work/.held.err"
    rm -f "$work/.log.fifo"
}

# expect_lines FILE LINE...: FILE holds exactly these lines.
expect_lines() {
    local file=$1 expected
    shift
    expected=$(printf '%s\n' "$@")
    [ "$(cat "$file")" == "$expected" ] || fail "$file was:
$(cat "$file")
expected:
$expected"
}

finished=("Loading text file" "Text file loaded successfully"
          "Generating script without characternames" "Script.html successfully generated")
narration_only=("Loading text file" "Text file loaded successfully"
                "Script.html successfully generated")
load_failed=("Loading text file" "*** Error - Text file failed to load ***")
kept_backup="The earlier Script.htm was kept as Script.htm.bak."
kept_as() { echo "The earlier Script.htm was kept as $1."; }
script_failed=("Loading text file" "Text file loaded successfully"
               "*** Error - Script file failed to open ***")

# A text of narration paragraphs, each ended by CR LF CR LF, and its screen-play script.
narration_text() {  # PARAGRAPHS TEXT
    local i
    for ((i = 1; i <= $1; i++)); do
        printf 'Paragraph %05d of a long and quiet story.\r\n\r\n' "$i"
    done >"$2"
}

# A text of LINES lines of dialogue after one paragraph of narration, and its script
# without names.
dialogue_text() {  # LINES TEXT
    local i
    {
        printf 'Opening.\r\n\r\n'
        for ((i = 1; i <= $1; i++)); do printf '"Line %05d," he said.\r\n\r\n' "$i"; done
    } >"$2"
}

# dialogue_script LINES SCRIPT [WRITTEN]: the script of dialogue_text LINES without names, or
# of a run stopped after its first WRITTEN lines.
dialogue_script() {
    local i
    {
        printf '<HTML><BR>Opening.<BR>'
        for ((i = 1; i <= ${3:-$1}; i++)); do
            printf '<BR><CENTER>CHARACTERNAME</CENTER><DD>(he said)</DD><DD>Line %05d.</DD><BR>' \
                "$i"
        done
        [ -n "${3:-}" ] || printf '</HTML>'
    } >"$2"
}

narration_script() {  # PARAGRAPHS SCRIPT
    local i
    {
        printf '<HTML>'
        for ((i = 1; i <= $1; i++)); do
            printf '<BR>Paragraph %05d of a long and quiet story.<BR>' "$i"
        done
        printf '</HTML>'
    } >"$2"
}

# --- disk full ---------------------------------------------------------------------------

# Script.htm must be a regular file or nothing: a device stores nothing (/dev/null) or fails
# every write (/dev/full). The disk-full cases below use real file systems instead.
case_script_is_a_device() {
    local device
    for device in /dev/full /dev/null; do
        fresh
        cd "$dir" || fail "cd"
        narration_text 3 novel.txt
        local before
        before=$(hash_of novel.txt)
        ln -s "$device" Script.htm
        run novel.txt
        expect_status 1
        expect_err "${script_failed[@]}" "Script.htm is a folder or a device, not a file."
        expect_unchanged novel.txt "$before"
        [ "$(readlink Script.htm)" == "$device" ] || fail "the link to $device was replaced"
        [ ! -e Script.htm.bak ] || fail "a device was set aside"
    done
}

# A real file system that fills up part way through the rest of the text: the script is cut
# back to what it held before that command, and once there is room again the same command
# (here: going on with the unfinished script) gives exactly the script of an unbroken run.
case_disk_full_tmpfs() {
    fresh
    scratch_mount small size=48k,mode=0755
    cd "$dir/small" || fail "cd"
    dialogue_text 600 novel.txt  # 16 kB of text; its script is 42 kB, more than is left
    dialogue_script 600 "$dir/expected.htm"
    local before
    before=$(hash_of novel.txt)
    run novel.txt
    expect_status 2
    expect_err "Loading text file" "Text file loaded successfully" \
        "Generating script without characternames" "Text file loaded successfully" \
        "Disk full while accessing $dir/small/Script.htm."
    expect_unchanged novel.txt "$before"
    [ "$(cat Script.htm)" == "<HTML><BR>Opening.<BR>" ] ||
        fail "the script was not cut back to before the command: $(head -c 80 Script.htm)"
    cp "$err" "$work/.shown"
    shown_err="$work/.shown"

    mount -o remount,size=256k "$dir/small" || fail "cannot make room on the tmpfs"
    run --continue novel.txt
    expect_status 0
    expect_err "Loading text file" "Text file loaded successfully" \
        "Going on with Script.htm after its 0 lines." \
        "Generating script without characternames" "Script.html successfully generated"
    expect_unchanged novel.txt "$before"
    expect_script Script.htm "$dir/expected.htm"
    echo "      after making room, --continue finished it byte for byte"
}

# The file size limit makes the same fault while the script is opened (a text of narration
# only is written whole by the opening): the earlier script is given back as it was, nothing
# is said of keeping it, and the older kept script is left alone.
case_disk_full_size_limit() {
    fresh
    cd "$dir" || fail "cd"
    narration_text 600 novel.txt
    narration_script 600 expected.htm
    printf '<HTML><BR>An earlier script.<BR></HTML>' >Script.htm
    printf '<HTML><BR>An older script.<BR></HTML>' >Script.htm.bak
    local before script files
    before=$(hash_of novel.txt)
    script=$(hash_of Script.htm)
    files=$(snapshot)
    (
        trap '' XFSZ  # report the write as failed instead of killing the program
        ulimit -f 16  # 16 KiB
        run novel.txt
        exit "$status"
    )
    status=$?
    err="$work/.err"
    expect_status 2
    expect_err "Loading text file" "Text file loaded successfully" \
        "*** Error - Script file failed to open ***" "Disk full while accessing $dir/Script.htm."
    expect_snapshot "$files"
    cp "$err" "$work/.shown"
    shown_err="$work/.shown"

    run novel.txt  # with room again
    expect_status 0
    expect_err "Loading text file" "Text file loaded successfully" "$(kept_as Script.htm.bak2)" \
        "Script.html successfully generated"
    expect_script Script.htm expected.htm
    expect_unchanged Script.htm.bak2 "$script"
    expect_unchanged novel.txt "$before"
}

# --- the script file held or misplaced ---------------------------------------------------

# A script another program holds must be neither written nor emptied.
old_script() { printf '<HTML><BR>An earlier script.<BR></HTML>' >Script.htm; }

case_script_held_by_velmora() {
    fresh
    cd "$dir" || fail "cd"
    narration_text 20000 big.txt  # its log is far more than a pipe holds
    narration_script 20000 big-expected.htm
    printf '"Hello," said Ann.' >novel.txt
    local before
    before=$(hash_of novel.txt)
    start_held big.txt
    run novel.txt
    expect_status 1
    expect_err "${script_failed[@]}" "Script.htm is in use by another program."
    expect_unchanged novel.txt "$before"
    # Let the first one finish: its script must be whole, not emptied by the second.
    release_held
    [ "$held_status" -eq 0 ] || fail "the first conversion ended with $held_status"
    expect_script Script.htm big-expected.htm
    report
    echo "      the holding conversion then finished with exit 0 and a whole script"
    exit 0
}

case_script_flocked() {
    fresh_with_text
    old_script
    local before script
    before=$(hash_of novel.txt)
    script=$(hash_of Script.htm)
    exec 8<Script.htm
    flock -x -n 8 || fail "cannot lock Script.htm"
    run novel.txt 8<&-
    exec 8<&-
    expect_status 1
    expect_err "${script_failed[@]}" "Script.htm is in use by another program."
    expect_unchanged novel.txt "$before"
    expect_unchanged Script.htm "$script"
    [ ! -e Script.htm.bak ] || fail "a held script was set aside"
}

case_script_word_processor_lock() {
    fresh_with_text
    old_script
    printf ',someone,host,01.01.2026 10:00,file:///home/someone/.config;' >'.~lock.Script.htm#'
    local before script
    before=$(hash_of novel.txt)
    script=$(hash_of Script.htm)
    run novel.txt
    expect_status 1
    expect_err "${script_failed[@]}" \
        "Script.htm is open in a word processor (its lock file .~lock.Script.htm# is beside it)."
    expect_unchanged novel.txt "$before"
    expect_unchanged Script.htm "$script"
    [ ! -e Script.htm.bak ] || fail "a script open in a word processor was set aside"
}

case_script_is_directory() {
    fresh_with_text
    mkdir Script.htm
    touch Script.htm/keep
    local before
    before=$(hash_of novel.txt)
    run novel.txt
    expect_status 1
    expect_err "${script_failed[@]}" "Script.htm is a folder or a device, not a file."
    expect_unchanged novel.txt "$before"
    [ -d Script.htm ] && [ -f Script.htm/keep ] || fail "the folder Script.htm was touched"
}

# --- the text missing, misplaced or held ------------------------------------------------

case_text_missing() {
    fresh
    cd "$dir" || fail "cd"
    run missing.txt
    expect_status 1
    expect_err "${load_failed[@]}" "missing.txt could not be read: No such file or directory."
    [ ! -e Script.htm ] || fail "a script was written"
    local long
    long=$(printf 'a%.0s' {1..300}).txt  # longer than a file name may be
    run "$long"
    expect_status 1
    expect_err "${load_failed[@]}" "$long could not be read: File name too long."
}

case_text_is_directory() {
    fresh
    cd "$dir" || fail "cd"
    mkdir novel.txt
    run novel.txt
    expect_status 1
    expect_err "${load_failed[@]}" "novel.txt is a folder or a device, not a file."
    [ ! -e Script.htm ] || fail "a script was written"
}

case_text_locked() {
    fresh_with_text
    local before
    before=$(hash_of novel.txt)
    exec 8<novel.txt
    flock -x -n 8 || fail "cannot lock the text"
    run novel.txt 8<&-
    exec 8<&-
    expect_status 1
    expect_err "${load_failed[@]}" "novel.txt is in use by another program."
    expect_unchanged novel.txt "$before"
    [ ! -e Script.htm ] || fail "a script was written"
}

# Larger than a text may be: refused before anything of its size is allocated.
case_text_3gb_sparse() {
    fresh
    cd "$dir" || fail "cd"
    [ -x /usr/bin/time ] || skip "GNU time is not installed"
    truncate -s 3G novel.txt || skip "no sparse files here"
    local peak
    timeout "$limit" /usr/bin/time -f '%M' -o peak.kb "$convert" novel.txt >"$work/.out" \
        2>"$work/.err"
    status=$?
    err="$work/.err"
    expect_status 1
    expect_err "${load_failed[@]}" "The text is larger than 2 GB, which Velmora cannot convert."
    [ "$(stat -c %s novel.txt)" -eq 3221225472 ] || fail "the text changed size"
    [ "$(du -k novel.txt | cut -f1)" -lt 1024 ] || fail "the text is no longer sparse"
    [ ! -e Script.htm ] || fail "a script was written"
    peak=$(tail -n 1 peak.kb)
    # Far below the text's size even under AddressSanitizer.
    [ "$peak" -lt 262144 ] || fail "peak memory $peak KiB"
    echo "      peak memory $peak KiB"
}

# --- hostile texts: all finish quickly, by the rules -------------------------------------

case_nul_bytes() {
    fresh
    cd "$dir" || fail "cd"
    printf 'A\0B "x\0y," he said.\r\n\r\nEnd\0.' >novel.txt
    printf '<HTML><BR><CENTER>CHARACTERNAME</CENTER><DD>(A\0B   he said)</DD>' >expected.htm
    printf '<DD>x\0y.</DD><BR><BR>End\0.<BR></HTML>' >>expected.htm
    local before
    before=$(hash_of novel.txt)
    run novel.txt
    expect_status 0
    expect_err "${finished[@]}"
    expect_unchanged novel.txt "$before"
    expect_script Script.htm expected.htm
}

# Not UTF-8: kept byte for byte and declared as the Western Windows code page.
case_invalid_utf8() {
    fresh
    cd "$dir" || fail "cd"
    printf 'Caf\xe9 "\xff\xfe bad\xc3\x28," she said.\r\n\r\nEnd \xc0\xaf.' >novel.txt
    {
        printf '<HTML><META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=windows-1252">'
        printf '<BR><CENTER>CHARACTERNAME</CENTER><DD>(Caf\xe9   she said)</DD>'
        printf '<DD>\xff\xfe bad\xc3(.</DD><BR><BR>End \xc0\xaf.<BR></HTML>'
    } >expected.htm
    local before
    before=$(hash_of novel.txt)
    run novel.txt
    expect_status 0
    expect_err "${finished[@]}"
    expect_unchanged novel.txt "$before"
    expect_script Script.htm expected.htm
}

# One paragraph of one 5 MB line: written whole, and logged as one line.
case_long_line() {
    fresh
    cd "$dir" || fail "cd"
    yes 'All work and no play makes a dull story. ' | tr -d '\n' | head -c 5242880 >novel.txt
    { printf '<HTML><BR>'; cat novel.txt; printf '<BR></HTML>'; } >expected.htm
    { cat novel.txt; printf '\n\n\n<END OF FILE>\n'; } >expected.log
    local before
    before=$(hash_of novel.txt)
    run --log novel.txt
    expect_status 0
    expect_err "${narration_only[@]}"
    expect_unchanged novel.txt "$before"
    expect_script Script.htm expected.htm
    cmp -s "$out" expected.log || fail "the log is not the line, its blank and the end mark"
}

# 100,000 quotes that open and never close: one per paragraph (the state never carries to
# the next paragraph), then 100,000 in one paragraph.
case_unmatched_quotes() {
    fresh
    cd "$dir" || fail "cd"
    yes $'"Wait\r\n\r' | head -n 200000 >novel.txt  # two lines a paragraph
    {
        printf '<HTML>'
        yes '<BR><CENTER>CHARACTERNAME</CENTER><DD>Wait</DD><BR>' | head -n 100000 | tr -d '\n'
        printf '</HTML>'
    } >expected.htm
    local before
    before=$(hash_of novel.txt)
    run novel.txt
    expect_status 0
    expect_err "${finished[@]}"
    expect_unchanged novel.txt "$before"
    expect_script Script.htm expected.htm

    # "x"x"x...: each quote opens or closes; every other x is spoken, the rest narrated.
    yes '"x' | head -n 100000 | tr -d '\n' >one.txt
    local words
    words=$(yes x | head -n 50000 | tr '\n' ' ' | head -c -1)
    printf '<HTML><BR><CENTER>CHARACTERNAME</CENTER><DD>(%s)</DD><DD>%s</DD><BR></HTML>' \
        "$words" "$words" >one-expected.htm
    before=$(hash_of one.txt)
    rm Script.htm
    run one.txt
    expect_status 0
    expect_err "${finished[@]}"
    expect_unchanged one.txt "$before"
    expect_script Script.htm one-expected.htm
}

# 1 MB of empty lines: no paragraph at all, and still a complete (empty) script.
case_only_line_breaks() {
    fresh
    cd "$dir" || fail "cd"
    yes $'\r\n\r' | head -c 1048576 >novel.txt
    printf '<HTML></HTML>' >expected.htm
    local before
    before=$(hash_of novel.txt)
    run novel.txt
    expect_status 0
    expect_err "${narration_only[@]}"
    expect_unchanged novel.txt "$before"
    expect_script Script.htm expected.htm
}

# --- awkward names ------------------------------------------------------------------------

case_awkward_file_name() {
    fresh
    local folder="$dir/Ann's \"Tale\" & Ünïcode"
    local name="-Ann's \"Tale\" — Ünïcode story.txt"
    mkdir "$folder"
    printf '"Hello," said Ann.' >"$folder/$name"
    printf '<HTML><BR><CENTER>CHARACTERNAME</CENTER><DD>(said Ann)</DD><DD>Hello.</DD><BR></HTML>' \
        >"$dir/expected.htm"
    local before
    before=$(hash_of "$folder/$name")

    # By its full path from elsewhere: the script lands beside the text, not here.
    cd "$dir" || fail "cd"
    run "$folder/$name"
    expect_status 0
    expect_err "${finished[@]}"
    expect_unchanged "$folder/$name" "$before"
    expect_script "$folder/Script.htm" "$dir/expected.htm"
    [ ! -e "$dir/Script.htm" ] || fail "a script was written in the current directory"

    # By its bare name after "--", from its own folder.
    rm "$folder/Script.htm"
    cd "$folder" || fail "cd"
    run -- "$name"
    expect_status 0
    expect_err "${finished[@]}"
    expect_unchanged "$name" "$before"
    expect_script Script.htm "$dir/expected.htm"
    cp "$err" "$work/.shown"
    shown_err="$work/.shown"

    # Without "--" the leading dash reads as an option: a usage error, nothing written.
    rm Script.htm
    run "$name"
    expect_status 64
    [ ! -e Script.htm ] || fail "a script was written"
    status=0
}

# --- nothing the user has is destroyed ----------------------------------------------------

# The text itself, by its own name or through a link, is never the script.
case_script_is_the_text() {
    local way
    for way in named symlink hardlink; do
        fresh
        cd "$dir" || fail "cd"
        local text=novel.txt
        case $way in
        named) text=Script.htm ;;
        symlink) ln -s novel.txt Script.htm ;;
        hardlink) ;;
        esac
        dialogue_text 3 "$text"
        [ "$way" != hardlink ] || ln novel.txt Script.htm
        local before
        before=$(hash_of "$text")
        run "$text"
        expect_status 1
        expect_err "${script_failed[@]}" \
            "The text file itself is Script.htm; rename the text or move it to another folder."
        expect_unchanged "$text" "$before"
        [ ! -e Script.htm.bak ] || fail "$way: the text was set aside as a backup"
    done
}

case_script_is_the_names_file() {
    local way
    for way in named symlink; do
        fresh
        cd "$dir" || fail "cd"
        dialogue_text 3 novel.txt
        local names=Script.htm
        if [ "$way" == symlink ]; then
            names=cast.txt
            ln -s cast.txt Script.htm
        fi
        printf 'TOM\nANN\n' >"$names"
        local before
        before=$(hash_of "$names")
        run --names "$names" novel.txt
        expect_status 1
        expect_err "${script_failed[@]}" \
            "The names file itself is Script.htm; rename the names file or move it to another folder."
        expect_unchanged "$names" "$before"
    done
}

# Every earlier script is kept under a name of its own, never over an older one; a copy of
# one already kept, or an empty script, is not kept twice.
case_earlier_script_kept() {
    fresh
    cd "$dir" || fail "cd"
    dialogue_text 3 novel.txt
    dialogue_script 3 expected.htm
    printf 'the oldest script' >Script.htm.bak
    printf '<HTML><BR>An earlier script.<BR></HTML>' >Script.htm
    local oldest earlier whole
    oldest=$(hash_of Script.htm.bak)
    earlier=$(hash_of Script.htm)
    whole=$(hash_of expected.htm)
    local kept
    for kept in Script.htm.bak2 Script.htm.bak3 Script.htm.bak3; do
        run novel.txt
        expect_status 0
        expect_err "Loading text file" "Text file loaded successfully" "$(kept_as "$kept")" \
            "Generating script without characternames" "Script.html successfully generated"
        expect_script Script.htm expected.htm
    done
    expect_unchanged Script.htm.bak "$oldest"
    expect_unchanged Script.htm.bak2 "$earlier"
    expect_unchanged Script.htm.bak3 "$whole"
    # An empty script holds nothing worth keeping.
    : >Script.htm
    run novel.txt
    expect_status 0
    expect_err "${finished[@]}"
    [ ! -e Script.htm.bak4 ] || fail "a copy was kept twice, or an empty script kept"
}

# Setting aside never targets the earlier script itself, whatever link joins it to a kept
# name: the line says where its bytes are, and they are there.
case_script_linked_to_its_backup() {
    local way
    for way in hardlink symlink; do
        fresh
        cd "$dir" || fail "cd"
        dialogue_text 3 novel.txt
        dialogue_script 3 expected.htm
        printf '<HTML><BR>Opening.<BR><BR><CENTER>TOM</CENTER>' >Script.htm.bak
        local kept
        kept=$(hash_of Script.htm.bak)
        case $way in
        hardlink) ln Script.htm.bak Script.htm ;;
        symlink) ln -s Script.htm.bak Script.htm ;;
        esac
        run novel.txt
        expect_status 0
        expect_err "Loading text file" "Text file loaded successfully" "$kept_backup" \
            "Generating script without characternames" "Script.html successfully generated"
        expect_unchanged Script.htm.bak "$kept"
        expect_script Script.htm expected.htm
        [ ! -L Script.htm ] || fail "$way: the new script is still the link"
        [ ! -e Script.htm.bak2 ] && [ ! -L Script.htm.bak2 ] || fail "$way: kept twice"
    done
}

# The script recognised is the script gone on with: held from the first look on, so another
# conversion in the folder meanwhile is refused rather than written over.
case_continue_holds_its_script() {
    fresh
    cd "$dir" || fail "cd"
    dialogue_text 20000 big.txt  # its replayed log is far more than a pipe holds
    dialogue_script 20000 expected.htm
    dialogue_script 20000 Script.htm 15000  # a run stopped after 15,000 lines
    printf '"Hi," she said.' >small.txt
    local big small
    big=$(hash_of big.txt)
    small=$(hash_of small.txt)
    start_held --continue big.txt
    run small.txt
    expect_status 1
    expect_err "${script_failed[@]}" "Script.htm is in use by another program."
    release_held
    [ "$held_status" -eq 0 ] || fail "the conversion going on ended with $held_status"
    expect_lines "$held_err" "Loading text file" "Text file loaded successfully" \
        "Going on with Script.htm after its 15000 lines." \
        "Generating script without characternames" "Script.html successfully generated"
    expect_script Script.htm expected.htm
    expect_unchanged big.txt "$big"
    expect_unchanged small.txt "$small"
    [ ! -e Script.htm.bak ] || fail "something was set aside"
    echo "      the conversion going on finished its own script, byte for byte"
}

# The other way round: a conversion holds the script, and going on is refused meanwhile. The
# unfinished script it set aside is kept, and going on with what it left is refused too.
case_another_run_holds_the_script() {
    fresh
    cd "$dir" || fail "cd"
    narration_text 20000 small.txt  # its log is far more than a pipe holds
    narration_script 20000 small-expected.htm
    dialogue_text 50 big.txt
    dialogue_script 50 Script.htm 30
    local unfinished
    unfinished=$(hash_of Script.htm)
    start_held small.txt
    run --continue big.txt
    expect_status 1
    expect_err "${script_failed[@]}" "Script.htm is in use by another program."
    cp "$err" "$work/.shown"
    shown_err="$work/.shown"
    release_held
    [ "$held_status" -eq 0 ] || fail "the holding conversion ended with $held_status"
    expect_lines "$held_err" "Loading text file" "Text file loaded successfully" "$kept_backup" \
        "Script.html successfully generated"
    expect_script Script.htm small-expected.htm
    expect_unchanged Script.htm.bak "$unfinished"
    local files
    files=$(snapshot)
    run --continue big.txt
    expect_status 1
    expect_err "${script_failed[@]}" "Script.htm was left as it is: it is a script of another text."
    expect_snapshot "$files"
}

# --continue goes on only with an unfinished script of the text: anything else is refused with
# the check that failed, and every file stays as it was.
case_continue_refused() {
    local kind reason
    for kind in none not_a_script other_text changed_text finished; do
        fresh
        cd "$dir" || fail "cd"
        dialogue_text 5 novel.txt
        printf 'TOM\nANN\n' >cast.txt
        case $kind in
        none)
            reason="There is no Script.htm beside the text to go on with." ;;
        not_a_script)
            printf 'PK\3\4 not a script' >Script.htm
            reason="Script.htm was left as it is: it is not a script." ;;
        other_text)
            narration_script 3 Script.htm
            reason="Script.htm was left as it is: it is a script of another text." ;;
        changed_text)
            dialogue_script 5 Script.htm 4
            sed -i 's/Line 00003/Line 0000X/' novel.txt  # one byte, early on
            reason="Script.htm was left as it is: it is a script of this text as it was before a change (they part at line 7 of the text)." ;;
        finished)
            dialogue_script 5 Script.htm
            reason="Script.htm was left as it is: it holds a finished script of this text." ;;
        esac
        local files
        files=$(snapshot)
        run --continue --names cast.txt novel.txt
        expect_status 1
        expect_err "${script_failed[@]}" "$reason"
        expect_snapshot "$files"
    done
}

# stage_script_stopped_after NAMES: in the current folder, the stage play of novel.txt named
# from NAMES, cut before its next name as if the run had been killed there.
stage_script_stopped_after() {
    "$convert" --stage --names "$1" novel.txt 2>/dev/null || fail "the first run failed"
    local names cut
    names=$(wc -l <"$1")
    cut=$(grep -bo '<BR><B><CENTER>' Script.htm | sed -n "$((names + 1))p" | cut -d: -f1)
    [ -n "$cut" ] || fail "no line after the names"
    head -c "$cut" Script.htm >Script.cut && mv Script.cut Script.htm
}

# The format is taken from the script (a forgotten --stage does not start afresh), and an
# editor's line break or spaces after the last command do not stop it being recognised.
case_continue_in_the_script_format() {
    local ending
    for ending in none lf spaces_crlf; do
        fresh
        cd "$dir" || fail "cd"
        dialogue_text 6 novel.txt
        printf 'TOM\nANN\nBOB\n' >first.txt
        printf 'EVE\nMAX\nSUE\n' >rest.txt
        mkdir whole && cp novel.txt whole/ && cat first.txt rest.txt >whole/all.txt
        (cd whole && "$convert" --stage --names all.txt novel.txt 2>/dev/null) ||
            fail "the whole run failed"
        stage_script_stopped_after first.txt
        case $ending in
        lf) printf '\n' >>Script.htm ;;
        spaces_crlf) printf '  \r\n' >>Script.htm ;;
        esac
        run --continue --names rest.txt novel.txt
        expect_status 0
        expect_err "Loading text file" "Text file loaded successfully" \
            "Going on with Script.htm after its 3 lines, as a stage play." \
            "Script.html successfully generated"
        expect_script Script.htm whole/Script.htm
        [ ! -e Script.htm.bak ] || fail "$ending: set aside"
    done
}

# Runs that do not go on keep what they find: a run with --continue forgotten, then one that
# starts anew, leave both earlier scripts beside the new one.
case_runs_that_do_not_continue_keep_every_script() {
    fresh
    cd "$dir" || fail "cd"
    dialogue_text 6 novel.txt
    printf 'TOM\nANN\nBOB\n' >first.txt
    printf 'EVE\nMAX\nSUE\n' >rest.txt
    stage_script_stopped_after first.txt
    local unfinished wrong
    unfinished=$(hash_of Script.htm)
    run --names rest.txt novel.txt  # --continue forgotten
    expect_status 0
    expect_err "Loading text file" "Text file loaded successfully" "$kept_backup" \
        "Generating script without characternames" "Script.html successfully generated"
    expect_unchanged Script.htm.bak "$unfinished"
    wrong=$(hash_of Script.htm)
    run --continue --names rest.txt novel.txt
    expect_status 1
    expect_err "${script_failed[@]}" \
        "Script.htm was left as it is: it holds a finished script of this text."
    run --stage --names rest.txt novel.txt
    expect_status 0
    expect_err "Loading text file" "Text file loaded successfully" "$(kept_as Script.htm.bak2)" \
        "Generating script without characternames" "Script.html successfully generated"
    expect_unchanged Script.htm.bak "$unfinished"
    expect_unchanged Script.htm.bak2 "$wrong"
}

# An earlier Script.htm of nearly 2 GB (as large as a script of a text may be) is read only as
# far as it matches the text, and set aside without a copy.
case_large_earlier_script() {
    fresh
    cd "$dir" || fail "cd"
    [ -x /usr/bin/time ] || skip "GNU time is not installed"
    dialogue_text 3 novel.txt
    dialogue_script 3 expected.htm
    local start='<HTML><BR>Opening.<BR>' size=2097152000
    printf '%s' "$start" >Script.htm
    truncate -s "$size" Script.htm || skip "no sparse files here"
    local before peak
    before=$(hash_of novel.txt)
    timeout "$limit" /usr/bin/time -f '%M' -o peak.kb "$convert" novel.txt >"$work/.out" \
        2>"$work/.err"
    status=$?
    err="$work/.err"
    expect_status 0
    expect_err "Loading text file" "Text file loaded successfully" "$kept_backup" \
        "Generating script without characternames" "Script.html successfully generated"
    expect_unchanged novel.txt "$before"
    expect_script Script.htm expected.htm
    # Compared byte for byte with what it was (a hash of 2 GB takes far longer).
    [ "$(stat -c %s Script.htm.bak)" -eq "$size" ] &&
        cmp -s -n "${#start}" Script.htm.bak <(printf '%s' "$start") &&
        cmp -s -i "${#start}:0" -n "$((size - ${#start}))" Script.htm.bak /dev/zero ||
        fail "the earlier script was not kept as it was"
    peak=$(tail -n 1 peak.kb)
    # Far below the script's size even under AddressSanitizer.
    [ "$peak" -lt 262144 ] || fail "peak memory $peak KiB"
    echo "      peak memory $peak KiB"
}

# A standard stream the program is started without is opened on the null device before any
# file: neither the status lines nor the log land in the script.
case_closed_standard_streams() {
    fresh
    cd "$dir" || fail "cd"
    dialogue_text 3 novel.txt
    dialogue_script 3 expected.htm
    local before how
    before=$(hash_of novel.txt)
    for how in no_stderr log_without_stdout none; do
        rm -f Script.htm
        : >"$work/.err"
        case $how in
        no_stderr) timeout "$limit" "$convert" novel.txt 2>&- ;;
        log_without_stdout) timeout "$limit" "$convert" --log novel.txt >&- 2>"$work/.err" ;;
        none) timeout "$limit" "$convert" --log novel.txt <&- >&- 2>&- ;;
        esac
        status=$?
        err="$work/.err"
        expect_status 0
        [ "$how" != log_without_stdout ] || expect_err "${finished[@]}"
        expect_script Script.htm expected.htm
        expect_unchanged novel.txt "$before"
        [ ! -e Script.htm.bak ] || fail "$how: a script was set aside"
    done
}

# A reader of the log that goes away stops the log, not the conversion.
case_log_reader_gone() {
    fresh
    cd "$dir" || fail "cd"
    narration_text 20000 novel.txt
    narration_script 20000 expected.htm
    timeout "$limit" "$convert" --log novel.txt 2>"$work/.err" | head -c 100 >/dev/null
    status=${PIPESTATUS[0]}
    err="$work/.err"
    expect_status 2
    expect_err "${narration_only[@]}" "velmora-convert: the log could not be written"
    expect_script Script.htm expected.htm
}

# Folders that refuse a new file: the system's own reason, not the word processor's.
case_read_only_folder() {
    fresh
    scratch_mount ro size=1m
    dialogue_text 3 "$dir/ro/novel.txt"
    mount -o remount,ro "$dir/ro" || fail "cannot make the tmpfs read-only"
    cd "$dir/ro" || fail "cd"
    run novel.txt
    expect_status 1
    expect_err "${script_failed[@]}" "Script.htm could not be written: Read-only file system."
    [ ! -e Script.htm ] || fail "a script was written"
}

# With no inode left the new script cannot be created: an earlier script is back in its place,
# not left unannounced under a kept name.
case_out_of_inodes() {
    local earlier
    for earlier in none script; do
        fresh
        scratch_mount full size=1m,nr_inodes=3  # the folder, the text and one more
        cd "$dir/full" || fail "cd"
        dialogue_text 3 novel.txt
        [ "$earlier" == none ] || printf '<HTML><BR>An earlier script.<BR></HTML>' >Script.htm
        { : >filler; } 2>/dev/null  # take whatever inode is left
        local files
        files=$(snapshot)
        run novel.txt
        expect_status 1
        expect_err "${script_failed[@]}" "Script.htm could not be written: No space left on device."
        expect_snapshot "$files"
        [ "$earlier" == script ] || [ ! -e Script.htm ] || fail "a script was written"
        cd / && umount "$mounted" && mounted="" || fail "cannot unmount"
    done
}

# --- names files --------------------------------------------------------------------------

names_text() {  # TEXT: three lines of dialogue
    printf '"One," he said.\r\n\r\n"Two," she said.\r\n\r\n"Three," he said.\r\n\r\nEnd.' >"$1"
}

case_names_file_line_ends() {
    local ends
    for ends in cr lf crlf; do
        fresh
        cd "$dir" || fail "cd"
        names_text novel.txt
        case $ends in
        cr) printf 'TOM\rANN\rBOB\r' >cast.txt ;;
        lf) printf 'TOM\nANN\nBOB\n' >cast.txt ;;
        crlf) printf 'TOM\r\nANN\r\nBOB\r\n' >cast.txt ;;
        esac
        run --names cast.txt novel.txt
        expect_status 0
        expect_err "${narration_only[@]}"
        grep -q '<CENTER>TOM</CENTER>.*<CENTER>ANN</CENTER>.*<CENTER>BOB</CENTER>' Script.htm ||
            fail "$ends: the names are not one a line: $(cat Script.htm)"
    done
}

# Refused before anything is opened: names that are not UTF-8 (or UTF-16, which is full of
# NUL bytes) would reach the script as mojibake.
case_names_file_not_utf8() {
    local encoding line
    for encoding in latin1 utf16 utf16_bom; do
        fresh
        cd "$dir" || fail "cd"
        names_text novel.txt
        case $encoding in
        latin1) printf 'TOM\nJOS\xc9\nBOB\n' >cast.txt && line=2 ;;
        utf16) printf 'T\0O\0M\0\n\0A\0N\0N\0\n\0' >cast.txt && line=1 ;;
        utf16_bom) printf '\xff\xfeT\0O\0M\0\n\0' >cast.txt && line=1 ;;
        esac
        printf 'an earlier script' >Script.htm
        local files
        files=$(snapshot)
        run --names cast.txt novel.txt
        expect_status 1
        expect_err "velmora-convert: the names file 'cast.txt' is not UTF-8 at line $line"
        expect_snapshot "$files"
    done
}

case_names_left_over() {
    fresh
    cd "$dir" || fail "cd"
    names_text novel.txt
    printf 'TOM\nANN\nBOB\nEVE\nNOTE: unused\nMAX\n' >cast.txt
    run --names cast.txt novel.txt
    expect_status 0
    expect_err "${narration_only[@]}" "2 names and 1 note were not used"
}

# Characters a script's character set cannot hold are written as character references, so
# the script shows them in its declared (or the default) character set.
case_typed_characters_the_text_cannot_hold() {
    fresh
    cd "$dir" || fail "cd"
    names_text novel.txt  # plain ASCII: the script declares nothing
    printf 'ZO\xc3\x8b\n\xe6\x97\xa5\nNOTE: caf\xc3\xa9\nTOM\n' >cast.txt
    run --names cast.txt novel.txt
    expect_status 0
    grep -q '<CENTER>ZO&#203;</CENTER>' Script.htm || fail "no reference for E with diaeresis"
    grep -q '<CENTER>&#26085;</CENTER>' Script.htm || fail "no reference for the CJK name"
    grep -q '<BR>NOTE: caf&#233;<BR>' Script.htm || fail "no reference in the note"
    LC_ALL=C grep -q $'[\x80-\xff]' Script.htm && fail "bytes above ASCII in an ASCII script"

    printf 'Caf\xe9.\r\n\r\n"Oui," he said.\r\n\r\n"Non," she said.' >latin.txt
    printf 'ZO\xc3\x8b\n\xce\xa9MEGA\n' >cast.txt
    run --names cast.txt latin.txt
    expect_status 0
    grep -q $'<CENTER>ZO\xcb</CENTER>' Script.htm || fail "E with diaeresis is a Windows-1252 byte"
    grep -q '<CENTER>&#937;MEGA</CENTER>' Script.htm || fail "no reference for Omega"
    grep -q $'<BR>Caf\xe9.<BR>' Script.htm || fail "the text's own bytes were changed"
}

# --- documents ---------------------------------------------------------------------------

# Documents made from the committed test documents (tests/data/documents) by breaking them as
# damage, DRM, a ZIP bomb and a password do; each is refused with its one line, the document
# left as it is and no script written.
case_bad_documents() {
    fresh
    cd "$dir" || fail "cd"
    head -c 6000 "$documents/chapters.pandoc-epub2.epub" >cut.epub
    python3 - "$documents" <<'PYTHON' || fail "python3 could not make the documents"
import sys, zipfile
documents = sys.argv[1]
epub = zipfile.ZipFile(documents + '/chapters.pandoc-epub2.epub')
with zipfile.ZipFile('drm.epub', 'w') as out:
    for item in epub.infolist():
        out.writestr(item, epub.read(item.filename))
    references = ''.join(
        '<EncryptedData><CipherData><CipherReference URI="%s"/></CipherData></EncryptedData>' % name
        for name in epub.namelist() if name.endswith('.xhtml'))
    out.writestr('META-INF/encryption.xml', '<encryption xmlns="urn:oasis:names:tc:opendocument:'
                 'xmlns:container">%s</encryption>' % references)
docx = zipfile.ZipFile(documents + '/chapters.pandoc.docx')
with zipfile.ZipFile('bomb.docx', 'w', zipfile.ZIP_DEFLATED) as out:
    for item in docx.infolist():
        if item.filename == 'word/document.xml':  # 64 MB that pack to 64 KB
            out.writestr(item.filename, b'<w:document><w:body>' + b' ' * (64 << 20) +
                         b'</w:body></w:document>')
        else:
            out.writestr(item, docx.read(item.filename))
PYTHON
    # What Word saves for a password: a compound file holding an encrypted package.
    { printf '\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1'; head -c 504 /dev/zero
      printf 'E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0'; head -c 1000 /dev/zero
    } >locked.docx
    local document reason before
    while IFS='|' read -r document reason; do
        before=$(hash_of "$document")
        run "$document"
        expect_status 1
        expect_err "${load_failed[@]}" "$reason"
        expect_unchanged "$document" "$before"
        [ ! -e Script.htm ] || fail "$document: a script was written"
        echo "      $document: $reason"
    done <<'REASONS'
cut.epub|This EPUB document is damaged or cut short, so Velmora cannot unpack it.
drm.epub|This EPUB document is protected by DRM: its text is encrypted, so Velmora cannot read it.
bomb.docx|This DOCX document unpacks to far more than its own size, as a ZIP bomb does, so Velmora stopped reading it.
locked.docx|This document is protected with a password: Velmora can open it once it is saved without one.
REASONS
}

# An export is written whole or not at all: in a folder that has turned read-only each one is
# refused as a file error naming it, the older export stays as it was, and nothing else
# changes.
case_export_read_only_folder() {
    fresh
    scratch_mount ro size=1m
    cd "$dir/ro" || fail "cd"
    dialogue_text 3 novel.txt
    run --export=fountain novel.txt
    expect_status 0
    printf 'An older export.\n' >Script.fountain
    mount -o remount,ro "$dir/ro" || fail "cannot make the tmpfs read-only"
    local files
    files=$(snapshot)
    run --export=fountain,fdx --existing novel.txt
    expect_status 2
    expect_err "Access to $dir/ro/Script.fountain was denied." "Access to $dir/ro/Script.fdx was denied."
    expect_snapshot "$files"
    run --export=all novel.txt
    expect_status 1
    expect_snapshot "$files"
}

run_case() {
    trap cleanup EXIT  # also when the case runs in a subshell of its own
    case_name=$1
    declare -F "case_$1" >/dev/null || { echo "unknown case $1" >&2; exit 2; }
    "case_$1"
    report
}

if [ "$wanted" == "all" ]; then
    failed=0
    for name in "${cases[@]}"; do
        (run_case "$name")
        result=$?
        [ "$result" -eq 0 ] || [ "$result" -eq 77 ] || failed=1
    done
    exit "$failed"
fi
run_case "$wanted"
