#!/usr/bin/env bash
# Runs the benchmark program under Wine with a display and a wineserver of its own, by hand:
#   bench/run.sh [name filter]          (BUILD_DIR defaults to build/)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export BUILD_DIR="$(cd "${BUILD_DIR:-$root/build}" && pwd)"
source "$root/scripts/wine-env.sh"
vellumo_make_prefix
trap vellumo_stop EXIT
vellumo_start_display
vellumo_start_wineserver
# The large pictures' folder: 16-bit PNGs the program itself cannot write, made here once.
temp="$(winepath -u "$(wine cmd /c 'echo %TEMP%' 2>/dev/null | tr -d '\r')" 2>/dev/null)"
large="$temp/vellumo-bench/large-png"
if [ "$(ls "$large" 2>/dev/null | wc -l)" != 16 ]; then
    mkdir -p "$large"
    convert -size 6000x4000 gradient:red-blue "$large/big01.png"
    for i in $(seq -w 2 16); do cp "$large/big01.png" "$large/big$i.png"; done
fi
wine "$BUILD_DIR/bench/vellumo_bench.exe" "$@" 2>/dev/null | tr -d '\r'
