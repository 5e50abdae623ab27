#!/usr/bin/env bash
# umbrix-cli as a shell runs it: outputs through the descriptors the shell opened, a FIFO nobody reads, a
# memory limit, a configuration on a pipe. Every special file is made here, in a temporary folder.
# Usage: check_process_outputs.sh UMBRIX_CLI CASE
set -uo pipefail
cli=${1:?usage: check_process_outputs.sh UMBRIX_CLI CASE}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
export TMPDIR="$work/tmp" LC_ALL=C
mkdir -p "$TMPDIR"

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

case ${2:?case} in
append)
    # ">>" appends: what the log held stays, the JSON follows it; the same through a hard link's name.
    printf 'EARLIER\n' > log.txt
    "$cli" --json /dev/stdout >> log.txt || fail "exit $?"
    [[ $(head -n 1 log.txt) == EARLIER ]] || fail "the earlier line is gone"
    grep -q '"schemaVersion"' log.txt || fail "no JSON after it"
    ln log.txt hard.txt
    "$cli" --svg /dev/stdout >> hard.txt || fail "exit $?"
    [[ $(head -n 1 log.txt) == EARLIER ]] || fail "the hard-linked log was truncated"
    grep -q '<svg' log.txt || fail "no SVG appended"
    ;;
sequence)
    # Written in place at the shell's offset, between what the shell writes before and after.
    (echo HEADER; "$cli" --svg /dev/stdout; echo FOOTER) > seq.txt || fail "exit $?"
    [[ $(head -n 1 seq.txt) == HEADER ]] || fail "HEADER lost"
    [[ $(tail -n 1 seq.txt) == FOOTER ]] || fail "FOOTER lost"
    grep -q '</svg>' seq.txt || fail "no SVG"
    # Standard error names the same way, and standard input is no output: --save-config x.ini < x.ini works.
    "$cli" --save-config x.ini || fail "exit $?"
    "$cli" --config x.ini --save-config x.ini < x.ini || fail "reading and saving the same file: exit $?"
    [[ $(wc -l < x.ini) -ge 26 ]] || fail "x.ini lost its lines"
    ;;
fifo)
    # A FIFO nobody reads: given up after 10 s with exit 3, no waiting for ever.
    mkfifo out.json
    start=$SECONDS
    timeout 30 "$cli" --lang en --json out.json 2> err.txt
    code=$?
    [[ $code == 3 ]] || fail "exit $code, not 3"
    (( SECONDS - start < 25 )) || fail "waited $((SECONDS - start)) s"
    grep -q 'no reader' err.txt || fail "no 'no reader' in: $(cat err.txt)"
    ;;
memory)
    # The true-size DXF reads its temporary file back into a buffer of its size, not of its limit.
    (ulimit -v 300000; "$cli" --dxf-mm m.dxf) 2> err.txt || fail "exit $?: $(cat err.txt)"
    tail -c 8 m.dxf | grep -q EOF || fail "the DXF has no EOF record"
    [[ -z $(ls "$TMPDIR") ]] || fail "left in TMPDIR: $(ls "$TMPDIR")"
    ;;
tmpdir)
    # A temporary folder that cannot take the file is named in the message; exit 3.
    TMPDIR="$work/missing" "$cli" --dxf-mm m.dxf 2> err.txt
    code=$?
    [[ $code == 3 ]] || fail "exit $code, not 3"
    grep -q "$work/missing" err.txt || fail "the folder is not named: $(cat err.txt)"
    [[ ! -e m.dxf ]] || fail "m.dxf written"
    ;;
*)
    fail "unknown case $2"
    ;;
esac
echo "ok: $2"
