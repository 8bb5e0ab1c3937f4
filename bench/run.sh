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
wine "$BUILD_DIR/bench/vellumo_bench.exe" "$@" 2>/dev/null | tr -d '\r'
