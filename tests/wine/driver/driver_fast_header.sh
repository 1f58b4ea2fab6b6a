#!/usr/bin/env bash
# The precompiled runtime header through F11 in a test installation of its own: made when
# missing (the panel says so first), used as it is when current, remade when logo.h or the
# compiler changed, harmless when damaged or when a half-written one lies beside it; and a
# program built with it does exactly what the same program built without it does. The test's
# logo.h defines a probe number that the program writes out: a stale header would show the
# old number.
TEST_NAME=driver_fast_header
. "$(dirname "$0")/driver_test_lib.sh"

FNPP=$WORK/fnpp
cp -r "$NPP" "$FNPP"
rm -f "$FNPP"/Qiv/logo.h.gch*
cp "$NPP/Qiv/logo.h" "$WORK/logo.h.original"
# The header also asks the stand-in compiler to look at the panel while the header is made.
probe_header() {
    { cat "$WORK/logo.h.original"; echo "#define QIV_FAST_HEADER_PROBE $1"; echo "// qiv-test: probe the panel"; } \
        >"$FNPP/Qiv/logo.h"
}
probe_header 1

body='string s; pen.fd(100).rt(45).fd(20).getLine(s); ofstream("probe.txt") << QIV_FAST_HEADER_PROBE << " " << sizeof(Tpen2) << " " << i2s_zq(12345) << " " << s << endl;'
dialect_source "$body" | iconv -f UTF-8 -t GBK >"$PROG/qiv_01.cpp"

# Making the header takes a while on a busy machine.
HOST_TIMEOUT=150
# build NAME [INSTALL]: F11 on qiv_01.cpp; the panel, and what the program wrote.
build() {
    rm -f "$PROG/probe.txt"
    driver_run "$1" "${2:-$FNPP}" <<SCRIPT
open $PROG/qiv_01.cpp
key F11
wait-panel 运行结束 140000
wait-window-text qiv_01 ==== 运行结束  ==== 20000
echo $1
print-panel-text
close-window qiv_01
exit 0
SCRIPT
    end_programs qiv_01.exe
    tr -d '\r' <"$PROG/probe.txt" 2>/dev/null >"$WORK/$1.probe" || true
    panel_after "$1" "$1" >"$WORK/$1.panel"
}
making() { grep -c '正在生成快速编译文件' "$WORK/$1.panel"; }

build missing
check_eq "missing: the panel says it makes the header" 1 "$(making missing)"
grep -q '快速编译文件已生成' "$WORK/missing.panel" && pass || failed "missing: no line that it was made"
[ -s "$FNPP/Qiv/logo.h.gch" ] && [ -s "$FNPP/Qiv/logo.h.gch.stamp" ] && pass || failed "missing: no header or stamp"
check_eq "missing: the program ran with probe 1" 1 "$(cut -d' ' -f1 "$WORK/missing.probe")"
check_eq "no half-written header left" "" "$(ls "$FNPP/Qiv" | grep '\.part$' || true)"
# While the header was made (the editor blocked), its line was already on the screen.
check_eq "missing: the line painted before the make" "panel-probe: visible=1 painted=1" \
    "$(tr -d '\r' <"$FNPP/Qiv/logo.h.panel-probe" 2>/dev/null)"

build current
check_eq "current: nothing made" 0 "$(making current)"
check_eq "current: probe 1" 1 "$(cut -d' ' -f1 "$WORK/current.probe")"

probe_header 2
build new_logo
check_eq "new logo.h: the header is made again" 1 "$(making new_logo)"
check_eq "new logo.h: the program sees the new logo.h" 2 "$(cut -d' ' -f1 "$WORK/new_logo.probe")"

touch -d '+1 minute' "$FNPP/MinGW/bin/g++.exe"
build new_compiler
check_eq "another compiler: the header is made again" 1 "$(making new_compiler)"

# A damaged header with its stamp, and a half-written one of a maker that no longer runs
# beside it: the damaged one is made again, the half-written one removed.
head -c 4096 /dev/urandom >"$FNPP/Qiv/logo.h.gch"
head -c 4096 /dev/urandom >"$FNPP/Qiv/logo.h.gch.4242.part"
build damaged
check_eq "damaged: the header is made again" 1 "$(making damaged)"
check_eq "damaged: the program sees logo.h" 2 "$(cut -d' ' -f1 "$WORK/damaged.probe")"
check_eq "damaged: the half-written header is removed" "" "$(ls "$FNPP/Qiv" | grep '\.part$' || true)"

# Without the header at all (no tool, no header): the same program does the same.
rm -f "$FNPP"/Qiv/logo.h.gch* "$FNPP/Qiv/tools/makepch.exe"
build without
[ -s "$WORK/without.probe" ] && cmp -s "$WORK/new_logo.probe" "$WORK/without.probe" && pass ||
    failed "built with and without the header, the program differs: [$(cat "$WORK/new_logo.probe")] [$(cat "$WORK/without.probe")]"
grep -q ' 编译用时' "$WORK/without.panel" && pass || failed "without the header the build did not finish"

finish
