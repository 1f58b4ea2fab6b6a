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
# The first line of each run is its figure; a breakdown by start step may follow (the last
# run's is shown).
for _ in $(seq "$n"); do "$root/scripts/wine-run.sh" "$exe" | tr -d '\r' >"$state/run.txt"
    head -1 "$state/run.txt"; tail -n +2 "$state/run.txt" >"$state/steps.txt"; done | sort -n | awk '
    { v[NR] = $1; printf "%s ", $1 }
    END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "\nmedian %.1f ms over %d runs\n", m, NR }'
if [ -s "$state/steps.txt" ]; then echo "where the last run's time went:"; cat "$state/steps.txt"; fi
