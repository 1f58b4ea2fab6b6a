#!/usr/bin/env bash
# Runs every benchmark, each figure beside its anchor measured in the same run, and writes
# docs/performance.md (or the file given). Benchmarks are programs, not tests: nothing here
# fails on a time.
#   scripts/bench.sh [OUTPUT.md]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QIV_BUILD_DIR:-$root/build}
report=${1:-$root/docs/performance.md}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$build/tests" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/tests" -j2 >/dev/null
arch=$("$root/scripts/wine-env.sh" arch)
tree=$build/tests/windows; [ "$arch" = i686 ] || tree=$build/tests/windows64
bench=$tree/tests/bench
out=$(mktemp -d /tmp/qiv-bench-all.XXXXXX)
state=$out/wine
trap '"$root/scripts/wine-env.sh" stop "$state" >/dev/null 2>&1 || true; rm -rf "$out"' EXIT
step() { echo "bench: $*" >&2; }

step "compile step and F11 (about 2 minutes)"
"$root/scripts/bench-build.sh" "$tree/tests/host/host.exe" "$tree/tests/standins/npp" 7 10 >"$out/build.txt"
step "start of a program, against a bare WinMain"
"$root/scripts/bench-startup.sh" "$bench/startup_latency/startup_latency.exe" 15 >"$out/startup.txt"
"$root/scripts/bench-startup.sh" "$bench/bare_winmain.exe" 15 >"$out/bare.txt"
step "pace and instant lines, against a bare LineTo"
"$root/scripts/bench-drawing.sh" "$bench/drawing_bench/drawing_bench.exe" >"$out/drawing.txt"
step "pen text and pictures, against a bare TextOutA"
"$root/scripts/bench-pen-text.sh" "$bench/pen_text_picture_bench/pen_text_picture_bench.exe" >"$out/pentext.txt"
"$root/scripts/wine-env.sh" start "$state" >/dev/null
step "cout: 10,000 lines, 1 MB, 100,000 insertions, against the pane's floor and a console program"
QIV_WINE_STATE=$state "$root/scripts/wine-run.sh" "$bench/output_insertion/output_insertion.exe" | tr -d '\r' \
    >"$out/cout.txt"
QIV_WINE_STATE=$state "$root/scripts/wine-run.sh" "$tree/tests/bench/console_lines.exe" 2>&1 >/dev/null | tr -d '\r' \
    >>"$out/cout.txt"
step "the class check on a class of 30 (about a minute)"
QIV_WINE_STATE=$state "$root/scripts/bench-class-check.sh" "$tree/tests/standins/npp" 30 >"$out/class.txt"
step "Python's turtle module drawing the same lines"
# shellcheck disable=SC1091
(. "$state/env.sh" && LC_ALL=C.UTF-8 python3 "$root/tests/bench/turtle_lines.py") >"$out/turtle.txt"

"$root/scripts/bench-report.sh" "$out" "$arch" "$report"
