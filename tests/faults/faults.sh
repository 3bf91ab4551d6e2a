#!/usr/bin/env bash
# End-to-end faults for velmora-convert: full disks, held and misplaced files, hostile texts
# and awkward file names. Each case checks the exact status and error lines, the exit status
# (0 finished, 1 refused or not started, 2 file or memory error), that the text's bytes are
# unchanged, and what the script holds afterwards: exactly what it held before the command
# that failed, so that running again gives the script an unbroken run gives.
#
#   faults.sh VELMORA_CONVERT CASE     run one case (CTest runs each as its own test)
#   faults.sh VELMORA_CONVERT all      run every case
#   faults.sh - list                   name every case
#
# Exit status 0 passed, 1 failed, 77 skipped (the machine cannot set the case up).
set -u

wanted=$2
cases=(disk_full_dev_full disk_full_tmpfs disk_full_size_limit script_held_by_velmora
       script_flocked script_word_processor_lock script_is_directory text_missing
       text_is_directory text_locked text_3gb_sparse nul_bytes invalid_utf8 long_line
       unmatched_quotes only_line_breaks awkward_file_name script_is_the_text
       script_is_the_names_file earlier_script_kept log_reader_gone read_only_folder
       out_of_inodes names_file_line_ends names_file_not_utf8 names_left_over
       typed_characters_the_text_cannot_hold)
if [ "$wanted" == "list" ]; then
    printf '%s\n' "${cases[@]}"
    exit 0
fi
convert=$(realpath "$1")

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

finished=("Loading text file" "Text file loaded successfully"
          "Generating script without characternames" "Script.html successfully generated")
narration_only=("Loading text file" "Text file loaded successfully"
                "Script.html successfully generated")
load_failed=("Loading text file" "*** Error - Text file failed to load ***")
kept_backup="The earlier Script.htm was kept as Script.htm.bak."
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

dialogue_script() {  # LINES SCRIPT
    local i
    {
        printf '<HTML><BR>Opening.<BR>'
        for ((i = 1; i <= $1; i++)); do
            printf '<BR><CENTER>CHARACTERNAME</CENTER><DD>(he said)</DD><DD>Line %05d.</DD><BR>' \
                "$i"
        done
        printf '</HTML>'
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

case_disk_full_dev_full() {
    fresh
    cd "$dir" || fail "cd"
    narration_text 3 novel.txt
    local before
    before=$(hash_of novel.txt)
    ln -s /dev/full Script.htm
    run novel.txt
    expect_status 2
    expect_err "${script_failed[@]}" "Disk full while accessing $dir/Script.htm."
    expect_unchanged novel.txt "$before"
    [ -L Script.htm ] || fail "the link to /dev/full was replaced"
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
# only is written whole by the opening): the earlier script is given back as it was.
case_disk_full_size_limit() {
    fresh
    cd "$dir" || fail "cd"
    narration_text 600 novel.txt
    narration_script 600 expected.htm
    printf '<HTML><BR>An earlier script.<BR></HTML>' >Script.htm
    local before script
    before=$(hash_of novel.txt)
    script=$(hash_of Script.htm)
    (
        trap '' XFSZ  # report the write as failed instead of killing the program
        ulimit -f 16  # 16 KiB
        run novel.txt
        exit "$status"
    )
    status=$?
    err="$work/.err"
    expect_status 2
    expect_err "Loading text file" "Text file loaded successfully" "$kept_backup" \
        "*** Error - Script file failed to open ***" "Disk full while accessing $dir/Script.htm."
    expect_unchanged novel.txt "$before"
    expect_unchanged Script.htm "$script"
    [ ! -e Script.htm.bak ] || fail "the earlier script was not put back in its place"
    cp "$err" "$work/.shown"
    shown_err="$work/.shown"

    run novel.txt  # with room again
    expect_status 0
    expect_err "Loading text file" "Text file loaded successfully" "$kept_backup" \
        "Script.html successfully generated"
    expect_script Script.htm expected.htm
    expect_unchanged Script.htm.bak "$script"
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
    # The first conversion prints its log into a pipe nobody reads yet, so it stops there
    # while it holds its script.
    mkfifo log.fifo
    exec 7<>log.fifo
    "$convert" --log big.txt >log.fifo 2>first.err 7<&- &
    local first=$!
    held_pids+=("$first")
    local waited
    for ((waited = 0; waited < 200; waited++)); do
        [ "$(stat -c %s Script.htm 2>/dev/null || echo 0)" -ge 6 ] && break
        sleep 0.05
    done
    kill -0 "$first" 2>/dev/null || fail "the first conversion did not stay open"
    run novel.txt
    expect_status 1
    expect_err "${script_failed[@]}" "Script.htm is in use by another program."
    expect_unchanged novel.txt "$before"
    # Let the first one finish: its script must be whole, not emptied by the second.
    # Swap the pipe's read-write end for a reader that drains it, never leaving it without
    # a reader (the writer would die of SIGPIPE) nor keeping a writer (no end of file).
    exec 6<log.fifo
    exec 7<&-
    cat <&6 >/dev/null 6<&- &
    held_pids+=($!)
    exec 6<&-
    wait "$first"
    local first_status=$?
    [ "$first_status" -eq 0 ] || fail "the first conversion ended with $first_status"
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

# An earlier script is set aside as Script.htm.bak (one level), never emptied.
case_earlier_script_kept() {
    fresh
    cd "$dir" || fail "cd"
    dialogue_text 3 novel.txt
    dialogue_script 3 expected.htm
    printf 'the oldest script' >Script.htm.bak
    printf '<HTML><BR>An earlier script.<BR></HTML>' >Script.htm
    local earlier
    earlier=$(hash_of Script.htm)
    run novel.txt
    expect_status 0
    expect_err "Loading text file" "Text file loaded successfully" "$kept_backup" \
        "Generating script without characternames" "Script.html successfully generated"
    expect_script Script.htm expected.htm
    expect_unchanged Script.htm.bak "$earlier"
    # An empty script holds nothing worth keeping.
    : >Script.htm
    run novel.txt
    expect_status 0
    expect_err "${finished[@]}"
    expect_unchanged Script.htm.bak "$earlier"
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

case_out_of_inodes() {
    fresh
    scratch_mount full size=1m,nr_inodes=2
    cd "$dir/full" || fail "cd"
    dialogue_text 3 novel.txt
    : >filler 2>/dev/null  # take whatever inode is left
    run novel.txt
    expect_status 1
    expect_err "${script_failed[@]}" "Script.htm could not be written: No space left on device."
    [ ! -e Script.htm ] || fail "a script was written"
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

case_names_file_not_utf8() {
    fresh
    cd "$dir" || fail "cd"
    names_text novel.txt
    printf 'TOM\nJOS\xc9\nBOB\n' >cast.txt
    printf 'an earlier script' >Script.htm
    local script
    script=$(hash_of Script.htm)
    run --names cast.txt novel.txt
    expect_status 1
    expect_err "velmora-convert: the names file 'cast.txt' is not UTF-8 at line 2"
    expect_unchanged Script.htm "$script"
    [ ! -e Script.htm.bak ] || fail "the script was set aside"
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
