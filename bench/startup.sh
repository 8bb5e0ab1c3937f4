#!/usr/bin/env bash
# Start-up time as a person sees it: from starting Vellumo.exe to its first window, and to its
# panes shown (after the folder pane's first pick), median of five runs, beside the platform's own
# time to start a program that shows one plain window. Run by hand after a build:
#   bench/startup.sh [build folder]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export BUILD_DIR="$(cd "${1:-$root/build}" && pwd)"
source "$root/scripts/wine-env.sh"
trap vellumo_stop EXIT
vellumo_start_display
vellumo_start_wineserver
probe="$BUILD_DIR/tests/WindowProbe.exe"
winpath() { winepath -w "$1" 2>/dev/null; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# A launch that never showed what it waits for prints -1 and fails: the script stops there rather
# than take -1 into a median.
run5() {
    local i
    for i in 1 2 3 4 5; do
        wine "$probe" launch "$@" 2>/dev/null | tr -d '\r' || { echo "FAILED: launch $1 did not show $2" >&2; exit 1; }
    done
}
prog="$(winpath "$BUILD_DIR/program/Vellumo.exe")"
vellumo="$(run5 VellumoMain SingleyzPreview "\"$prog\"")"
floor="$(run5 ProbePlainWindow "" "\"$(winpath "$probe")\" window")"
echo "Vellumo: start to first window   $(echo "$vellumo" | cut -f1 | median) ms"
echo "Vellumo: start to panes shown    $(echo "$vellumo" | cut -f2 | median) ms"
echo "Platform: start to a plain window $(echo "$floor" | cut -f1 | median) ms"
