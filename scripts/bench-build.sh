#!/usr/bin/env bash
# Benchmark of the build driver (not a test):
#  1. the compile step alone, natively with the cross compiler: the hello program with logo.h
#     forced in (the driver's compile command), a plain <iostream> hello world, and the hello
#     program again with a precompiled logo.h.gch beside logo.h (what an installation could
#     ship); each N times, alternating, medians in seconds;
#  2. under Wine through the stand-in editor host, the plug-in and the stand-in tool chain:
#     the time from pressing F11 to the first statement of the hello program (M times).
#
#   scripts/bench-build.sh HOST_EXE INSTALL_DIR [N] [M]
# INSTALL_DIR is the test installation of the editor's folder (target qiv_test_install).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
host=$1 npp=$(cd "$2" && pwd) n=${3:-7} m=${4:-3}
arch=$("$root/scripts/wine-env.sh" arch)
cxx=${arch}-w64-mingw32-g++
work=$(mktemp -d /tmp/qiv-bench-build.XXXXXX)
state=$work/wine
trap '"$root/scripts/wine-env.sh" stop "$state" >/dev/null 2>&1; rm -rf "$work"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.2f", m }'; }
seconds() {  # command...: prints the seconds it took
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

# The hello program (the new-program template with the lesson's line) and a plain one.
body='pen.fd(100).rt(90).fd(50); cout << "ok" << endl;'
printf '//程序名:新的Qiv程序\n//作者: \n\nint main()\n{\n    fclose(fopen("first.txt", "w"));\n    %s\n\n    return 0;\n}' "$body" |
    iconv -f UTF-8 -t GBK >"$work/qiv_01.cpp"
printf '#include <iostream>\nint main()\n{\n    std::cout << "hello" << std::endl;\n    return 0;\n}\n' >"$work/plain.cpp"
# logo.h alone, and logo.h with its precompiled header, in folders of their own (the test
# installation may hold a header made by the build key).
mkdir -p "$work/pch/Qiv" "$work/plainhdr/Qiv"
cp "$npp/Qiv/logo.h" "$work/pch/Qiv/"
cp "$npp/Qiv/logo.h" "$work/plainhdr/Qiv/"
"$cxx" -pipe -x c++-header -c "$work/pch/Qiv/logo.h" -o "$work/pch/Qiv/logo.h.gch" -I"$npp/MinGW/include"

compile_with() {  # folder holding Qiv/logo.h
    "$cxx" -pipe -xc++ -c "$work/qiv_01.cpp" -o "$work/qiv_01.o" -include"$1/Qiv/logo.h" -I"$npp/MinGW/include"
}
compile_plain() { "$cxx" -pipe -xc++ -c "$work/plain.cpp" -o "$work/plain.o"; }
compile_with "$work/plainhdr"  # warm the file cache
compile_plain
[ -z "$(compile_with "$work/pch" 2>&1)" ] || { echo "the precompiled header build failed" >&2; exit 1; }
: >"$work/header"; : >"$work/plain"; : >"$work/pch.t"
for _ in $(seq "$n"); do
    seconds compile_with "$work/plainhdr" >>"$work/header"
    seconds compile_plain >>"$work/plain"
    seconds compile_with "$work/pch" >>"$work/pch.t"
done
echo "compile step ($cxx, median of $n):"
echo "  hello program with logo.h forced in: $(median <"$work/header") s"
echo "  plain <iostream> hello world:        $(median <"$work/plain") s"
echo "  hello program with logo.h.gch:       $(median <"$work/pch.t") s" \
     "(gch $(du -m "$work/pch/Qiv/logo.h.gch" | cut -f1) MB)"

# F11 to the program's first statement, through the host and the plug-in under Wine. The
# host writes a file just before it presses F11; the program's first statement writes one.
"$root/scripts/wine-env.sh" start "$state" >/dev/null
# shellcheck disable=SC1091
. "$state/env.sh"
# Wine runs in the environment's locale (code page 936); the text tools here read UTF-8.
wine_lc=$LC_ALL
export LC_ALL=C.UTF-8
prog=$work/prog
mkdir -p "$prog"
# The precompiled runtime header, made once as the installer makes it (the build key would
# make it at the first F11 otherwise).
LC_ALL=$wine_lc "$QIV_WINE" "$npp/Qiv/tools/makepch.exe" >/dev/null 2>&1 || true
: >"$work/f11"; : >"$work/steps"
for i in $(seq "$m"); do
    rm -f "$prog"/*
    cp "$work/qiv_01.cpp" "$prog/qiv_01.cpp"
    cat >"$work/f11.script" <<SCRIPT
open $prog/qiv_01.cpp
save-bytes $prog/pressed.txt
key F11
wait-panel 运行结束 60000
wait-window qiv_01 20000
wait 500
print-panel-text
close-window qiv_01
exit 0
SCRIPT
    rm -f "$work/times.txt"
    LC_ALL=$wine_lc QIV_BUILD_TIMES="Z:$work/times.txt" "$QIV_WINE" "$host" --npp-dir "$npp" \
        --script "$work/f11.script" --timeout 90 >"$work/host.out" 2>&1 || true
    [ -f "$prog/first.txt" ] || { echo "run $i: the program did not start" >&2; tr -d '\r' <"$work/host.out" >&2; exit 1; }
    pressed=$(stat -c %.9Y "$prog/pressed.txt")
    first=$(stat -c %.9Y "$prog/first.txt")
    build=$(tr -d '\r' <"$work/host.out" | sed -n 's/^panel-line 5:  编译用时：\([0-9.]*\) 秒$/\1/p')
    total=$(echo "$first - $pressed" | bc -l)
    printf '  run %d: F11 to first statement %.2f s (the panel reports the build as %s s)\n' "$i" "$total" "$build"
    echo "$total" >>"$work/f11"
    # The plug-in's steps (milliseconds since the key), then the program's first statement.
    { cat "$work/times.txt" 2>/dev/null || true; echo "$total" | awk '{ printf "%.1f first statement of the program\n", $1 * 1000 }'; } |
        awk -v run="$i" '{ ms = $1; $1 = ""; sub(/^ /, ""); printf "%d\t%s\t%.1f\n", run, $0, ms - last; last = ms }' >>"$work/steps"
done
echo "F11 to the program's first statement under Wine ($arch): median $(median <"$work/f11") s over $m runs"
# The median time of each step over the runs, in the order of the first run.
echo "where F11's time goes (median milliseconds of each step over $m runs):"
awk -F'\t' '$1 == 1 { print $2 }' "$work/steps" | while IFS= read -r step; do
    printf '  %7s  %s\n' "$(awk -F'\t' -v s="$step" '$2 == s { print $3 }' "$work/steps" | median)" "$step"
done
