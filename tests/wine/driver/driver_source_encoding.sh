#!/usr/bin/env bash
# UTF-8 documents: one holding Chinese text is converted to the ANSI code page (GBK) with the
# editor's own command before it is saved, the panel says so, and the program prints the
# Chinese as written. One holding a character GBK cannot hold is neither converted nor built,
# and the one panel line names the line. A GBK file the editor holds in UTF-8 inside (its
# view's code page and its buffer encoding say UTF-8, its character set GB2312 is checked)
# is built as it is: it is written back in GBK.
TEST_NAME=driver_source_encoding
. "$(dirname "$0")/driver_test_lib.sh"

dialect_source 'cout << "你好，世界！" << endl;' >"$PROG/qiv_01.cpp"
dialect_source '// 😀 不是 GBK 字符' >"$PROG/qiv_02.cpp"
dialect_source 'cout << "你好" << endl;' | iconv -f UTF-8 -t GBK >"$PROG/qiv_03.cpp"
cp "$PROG/qiv_02.cpp" "$WORK/qiv_02.before"
cp "$PROG/qiv_03.cpp" "$WORK/qiv_03.before"
iconv -f UTF-8 -t GBK "$PROG/qiv_01.cpp" >"$WORK/qiv_01.expected"

driver_run encoding <<SCRIPT
open $PROG/qiv_01.cpp
echo utf8-before
print-encoding
key F11
wait-panel 运行结束 40000
wait-window qiv_01 15000
wait-window-text qiv_01 你好，世界！ 15000
echo utf8
print-panel-text
print-encoding
close-window qiv_01
open $PROG/qiv_02.cpp
key F9
wait-panel 没有编译 20000
wait 1000
echo refused
print-panel-text
print-encoding
open-detected $PROG/qiv_03.cpp
key F9
wait-panel 编译用时 40000
echo detected
print-panel-text
print-encoding
exit 0
SCRIPT
end_programs qiv_01.exe qiv_02.exe qiv_03.exe

check_eq "a UTF-8 file" "encoding: buffer=4 view-codepage=65001 file-codepage=65001 held=0" \
    "$(line_after encoding utf8-before 'encoding:')"
expect_panel encoding utf8 < <(echo '文件由 UTF-8 编码转换为 ANSI (GBK) 编码后保存, 程序里的中文才能正确显示'; built_panel)
check_eq "converted to ANSI" "encoding: buffer=0 view-codepage=936 file-codepage=936 held=0" \
    "$(line_after encoding utf8 'encoding:')"
expect_bytes "the saved file is GBK" "$PROG/qiv_01.cpp" "$WORK/qiv_01.expected"

expect_panel encoding refused <<'EXPECTED'
第 6 行的字符 “😀” 不能用 ANSI (GBK) 编码保存: 文件没有转换, 也没有编译, 请改掉这个字符后再编译
EXPECTED
check_eq "not converted" "encoding: buffer=4 view-codepage=65001 file-codepage=65001 held=0" \
    "$(line_after encoding refused 'encoding:')"
expect_bytes "the refused file is untouched" "$PROG/qiv_02.cpp" "$WORK/qiv_02.before"
[ ! -e "$PROG/qiv_02.exe" ] && [ ! -e "$PROG/qiv_02.o" ] && pass || failed "the refused file was built"

# The view's code page and the buffer encoding say UTF-8; the checked character set decides.
expect_panel encoding detected <<'EXPECTED'
 (1) 删除了旧的程序！
 (2) 编译(compile).O程序！
 (3) 编译（link).exe程序！
==========================
 编译用时：T 秒
EXPECTED
check_eq "held in UTF-8, still GBK" "encoding: buffer=4 view-codepage=65001 file-codepage=936 held=936" \
    "$(line_after encoding detected 'encoding:')"
expect_bytes "the GBK file is saved as it was" "$PROG/qiv_03.cpp" "$WORK/qiv_03.before"

finish
