#!/usr/bin/env bash
# Benchmark: the pace of animated pen motion and the cost of one instant line against a bare
# GDI LineTo, measured by tests/bench/drawing_bench under Wine; runs it N times (default 1).
#   scripts/bench-drawing.sh <drawing_bench.exe> [N]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$1; n=${2:-1}
state=$(mktemp -d /tmp/qiv-bench.XXXXXX)
"$root/scripts/wine-env.sh" start "$state" >/dev/null
trap '"$root/scripts/wine-env.sh" stop "$state"; rm -rf "$state"' EXIT
export QIV_WINE_STATE=$state
for _ in $(seq "$n"); do "$root/scripts/wine-run.sh" "$exe" | tr -d '\r'; done
