#!/usr/bin/env bash
# The bash completion of umbrix-cli, asked as bash asks it: COMP_LINE and COMP_POINT up to the cursor.
# Usage: check_completion.sh COMPLETION_SCRIPT
set -uo pipefail
source "${1:?usage: check_completion.sh COMPLETION_SCRIPT}" || exit 1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" && touch dial.adt dial.ini
failed=0

# expect LINE EXPECTED [WORDBREAKS]: the replies for LINE, sorted, joined by blanks.
expect() {
    local COMP_WORDBREAKS=${3:-$' \t\n"\'><=;|&(:'}
    COMP_LINE=$1
    COMP_POINT=${#1}
    COMPREPLY=()
    _umbrix_cli
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd ' ')
    if [[ $got != "$2" ]]; then
        echo "FAIL \"$1\": expected \"$2\", got \"$got\""
        failed=1
    fi
}

expect "umbrix-cli --set lat" "latitude="
expect "umbrix-cli --set dialType=" "0 1 2 3 4 5 6 7"
expect "umbrix-cli --set dialType=" "dialType=0 dialType=1 dialType=2 dialType=3 dialType=4 dialType=5 dialType=6 dialType=7" $' \t\n'
expect "umbrix-cli --set marksPerMonth=" "1 2 3 6"
expect "umbrix-cli --set doubleAnalemmaMethod=" "0 1 2 3 4"
expect "umbrix-cli --set marksMode=" "1 2"
expect "umbrix-cli --set showShadowPath=t" "true"
expect "umbrix-cli --set latitude=" ""
expect "umbrix-cli --set hour" "hourFrom= hourLabelSize= hourLabels= hourTo= hoursTable="
expect "umbrix-cli --lang " "de en"
expect "umbrix-cli --pdf-lists n" "none"
expect "umbrix-cli --table loops" "loops-am loops-pm"
expect "umbrix-cli --table hours dial.a" "dial.adt"
expect "umbrix-cli --config dial." "dial.adt dial.ini"
expect "umbrix-cli --size " ""
expect "umbrix-cli --lang de --ver" "--version"
expect "umbrix-cli --svg" "--svg --svg-accuracy --svg-error --svg-reach"
expect "umbrix-cli --table acc" "accuracy"
expect "umbrix-cli --at " ""
expect "umbrix-cli --svg-reach dial.a" "dial.adt"
expect "umbrix-cli --set dialType=6 --set marksMode=2 --save" "--save-config"
expect "umbrix-cli --paper " "A3 A4 letter"
expect "umbrix-cli --setting-out dial.a" "dial.adt"
expect "umbrix-cli --template dial.i" "dial.ini"
expect "umbrix-cli --correct-x " ""
expect "umbrix-cli --scale " ""
expect "umbrix-cli --correct" "--correct-x --correct-y --correction"

[[ $failed -eq 0 ]] && echo "completion: every case as expected"
exit $failed
