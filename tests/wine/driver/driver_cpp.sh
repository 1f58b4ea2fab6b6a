#!/usr/bin/env bash
# F8 on a plain C++ program: compiled and linked in one step (" (2) 编译(compile).exe程序！",
# no link line, no run line) and started through runPause.bat in the program's folder. A C++
# program with an error shows the output, a line break, "编译失败..." and the hint.
TEST_NAME=driver_cpp
. "$(dirname "$0")/driver_test_lib.sh"

echo "int x;" >"$PROG/start.cpp"
trap 'end_programs cmd.exe c++_01.exe' EXIT
program='#include<iostream>
#include<fstream>
using namespace std;
int main()
{
    ofstream("ran.txt") << "started by the pause script" << endl;
    cout << "hello" << endl;
    return 0;
}'
broken='#include<iostream>
int main()
{
    std::cout << 1;
    undefinedThing();
}'

driver_run cpp <<SCRIPT
open $PROG/start.cpp
command C++新程序
set-text $(printf '%s' "$program" | escaped)
key F8
wait-panel 编译用时 40000
echo built
print-panel-text
new
save-as $PROG/c++_02.cpp
set-text $(printf '%s' "$broken" | escaped)
key F8
wait-panel 编译失败 40000
echo broken
print-panel-text
print-caret
exit 0
SCRIPT

expect_panel cpp built <<'EXPECTED'
 (1) 删除了旧的程序！
 (2) 编译(compile).exe程序！
==========================
 编译用时：T 秒
EXPECTED
for _ in $(seq 50); do [ -s "$PROG/ran.txt" ] && break; sleep 0.2; done
check_eq "the program ran in its folder" "started by the pause script" "$(tr -d '\r' <"$PROG/ran.txt" 2>/dev/null)"
[ ! -e "$PROG/c++_01.o" ] && pass || failed "an object file was left: the C++ build has no separate compile step"

panel_after cpp broken | sed "/^你是不是想写/d" >"$WORK/broken"  # GCC's suggestion may follow the hint
check_eq "broken: first line" " (1) 删除了旧的程序！" "$(sed -n 1p "$WORK/broken")"
src_win=$(winpath "$PROG")
grep -qF "${src_win//\\/\\\\}\\\\c++_02.cpp:5:5: error: 'undefinedThing' was not declared in this scope" "$WORK/broken" && pass ||
    failed "broken: the compiler's message is not in the panel"
check_eq "broken: line break, then the failure line" "|编译失败..." "$(tail -n 3 "$WORK/broken" | head -2 | tr '\n' '|' | sed 's/|$//')"
check_eq "broken: hint" "============在第 5 行第 5 列附近有错误:    'undefinedThing' 未定义." "$(tail -n 1 "$WORK/broken")"
check_eq "broken: caret at the error" "caret: line=5 column=5" "$(line_after cpp broken 'caret:')"
[ ! -e "$PROG/c++_02.exe" ] && pass || failed "broken: a program was produced"

finish
