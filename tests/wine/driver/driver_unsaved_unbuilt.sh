#!/usr/bin/env bash
# A document never saved ("new 1"): F9 asks the editor to save it; when the user cancels the
# Save As dialog, one line says so and no tool is run; F10 says there is no program yet.
# When the user gives a name, F11 builds and starts the file under that name. F10 on a
# program never built says there is nothing to run and the run count stays where it was.
TEST_NAME=driver_unsaved_unbuilt
. "$(dirname "$0")/driver_test_lib.sh"

dialect_source 'cout << "ok" << endl;' | iconv -f UTF-8 -t GBK >"$PROG/never.cpp"

driver_run unsaved <<SCRIPT
new
set-text $(dialect_source 'cout << "ok" << endl;' | escaped)
save-as-dialog cancel
key F9
wait-panel 没有编译 20000
key F10
wait-panel 还没有可以运行的程序 20000
wait 500
echo cancelled
print-panel-text
print-doc
save-as-dialog $PROG/lesson.cpp
key F11
wait-panel 运行结束 40000
wait-window lesson 15000
echo saved
print-panel-text
print-doc
close-window lesson
open $PROG/never.cpp
key F10
wait-panel 还没有可以运行的程序 20000
wait 1000
echo never-built
print-panel-text
print-window never
open $PROG/lesson.cpp
key F10
wait-window lesson 15000
wait 1000
echo run-again
print-panel-text
close-window lesson
exit 0
SCRIPT
end_programs lesson.exe never.exe

check_eq "the Save As dialog was cancelled" "cancelled" "$(out_line unsaved 'save-as-dialog: ')"
expect_panel unsaved cancelled <<'EXPECTED'
文件还没有保存, 没有编译: 请把程序保存为 .cpp 文件 (另存为) 后再编译
还没有可以运行的程序: 文件还没有保存, 也没有编译, 请先编译 (F9 或 F11)
EXPECTED
[[ $(line_after unsaved cancelled 'doc:') == "doc: view=0 name=new "*" path= "* ]] && pass ||
    failed "the document should still be untitled: $(line_after unsaved cancelled 'doc:')"

check_eq "saved under the name given" "saved $(winpath "$PROG")\\lesson.cpp" \
    "$(sed -n '/^cancelled$/,$p' "$WORK/unsaved.out" | grep -m1 '^save-as-dialog: ' | sed 's/^save-as-dialog: //')"
# A new document is UTF-8 and the template's comment is Chinese: converted first.
expect_panel unsaved saved < <(echo '文件由 UTF-8 编码转换为 ANSI (GBK) 编码后保存, 程序里的中文才能正确显示'; built_panel)
[[ $(line_after unsaved saved 'doc:') == "doc: view=0 name=lesson.cpp path=$(winpath "$PROG")\\lesson.cpp "* ]] && pass ||
    failed "the document should be lesson.cpp: $(line_after unsaved saved 'doc:')"

# Never built: one line naming the missing program, no run line, nothing started (the
# panel shows backslashes doubled).
prog_win=$(winpath "$PROG")
prog_win=${prog_win//\\/\\\\}
expect_panel unsaved never-built <<EXPECTED
文件由 UTF-8 编码转换为 ANSI (GBK) 编码后保存, 程序里的中文才能正确显示
 (1) 删除了旧的程序！
 (2) 编译(compile).O程序！
 (3) 编译（link).exe程序！
==========================
 编译用时：T 秒
======第 1 次运行结束======
还没有可以运行的程序 $prog_win\\\\never.exe: 请先编译 (F9 或 F11)
EXPECTED
check_eq "nothing started" "window: never none" "$(line_after unsaved never-built 'window:')"
# The failed run did not count: the next start of lesson is the second.
check_eq "run count after the failed run" "======第 2 次运行结束======" "$(panel_after unsaved run-again | tail -n 1)"
[ ! -e "$PROG/never.exe" ] && [ -e "$PROG/lesson.exe" ] && pass || failed "files: $(ls "$PROG" | tr '\n' ' ')"

finish
