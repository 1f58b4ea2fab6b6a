#!/usr/bin/env bash
# Benchmark: milliseconds from process creation to the program's first statement, over N
# runs of tests/bench/startup_latency under Wine (default 10); prints each and the median.
#   scripts/bench-startup.sh <startup_latency.exe> [N]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$1; n=${2:-10}
state=$(mktemp -d /tmp/qiv-bench.XXXXXX)
"$root/scripts/wine-env.sh" start "$state" >/dev/null
trap '"$root/scripts/wine-env.sh" stop "$state"; rm -rf "$state"' EXIT
export QIV_WINE_STATE=$state
"$root/scripts/wine-run.sh" "$exe" >/dev/null  # warm the prefix's caches
for _ in $(seq "$n"); do "$root/scripts/wine-run.sh" "$exe"; done | tr -d '\r' | sort -n | awk '
    { v[NR] = $1; printf "%s ", $1 }
    END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "\nmedian %.1f ms over %d runs\n", m, NR }'
