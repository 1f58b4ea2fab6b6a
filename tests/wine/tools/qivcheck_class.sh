#!/usr/bin/env bash
# The class check on a class of eight under Wine: the teacher's star against a right copy, one
# shifted by two pixels that first opens a message box, a square, one that does not build, one
# that never ends, one that crashes, one that writes a file and one that calls exit(0); then a
# folder without programs and a wrong option.
# The rows of report.csv say what each program did and how it scored; report.html holds every
# row, the overview and the pictures.
#   qivcheck_class.sh INSTALL_DIR
TEST_NAME=qivcheck_class
. "$(dirname "$0")/tools_test_lib.sh"
NPP=$1
check=$NPP/Qiv/tools/qivcheck.exe
LC_ALL=zh_CN.GBK "$QIV_WINE" "$NPP/Qiv/tools/makeruntime.exe" >/dev/null 2>&1 || true
LC_ALL=zh_CN.GBK "$QIV_WINE" "$NPP/Qiv/tools/makepch.exe" >/dev/null 2>&1 || true

class=$(c_folder class)
star() {  # the star of the target, after the lines given
    printf 'int main() {\n    pen.speed(0);\n%s    for (int i = 0; i < 5; i++) {\n        pen.fd(100);\n        pen.rt(144);\n    }\n    cout << "五角星" << endl;\n    return 0;\n}\n' "$1"
}
star "" | iconv -f UTF-8 -t GBK >"$class/target.cpp"
star "" | iconv -f UTF-8 -t GBK >"$class/right.cpp"
star '    MessageBoxA(NULL, "先看这里", "提示", MB_OK);
    pen.up();
    pen.move(2, 2);
    pen.down();
' | iconv -f UTF-8 -t GBK >"$class/shifted.cpp"
printf 'int main() {\n    pen.speed(0);\n    for (int i = 0; i < 4; i++) {\n        pen.fd(100);\n        pen.rt(90);\n    }\n    cout << "正方形" << endl;\n    return 0;\n}\n' |
    iconv -f UTF-8 -t GBK >"$class/square.cpp"
printf 'int main() {\n    pen.fd(100)\xa3\xbb\n    return 0;\n}\n' >"$class/broken.cpp"
printf 'int main() {\n    pen.speed(0);\n    pen.fd(50);\n    while (true) {\n    }\n    return 0;\n}\n' >"$class/endless.cpp"
printf 'int main() {\n    pen.fd(50);\n    *(volatile int *)0 = 1;\n    return 0;\n}\n' >"$class/crash.cpp"
# A file a program writes lands in its own temporary folder, never in the class's.
printf 'int main() {\n    ofstream out("written.txt");\n    out << 1;\n    return 0;\n}\n' >"$class/writer.cpp"
sed -i '1i #include <fstream>' "$class/writer.cpp"
# One that ends itself with exit(0): ended, not crashed, although its capture is gone with it.
printf 'int main() {\n    pen.fd(50);\n    exit(0);\n}\n' >"$class/quitter.cpp"

start=$(date +%s)
run_tool "$check" "$(win_of "$class")" --seconds 3
elapsed=$(($(date +%s) - start))
check_eq "exit code" 0 "$status"
[ -f "$class/report.csv" ] || { failed "no report.csv: $(cat "$WORK/last.out")"; exit 1; }
iconv -f GBK -t UTF-8 "$class/report.csv" | tr -d '\r' >"$WORK/report.csv"
cat "$WORK/report.csv" >>"$WORK/tools.log"

# field FILE COLUMN: one field of a program's row (no field of these rows holds a comma).
field() { awk -F, -v f="$1" -v c="$2" '$1 == f { print $c }' "$WORK/report.csv"; }
at_least() { if [ "${3:-0}" -ge "$2" ] 2>/dev/null; then pass; else failed "$1: [$3], expected at least $2"; fi; }
at_most() { if [ -n "$3" ] && [ "$3" -le "$2" ] 2>/dev/null; then pass; else failed "$1: [$3], expected at most $2"; fi; }

check_eq "header" "文件,编译,提示,运行,图形分,颜色分,输出,用时(秒),消息框" "$(head -1 "$WORK/report.csv")"
check_eq "rows" 8 "$(($(wc -l <"$WORK/report.csv") - 1))"
check_eq "right: built, ran" "成功 结束" "$(field right.cpp 2) $(field right.cpp 4)"
check_eq "right: shape" 100 "$(field right.cpp 5)"
check_eq "right: colour" 100 "$(field right.cpp 6)"
check_eq "right: output" "相同" "$(field right.cpp 7)"
at_least "shifted: shape" 90 "$(field shifted.cpp 5)"
check_eq "shifted: message box answered" 1 "$(field shifted.cpp 9)"
at_most "square: shape" 50 "$(field square.cpp 5)"
check_eq "square: output" "不同" "$(field square.cpp 7)"
check_eq "broken: not built" "失败" "$(field broken.cpp 2)"
case "$(field broken.cpp 3)" in *"中文分号"*) pass ;; *) failed "broken: hint [$(field broken.cpp 3)]" ;; esac
check_eq "endless: did not end" "超时" "$(field endless.cpp 4)"
check_eq "crash: crashed" "崩溃" "$(field crash.cpp 4)"
check_eq "writer: ran" "结束" "$(field writer.cpp 4)"
check_eq "quitter: ended" "结束" "$(field quitter.cpp 4)"
[ ! -e "$class/written.txt" ] && pass || failed "a program wrote into the class's folder"
# Sorted by shape score: the right copy first, the program that did not build last.
check_eq "first row" right.cpp "$(sed -n 2p "$WORK/report.csv" | cut -d, -f1)"
check_eq "last row" broken.cpp "$(tail -1 "$WORK/report.csv" | cut -d, -f1)"
html=$(iconv -f GBK -t UTF-8 "$class/report.html")
for name in right shifted square broken endless crash writer quitter; do
    case $html in *"$name.cpp"*) pass ;; *) failed "report.html has no row of $name.cpp" ;; esac
done
case $html in *"共 8 个程序"*) pass ;; *) failed "report.html has no overview of 8 programs" ;; esac
pictures=$(grep -o 'data:image/bmp;base64' "$class/report.html" | wc -l)
at_least "pictures in report.html" 7 "$pictures"
[ -f "$class/qivcheck-pictures/right.bmp" ] && pass || failed "no full picture of right.cpp"
echo "qivcheck_class: 9 programs (target and 8) in $elapsed s" >>"$WORK/tools.log"
echo "9 programs checked in $elapsed s"

# A folder without programs, and a wrong option: a word and exit 2, no report.
empty=$(c_folder empty-class)
run_tool "$check" "$(win_of "$empty")"
check_eq "empty folder: exit code" 2 "$status"
[ ! -e "$empty/report.html" ] && pass || failed "a report for a folder without programs"
run_tool "$check" "$(win_of "$class")" --seconds soon
check_eq "wrong option: exit code" 2 "$status"

echo "$TEST_NAME: $((passed + failures)) checks, $passed passed, $failures failed"
[ "$failures" -eq 0 ]
