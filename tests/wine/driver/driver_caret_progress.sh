#!/usr/bin/env bash
# The caret after a compiler error lands on the compiler's column although the compiler
# counts a tab to the next multiple of 8 and the bytes of GBK text while the caret moves by
# characters: a line with spaces, a tab and Chinese text, and one whose GBK characters
# happen to be valid UTF-8 (the compiler then counts them as one column each); the first
# again as the editor opens a GBK file (held in UTF-8, written back in GBK). And the
# panel shows the step line while the compile step is still running: the stand-in compiler
# looks at the host's panel from inside the step (a source asking for that probe).
TEST_NAME=driver_caret_progress
. "$(dirname "$0")/driver_test_lib.sh"

mixed=$'\tcout << "你好" << x1;'
pairs=$'\tconst char*t = "说说";\tint z = x2;'
dialect_source "$mixed" | iconv -f UTF-8 -t GBK >"$PROG/qiv_01.cpp"
dialect_source "$pairs" | iconv -f UTF-8 -t GBK >"$PROG/qiv_02.cpp"
dialect_source '// qiv-test: probe the panel' | iconv -f UTF-8 -t GBK >"$PROG/qiv_03.cpp"

driver_run caret <<SCRIPT
open $PROG/qiv_01.cpp
caret 1 1
key F9
wait-panel 编译失败 40000
wait 1000
echo mixed
print-panel-text
print-caret
open $PROG/qiv_02.cpp
caret 1 1
key F9
wait-panel 编译失败 40000
wait 1000
echo pairs
print-panel-text
print-caret
open-detected $PROG/qiv_01.cpp
caret 1 1
key F9
wait-panel 编译失败 40000
wait 1000
echo detected
print-panel-text
print-caret
open $PROG/qiv_03.cpp
key F9
wait-panel 编译失败 40000
wait 1000
echo probe
print-panel-text
exit 0
SCRIPT

# The caret stands in front of the undeclared name: as many characters as the source line
# (four spaces, then the body) has in front of it, counted here independently.
characters() { printf '%s' "$1" | iconv -f UTF-8 -t UTF-32LE | wc -c | awk '{ print $1 / 4 }'; }
detected=$mixed
for case in mixed:x1 pairs:x2 detected:x1; do
    name=${case%%:*} token=${case#*:}
    line="    ${!name}"
    column=$(($(characters "${line%%"$token"*}") + 1))
    check_eq "$name: caret on '$token'" "caret: line=6 column=$column" "$(line_after caret "$name" 'caret:')"
    hint=$(panel_after caret "$name" | sed "/^你是不是想写/d" | tail -n 1)  # GCC's suggestion may follow
    [[ $hint == "============在第 6 行第 "*" 列附近有错误:    '$token' 未定义." ]] && pass ||
        failed "$name: hint [$hint]"
    # The compiler's own column differs from the caret's: the case means something.
    [[ $hint == *"第 $column 列"* ]] && failed "$name: the compiler's column equals the caret's" || pass
done

# While the compiler ran, the panel showed the first step line, painted.
expect_panel caret probe <<'EXPECTED'
 (1) 删除了旧的程序！
panel-probe: visible=1 painted=1
编译失败...
EXPECTED

finish
