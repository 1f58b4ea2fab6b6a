#!/usr/bin/env bash
# Writes the performance report from the benchmarks' printed lines (scripts/bench.sh measures
# them into one folder: build, startup, bare, drawing, pentext, cout, turtle, class .txt).
#   scripts/bench-report.sh FOLDER ARCH OUTPUT.md
set -euo pipefail
out=$1 arch=$2 report=$3
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
console=$(num cout.txt 'console program writing the 10000 lines: [0-9.]+' 2)
settext=$(num cout.txt 'WM_SETTEXT of the 10000 lines \([0-9]+ bytes\): [0-9.]+' 3)
megabyte=$(num cout.txt '1 MB in one insertion: [0-9.]+' 2)
short=$(num cout.txt '100000 short insertions: [0-9.]+' 2)
oneline=$(num cout.txt 'from the worker: median [0-9.]+')
classcheck=$(num class.txt 'rows, [0-9.]+ s')

{
    echo "# Performance"
    echo
    echo "Made by \`scripts/bench.sh\` on $(date -u +%Y-%m-%d): $(nproc) cores," \
         "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), Wine $( (wine --version || /usr/lib/wine/wine64 --version) 2>/dev/null | head -1)" \
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
    echo "| Class check: 30 programs and the target built, run in capture mode (two of them to the 10 s limit), scored, report written | $classcheck s | | | about 60 s |"
    echo
    echo "Pace of animated moves at every speed level (target: within 3 % or 0.1 ms):"
    echo
    echo "| Speed | Move | Measured | Ideal | Error |"
    echo "|---|---|---|---|---|"
    sed -n 's/^pace at speed \([0-9.]*\): fd(\([0-9]*\)) median \([0-9.]*\) ms, ideal \([0-9.]*\) ms, error \(.*\)$/| \1 | fd(\2) | \3 ms | \4 ms | \5 |/p' \
        "$out/drawing.txt"
    echo
    echo "## Where F11's time goes, and its floor"
    echo
    echo "The plug-in writes the time of each build step when \`QIV_BUILD_TIMES\` names a file;"
    echo "\`scripts/bench-build.sh\` prints the median of each step (milliseconds since the key):"
    echo
    echo '```'
    sed -n '/^where F11/,$p' "$out/build.txt"
    echo '```'
    echo
    echo "| Step | Floor | What was taken off |"
    echo "|---|---|---|"
    echo "| panel shown, context read, document saved | the editor's own window work | |"
    echo "| stop tool | none when no old program, assembler or compiler runs | started only when one of them runs, and waited for only until they are gone (100 ms at most); it used to start and pause 100 ms before every build |"
    echo "| delete | two file deletions | \`rm.exe\` runs only when a file stays (for its words on why); it used to be a process of every build |"
    echo "| runtime library and precompiled header checks | two stamp files read | the header's stamp is checked in the plug-in; \`makepch.exe\` used to be started before every compile |"
    echo "| compile | the compiler with the precompiled header (the compile step above) | |"
    echo "| link | the linker with the static C++ library of the link line | |"
    echo "| program started, first statement | the process start, and the start order's two fixed waits of 20 ms and 50 ms (see the start-up breakdown) | |"
    echo
    echo "Under the stand-ins each compiler step is also a Wine process around the native cross"
    echo "compiler, so compile and link here are slower than on the teacher's machine; what is left"
    echo "beside them and the program's start is the editor's own work, a few tens of milliseconds."
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
echo "bench: wrote $report" >&2
