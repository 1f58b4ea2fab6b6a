#!/usr/bin/env bash
# Builds that fail: an undeclared name (F11) shows the compiler's own output, "编译失败..."
# and one hint line, moves the caret to the reported line and column and starts nothing;
# a source that compiles with only a warning (F11) also fails and is not linked. In both
# the old object and program files are gone. A report of 200 errors, written over many pipe
# writes, ends the build all the same: the panel keeps the report's first part, and the hint
# and the caret come from the first error. An error the compiler reports inside logo.h (void
# main) puts the caret on the student's line and names the student's mistake.
TEST_NAME=driver_compile_errors
. "$(dirname "$0")/driver_test_lib.sh"

dialect_source 'foo = 3;' | iconv -f UTF-8 -t GBK >"$PROG/qiv_01.cpp"
dialect_source 'char c = 300;' | iconv -f UTF-8 -t GBK >"$PROG/qiv_02.cpp"
# x0 = 0; ... x199 = 199;, one undeclared name per line from line 6 on.
dialect_source "$(for i in $(seq 0 199); do printf 'x%d = %d;\n    ' "$i" "$i"; done)" >"$PROG/qiv_03.cpp"
# void main(): the compiler reports it inside logo.h; the hint and the caret are the student's.
printf '//程序名:新的Qiv程序\n//作者: \n\nvoid main()\n{\n    pen.fd(100);\n}\n' | iconv -f UTF-8 -t GBK >"$PROG/qiv_04.cpp"
for b in qiv_01 qiv_02; do echo "old object" >"$PROG/$b.o"; echo "old program" >"$PROG/$b.exe"; done

driver_run errors <<SCRIPT
open $PROG/qiv_01.cpp
caret 1 1
key F11
wait-panel 编译失败 40000
wait 1500
echo undeclared
print-panel-text
print-caret
print-window qiv_01
open $PROG/qiv_02.cpp
caret 1 1
key F11
wait-panel 编译失败 40000
wait 1500
echo warning
print-panel-text
print-caret
print-window qiv_02
open $PROG/qiv_03.cpp
caret 1 1
key F11
wait-panel 编译失败 60000
wait 1500
echo long
print-panel-text
print-caret
open $PROG/qiv_04.cpp
caret 7 1
key F11
wait-panel 编译失败 40000
wait 1500
echo void_main
print-panel-text
print-caret
exit 0
SCRIPT
end_programs qiv_01.exe qiv_02.exe qiv_03.exe qiv_04.exe

panel_after errors void_main >"$WORK/void_main"
grep -qF "main 必须写成 int main()" "$WORK/void_main" && pass || failed "void main: no hint that main must be int main()"
grep -qF "logo.h" "$WORK/void_main" && grep -q "第 [0-9]* 行.*logo" "$WORK/void_main" && failed "void main: a hint points into logo.h" || pass
check_eq "void main: caret on the student's line of main" "caret: line=4 column=1" "$(line_after errors void_main 'caret:')"

# GCC's own suggestion may follow the hint on a line of its own ("你是不是想写 'X'？"); the
# checks below read the lines before it.
panel_after errors undeclared | sed '/^你是不是想写/d' >"$WORK/undeclared"
check_eq "undeclared: first line" " (1) 删除了旧的程序！" "$(sed -n 1p "$WORK/undeclared")"
# The compiler names the source as the plug-in did (the panel shows backslashes doubled).
src_win=$(winpath "$PROG")
src_win=${src_win//\\/\\\\}
grep -qxF "$src_win\\\\qiv_01.cpp:6:5: error: 'foo' was not declared in this scope" "$WORK/undeclared" && pass ||
    failed "undeclared: the compiler's message is not in the panel"
check_eq "undeclared: failure line" "编译失败..." "$(tail -n 2 "$WORK/undeclared" | head -1)"
check_eq "undeclared: hint" "============在第 6 行第 5 列附近有错误:    'foo' 未定义." "$(tail -n 1 "$WORK/undeclared")"
grep -qF " (2) " "$WORK/undeclared" && failed "undeclared: a step after the compile was reported" || pass
check_eq "undeclared: caret at the error" "caret: line=6 column=5" "$(line_after errors undeclared 'caret:')"
check_eq "undeclared: nothing started" "window: qiv_01 none" "$(line_after errors undeclared 'window:')"

panel_after errors warning >"$WORK/warning"
check_eq "warning: first line" " (1) 删除了旧的程序！" "$(sed -n 1p "$WORK/warning")"
message=$(grep -m1 -F "$src_win\\\\qiv_02.cpp:6:" "$WORK/warning" || true)
[[ $message == "$src_win\\\\qiv_02.cpp:6:"* && ${message#*qiv_02.cpp:6:} =~ ^([0-9]+):\ warning: ]] && pass ||
    failed "warning: the compiler's warning is not in the panel: [$message]"
column=${BASH_REMATCH[1]:-?}
check_eq "warning: failure line" "编译失败..." "$(tail -n 2 "$WORK/warning" | head -1)"
hint=$(tail -n 1 "$WORK/warning")
[[ $hint == "============在第 6 行第 $column 列附近有错误:   "* ]] && pass || failed "warning: hint [$hint]"
grep -qF " (2) " "$WORK/warning" && failed "warning: the program was linked" || pass
check_eq "warning: caret at the warning" "caret: line=6 column=$column" "$(line_after errors warning 'caret:')"
check_eq "warning: nothing started" "window: qiv_02 none" "$(line_after errors warning 'window:')"
[ ! -e "$PROG/qiv_01.o" ] && [ ! -e "$PROG/qiv_01.exe" ] && [ ! -e "$PROG/qiv_02.exe" ] && pass ||
    failed "old or new object/program files left: $(ls "$PROG" | tr '\n' ' ')"

panel_after errors long | sed '/^你是不是想写/d' >"$WORK/long"
grep -qF "qiv_03.cpp:6:5: error: 'x0' was not declared in this scope" "$WORK/long" && pass ||
    failed "long report: the first error is not in the panel"
grep -qF "'x199'" "$WORK/long" && failed "long report: the panel holds more than the kept part" || pass
kept=$(head -n -1 "$WORK/long" | tail -n +2 | wc -c)  # between the first line and the hint
[ "$kept" -gt 1000 ] && [ "$kept" -lt 1300 ] && pass || failed "long report: $kept bytes of it in the panel"
check_eq "long report: the failure line starts a line of its own" "编译失败..." "$(tail -n 2 "$WORK/long" | head -1)"
check_eq "long report: hint from the first error" "============在第 6 行第 5 列附近有错误:    'x0' 未定义." \
    "$(tail -n 1 "$WORK/long")"
check_eq "long report: caret at the first error" "caret: line=6 column=5" "$(line_after errors long 'caret:')"

finish
