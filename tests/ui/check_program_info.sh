#!/usr/bin/env bash
# umbrix --version, --help and -h answer without a display and exit 0; no window is opened for them.
# Usage: check_program_info.sh UMBRIX VERSION
set -uo pipefail
umbrix=${1:?usage: check_program_info.sh UMBRIX VERSION}
version=${2:?usage: check_program_info.sh UMBRIX VERSION}
failed=0
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$umbrix" "$@"
}

out=$(run --version) || { echo "FAIL umbrix --version exits $?"; failed=1; }
[[ $out == "umbrix $version" ]] || { echo "FAIL umbrix --version printed \"$out\""; failed=1; }
for help in --help -h; do
    out=$(run "$help") || { echo "FAIL umbrix $help exits $?"; failed=1; }
    [[ $out == usage:\ umbrix* ]] || { echo "FAIL umbrix $help printed \"$out\""; failed=1; }
done
# Placed after a file name too.
out=$(run dial.adt --version) || { echo "FAIL umbrix dial.adt --version exits $?"; failed=1; }
[[ $out == "umbrix $version" ]] || { echo "FAIL umbrix dial.adt --version printed \"$out\""; failed=1; }

[[ $failed -eq 0 ]] && echo "umbrix answers --version and --help without a display"
exit $failed
