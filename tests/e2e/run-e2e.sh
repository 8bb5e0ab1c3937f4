#!/usr/bin/env bash
# Runs every end-to-end test (test-*.sh beside this file) against the staged program, one at a time,
# under the build's Wine prefix on the current display. Usage: run-e2e.sh <build folder> <probe>.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export E2E_BUILD="$1" E2E_PROBE="$2"
export BUILD_DIR="$E2E_BUILD"
source "$here/../../scripts/wine-env.sh"
export E2E_WORK="$E2E_BUILD/e2e"
failed=0
# E2E_ONLY (a name pattern, e.g. "print*") runs only the matching tests.
for t in "$here"/test-${E2E_ONLY:-*}.sh; do
    rm -rf "$E2E_WORK"; mkdir -p "$E2E_WORK"
    if bash -c "source '$here/lib.sh'; source '$t'"; then
        echo "ok   $(basename "$t")"
    else
        echo "FAIL $(basename "$t")"
        failed=1
    fi
done
exit $failed
