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
step "Python's turtle module drawing the same lines"
# shellcheck disable=SC1091
(. "$state/env.sh" && LC_ALL=C.UTF-8 python3 "$root/tests/bench/turtle_lines.py") >"$out/turtle.txt"

# The figures, read off the programs' own lines.
num() { grep -m1 -oE "$2" "$out/$1" | grep -oE '[0-9]+(\.[0-9]+)?' | sed -n "${3:-1}p"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
hello=$(num build.txt 'plain <iostream> hello world: *[0-9.]+')
nopch=$(num build.txt 'logo.h forced in: *[0-9.]+')
pch=$(num build.txt 'with logo.h.gch: *[0-9.]+')
f11=$(num build.txt 'median [0-9.]+ s over')
start=$(num startup.txt 'median [0-9.]+')
bare=$(num bare.txt 'median [0-9.]+')
penline=$(num drawing.txt 'pen.fd [0-9.]+ us')
gdiline=$(num drawing.txt 'bare LineTo [0-9.]+ us')
turtle=$(num turtle.txt 'median of [0-9]+: [0-9.]+' 2)
lines=$(num cout.txt 'endl lines: [0-9.]+')
perline=$(num cout.txt 'worker [0-9.]+ us per line')
console=$(num cout.txt 'console program writing the 10000 lines: [0-9.]+')
settext=$(num cout.txt 'WM_SETTEXT of the 10000 lines \([0-9]+ bytes\): [0-9.]+' 2)
megabyte=$(num cout.txt '1 MB in one insertion: [0-9.]+')
short=$(num cout.txt '100000 short insertions: [0-9.]+')
oneline=$(num cout.txt 'from the worker: median [0-9.]+')

{
    echo "# Performance"
    echo
    echo "Made by \`scripts/bench.sh\` on $(date -u +%Y-%m-%d): $(nproc) cores," \
         "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), Wine $(wine --version 2>/dev/null)" \
         "running the $arch build, load average $(cut -d' ' -f1-3 /proc/loadavg) at the end."
    echo "Each figure is measured in the same run as its anchor. Medians unless stated."
    echo
    echo "| What | Figure | Anchor | Ratio | Target |"
    echo "|---|---|---|---|---|"
    echo "| Compile step of a student program, with the precompiled \`logo.h.gch\` | $pch s | plain \`<iostream>\` hello world $hello s | $(ratio "$pch" "$hello") | at most 1.1 |"
    echo "| The same without the precompiled header | $nopch s | the same hello world | $(ratio "$nopch" "$hello") | |"
    echo "| F11 to the program's first statement (stand-in editor, plug-in, stand-in g++) | $f11 s | goal 1.5 s | $(ratio "$f11" 1.5) | at most 0.8 s |"
    echo "| Process start to the first statement | $start ms | bare \`WinMain\` $bare ms | $(ratio "$start" "$bare") | 150 ms |"
    echo "| One instant \`fd\` line | $penline us | bare GDI \`LineTo\` $gdiline us | $(ratio "$penline" "$gdiline") | |"
    echo "| One instant \`fd\` line | $penline us | Python turtle, tracer off, $turtle us | $(ratio "$penline" "$turtle") | |"
    echo "| 10,000 \`cout << i << endl\` lines, first line to the end banner | $lines s | a console program writing them $console s | $(ratio "$lines" "$console") | at most 0.5 s |"
    echo "| The same lines | $lines s | the pane's floor: one \`WM_SETTEXT\` of their text $settext s | $(ratio "$lines" "$settext") | |"
    echo "| Worker time of one such line | $perline us | each line shown at once, as before: $oneline ms | | at most 10 us |"
    echo "| 1 MB in one insertion, to the end banner | $megabyte s | | | |"
    echo "| 100,000 short insertions, to the end banner | $short s | | | |"
    echo
    echo "Pace of animated moves at every speed level (target: within 3 % or 0.1 ms):"
    echo
    echo "| Speed | Move | Measured | Ideal | Error |"
    echo "|---|---|---|---|---|"
    sed -n 's/^pace at speed \([0-9.]*\): fd(\([0-9]*\)) median \([0-9.]*\) ms, ideal \([0-9.]*\) ms, error \(.*\)$/| \1 | fd(\2) | \3 ms | \4 ms | \5 |/p' \
        "$out/drawing.txt"
    echo
    echo "## What each benchmark printed"
    for f in build startup bare drawing pentext cout turtle; do
        echo
        echo "\`$f\`:"
        echo
        echo '```'
        cat "$out/$f.txt"
        echo '```'
    done
} >"$report"
echo "bench: wrote $report"
