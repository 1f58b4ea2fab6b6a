#!/usr/bin/env bash
# Deletion failures. F9 while the old program is still running: the stand-in rm.exe reports "Permission
# denied" for a program file in use, and the build stops with the tool's message and the two
# lines about the running program, before saving the document. The stop tool ends the old
# program meanwhile. (The program file is also made read-only before F9, so that the
# deletion fails however fast the stop tool is; the running program alone is checked against
# rm.exe directly.) Without a deletion tool, the build stops with the reason, the delete
# command line and the general deletion message.
TEST_NAME=driver_program_running
. "$(dirname "$0")/driver_test_lib.sh"

dialect_source 'pen.fd(100).rt(90).fd(50); cout << "ok" << endl;' | iconv -f UTF-8 -t GBK >"$PROG/qiv_01.cpp"
cp "$PROG/qiv_01.cpp" "$WORK/qiv_01.saved"
exe_win="$(winpath "$PROG")\\qiv_01.exe"
trap 'chmod u+w "$PROG/qiv_01.exe" 2>/dev/null; end_programs qiv_01.exe' EXIT

driver_run start <<SCRIPT
open $PROG/qiv_01.cpp
key F11
wait-panel 运行结束 40000
wait-window qiv_01 15000
exit 0
SCRIPT

# The program outlives the host. A running program's file cannot be deleted.
LC_ALL=$WINE_LC_ALL "$QIV_WINE" "$NPP/MinGW/bin/rm.exe" -f "$exe_win" >"$WORK/rm.raw" 2>/dev/null
rm_rc=$?
check_eq "rm.exe on the running program" "rm: cannot remove '$exe_win': Permission denied" \
    "$(tr -d '\r' <"$WORK/rm.raw")"
check_eq "rm.exe exit code" 1 "$rm_rc"
[ -f "$PROG/qiv_01.exe" ] && pass || failed "the running program's file was deleted"
chmod a-w "$PROG/qiv_01.exe"

driver_run denied <<SCRIPT
open $PROG/qiv_01.cpp
print-window qiv_01
set-text // changed\\n$(dialect_source 'pen.fd(10);' | escaped)
key F9
wait-panel 可能是程序正在运行 20000
echo denied
print-panel-text
print-doc
wait-no-window qiv_01 15000
exit 0
SCRIPT

check_eq "old program running when F9 is pressed" "window: qiv_01 shown" "$(grep -m1 '^window:' "$WORK/denied.out")"
# The panel's lines are printed escaped: a backslash shows doubled.
expect_panel denied denied <<EXPECTED
rm: cannot remove '${exe_win//\\/\\\\}': Permission denied
删除旧文件时出错！ 
可能是程序正在运行。
EXPECTED
check_eq "document not saved" \
    "doc: view=0 name=qiv_01.cpp path=$(winpath "$PROG")\\qiv_01.cpp codepage=936 modified=1 lf=1" \
    "$(line_after denied denied 'doc:')"
expect_bytes "source on disk unchanged" "$PROG/qiv_01.cpp" "$WORK/qiv_01.saved"
# (The host's wait for the window to go fails the run, and its exit code, if it stays.)

# An installation without rm.exe: the tool cannot be started.
cp -rs "$NPP" "$WORK/no-rm"
rm "$WORK/no-rm/MinGW/bin/rm.exe"
driver_run no_rm "$WORK/no-rm" <<SCRIPT
open $PROG/qiv_01.cpp
key F9
wait-panel 删除旧文件时出错 20000
echo no-rm
print-panel-text
exit 0
SCRIPT
command="\"$(winpath "$WORK/no-rm")\\MinGW\\bin\\rm.exe\" -f \"$(winpath "$PROG")\\qiv_01.o\" \"$(winpath "$PROG")\\qiv_01.exe\" "
shown=${command//\\/\\\\}  # as the host prints it: backslashes doubled, the line feed as \n
expect_panel no_rm no-rm <<EXPECTED
创建进程失败! (0x2)\\n${shown}删除旧文件时出错！ ....
EXPECTED

finish
