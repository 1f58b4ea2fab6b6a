#!/usr/bin/env bash
# The long version of the run leak check: one program, N stop/run cycles (default 1,000) over
# every run state, then the growth of GDI objects by type, kernel handles and private memory,
# checked against the same fixed bounds as the 100-cycle test. Takes a few minutes.
#   scripts/run-leak-cycles.sh <run_leak_test.exe> [N]
# The program is built by the test command (build/tests/windows*/tests/wine/runtime/
# run_leak_test/run_leak_test.exe).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$1; n=${2:-1000}
state=$(mktemp -d /tmp/qiv-leak.XXXXXX)
"$root/scripts/wine-env.sh" start "$state" >/dev/null
trap '"$root/scripts/wine-env.sh" stop "$state"; rm -rf "$state"' EXIT
export QIV_WINE_STATE=$state
"$root/scripts/wine-run.sh" "$exe" "$n" | tr -d '\r'
