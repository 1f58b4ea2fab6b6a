#!/usr/bin/env bash
# F11 on a new dialect program: the step lines in order, the document saved, the object file
# deleted, the program started (its window found by its title, its output pane showing the
# banners and what the program printed) and the run line; F10 starts it again as run 2;
# F9 builds without starting anything.
TEST_NAME=driver_build_run
. "$(dirname "$0")/driver_test_lib.sh"

echo "int x;" >"$PROG/start.cpp"
body='pen.fd(100).rt(90).fd(50); cout << "ok" << endl;'
dialect_source "$body" | iconv -f UTF-8 -t GBK >"$WORK/qiv_01.expected"

driver_run build <<SCRIPT
open $PROG/start.cpp
command 新建Qiv程序
set-text $(dialect_source "$body" | escaped)
key F11
wait-panel 运行结束 40000
wait-window qiv_01 15000
wait-window-text qiv_01 ==== 运行结束  ==== 15000
echo first
print-panel-text
print-doc
print-window-edits qiv_01
close-window qiv_01
key F10
wait-panel 第 2 次 15000
wait-window qiv_01 15000
echo second
print-panel-text
close-window qiv_01
key F9
wait-panel 编译用时 40000
wait 1500
echo third
print-panel-text
print-window qiv_01
exit 0
SCRIPT
end_programs qiv_01.exe

expect_panel build first < <(built_panel)
time_line=$(line_after build first "panel-line 5:")
[[ $time_line =~ ^panel-line\ 5:\ \ 编译用时：[0-9]+\.[0-9]{2}\ 秒$ ]] && pass ||
    failed "build time line: [$time_line]"
check_eq "saved before the build" \
    "doc: view=0 name=qiv_01.cpp path=$(winpath "$PROG")\\qiv_01.cpp codepage=936 modified=0 lf=1" \
    "$(line_after build first 'doc:')"
expect_bytes "source written by the build's save" "$PROG/qiv_01.cpp" "$WORK/qiv_01.expected"

# The program's output pane: the start banner, what the program printed, the end banner.
pane=$(sed -n '/^first$/,/^second$/p' "$WORK/build.out" | grep '^window-edit' | grep -F '运行中' || true)
case "$pane" in
    *'==== 运行中... ====\r\nok\r\n'*'==== 运行结束  ===='*) pass ;;
    *) failed "the program's output pane: [$pane]" ;;
esac

expect_panel build second <<'EXPECTED'
 (1) 删除了旧的程序！
 (2) 编译(compile).O程序！
 (3) 编译（link).exe程序！
==========================
 编译用时：T 秒
======第 1 次运行结束======
======第 2 次运行结束======
EXPECTED

# F9: a build only. The panel starts afresh, there is no run line and no program window.
expect_panel build third <<'EXPECTED'
 (1) 删除了旧的程序！
 (2) 编译(compile).O程序！
 (3) 编译（link).exe程序！
==========================
 编译用时：T 秒
EXPECTED
check_eq "F9 starts nothing" "window: qiv_01 none" "$(line_after build third 'window:')"
check_eq "files after the build" "qiv_01.cpp qiv_01.exe start.cpp" \
    "$(ls "$PROG" | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')"

finish
